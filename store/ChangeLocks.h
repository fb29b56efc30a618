// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who may change the book, and when a change left behind is rolled back.
//
// Two locks beyond the whole-file range (bytes 0 to 0x7FFFFFFE) guard the
// journal: kJournalLock, taken by whoever is about to use the journal file,
// so that two processes never share it; and kJournalOwner, held by a change
// for as long as the journal may hold its entries. A journal with content
// whose owner byte nobody holds is hot: its change was cut short. It is
// played back under the whole-file lock (or with the file to this process
// alone); a write that finds one while it holds only its own locks gets
// kHotJournal, lets them go, and starts again once the journal is back.

#include <cstdint>
#include <memory>
#include <string>

#include "store/DatabaseErrors.h"
#include "store/FileAccess.h"
#include "store/FileSystem.h"
#include "store/Journal.h"
#include "store/LockTable.h"

namespace cindral {

class ChangeLocks {
 public:
  static constexpr int64_t kJournalLock = 0x7FFFFFFF;
  static constexpr int64_t kJournalOwner = 0x80000000LL;
  // A write found a hot journal and must start again once it has been
  // played back. Never leaves the record file.
  static constexpr int32_t kHotJournal = 1;

  // `file` is the data file the locks are taken in; `exclusiveShare` tells
  // that no other process can have it open. Every journal played back
  // turns `*playedBack` true.
  ChangeLocks(LockTable& locks, FileAccess& file, std::shared_ptr<FileSystem> fs,
              const std::string& dataPath, bool exclusiveShare, bool* playedBack);

  Journal& journal() { return journal_; }
  void set_timeout(int32_t timeoutMs) { timeoutMs_ = timeoutMs; }

  // Begins a change, or one more level of the running one. The outermost
  // level takes both journal locks, and plays a journal left behind back
  // when it may, or gives kHotJournal.
  int32_t Begin();
  // Ends a level with the outcome of its writes; the outermost level
  // commits (or rolls back) and lets both journal locks go.
  int32_t End(int32_t code);
  // Whether a change of this open failed or could not be committed or
  // rolled back (its files may then need the full check at the next open).
  bool anyFailed() const { return anyFailed_; }
  // After the caller took its own locks, outside a change: a hot journal
  // gives kHotJournal.
  int32_t CheckHot();
  // Takes the whole-file lock and plays a hot journal back.
  int32_t RecoverHot();

  // Runs a write that takes its own locks, rolling back a hot journal and
  // starting again when the write finds one.
  template <typename Write>
  int32_t Retrying(Write&& write) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int32_t code = write();
      if (code != kHotJournal) return code;
      const int32_t recovered = RecoverHot();
      if (recovered != 0) return recovered;
    }
    return kErrLockViolation;
  }

 private:
  LockTable& locks_;
  FileAccess& file_;
  Journal journal_;
  bool exclusiveShare_;
  bool* playedBack_;
  int32_t timeoutMs_ = 0;
  bool anyFailed_ = false;
};

}  // namespace cindral
