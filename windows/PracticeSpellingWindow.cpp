// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/PracticeSpellingWindow.h"

#include <QLineEdit>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"

namespace cindral {

PracticeSpellingWindow::PracticeSpellingWindow(Program& program, const WindowLayout& layout,
                                               PracticeSpellingWindowLogic logic, QWidget* parent)
    : ModalWindow(layout, parent), ui_(this), program_(program), logic_(std::move(logic)) {
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != ui_.word) return false;
    bool used = false;
    RunGuarded(program_.prompter(), [&] {
      logic_.SetInput(ControlText(ui_.word));
      used = logic_.KeyDown(key);
    });
    SetControlText(ui_.verdict, logic_.verdictText());
    if (logic_.closed()) CloseWindow();
    return used;
  });
  ui_.word->setFocus();
}

void RunPracticeSpellingWindow(Program& program, QWidget* parent) {
  PracticeSpellingWindow window(program, PracticeSpellingWindowLayout(),
                                PracticeSpellingWindowLogic::ForDueWord(program), parent);
  window.Open();
}

void RunForgottenSpellingWindow(Program& program, QWidget* parent) {
  PracticeSpellingWindow window(program, ForgottenSpellingWindowLayout(),
                                PracticeSpellingWindowLogic::ForForgottenWord(program), parent);
  window.Open();
}

}  // namespace cindral
