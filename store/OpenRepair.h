// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record count against the data file's length, checked at every open
// and set right by a read-write one: a count beyond the whole records is
// lowered, bytes after the last counted record are cut. One whole record
// beyond the count carrying the id the header would have issued next is an
// append cut short before it counted the record; more than that means a
// damaged count, and the records go only after a copy of the files is made
// beside them ("<name>.before-repair-YYYYMMDD-HHMMSS").
//
// Runs under the whole-file lock; with read-write access inside the open's
// change, its writes going the way every write of the book goes.

#include <cstdint>
#include <string>

#include "store/FileSystem.h"

namespace cindral {

class RecordCursor;

// What a read-write open found and set right.
struct OpenRepairs {
  bool journalPlayedBack = false;  // a change cut short was rolled back
  // Another book's journal lay beside this one and was kept aside under
  // this name (GBK), not played back (see Journal.h).
  std::string journalSetAside;
  bool countLowered = false;  // the header counted records the file lacks
  bool trailingCut = false;   // bytes after the last counted record went
  // Whole records after the counted ones went too; `copyPath` names the copy
  // of the data file made before (GBK; the side file's copy lies beside it).
  bool wholeRecordsCut = false;
  std::string copyPath;
  bool freeListRebuilt = false;  // the side file's free list did not hold together
  int32_t valuesCopied = 0;      // values that two records shared got blocks of their own
  int32_t valuesDropped = 0;     // values whose first block was not theirs became empty
  bool nextIdRaised = false;     // a record carried an id the header had yet to issue
  // The side file was read whole by the audit: no note of a clean close
  // held (see CleanMark.h).
  bool sideFileAudited = false;
};

class OpenRepair {
 public:
  // `path` is the data file's (GBK).
  OpenRepair(RecordCursor& records, FileSystem& fs, const std::string& path)
      : records_(records), fs_(fs), path_(path) {}

  // Read-only access refuses a file that lacks counted records
  // (kErrFileSize) and repairs nothing.
  int32_t CheckLength(OpenRepairs* repairs);

 private:
  // Copies the data file (and the side file) beside it; `*copyPath` names
  // the data file's copy.
  int32_t CopyBeforeRepair(std::string* copyPath);

  RecordCursor& records_;
  FileSystem& fs_;
  const std::string& path_;
};

}  // namespace cindral
