// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speaker button of a study window (and its key P): reads the window's
// current English word aloud through the program's speech. It is enabled
// only when there is a word and the engine is ready; its tip says what it
// does, or why it cannot.

#include <string>

#include "core/Program.h"

namespace cindral {

class Speaker {
 public:
  // `readyTip`: the tip when the button can speak (GBK).
  Speaker(Program& program, std::string readyTip)
      : program_(program), readyTip_(std::move(readyTip)) {}

  // The word the button reads (GBK); empty = none now.
  void SetWord(std::string word) { word_ = std::move(word); }
  const std::string& word() const { return word_; }
  // The tip while there is no word to read; empty = the button's plain use.
  void SetNoWordTip(std::string tip) { noWordTip_ = std::move(tip); }

  // Visible state. The first look starts the speech engine.
  bool enabled();
  std::string tip();

  // The button or key P: speaks the word when enabled; returns at once.
  void Speak();

 private:
  Program& program_;
  std::string readyTip_;
  std::string noWordTip_;
  std::string word_;
};

}  // namespace cindral
