// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPrompter.h"

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

}  // namespace

bool QtPrompter::Show(const Message& message) {
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = QApplication::activeWindow();

  QMessageBox box(BoxIcon(message.icon), ToQString(message.caption), ToQString(message.text),
                  message.yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner);
  // The texts may carry a learner's words: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  if (message.yesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  }
  const int answer = box.exec();
  // The keyboard goes back to the window beneath, as a window manager
  // would do it (and one is not always there to do it).
  if (QApplication::activeWindow() == nullptr) {
    QWidget* next = QApplication::activeModalWidget();
    if (next == nullptr) next = owner;
    if (next != nullptr && next->isVisible()) next->activateWindow();
  }
  return !message.yesNo || answer == QMessageBox::Yes;
}

}  // namespace cindral
