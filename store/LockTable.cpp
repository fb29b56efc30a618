// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/LockTable.h"

#include <algorithm>

#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"

namespace cindral {

int32_t LockTable::CountOf(int64_t offset) const {
  for (const auto& entry : held_) {
    if (entry.first == offset) return entry.second;
  }
  return 0;
}

int32_t LockTable::LockByte(int64_t offset, int32_t timeoutMs) {
  for (auto& entry : held_) {
    if (entry.first == offset) {
      ++entry.second;
      return 0;
    }
  }
  const bool covered = wholeCount_ > 0 && offset >= kWholeStart && offset < kWholeLength;
  if (!covered) {
    const int32_t code = RetryWhileBusy(timeoutMs, [&] { return file_->Lock(offset, 1, kind_); });
    if (code != 0) return code;
  }
  held_.emplace_back(offset, 1);
  return 0;
}

int32_t LockTable::UnlockByte(int64_t offset) {
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (held_[i].first != offset) continue;
    if (--held_[i].second > 0) return 0;
    held_[i] = held_.back();
    held_.pop_back();
    const bool covered = wholeCount_ > 0 && offset >= kWholeStart && offset < kWholeLength;
    return covered ? 0 : file_->Unlock(offset, 1);
  }
  return kErrUnlockFailed;  // not held
}

std::vector<std::pair<int64_t, int64_t>> LockTable::Gaps() const {
  std::vector<int64_t> bytes;
  for (const auto& entry : held_) {
    if (entry.first >= kWholeStart && entry.first < kWholeLength) bytes.push_back(entry.first);
  }
  std::sort(bytes.begin(), bytes.end());
  std::vector<std::pair<int64_t, int64_t>> gaps;  // start, length
  int64_t start = kWholeStart;
  for (const int64_t byte : bytes) {
    if (byte > start) gaps.emplace_back(start, byte - start);
    start = byte + 1;
  }
  if (start < kWholeLength) gaps.emplace_back(start, kWholeLength - start);
  return gaps;
}

int32_t LockTable::LockWhole(int32_t timeoutMs) { return LockWhole(timeoutMs, kind_); }

int32_t LockTable::LockWhole(int32_t timeoutMs, LockKind kind) {
  // A file opened for reading only has nothing but shared locks.
  if (kind_ == LockKind::Shared) kind = LockKind::Shared;
  if (wholeCount_ > 0) {
    if (kind == LockKind::Exclusive && wholeKind_ == LockKind::Shared) return kErrLockFailed;
    ++wholeCount_;
    return 0;
  }
  const auto gaps = Gaps();
  // All or nothing on each attempt: holding part of the file while waiting
  // for the rest could deadlock with another process doing the same.
  const int32_t code = RetryWhileBusy(timeoutMs, [&]() -> int32_t {
    for (std::size_t taken = 0; taken < gaps.size(); ++taken) {
      const int32_t c = file_->Lock(gaps[taken].first, gaps[taken].second, kind);
      if (c != 0) {
        for (std::size_t i = 0; i < taken; ++i) file_->Unlock(gaps[i].first, gaps[i].second);
        return c;
      }
    }
    return 0;
  });
  if (code != 0) return code;
  wholeCount_ = 1;
  wholeKind_ = kind;
  return 0;
}

int32_t LockTable::UnlockWhole() {
  if (wholeCount_ == 0) return kErrUnlockFailed;
  if (--wholeCount_ > 0) return 0;
  int32_t result = 0;
  for (const auto& gap : Gaps()) {
    const int32_t code = file_->Unlock(gap.first, gap.second);
    if (code != 0) result = code;
  }
  return result;
}

void LockTable::ReleaseAll() {
  if (wholeCount_ > 0 || !held_.empty()) {
    file_->Unlock(kWholeStart, kWholeLength);
    for (const auto& entry : held_) {
      if (entry.first >= kWholeLength) file_->Unlock(entry.first, 1);
    }
  }
  held_.clear();
  wholeCount_ = 0;
}

}  // namespace cindral
