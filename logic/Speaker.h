// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speaker button of a study window (and its key P): reads the window's
// current English word aloud through the program's speech. It is enabled
// only when there is a word and the engine is ready; its tip says what it
// does, or why it cannot. While a word the learner asked for is tried (the
// voice has not yet been heard this run) the button says so, and when the
// voice turns out not to be heard, a note beside it says why, once a run.

#include <string>

#include "core/Program.h"

namespace cindral {

// What a study window's speaker button shows.
struct SpeakerLook {
  bool enabled = false;  // it can be pressed
  bool trying = false;   // it is reading a word not yet known to be heard
  std::string tip;       // its tooltip (GBK)
  // A short note beside it (GBK): that the voice is being tried, or why it
  // cannot be heard; empty for none. The serial changes with each new note.
  std::string note;
  int noteSerial = 0;
};

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
  // All the button shows. The first look after the voice failed on a word
  // asked for here raises the note that says why (unless the learner was
  // told this run).
  SpeakerLook look();

  // The button or key P: speaks the word when enabled; returns at once.
  // Pressed while the engine starts, or when it cannot speak and the
  // learner has not been told why this run, it raises a note instead.
  void Speak();

 private:
  void TellFailure();  // raises why the voice is unheard, once a run

  Program& program_;
  std::string readyTip_;
  std::string noWordTip_;
  std::string word_;
  bool asked_ = false;       // a word asked for here is being tried
  bool askedEarly_ = false;  // pressed while the engine started
  std::string raised_;       // the note the last press or failure raised
  std::string lastNote_;
  int noteSerial_ = 0;
};

}  // namespace cindral
