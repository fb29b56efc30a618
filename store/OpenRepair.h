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

class RecordFile;
struct OpenRepairs;

class OpenRepair {
 public:
  OpenRepair(RecordFile& records, FileSystem& fs) : records_(records), fs_(fs) {}

  // Read-only access refuses a file that lacks counted records
  // (kErrFileSize) and repairs nothing.
  int32_t CheckLength(OpenRepairs* repairs);

 private:
  // Copies the data file (and the side file) beside it; `*copyPath` names
  // the data file's copy.
  int32_t CopyBeforeRepair(std::string* copyPath);

  RecordFile& records_;
  FileSystem& fs_;
};

}  // namespace cindral
