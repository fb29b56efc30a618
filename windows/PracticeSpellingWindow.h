// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small spelling windows on the desktop: 窗口学习单词拼写 over the learning
// card and 窗口拼写遗忘单词 over the forgotten-word review (its Run function is
// in windows/ForgottenSpellingWindow.h). Both have the same controls and the
// same logic; they differ in their layout's name and caption and in the word
// they check.

#include "core/Program.h"
#include "logic/PracticeSpellingWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class PracticeSpellingWindow : public LogicWindow<PracticeSpellingWindowLogic> {
  Q_OBJECT

 public:
  PracticeSpellingWindow(Program& program, const WindowLayout& layout,
                         PracticeSpellingWindowLogic logic, QWidget* parent = nullptr);

 private:
  // The typed word.
  void ReadInput() override;
  void Show() override;

  Found<SpellingPracticeControls> ui_;
};

// 窗口学习单词拼写: the card's word.
void RunPracticeSpellingWindow(Program& program, QWidget* parent);

}  // namespace cindral
