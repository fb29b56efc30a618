// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/PracticeSpellingWindow.h"

#include <QLineEdit>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/WindowBuilder.h"

namespace cindral {

PracticeSpellingWindow::PracticeSpellingWindow(Program& program, const WindowLayout& layout,
                                               PracticeSpellingWindowLogic logic, QWidget* parent)
    : ModalWindow(layout, parent),
      program_(program),
      logic_(std::move(logic)),
      box_(Control<QLineEdit>(this, "编辑框拼写遗忘单词")) {
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != box_) return false;
    bool used = false;
    RunGuarded(program_.prompter(), [&] {
      logic_.SetInput(ControlText(box_));
      used = logic_.KeyDown(key);
    });
    SetControlText(Control<QWidget>(this, "标签判断单词对错"), logic_.verdictText());
    if (logic_.closed()) CloseWindow();
    return used;
  });
  box_->setFocus();
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
