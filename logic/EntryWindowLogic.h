// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the entry window 窗口输入单词: the learner types a word and
// its meaning and submits them; the first word of a new study day opens a
// new group. The window may not close before the day has a word, unless
// the book could not be written (a full disk): then the learner may leave,
// and the program ends, so that its next start begins the day again.
// A word the book holds already is added only when the learner says so.
// Ctrl+I imports a word list over the window (the import window, as from
// the main window's menu): its words count as the day's words like words
// typed, so the day's first words may come from a file. Under the meaning
// box a hint shows the typed word's best Chinese meanings from the meanings
// index; F2 puts them into the meaning box, and nothing else changes when
// the learner does not press it.

#include <string>
#include <vector>

#include "core/Program.h"

namespace cindral {

class EntryWindowLogic {
 public:
  enum class Focus { Word, Meaning };

  explicit EntryWindowLogic(Program& program) : program_(program) {}

  // Window events. A word handed over for the window (AppState's
  // EntryPrefill) is shown filled in as it opens.
  void Created();
  // The hint follows the word; the index is asked only for a word typed.
  void SetWord(std::string text);
  void SetMeaning(std::string text) { meaning_ = std::move(text); }
  void KeyDown(int keyCode);
  // F2: the hint's meanings into the meaning box (those it does not hold
  // yet, after what the learner typed there).
  void FillMeaning();
  // A word handed over from the desktop (GBK): shown in the boxes for the
  // learner to check and submit, the meaning box in focus. A word typed and
  // not yet submitted is replaced only when the learner says so.
  void Prefill(std::string word, std::string meaning);
  void Submit();
  // Ctrl+I: opens the import window over this one; returns when it has
  // closed.
  void Import();
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
  // 标签导入结果: how many words the imports from this window added (GBK),
  // empty before the first.
  const std::string& importText() const { return importText_; }
  // 标签释义提示: the word's best Chinese meanings and the key that fills
  // them in (GBK); empty when none are known.
  const std::string& hintText() const { return hintText_; }

 private:
  // Whether the book holds a word entered today.
  bool TodayHasWords();
  // Whether the typed word goes in: the learner is asked when the book
  // holds it already.
  bool ConfirmKnownWord();
  // The hint for the word now in the box.
  void Hint();

  Program& program_;
  std::string word_;
  std::string meaning_;
  Focus focus_ = Focus::Word;
  std::string importText_;
  std::string hinted_;  // the word the hint is of
  std::vector<std::string> hints_;
  std::string hintText_;
  int32_t imported_ = 0;
  bool saveFailed_ = false;
  bool leaving_ = false;
};

}  // namespace cindral
