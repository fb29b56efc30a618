// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lock time-out rule: a lock (or a share mode) that another process
// holds is retried while the time-out allows. 0 = no retry, -1 (or any
// negative value) = retry without end, otherwise until that many
// milliseconds have passed since the first attempt; between attempts the
// caller sleeps 20 + (tick mod 20) ms.

#include <chrono>
#include <cstdint>
#include <thread>

#include "store/DatabaseErrors.h"

namespace cindral {

// The time-out while the record count is read: any T of 2000 ms or less
// (0 and -1 included) counts as 2000 ms.
inline int32_t CountReadTimeout(int32_t timeoutMs) { return timeoutMs <= 2000 ? 2000 : timeoutMs; }

// The time-out of the short-held locks that serialise writers: the header
// lock of an append, the journal's locks, and the whole-file lock taken to
// open the book or for a scope. They wait at least as long as a count read,
// and without end when T asks for that.
inline int32_t WriterTimeout(int32_t timeoutMs) {
  return timeoutMs < 0 ? timeoutMs : CountReadTimeout(timeoutMs);
}

inline bool IsBusy(int32_t code) {
  return code == kErrLockViolation || code == kErrSharingViolation;
}

// Runs `attempt` (returning 0 or a code) until it succeeds, fails with
// something other than "busy", or the time-out has run out.
template <typename Attempt>
int32_t RetryWhileBusy(int32_t timeoutMs, Attempt&& attempt) {
  int32_t code = attempt();
  if (!IsBusy(code) || timeoutMs == 0) return code;
  // The clock is read only once the first attempt has failed, so the common
  // uncontended lock costs exactly one system call.
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const auto now = std::chrono::steady_clock::now();
    const int64_t elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
    if (timeoutMs > 0 && elapsed >= timeoutMs) return code;
    const int64_t tick =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + tick % 20));
    code = attempt();
    if (!IsBusy(code)) return code;
  }
}

}  // namespace cindral
