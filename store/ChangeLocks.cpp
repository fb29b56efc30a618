// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ChangeLocks.h"

#include <utility>

#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"

namespace cindral {

ChangeLocks::ChangeLocks(LockTable& locks, FileAccess& file, std::shared_ptr<FileSystem> fs,
                         const std::string& dataPath, bool exclusiveShare, bool* playedBack)
    : locks_(locks),
      file_(file),
      journal_(std::move(fs), Journal::PathFor(dataPath)),
      exclusiveShare_(exclusiveShare),
      playedBack_(playedBack) {}

int32_t ChangeLocks::Begin() {
  if (journal_.active()) return journal_.Begin();
  int32_t code = locks_.LockByte(kJournalLock, WriterTimeout(timeoutMs_));
  if (code != 0) return code;
  bool content = false;
  code = journal_.HasContent(&content);
  if (code == 0 && content) {
    // Holding the journal lock, nobody else is writing the journal: a change
    // that did not finish left it. With the whole file held (or the file to
    // this process alone) it is played back here; otherwise the caller lets
    // its locks go and plays it back under the whole-file lock.
    const bool wholeFile =
        exclusiveShare_ || (locks_.HoldsWhole() && locks_.wholeKind() == LockKind::Exclusive);
    if (wholeFile) {
      bool played = false;
      code = journal_.PlayBack(&played);
      *playedBack_ = *playedBack_ || played;
    } else {
      code = kHotJournal;
    }
  }
  if (code == 0) code = locks_.LockByte(kJournalOwner, WriterTimeout(timeoutMs_));
  if (code == 0) {
    code = journal_.Begin();
    if (code != 0) locks_.UnlockByte(kJournalOwner);
  }
  if (code != 0) locks_.UnlockByte(kJournalLock);
  return code;
}

int32_t ChangeLocks::End(int32_t code) {
  const int32_t result = journal_.End(code);
  if (code < 0 || result < 0) anyFailed_ = true;
  if (!journal_.active()) {
    locks_.UnlockByte(kJournalOwner);
    locks_.UnlockByte(kJournalLock);
  }
  return result;
}

int32_t ChangeLocks::CheckHot() {
  if (journal_.active() || locks_.CountOf(kJournalLock) > 0) return 0;
  bool content = false;
  int32_t code = journal_.HasContent(&content);
  if (code != 0 || !content) return code;
  code = file_.TestLock(kJournalOwner, 1, LockKind::Exclusive);
  if (code == kErrLockViolation) return 0;  // its change is still running
  return code == 0 ? kHotJournal : code;
}

int32_t ChangeLocks::RecoverHot() {
  WholeLock whole(locks_, WriterTimeout(timeoutMs_));
  if (whole.code() != 0) return whole.code();
  // Plays the journal back, and has nothing to commit.
  int32_t code = Begin();
  if (code == 0) code = End(0);
  return code;
}

}  // namespace cindral
