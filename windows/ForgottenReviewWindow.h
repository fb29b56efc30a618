// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forgotten-word review 窗口每日遗忘单词测试 on the desktop, bound to its
// logic. Its closing, however it comes, ends the group test.

#include "core/Program.h"
#include "logic/ForgottenReviewWindowLogic.h"
#include "ui/FocusHolder.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class ForgottenReviewWindow : public LogicWindow<ForgottenReviewWindowLogic> {
  Q_OBJECT

 public:
  ForgottenReviewWindow(Program& program, QWidget* parent = nullptr);

  void Run();

 private:
  void Show() override;

  Found<ForgottenReviewWindowControls> ui_;
  FocusHolder focus_;  // the shortcut box
};

void RunForgottenReviewWindow(Program& program, QWidget* parent);

}  // namespace cindral
