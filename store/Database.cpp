// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Database.h"

#include <algorithm>

#include "store/DatabaseErrors.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/PosixFile.h"
#include "store/PosixFileSystem.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

[[noreturn]] void ThrowNoDatabase() {
  SetDatabaseError(kErrNoCurrentDatabase);
  throw FatalError{0, GBK("未指定当前数据库或者指定数据库未打开")};
}

[[noreturn]] void ThrowNoField() {
  SetDatabaseError(kErrNoSuchField);
  throw FatalError{0, GBK("指定字段不存在")};
}

// Folds "." and ".." and repeated separators of an absolute path.
std::string Normalise(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

}  // namespace

Database::Database() : fs_(PosixFileSystem::Instance()) {}

Database::~Database() = default;

std::string Database::FullPath(const std::string& name) {
  std::string full = name;
  const std::size_t slash = full.rfind('/');
  const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (full.find('.', base) == std::string::npos) {
    full += ".EDB";
  } else if (full.back() == '.') {
    full += "EDB";
  }
  if (full.front() != '/') full = PosixFile::CurrentDirectory() + "/" + full;
  return Normalise(full);
}

bool Database::OpenDatabase(const std::string& name, Access access, Share share) {
  if (name.empty()) return SetDatabaseError(kErrFileNotFound) == 0;
  const std::string full = FullPath(name);
  for (const auto& open : list_) {
    if (open->path() == full) return SetDatabaseError(kErrAlreadyOpen) == 0;
  }
  std::unique_ptr<RecordFile> db;
  const int32_t code = RecordFile::Open(full, access, share, timeoutMs_, fs_, &db);
  if (code != 0) return SetDatabaseError(code) == 0;
  // Another name (a link, another spelling) for a file already open is the
  // same database: a second open would fight the first over its own locks.
  uint64_t device = 0, inode = 0;
  if (db->file().FileId(&device, &inode) == 0) {
    for (const auto& open : list_) {
      uint64_t d = 0, i = 0;
      if (open->file().FileId(&d, &i) == 0 && d == device && i == inode) {
        return SetDatabaseError(kErrAlreadyOpen) == 0;
      }
    }
  }
  db->set_cursor(0);
  list_.push_back(std::move(db));
  current_ = static_cast<int>(list_.size()) - 1;
  return SetDatabaseError(0) == 0;
}

int Database::DatabaseCount() const { return static_cast<int>(list_.size()); }

int Database::CurrentIndex() const { return current_; }

bool Database::SetCurrent(int index) {
  if (index < 0 || index >= static_cast<int>(list_.size())) {
    return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  }
  current_ = index;
  return SetDatabaseError(0) == 0;
}

RecordFile* Database::Current() {
  return current_ >= 0 && current_ < static_cast<int>(list_.size()) ? list_[current_].get()
                                                                    : nullptr;
}

void Database::SetLockTimeout(int32_t milliseconds) {
  timeoutMs_ = milliseconds;
  for (auto& open : list_) open->SetTimeout(milliseconds);
}

void Database::SetFileSystem(std::shared_ptr<FileSystem> fs) { fs_ = std::move(fs); }

std::string Database::RepairCopy() {
  RecordFile* db = Current();
  return db == nullptr ? std::string() : db->repairs().copyPath;
}

std::string Database::JournalSetAside() {
  RecordFile* db = Current();
  return db == nullptr ? std::string() : db->repairs().journalSetAside;
}

int32_t Database::RecordCount() {
  RecordFile* db = Current();
  if (db == nullptr) {
    SetDatabaseError(kErrNoCurrentDatabase);
    return 0;
  }
  int32_t count = 0;
  SetDatabaseError(db->ReadCount(&count));
  return count;
}

void Database::GoFirst() {
  RecordFile* db = Current();
  if (db == nullptr) {
    SetDatabaseError(kErrNoCurrentDatabase);
    return;
  }
  db->set_cursor(0);
  SetDatabaseError(0);
}

