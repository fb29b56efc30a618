// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forgotten-word review 窗口每日遗忘单词测试 on the desktop, bound to its
// logic. Its closing, however it comes, ends the group test.

#include <functional>

#include "core/Program.h"
#include "logic/ForgottenReviewWindowLogic.h"
#include "ui/FocusHolder.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"

namespace cindral {

class ForgottenReviewWindow : public ModalWindow {
  Q_OBJECT

 public:
  ForgottenReviewWindow(Program& program, QWidget* parent = nullptr);

  void Run();
  ForgottenReviewWindowLogic& logic() { return logic_; }

 private:
  void Handle(const std::function<void()>& handler);
  void Show();

  Found<ForgottenReviewWindowControls> ui_;
  Program& program_;
  ForgottenReviewWindowLogic logic_;
  FocusHolder focus_;  // the shortcut box
};

void RunForgottenReviewWindow(Program& program, QWidget* parent);

}  // namespace cindral
