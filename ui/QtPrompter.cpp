// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/Text.h"

namespace cindral {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Information:
      break;
  }
  return QMessageBox::Information;
}

QWidget* BoxOwner() {
  QWidget* owner = QApplication::activeModalWidget();
  return owner != nullptr ? owner : QApplication::activeWindow();
}

// The keyboard goes back to the window beneath, as a window manager would
// do it (and one is not always there to do it).
void GiveBackTheKeyboard(QWidget* owner) {
  if (QApplication::activeWindow() != nullptr) return;
  QWidget* next = QApplication::activeModalWidget();
  if (next == nullptr) next = owner;
  if (next != nullptr && next->isVisible()) next->activateWindow();
}

}  // namespace

bool QtPrompter::Show(const Message& message) {
  QWidget* owner = BoxOwner();

  QMessageBox box(BoxIcon(message.icon), ToQString(message.caption), ToQString(message.text),
                  message.yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner);
  // The texts may carry a learner's words: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  if (message.yesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  }
  const int answer = box.exec();
  GiveBackTheKeyboard(owner);
  return !message.yesNo || answer == QMessageBox::Yes;
}

int QtPrompter::Choose(const Choice& choice) {
  QWidget* owner = BoxOwner();
  QMessageBox box(QMessageBox::Question, ToQString(choice.caption), ToQString(choice.text),
                  QMessageBox::NoButton, owner);
  box.setTextFormat(Qt::PlainText);
  if (!choice.details.empty()) box.setDetailedText(ToQString(choice.details));
  std::vector<QPushButton*> buttons;
  for (const std::string& text : choice.buttons) {
    buttons.push_back(box.addButton(ToQString(text), QMessageBox::ActionRole));
  }
  if (!buttons.empty()) box.setDefaultButton(buttons.front());
  const auto escape = static_cast<std::size_t>(choice.escape);
  if (escape < buttons.size()) box.setEscapeButton(buttons[escape]);
  box.exec();
  GiveBackTheKeyboard(owner);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return choice.escape;
}

}  // namespace cindral
