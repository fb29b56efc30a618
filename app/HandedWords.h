// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words handed to the running program from the desktop (cindral --add),
// as the learner meets them: the entry window opens with the word and its
// meaning filled in, for the learner to check and submit; an entry window
// already open takes the word in its boxes. Where the day's entry gate
// refuses the entry, or another window (a study window, a message) is open
// over the main window, the learner is told why instead, and so is the
// caller.
//
// The answer goes back at once; the windows follow at the next turn of the
// event loop. Words that come while the program is still starting wait
// until its main window is on the screen (unless the start opens the entry
// window itself: they go into it), words for an entry window with a
// question or the import window over it wait until the learner is back in
// it, and all come in order.

#include <deque>
#include <string>

#include "app/HandOver.h"
#include "core/AppState.h"
#include "core/ChineseMeaningSource.h"
#include "core/Program.h"

namespace cindral {

class EntryWindow;

class HandedWords {
 public:
  HandedWords(Program& program, ChineseMeaningSource& meanings)
      : program_(program), meanings_(meanings) {}

  // The word as the entry window shows it (GBK): `word` and `meaning` are
  // UTF-8; without a meaning, the word's best Chinese meanings.
  HandedWord Prepare(const std::string& word, const std::string& meaning);
  // A word handed over (UTF-8, as Prepare takes it).
  HandOverAnswer Take(const std::string& word, const std::string& meaning);
  // The start is over, the main window on the screen: the word the start
  // was asked to show (AppState's EntryPrefill), unless the start's entry
  // window took it, and the words handed over meanwhile are taken now.
  void StartUpDone();

 private:
  // The open entry window, or nullptr.
  static EntryWindow* OpenEntryWindow();
  // Whether a window other than `entry` (or a message box) is in front.
  static bool OtherWindowInFront(const EntryWindow* entry);
  // Why the word cannot go in now (GBK), or empty.
  std::string Refusal(const EntryWindow* entry);
  // Tells the learner, at the next turn of the event loop, why `word` did
  // not go in; the caller's answer.
  HandOverAnswer Refuse(const std::string& word, const std::string& why);
  void TakeNext();
  void TakeNextLater(int milliseconds = 0);

  Program& program_;
  ChineseMeaningSource& meanings_;
  std::deque<HandedWord> waiting_;
  bool started_ = false;
  bool opening_ = false;  // an entry window is about to open
};

}  // namespace cindral
