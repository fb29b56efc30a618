// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of 窗口更新单词, opened from the learning card: the learner
// corrects the text and the meaning of the card's word. The card itself
// keeps what it shows until its next word.

#include <string>

#include "core/Program.h"

namespace cindral {

class UpdateWordWindowLogic {
 public:
  enum class Focus { Word, Meaning };

  explicit UpdateWordWindowLogic(Program& program) : program_(program) {}

  // Window events.
  void Created();
  void SetWord(std::string text) { word_ = std::move(text); }        // 编辑框输入单词
  void SetMeaning(std::string text) { meaning_ = std::move(text); }  // 编辑框输入释义
  void Submit();                                                     // 提交
  bool KeyDown(int keyCode);                                         // in either box: Enter submits

  // Visible state.
  const std::string& word() const { return word_; }
  const std::string& meaning() const { return meaning_; }
  Focus focus() const { return focus_; }
  // The caret of the meaning box as a byte offset (at creation: after the
  // last character).
  size_t meaningCaret() const { return meaningCaret_; }
  bool closed() const { return closed_; }

 private:
  Program& program_;
  int32_t record_ = 0;  // the card's word, by record number
  std::string word_;
  std::string meaning_;
  Focus focus_ = Focus::Meaning;
  size_t meaningCaret_ = 0;
  bool closed_ = false;
};

}  // namespace cindral
