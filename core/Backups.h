// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Automatic backups of the learner's files: the word book (its data file
// and side file) and the settings file, copied into
// backups/YYYY-MM-DD_HHMMSS/ beside them. A backup is taken while nobody
// writes the book, so its files agree with each other; it is built in a
// temporary folder and renamed into place, so a backup folder is complete
// or absent. The newest kKept backups are kept.
//
// To restore one: close the program and copy the files of a backup folder
// back over the word book and the settings file.

#include <string>
#include <vector>

#include "store/Database.h"

namespace cindral {

class Backups {
 public:
  static constexpr int kKept = 14;

  // `dataDirectory`: where the book and the settings file live (GBK).
  explicit Backups(std::string dataDirectory) : directory_(std::move(dataDirectory)) {}

  // The folder that holds the backups (GBK).
  std::string Folder() const { return directory_ + "/backups"; }
  // Makes the folder when it is missing; false when it cannot be made.
  bool MakeFolder() const;
  // The backups there, oldest first (folder names, GBK).
  std::vector<std::string> List() const;
  // Whether one was taken on the day of `date`.
  bool TakenOn(double date) const;

  // Backs up the current database of `db` and the settings file at
  // `settingsPath` (both GBK), naming the backup after `now`. False, with
  // the reason (GBK), when it could not be taken; then no backup folder
  // is left behind.
  bool Take(Database& db, const std::string& settingsPath, double now, std::string* reason);

 private:
  void Prune() const;

  std::string directory_;
};

}  // namespace cindral