bool Database::GoLast() {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  int32_t count = 0;
  const int32_t code = db->ReadCount(&count);
  if (code != 0) return SetDatabaseError(code) == 0;
  db->set_cursor(std::max(count - 1, 0));
  return SetDatabaseError(0) == 0;
}

bool Database::GoTo(int32_t n) {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  int32_t count = 0;
  const int32_t code = db->ReadCount(&count);
  if (code != 0) return SetDatabaseError(code) == 0;
  const int64_t target = std::min<int64_t>(int64_t{n} - 1, int64_t{count} - 1);
  db->set_cursor(static_cast<int32_t>(std::max<int64_t>(target, 0)));
  return SetDatabaseError(0) == 0;
}

bool Database::Skip(int32_t n) {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  if (n == 0) return SetDatabaseError(0) == 0;
  int32_t count = 0;
  const int32_t code = db->ReadCount(&count);
  if (code != 0) return SetDatabaseError(code) == 0;
  const int32_t cursor = db->cursor();
  if (n > 0 && (count == 0 || cursor >= count)) return SetDatabaseError(kErrAfterLast) == 0;
  if (n < 0 && (count == 0 || cursor < 0)) return SetDatabaseError(kErrBeforeFirst) == 0;
  const int64_t moved = std::min<int64_t>(int64_t{cursor} + n, count);
  db->set_cursor(static_cast<int32_t>(std::max<int64_t>(moved, -1)));
  return SetDatabaseError(0) == 0;
}

int32_t Database::RecordNumber() {
  RecordFile* db = Current();
  if (db == nullptr) {
    SetDatabaseError(kErrNoCurrentDatabase);
    return 0;
  }
  SetDatabaseError(0);
  return db->cursor() + 1;
}

Value Database::ReadField(int32_t position) {
  RecordFile* db = Current();
  if (db == nullptr) ThrowNoDatabase();
  if (position < 1 || position > static_cast<int32_t>(db->fields().size())) ThrowNoField();
  Value value;
  SetDatabaseError(db->ReadField(db->cursor(), position - 1, &value));
  return value;
}

bool Database::WriteField(int32_t position, const Value& value) {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoDatabaseForWrite) == 0;
  if (position < 1 || position > static_cast<int32_t>(db->fields().size())) {
    return SetDatabaseError(kErrNoSuchField) == 0;
  }
  return SetDatabaseError(db->WriteField(db->cursor(), position - 1, value)) == 0;
}

bool Database::AddRecord(const std::vector<Value>& values) {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  int32_t index = -1;
  const int32_t code = db->Append(values, &index);
  if (code == 0) db->set_cursor(index);
  return SetDatabaseError(code) == 0;
}

bool Database::MarkDeleted() {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  return SetDatabaseError(db->Mark(db->cursor())) == 0;
}

bool Database::PurgeDeleted() {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  return SetDatabaseError(db->Purge()) == 0;
}

bool Database::ClearAll() {
  RecordFile* db = Current();
  if (db == nullptr) return SetDatabaseError(kErrNoCurrentDatabase) == 0;
  return SetDatabaseError(db->Clear()) == 0;
}

int32_t ReadIntegerField(Database& db, int32_t position) {
  const Value value = db.ReadField(position);
  if (!value.IsNumeric()) throw FatalError{2, GBK("未得到所需要的数值型数据")};
  return NumericToInt32(value);
}

std::string ReadTextField(Database& db, int32_t position) {
  Value value = db.ReadField(position);
  if (value.kind() != Value::Kind::Text) throw FatalError{5, GBK("数据或数组类型不匹配")};
  return value.bytes();
}

double ReadDateField(Database& db, int32_t position) {
  const Value value = db.ReadField(position);
  if (value.kind() != Value::Kind::DateTime) throw FatalError{5, GBK("数据或数组类型不匹配")};
  return value.real();
}

}  // namespace cindral
