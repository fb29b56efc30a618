// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The note that a book was closed clean, so that the next open can trust
// its side file without reading all of it. "<book>-clean", beside the
// book's journal, names the data file and the side file by their stamps
// (FileStamp: device, inode, length, and the time of their last change) as
// a read-write user left them when it closed with no change cut short and
// an empty journal.
//
// Any later write to either file, by this program or any other, gives the
// file a later change time, and a file put in its place (a backup copied
// back) another inode: the stamps then differ and the note no longer
// holds. So does a note that a crash cut short. The note is written only
// once both files were last changed before the current step of the clock
// that stamps writes, so that a write in the same step, after the note was
// made, cannot carry the same time.
//
// The note is only ever a shortcut: where it is missing, stale, torn or
// unreadable, or the file system has no stamps, the full check runs.

#include <string>

#include "store/FileSystem.h"

namespace cindral {

// The note's path for the data file `dataPath` (GBK).
std::string CleanMarkPath(const std::string& dataPath);

// Whether the note names both files exactly as they are now.
bool CleanMarkHolds(FileSystem& fs, const std::string& dataPath, const std::string& sidePath);

// Writes the note for both files as they are now (waiting up to a few
// clock steps for the last change to lie in an earlier one). Not synced:
// a note lost to a power cut only costs the next open its full check.
// 0 when written.
int32_t WriteCleanMark(FileSystem& fs, const std::string& dataPath, const std::string& sidePath);

}  // namespace cindral
