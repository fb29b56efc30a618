// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's error codes (0 = success) and the per-thread last error that
// every database operation leaves behind.

#include <cstdint>

namespace cindral {

// File-system failures.
constexpr int32_t kErrUnknown = -1;
constexpr int32_t kErrFileNotFound = -3;
constexpr int32_t kErrBadPath = -4;
constexpr int32_t kErrTooManyFiles = -5;
constexpr int32_t kErrAccessDenied = -6;
constexpr int32_t kErrInvalidFile = -7;
constexpr int32_t kErrSeek = -10;
constexpr int32_t kErrHardware = -11;
constexpr int32_t kErrSharingViolation = -12;
constexpr int32_t kErrLockViolation = -13;
constexpr int32_t kErrDiskFull = -14;
constexpr int32_t kErrEndOfFile = -15;
// The engine's own.
constexpr int32_t kErrOpenFailed = -21;
constexpr int32_t kErrNotDatabase = -22;
constexpr int32_t kErrVersionTooHigh = -23;
constexpr int32_t kErrBeforeFirst = -25;
constexpr int32_t kErrAfterLast = -26;
constexpr int32_t kErrNoOpenFile = -27;
constexpr int32_t kErrLockFailed = -28;
constexpr int32_t kErrUnlockFailed = -29;
constexpr int32_t kErrSideFileRead = -35;
constexpr int32_t kErrSideFileVersion = -36;
constexpr int32_t kErrSideFileDamaged = -37;
constexpr int32_t kErrAlreadyOpen = -38;
constexpr int32_t kErrOutOfMemory = -45;
constexpr int32_t kErrFieldRead = -46;
constexpr int32_t kErrFieldWrite = -47;
constexpr int32_t kErrFileSize = -48;
constexpr int32_t kErrSideFileAccess = -59;
constexpr int32_t kErrNoCurrentRecord = -60;
constexpr int32_t kErrNoSuchField = -61;
constexpr int32_t kErrRecordRead = -62;
constexpr int32_t kErrRecordCount = -65;
constexpr int32_t kErrNoDatabaseForWrite = -66;
constexpr int32_t kErrNoCurrentDatabase = -67;
constexpr int32_t kErrTypeMismatch = -72;

// Sets the calling thread's last error; returns `code` for chaining.
int32_t SetDatabaseError(int32_t code);

}  // namespace cindral
