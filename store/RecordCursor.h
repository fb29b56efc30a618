// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The records of an open data file as they are read and written: the
// cursor, the header's counters, one field or id at a time, appends and
// marks. Every read and write takes the lock of what it touches for just as
// long as it needs it; a write that finds a hot journal lets its locks go,
// has it played back and starts again (see ChangeLocks.h).
//
// Inside an exclusive scope every write counts: one the file fails rolls
// the whole scope back, and so does a read the file fails, since what the
// caller writes next may rest on it.

#include <cstdint>
#include <string>
#include <vector>

#include "store/ChangeLocks.h"
#include "store/FileAccess.h"
#include "store/JournaledFile.h"
#include "store/LockTable.h"
#include "store/RecordLayout.h"
#include "store/SideFile.h"
#include "store/Value.h"

namespace cindral {

class RecordCursor {
 public:
  RecordCursor(JournaledFile& file, const RecordLayout& layout, LockTable& locks,
               ChangeLocks& change, Access access);
  RecordCursor(const RecordCursor&) = delete;
  RecordCursor& operator=(const RecordCursor&) = delete;

  // The side file, once it is open.
  void set_side(SideFile* side) { side_ = side; }
  SideFile* side() { return side_; }
  const RecordLayout& layout() const { return layout_; }
  FileAccess& file() { return file_; }
  Access access() const { return access_; }
  void set_timeout(int32_t timeoutMs) { timeoutMs_ = timeoutMs; }

  int32_t cursor() const { return cursor_; }
  void set_cursor(int32_t cursor) { cursor_ = cursor; }

  // The record count from the header (under the header lock).
  int32_t ReadCount(int32_t* count);
  // The record count and NextRecordId from the header.
  int32_t ReadCounters(int32_t* count, int32_t* nextId);
  // Field `field` (0-based) of record `index`. On failure `*out` is the
  // field type's zero value.
  int32_t ReadField(int32_t index, int32_t field, Value* out);
  int32_t WriteField(int32_t index, int32_t field, const Value& value);
  int32_t ReadRecordId(int32_t index, int32_t* id);
  // Record `index` in one read under one hold of its lock: its id and a
  // value per field, each as ReadRecordId and ReadField give it. Returns
  // the first failure; a field that failed holds its type's zero value.
  int32_t ReadRecord(int32_t index, int32_t* id, std::vector<Value>* values);
  // Appends a record with these values for the first fields; `*index`
  // receives its index.
  int32_t Append(const std::vector<Value>& values, int32_t* index);
  int32_t Mark(int32_t index);

  // Refuses a write on a read-only file or inside a shared scope.
  int32_t MayWrite() const;

  // For the repairs at open, inside its change: `size` bytes from the start
  // of record `index` on (kErrRecordRead when the file holds fewer), and a
  // number written at a layout offset the way every write goes.
  int32_t ReadRecordBytes(int32_t index, char* out, std::size_t size);
  int32_t WriteInt32(int64_t offset, int32_t value);

 private:
  int64_t RecordOffset(int32_t index) const { return layout_.RecordOffset(index); }
  // Sizes the scratch buffer; false when memory runs out (a record size
  // from the file may be large).
  bool Reserve(std::size_t size);
  // The outcome of a write, which inside an exclusive scope fails the scope.
  int32_t Settle(int32_t code);
  // The outcome of a read, which fails the scope when the file failed.
  int32_t SettleRead(int32_t code);
  int32_t ReadFieldNow(int32_t index, int32_t field, Value* out);
  // The value of field `fd` from its bytes in the record, read under the
  // record's lock (for a memo or byte set, the number of its first block).
  int32_t ValueOf(const FieldDescriptor& fd, const char* bytes, Value* out);
  // The header's counters (`size` bytes from the count on), under the
  // header lock.
  int32_t ReadHeaderBytes(char* raw, std::size_t size);
  // Runs a write to one record under its lock, once no journal is hot.
  template <typename Write>
  int32_t WritingRecord(int32_t index, Write&& write);
  // Writes bytes that must reach the file whole: straight, or under the
  // journal when they straddle a page or a change is running.
  int32_t WriteWhole(int64_t offset, const char* bytes, std::size_t size);

  JournaledFile& file_;
  const RecordLayout& layout_;
  LockTable& locks_;
  ChangeLocks& change_;
  Access access_;
  SideFile* side_ = nullptr;
  int32_t cursor_ = 0;
  int32_t timeoutMs_ = 0;
  std::string scratch_;  // reused record and field buffer
};

}  // namespace cindral
