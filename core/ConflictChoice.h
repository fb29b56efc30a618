// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The learner's choice between their files and a conflict set (see
// ConflictCopies.h), carried out as one change: the side not kept moves
// whole into backups/YYYY-MM-DD_HHMMSS-conflict/ beside the book, and,
// when the copy is kept, the copy's files take the names of the learner's.
// Nothing is ever deleted or overwritten.
//
// The moves are renames within the data folder's file system. They are
// written first to a list in the new folder, which is named "….partial"
// until the last move is done and synced; the learner's files go out (and
// are synced) before the copy's come in. A start that finds a ".partial"
// folder with its list makes the rest of its moves before the book is
// opened, so a choice cut short by a crash or a power cut is finished, never
// left half done; a folder without its list had nothing moved yet.

#include <functional>
#include <string>

#include "core/ConflictCopies.h"

namespace cindral {

class ConflictChoice {
 public:
  // `folder`: the data folder (GBK).
  explicit ConflictChoice(std::string folder) : folder_(std::move(folder)) {}

  // Keeps the learner's files (`keepCopy` false: the set goes aside) or the
  // set's (the learner's files it stands in for go aside, with the book's
  // journal, clean note and import note when the book is replaced). `*aside`
  // names the folder the other side went to, relative to the data folder.
  // False, with the reason (GBK), when a step failed; the next start
  // finishes what was begun.
  bool Carry(const ConflictSet& set, bool keepCopy, double now, std::string* aside,
             std::string* reason);
  // Finishes the choices that a crash cut short. False, with the reason,
  // when one cannot be finished.
  bool FinishCutShort(std::string* reason);

  // For the tests of a crash: called before each step (0, 1, …); false stops
  // there, leaving the files as a process killed at that point would.
  void SetStepHook(std::function<bool(int step)> hook) { hook_ = std::move(hook); }

 private:
  struct Move {
    std::string from;  // relative to the data folder (GBK)
    std::string to;
  };
  bool Step();
  bool MoveAll(const std::vector<Move>& moves, std::string* reason);
  bool Finish(const std::string& partial, std::string* reason);

  std::string folder_;
  std::function<bool(int)> hook_;
  int step_ = 0;
};

}  // namespace cindral
