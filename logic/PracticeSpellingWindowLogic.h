// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the small spelling windows: 窗口学习单词拼写 (key S on the
// learning card) and 窗口拼写遗忘单词 (key S in the forgotten-word review).
// The learner types the word and presses Enter: right, "√" and the window
// closes; wrong, "×" and it stays.

#include <string>

#include "core/Program.h"

namespace cindral {

class PracticeSpellingWindowLogic {
 public:
  // The word to spell: the due entry at ReviewPosition (the card's word).
  static PracticeSpellingWindowLogic ForDueWord(Program& program);
  // The forgotten entry at ForgottenPosition (the review's word).
  static PracticeSpellingWindowLogic ForForgottenWord(Program& program);

  explicit PracticeSpellingWindowLogic(std::string word) : word_(std::move(word)) {}

  // Window events.
  void SetInput(std::string text) { input_ = std::move(text); }  // 编辑框拼写遗忘单词
  bool KeyDown(int keyCode);                                     // in the edit box

  // Visible state.
  const std::string& verdictText() const { return verdict_; }  // 标签判断单词对错
  bool closed() const { return closed_; }

 private:
  std::string word_;
  std::string input_;
  std::string verdict_;
  bool closed_ = false;
};

}  // namespace cindral
