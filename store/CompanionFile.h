// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small file outside the book that a change of the book replaces whole,
// in the same change: the settings file, whose counters and daily flags
// must agree with the words (see WholeFileScope::AlsoReplace). The book's
// writes and the file's new contents reach the disk together, or neither
// does: the journal keeps the file's old contents beside the book's old
// bytes, and playing it back puts both back.
//
// The file is replaced by a new file renamed over it, under the lock of
// its directory that the settings file's own writers take as well
// (FileSystem::LockDirectoryOf), so nobody changes it between the reading
// of its contents and the end of the change.

#include <cstdint>
#include <string>

#include "store/FileSystem.h"

namespace cindral {

class CompanionFile {
 public:
  virtual ~CompanionFile() = default;
  // The file (GBK path): the one a rename must replace, links followed.
  virtual std::string Path() const = 0;
  // Its new contents, made from its contents now (`old` is null when there
  // is no such file). Called once, when the change commits; false refuses
  // the change, which then fails whole.
  virtual bool Update(const std::string* old, std::string* updated) = 0;
};

// The whole of a file by name; `*exists` false (and 0) when there is none.
int32_t ReadWholeFile(FileSystem& fs, const std::string& path, std::string* bytes, bool* exists);

// Puts `bytes` in the place of the file `path`: written to a new file
// beside it (with its permission bits), synced, renamed over it, and the
// directory synced. A crash leaves the old file or the new one; once this
// returns 0 the new one survives. With `bytes` null the file is removed
// instead (and the directory synced). The caller holds the directory's lock.
// Without `durable` nothing is synced: a crash may then leave either file,
// or the new one empty or cut short (for notes whose loss costs nothing).
int32_t ReplaceWholeFile(FileSystem& fs, const std::string& path, const std::string* bytes,
                         bool durable = true);

}  // namespace cindral
