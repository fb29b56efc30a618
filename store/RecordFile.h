// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open record database: the data file (header, field descriptors,
// fixed-size records), its side file when it has memo-text or byte-set
// fields, the byte locks it holds, its record cursor, and the rollback
// journal that makes each change all or nothing.
//
// Nothing is cached between operations except what cannot change while the
// file is open (the descriptors and the record size): every count, id and
// field is read from the file at its computed offset, under its lock.
//
// Changes and the journal (see Journal.h for the journal itself, and
// ChangeLocks.h for who may use it when):
//  - A change that writes more than one place, or more than 8 bytes in one
//    place, runs under the journal: storing a memo text or byte set,
//    appending a record with one, purging, clearing, the repairs at open,
//    every write inside an exclusive whole-file scope, and a number whose
//    bytes straddle a 4096-byte page. A single write of at most 8 bytes
//    within a page (a number, a mark, the header's count and next id) is
//    whole on its own, and a plain append writes its record beyond the
//    count before the 8 header bytes that count it, so these go straight
//    to the file.
//  - A hot journal is played back under the whole-file lock: at every
//    read-write open, whenever a purge, a clear or an exclusive scope takes
//    the whole-file lock, and by every write, which looks for a hot journal
//    once it holds its own locks, and if it finds one lets them go, plays
//    the journal back and starts again. Reads do not look: a reader in
//    another process may see the records a dead writer was changing half
//    changed until the next writer or opener rolls them back.
//  - A read-only open never writes, so it refuses a book with a hot
//    journal (kErrOpenFailed).
//
// The parts: RecordLayout (where the header, fields and records lie),
// ChangeLocks (the journal's locks), RecordCursor (the cursor, reads and
// writes), RecordPurge, OpenRepair and BlockAudit (the repairs at open);
// this class opens and creates the files, holds them and the scopes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/ChangeLocks.h"
#include "store/FieldCodec.h"
#include "store/FileAccess.h"
#include "store/FileSystem.h"
#include "store/JournaledFile.h"
#include "store/LockTable.h"
#include "store/OpenRepair.h"
#include "store/ReadAheadFile.h"
#include "store/RecordCursor.h"
#include "store/RecordLayout.h"
#include "store/SideFile.h"
#include "store/Value.h"

namespace cindral {

class RecordFile {
 public:
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens, checks and, with read-write access, repairs a data file (and its
  // side file). `path` is the full GBK path. On failure nothing stays open.
  static int32_t Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                      std::shared_ptr<FileSystem> fs, std::unique_ptr<RecordFile>* out);
  // Writes a new, empty database with these fields laid out one after the
  // other from offset 4 (their offsets are ignored), and its side file when
  // a field needs one. `recordSize` may add unused bytes at the record's
  // end. Existing files are never overwritten; a failure leaves no file.
  static int32_t Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                        int32_t recordSize = 0, FileSystem* fs = nullptr);

  const std::string& path() const { return path_; }
  Access access() const { return access_; }
  const RecordLayout& layout() const { return layout_; }
  int32_t version() const { return layout_.version(); }
  int32_t recordSize() const { return layout_.recordSize(); }
  int64_t firstRecordOffset() const { return layout_.firstRecord(); }
  const std::vector<FieldDescriptor>& fields() const { return layout_.fields(); }
  SideFile* side() { return side_.get(); }
  FileAccess& file() { return *file_; }
  const OpenRepairs& repairs() const { return repairs_; }

  int32_t cursor() const { return records_.cursor(); }
  void set_cursor(int32_t cursor) { records_.set_cursor(cursor); }
  void SetTimeout(int32_t timeoutMs);
  int32_t timeout() const { return timeoutMs_; }

  // Reads and writes of records (see RecordCursor.h).
  int32_t ReadCount(int32_t* count) { return records_.ReadCount(count); }
  int32_t ReadCounters(int32_t* count, int32_t* nextId) {
    return records_.ReadCounters(count, nextId);
  }
  int32_t ReadField(int32_t index, int32_t field, Value* out) {
    return records_.ReadField(index, field, out);
  }
  int32_t WriteField(int32_t index, int32_t field, const Value& value) {
    return records_.WriteField(index, field, value);
  }
  int32_t ReadRecordId(int32_t index, int32_t* id) { return records_.ReadRecordId(index, id); }
  int32_t ReadRecord(int32_t index, int32_t* id, std::vector<Value>* values) {
    return records_.ReadRecord(index, id, values);
  }
  int32_t Append(const std::vector<Value>& values, int32_t* index) {
    return records_.Append(values, index);
  }
  int32_t Mark(int32_t index) { return records_.Mark(index); }
  // Removes the marked records; the cursor becomes 0 once compaction starts.
  int32_t Purge();
  // Removes every record; cursor 0.
  int32_t Clear();

  // Holds the whole-file lock until the matching LeaveScope. An exclusive
  // scope on a read-write file also gathers every write made inside it
  // into one change, committed by LeaveScope; a failure inside rolls the
  // whole scope back. Writes inside a shared scope are refused. The
  // outermost scope also holds the side file's whole-file lock, and both
  // files are read in large blocks until it ends (see ReadAheadFile.h).
  int32_t EnterScope(LockKind kind);
  int32_t LeaveScope();
  // A file opened read-only is read through mappings of its files while a
  // scope lasts, instead of copies of their blocks: only for an owner with
  // a handler for the fault of a file another program cuts short under it
  // (see FileAccess::MapForReading). Files opened for writing ignore it.
  void ReadThroughMappings();
  // Inside an exclusive scope: its change also replaces `file` whole (see
  // CompanionFile.h).
  int32_t AlsoReplace(CompanionFile* file);
  // Inside an exclusive scope: rolls back everything written inside it;
  // the scope's end then reports `code`.
  void FailScope(int32_t code);

 private:
  RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access, Share share,
             std::shared_ptr<FileSystem> fs);
  int32_t OpenUnderLock(Share share);
  // Reading in large blocks, for as long as the whole-file lock is held.
  void StartReadAhead();
  void StopReadAhead();
  // Runs a change of the whole file under the whole-file lock.
  template <typename Change>
  int32_t ChangingWhole(Change&& change);

  std::string path_;
  std::shared_ptr<FileSystem> fs_;
  ReadAheadFile* readAhead_;  // under file_, which owns it
  std::unique_ptr<JournaledFile> file_;
  Access access_;
  LockTable locks_;
  OpenRepairs repairs_;
  ChangeLocks change_;
  std::unique_ptr<SideFile> side_;
  std::vector<bool> scopes_;  // open scopes, true = exclusive
  RecordLayout layout_;
  RecordCursor records_;
  int32_t timeoutMs_ = 0;
  bool opened_ = false;  // the open went through: a close may note it clean
};

}  // namespace cindral
