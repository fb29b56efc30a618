// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/WholeFileScope.h"

#include "store/DatabaseErrors.h"
#include "store/RecordFile.h"

namespace cindral {

WholeFileScope::WholeFileScope(Database& db, Kind kind)
    : file_(db.Current()), code_(kErrNoCurrentDatabase), open_(false) {
  if (file_ != nullptr) {
    code_ = file_->EnterScope(kind == Kind::Exclusive ? LockKind::Exclusive : LockKind::Shared);
    open_ = code_ == 0;
  }
  SetDatabaseError(code_);
}

WholeFileScope::~WholeFileScope() {
  if (open_) file_->LeaveScope();
}

bool WholeFileScope::End() {
  if (!open_) return SetDatabaseError(code_ != 0 ? code_ : kErrUnlockFailed) == 0;
  open_ = false;
  return SetDatabaseError(file_->LeaveScope()) == 0;
}

bool WholeFileScope::AlsoReplace(CompanionFile& file) {
  const int32_t code = open_ ? file_->AlsoReplace(&file) : (code_ != 0 ? code_ : kErrUnlockFailed);
  return SetDatabaseError(code) == 0;
}

void WholeFileScope::Fail(int32_t code) {
  if (open_) file_->FailScope(code);
}

}  // namespace cindral
