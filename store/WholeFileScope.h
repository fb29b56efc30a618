// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds the current database's whole-file lock for a span of operations.
//
//   WholeFileScope scope(db);            // exclusive: the book is ours
//   db.GoLast(); ... db.AddRecord(...);  // nobody else reads or writes between
//   if (!scope.End()) ...                // the scope's writes, all or none
//
// An exclusive scope gathers every write made inside it into one journaled
// change that End() (or the destructor) commits with a few syncs, however
// many records it touched; a failure inside the scope rolls all of it back,
// and every later write inside the scope fails with that failure. A shared
// scope only keeps writers out (writes inside it are refused), for walks
// that read the whole book. Scopes nest; the outermost one commits.
//
// The lock is waited for as long as a count read waits (at least 2000 ms).

#include <cstdint>

#include "store/CompanionFile.h"
#include "store/Database.h"

namespace cindral {

class RecordFile;

class WholeFileScope {
 public:
  enum class Kind { Shared, Exclusive };

  explicit WholeFileScope(Database& db, Kind kind = Kind::Exclusive);
  ~WholeFileScope();
  WholeFileScope(const WholeFileScope&) = delete;
  WholeFileScope& operator=(const WholeFileScope&) = delete;

  // Whether the lock was taken; code() tells why not (also left in
  // LastDatabaseError by the constructor).
  bool ok() const { return code_ == 0; }
  int32_t code() const { return code_; }
  // Ends the scope now: commits its writes and lets the lock go. True when
  // everything written inside it is in the book; sets LastDatabaseError.
  bool End();

  // An exclusive scope's change also replaces `file` (the settings file)
  // whole: the book's writes and the file's new contents reach the disk
  // together or neither does, whatever fails and whenever the power goes.
  // `file` is asked for its new contents when the scope ends, and must
  // live until then. False when the scope is not an exclusive one (or
  // already has another such file).
  bool AlsoReplace(CompanionFile& file);
  // Rolls back everything written inside the scope, for a caller that
  // finds it cannot finish the change; End() then fails with `code`.
  void Fail(int32_t code);

 private:
  RecordFile* file_;
  int32_t code_;
  bool open_;
};

}  // namespace cindral
