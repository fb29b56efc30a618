// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/PracticeSpellingWindow.h"

#include "windows/ForgottenSpellingWindow.h"

#include <QLineEdit>

#include "ui/ControlText.h"
#include "ui/Layouts.h"

namespace cindral {

PracticeSpellingWindow::PracticeSpellingWindow(Program& program, const WindowLayout& layout,
                                               PracticeSpellingWindowLogic logic, QWidget* parent)
    : LogicWindow(program, std::move(logic), layout, parent), ui_(this) {
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != ui_.word) return false;
    bool used = false;
    Handle([&] { used = logic_.KeyDown(key); });
    return used;
  });
  ui_.word->setFocus();
}

void PracticeSpellingWindow::ReadInput() { logic_.SetInput(ControlText(ui_.word)); }

void PracticeSpellingWindow::Show() {
  SetControlText(ui_.verdict, logic_.verdictText());
  if (logic_.closed()) CloseWindow();
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
