// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/UpdateWordWindow.h"

#include <QLineEdit>
#include <QTimer>

#include "ui/ControlText.h"
#include "ui/Text.h"

namespace cindral {

UpdateWordWindow::UpdateWordWindow(Program& program, QWidget* parent)
    : LogicWindow(program, UpdateWordWindowLayout(), parent),
      ui_(this),
      form_(this, ui_, [this] { Handle(&UpdateWordWindowLogic::Submit); }) {
  SetKeyHandler([this](QWidget* control, int key) {
    if (!form_.Holds(control)) return false;
    bool used = false;
    Handle([&] { used = logic_.KeyDown(key); });
    return used;
  });
  Guarded([this] { logic_.Created(); });
  SetControlText(form_.wordBox(), logic_.word());
  SetControlText(form_.meaningBox(), logic_.meaning());
  Show();
  // The caret goes where the logic puts it once the window shows: a dialog
  // that appears selects the whole text of the box with the focus, which the
  // next key would replace.
  QTimer::singleShot(0, this, [this] {
    const std::string before = logic_.meaning().substr(0, logic_.meaningCaret());
    form_.meaningBox()->setCursorPosition(static_cast<int>(ToQString(before).size()));
  });
}

void UpdateWordWindow::ReadInput() { form_.PassTexts(logic_); }

void UpdateWordWindow::Show() {
  (logic_.focus() == UpdateWordWindowLogic::Focus::Word ? form_.wordBox() : form_.meaningBox())
      ->setFocus();
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunUpdateWordWindow(Program& program, QWidget* parent) {
  UpdateWordWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
