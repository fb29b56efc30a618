// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copies of the word book and its settings file that a sync tool left
// beside them after a conflict, when two computers changed the book before
// either saw the other's change:
//   Syncthing  单词本.sync-conflict-20261210-081500-ABCDEFG.EDB (and .EDT,
//              Config.sync-conflict-….ini)
//   Nextcloud  单词本 (conflicted copy 2026-12-10 081500).EDB (and .EDT,
//              Config (conflicted copy …).ini)
// The files of one conflict (the same tool, date, time and device) form a
// set. A set is whole when it holds a book with its side file (and maybe
// the settings file), or the settings file alone; a side file without its
// book, or a book without the side file the learner's book has, is not.

#include <string>
#include <vector>

namespace cindral {

struct ConflictSet {
  std::string tag;   // what names the conflict: "sync-conflict-…" or "conflicted copy …"
  std::string book;  // the files' names in the data folder (GBK); empty where absent
  std::string side;
  std::string settings;
  // Whether the set can stand in for the learner's files (`withSide`: the
  // learner's book has a side file).
  bool Whole(bool withSide) const;
  // The set's files that are there.
  std::vector<std::string> Files() const;
};

// The conflict sets in `folder` (GBK), in the order of their tags.
std::vector<ConflictSet> FindConflictCopies(const std::string& folder);

}  // namespace cindral
