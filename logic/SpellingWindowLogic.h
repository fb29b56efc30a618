// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the spelling window 窗口拼写, where the group test begins and
// which it returns to for every word: the meaning is shown, the learner
// types the word (or gives up on it), the verdict stays 300 ms, then the
// choice window opens with the spelling window hidden beneath it.

#include <string>

#include "core/LogicTimer.h"
#include "core/Program.h"

namespace cindral {

class SpellingWindowLogic {
 public:
  static constexpr int kVerdictInterval = 300;

  explicit SpellingWindowLogic(Program& program);

  // Window events.
  void Created();
  void SetInput(std::string text) { input_ = std::move(text); }  // 编辑框输入单词
  // One answer per word: while the mark of an answer shows, 提交 and 遗忘
  // do nothing.
  void Submit();              // 提交, or Enter in 编辑框输入单词
  void Forgotten();           // 遗忘
  bool KeyDown(int keyCode);  // in 编辑框输入单词
  void TimerTick();           // 时钟
  // The window has gone, with every window of the test (the test ended or
  // the learner closed it): a calendar day that began during the test
  // begins now.
  void AfterClosed();

  // Visible state.
  const std::string& meaningText() const { return meaning_; }  // 标签释义
  const std::string& verdictText() const { return verdict_; }  // 标签判断单词对错
  const std::string& input() const { return input_; }          // 编辑框输入单词
  // How many times the keyboard focus was sent to 编辑框输入单词.
  int focusRequests() const { return focusRequests_; }
  LogicTimer& timer() { return timer_; }  // 时钟
  bool closed() const { return closed_; }

 private:
  void ShowEntry();

  Program& program_;
  std::string meaning_;
  std::string verdict_;
  std::string input_;
  int focusRequests_ = 0;
  LogicTimer timer_;
  bool closed_ = false;
  // The test keeps the day it began on, so that a word deleted past
  // midnight does not start the new day inside the test.
  StudyDayHold studyDay_;
};

}  // namespace cindral
