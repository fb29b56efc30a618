// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte locks one open file holds, with a nesting count each, and the
// counted whole-file lock (bytes 0 to 0x7FFFFFFE).
//
// Locking a byte already held only raises its count; the lock is released
// when the count falls to 0. While the whole-file lock is held, byte locks
// are only counted: the whole lock is taken as the ranges between the bytes
// already held, and given back as the ranges between the bytes still held,
// so every byte lock keeps its meaning on either side of it.
//
// A file opened for reading only takes shared locks (the system refuses
// exclusive ones there); they still keep out every writer's exclusive lock.

#include <cstdint>
#include <utility>
#include <vector>

#include "store/FileAccess.h"

namespace cindral {

class LockTable {
 public:
  static constexpr int64_t kWholeStart = 0;
  static constexpr int64_t kWholeLength = 0x7FFFFFFF;

  LockTable(FileAccess* file, LockKind kind) : file_(file), kind_(kind) { held_.reserve(8); }

  // Locks one byte, retrying a busy lock within `timeoutMs` (see LockRetry.h).
  int32_t LockByte(int64_t offset, int32_t timeoutMs);
  int32_t UnlockByte(int64_t offset);
  // The whole-file lock, in the table's own kind unless `kind` asks for a
  // shared one. A nested exclusive request while it is held shared is
  // refused (kErrLockFailed).
  int32_t LockWhole(int32_t timeoutMs);
  int32_t LockWhole(int32_t timeoutMs, LockKind kind);
  int32_t UnlockWhole();
  bool HoldsWhole() const { return wholeCount_ > 0; }
  LockKind wholeKind() const { return wholeKind_; }
  // The nesting count of a byte (0 = not held).
  int32_t CountOf(int64_t offset) const;
  // Gives every lock back to the system; the file stays open.
  void ReleaseAll();

 private:
  // The ranges of the whole-file lock between the held bytes.
  std::vector<std::pair<int64_t, int64_t>> Gaps() const;

  FileAccess* file_;
  LockKind kind_;
  std::vector<std::pair<int64_t, int32_t>> held_;  // byte, nesting count
  int32_t wholeCount_ = 0;
  LockKind wholeKind_ = LockKind::Exclusive;
};

// Holds one byte lock for a scope; `code()` tells whether it was taken.
class ByteLock {
 public:
  ByteLock(LockTable& table, int64_t offset, int32_t timeoutMs)
      : table_(table), offset_(offset), code_(table.LockByte(offset, timeoutMs)) {}
  ~ByteLock() {
    if (code_ == 0) table_.UnlockByte(offset_);
  }
  ByteLock(const ByteLock&) = delete;
  ByteLock& operator=(const ByteLock&) = delete;
  int32_t code() const { return code_; }
  // Releases early; returns the unlock's code.
  int32_t Release() {
    if (code_ != 0) return 0;
    code_ = 1;
    return table_.UnlockByte(offset_);
  }

 private:
  LockTable& table_;
  int64_t offset_;
  int32_t code_;
};

// Holds the whole-file lock for a scope.
class WholeLock {
 public:
  WholeLock(LockTable& table, int32_t timeoutMs)
      : table_(table), code_(table.LockWhole(timeoutMs)) {}
  ~WholeLock() {
    if (code_ == 0) table_.UnlockWhole();
  }
  WholeLock(const WholeLock&) = delete;
  WholeLock& operator=(const WholeLock&) = delete;
  int32_t code() const { return code_; }

 private:
  LockTable& table_;
  int32_t code_;
};

}  // namespace cindral
