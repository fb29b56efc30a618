// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record-database operations the program calls: a list of open
// databases, the current one, its record cursor, field reads and writes, and
// the changes (append, mark, purge, clear). Every operation acts on the
// current database and sets LastDatabaseError() (0 = success); operations
// with a logical result return true exactly when they leave 0 there.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/FatalError.h"
#include "store/FileSystem.h"
#include "store/Value.h"

namespace cindral {

class RecordFile;

class Database {
 public:
  Database();
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens `name` (GBK; default extension "EDB", relative to the current
  // directory), appends it to the list and makes it current; cursor 0.
  bool OpenDatabase(const std::string& name, Access access = Access::ReadWrite,
                    Share share = Share::DenyNone);

  int32_t RecordCount();
  void GoFirst();
  bool GoLast();
  bool GoTo(int32_t n);
  bool Skip(int32_t n = 1);
  int32_t RecordNumber();

  // Throws FatalError when no database is current or the position does not exist.
  Value ReadField(int32_t position);
  bool WriteField(int32_t position, const Value& value);

  bool AddRecord(const std::vector<Value>& values);
  bool MarkDeleted();
  bool PurgeDeleted();
  bool ClearAll();

  // The open databases and the current one (-1 = none).
  int DatabaseCount() const;
  int CurrentIndex() const;
  bool SetCurrent(int index);
  RecordFile* Current();

  // The lock time-out in milliseconds for this list's databases, those open
  // and those opened later: 0 (the initial value) = a lock held by another
  // process fails at once, -1 = wait without end. Reading the record count
  // waits at least 2000 ms.
  void SetLockTimeout(int32_t milliseconds);
  // Replaces the file system under later opens (tests put failing or
  // in-memory files in).
  void SetFileSystem(std::shared_ptr<FileSystem> fs);
  // The file system the databases are opened through; files kept beside
  // the book go through it too.
  FileSystem& Files() const { return *fs_; }
  // When the current database's open had to drop whole records to repair
  // it, the GBK path of the copy of the data file it made before (the side
  // file's copy lies beside it under the same suffix); empty otherwise.
  std::string RepairCopy();
  // Where the open kept another book's journal that lay beside the current
  // database instead of playing it back (see Journal.h); empty if none.
  std::string JournalSetAside();
  // The full GBK path an open would use for `name`: the default extension
  // added, made absolute against the current directory, "." and ".." folded.
  static std::string FullPath(const std::string& name);

 private:
  std::vector<std::unique_ptr<RecordFile>> list_;
  int current_ = -1;
  int32_t timeoutMs_ = 0;
  std::shared_ptr<FileSystem> fs_;
};

// The code the last operation of this thread left; 0 = success.
int32_t LastDatabaseError();
// The engine's text for a code (GBK); "未知错误" for codes it does not know.
const std::string& DatabaseErrorText(int32_t code);

// The program's strict readings of a field of the current record.
// Numeric fields as a 32-bit integer; anything else raises FatalError
// {2, "未得到所需要的数值型数据"}.
int32_t ReadIntegerField(Database& db, int32_t position);
// Text fields; anything else raises FatalError {5, "数据或数组类型不匹配"}.
std::string ReadTextField(Database& db, int32_t position);
// Date-time fields; anything else raises FatalError {5, "数据或数组类型不匹配"}.
double ReadDateField(Database& db, int32_t position);

}  // namespace cindral
