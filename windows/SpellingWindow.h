// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spelling window 窗口拼写 of the group test on the desktop, bound to its
// logic. Its 300 ms timer opens the choice window, whose call returns when
// the word's card has closed.

#include "core/Program.h"
#include "logic/SpellingWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class SpellingWindow : public LogicWindow<SpellingWindowLogic> {
  Q_OBJECT

 public:
  SpellingWindow(Program& program, QWidget* parent = nullptr);

  // Runs the creation handler, then shows the window modally.
  void Run();

 private:
  // The typed word.
  void ReadInput() override;
  void Show() override;

  Found<SpellingWindowControls> ui_;
  int focusRequestsDone_ = 0;
};

void RunSpellingWindow(Program& program, QWidget* parent);

}  // namespace cindral
