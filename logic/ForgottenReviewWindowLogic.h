// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the forgotten-word review 窗口每日遗忘单词测试, which follows a
// group test in which words were marked forgotten: the learner pages through
// them, practises their spelling, and may put a word back into the word book
// as a new word (marked " →new" / " →新"). Closing it ends the whole test.

#include <string>

#include "core/LogicTimer.h"
#include "core/Program.h"
#include "logic/FocusKeeper.h"

namespace cindral {

class ForgottenReviewWindowLogic {
 public:
  explicit ForgottenReviewWindowLogic(Program& program);

  // Window events. The keys are those pressed in 编辑框提供快捷键.
  void Created();
  void NextButton();      // 下一个(→)
  void PreviousButton();  // 上一个(←)
  void AddButton();       // 添加到生词本(A)
  bool KeyDown(int keyCode);
  void FocusTimerTick() { focus_.Request(); }  // 时钟保证获取焦点
  void Destroyed();

  // Visible state.
  const std::string& wordText() const { return word_; }        // 标签单词
  const std::string& meaningText() const { return meaning_; }  // 标签释义
  // How many times the keyboard focus was sent to 编辑框提供快捷键.
  int focusRequests() const { return focus_.requests(); }
  LogicTimer& focusTimer() { return focus_.timer(); }
  bool closed() const { return closed_; }

 private:
  void ShowEntry();
  void PracticeSpelling();

  Program& program_;
  std::string word_;
  std::string meaning_;
  FocusKeeper focus_;
  bool closed_ = false;
};

}  // namespace cindral
