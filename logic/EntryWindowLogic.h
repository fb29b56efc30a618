// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the entry window 窗口输入单词: the learner types a word and
// its meaning and submits them; the first word of a new study day opens a
// new group. The window may not close before the day has a word, unless
// the book could not be written (a full disk): then the learner may leave,
// and the program ends, so that its next start begins the day again.

#include <string>

#include "core/Program.h"

namespace cindral {

class EntryWindowLogic {
 public:
  enum class Focus { Word, Meaning };

  explicit EntryWindowLogic(Program& program) : program_(program) {}

  // Window events.
  void Created() { focus_ = Focus::Word; }
  void SetWord(std::string text) { word_ = std::move(text); }
  void SetMeaning(std::string text) { meaning_ = std::move(text); }
  void KeyDown(int keyCode);
  void Submit();
  // Whether the window may close now (a day's first word must be entered,
  // or, after a word could not be stored, the learner chooses to leave).
  bool QueryClose();
  // Computes the plan again; or, when the learner left without the day's
  // first word, ends the program.
  void Destroyed();

  // Visible state.
  const std::string& word() const { return word_; }
  const std::string& meaning() const { return meaning_; }
  Focus focus() const { return focus_; }

 private:
  // Whether the book holds a word entered today.
  bool TodayHasWords();

  Program& program_;
  std::string word_;
  std::string meaning_;
  Focus focus_ = Focus::Word;
  bool saveFailed_ = false;
  bool leaving_ = false;
};

}  // namespace cindral
