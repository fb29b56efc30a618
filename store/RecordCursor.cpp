// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordCursor.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"

namespace cindral {
namespace {

// Fields up to this size are read into a buffer on the stack.
constexpr int32_t kSmallField = 64;
// Writes of a few bytes inside one page of this size reach the file whole
// even when the process is killed during the write.
constexpr int64_t kPageSize = 4096;

bool StraddlesPage(int64_t offset, std::size_t size) {
  return size > 0 && offset / kPageSize != (offset + static_cast<int64_t>(size) - 1) / kPageSize;
}

}  // namespace

RecordCursor::RecordCursor(JournaledFile& file, const RecordLayout& layout, LockTable& locks,
                           ChangeLocks& change, Access access)
    : file_(file), layout_(layout), locks_(locks), change_(change), access_(access) {}

int32_t RecordCursor::Settle(int32_t code) {
  // Inside an exclusive scope every write counts: one that fails rolls the
  // whole scope back, unless it was refused before it touched anything.
  const bool refused = code == kErrTypeMismatch || code == kErrNoCurrentRecord ||
                       code == kErrAccessDenied || code == kErrLockFailed;
  if (code != 0 && !refused) change_.journal().Poison(code);
  return code;
}

int32_t RecordCursor::SettleRead(int32_t code) {
  // A read the file failed inside an exclusive scope fails the scope too:
  // what the caller writes next may rest on it. Reading past the last
  // record, before the first, or a damaged value is an answer, not a
  // failure of the file.
  const bool answer = code == kErrSeek || code == kErrNoCurrentRecord ||
                      code == kErrSideFileAccess || code == kErrOutOfMemory;
  if (code != 0 && !answer) change_.journal().Poison(code);
  return code;
}

template <typename Write>
int32_t RecordCursor::WritingRecord(int32_t index, Write&& write) {
  return Settle(change_.Retrying([&]() -> int32_t {
    ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
    if (lock.code() != 0) return lock.code();
    if (const int32_t hot = change_.CheckHot()) return hot;
    return write();
  }));
}

int32_t RecordCursor::MayWrite() const {
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  if (locks_.HoldsWhole() && locks_.wholeKind() == LockKind::Shared) return kErrLockFailed;
  return 0;
}

int32_t RecordCursor::WriteWhole(int64_t offset, const char* bytes, std::size_t size) {
  if (!change_.journal().active() && !StraddlesPage(offset, size)) {
    return file_.WriteAt(offset, bytes, size);
  }
  int32_t code = change_.Begin();
  if (code != 0) return code;
  code = file_.WriteAt(offset, bytes, size);
  return change_.End(code);
}

int32_t RecordCursor::WriteInt32(int64_t offset, int32_t value) {
  char raw[4];
  PutInt32(raw, value);
  return WriteWhole(offset, raw, sizeof raw);
}

// --- Reading -------------------------------------------------------------

int32_t RecordCursor::ReadHeaderBytes(char* raw, std::size_t size) {
  ByteLock lock(locks_, RecordLayout::kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  std::size_t got = 0;
  if (file_.ReadAt(RecordLayout::kCountOffset, raw, size, &got) != 0 || got < size) {
    return SettleRead(kErrRecordCount);
  }
  return 0;
}

int32_t RecordCursor::ReadCounters(int32_t* count, int32_t* nextId) {
  *count = 0;
  *nextId = 0;
  char raw[8];
  if (const int32_t code = ReadHeaderBytes(raw, sizeof raw)) return code;
  *count = GetInt32(raw);
  *nextId = GetInt32(raw + 4);
  if (*count < 0) {
    *count = 0;
    return SettleRead(kErrRecordCount);
  }
  return 0;
}

int32_t RecordCursor::ReadCount(int32_t* count) {
  *count = 0;
  char raw[4];
  if (const int32_t code = ReadHeaderBytes(raw, sizeof raw)) return code;
  const int32_t value = GetInt32(raw);
  if (value < 0) return kErrRecordCount;
  *count = value;
  return 0;
}

int32_t RecordCursor::ReadField(int32_t index, int32_t field, Value* out) {
  return SettleRead(ReadFieldNow(index, field, out));
}

int32_t RecordCursor::ReadFieldNow(int32_t index, int32_t field, Value* out) {
  const FieldDescriptor& fd = layout_.field(field);
  if (index < 0) {
    *out = ZeroValue(fd.type);
    return kErrNoCurrentRecord;
  }
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) {
    *out = ZeroValue(fd.type);
    return lock.code();
  }
  // A memo's or byte set's bytes here are its first block in the side file.
  const auto width = static_cast<std::size_t>(fd.Width());
  char small[kSmallField];
  char* buffer = small;
  if (width > sizeof small) {
    if (!Reserve(width)) {
      *out = ZeroValue(fd.type);
      return kErrOutOfMemory;
    }
    buffer = &scratch_[0];
  }
  std::size_t got = 0;
  const int32_t code = file_.ReadAt(RecordOffset(index) + fd.offset, buffer, width, &got);
  if (code != 0 || got < width) {
    *out = ZeroValue(fd.type);
    return code == 0 && got == 0 ? kErrSeek : kErrFieldRead;
  }
  return ValueOf(fd, buffer, out);
}

int32_t RecordCursor::ValueOf(const FieldDescriptor& fd, const char* bytes, Value* out) {
  if (!fd.InSideFile()) {
    *out = DecodeField(fd, bytes);
    return 0;
  }
  // Loaded into the room of the value it replaces: a walk reading record
  // after record into the same values allocates nothing for them.
  std::string loaded = out->TakeBytes();
  const int32_t code =
      side_ ? side_->Load(GetInt32(bytes), fd.type == kTypeMemo, &loaded) : kErrSideFileAccess;
  if (code != 0) {
    *out = ZeroValue(fd.type);
    return code;
  }
  *out = fd.type == kTypeMemo ? Value::Text(std::move(loaded)) : Value::ByteSet(std::move(loaded));
  return 0;
}

int32_t RecordCursor::ReadRecordId(int32_t index, int32_t* id) {
  *id = 0;
  if (index < 0) return kErrNoCurrentRecord;
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_.ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) {
    return SettleRead(kErrRecordRead);
  }
  if (got < sizeof raw) return SettleRead(got == 0 ? kErrSeek : kErrRecordRead);
  *id = GetInt32(raw);
  return 0;
}

int32_t RecordCursor::ReadRecord(int32_t index, int32_t* id, std::vector<Value>* values) {
  const auto fieldCount = layout_.fields().size();
  values->resize(fieldCount);
  *id = 0;
  const auto zeroAll = [&] {
    for (std::size_t f = 0; f < fieldCount; ++f) (*values)[f] = ZeroValue(layout_.fields()[f].type);
  };
  if (index < 0) {
    zeroAll();
    return kErrNoCurrentRecord;
  }
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) {
    zeroAll();
    return lock.code();
  }
  // Every field lies inside the record (the layout says so); the id takes
  // its first four bytes.
  const auto span = std::max<std::size_t>(static_cast<std::size_t>(layout_.recordSize()), 4);
  if (scratch_.size() < span && !Reserve(span)) {
    zeroAll();
    return kErrOutOfMemory;
  }
  // From the read-ahead's memory when it holds the record; the side
  // file's reads below leave this file's blocks alone.
  const char* record = nullptr;
  std::size_t got = 0;
  int32_t first = PeekOrRead(file_, RecordOffset(index), span, &scratch_[0], &record, &got);
  if (first != 0) {
    zeroAll();
    return SettleRead(kErrRecordRead);
  }
  if (got >= 4) {
    *id = GetInt32(record);
  } else {
    first = got == 0 ? kErrSeek : kErrRecordRead;
  }
  for (std::size_t f = 0; f < fieldCount; ++f) {
    const FieldDescriptor& fd = layout_.fields()[f];
    const auto offset = static_cast<std::size_t>(fd.offset);
    int32_t code = 0;
    if (offset + static_cast<std::size_t>(fd.Width()) > got) {
      (*values)[f] = ZeroValue(fd.type);
      code = offset < got ? kErrFieldRead : kErrSeek;
    } else {
      code = ValueOf(fd, record + offset, &(*values)[f]);
    }
    if (code != 0) {
      SettleRead(code);
      if (first == 0) first = code;
    }
  }
  return first;
}

int32_t RecordCursor::ReadRecordBytes(int32_t index, char* out, std::size_t size) {
  std::size_t got = 0;
  const int32_t code = file_.ReadAt(RecordOffset(index), out, size, &got);
  if (code != 0) return code;
  return got < size ? kErrRecordRead : 0;
}

bool RecordCursor::Reserve(std::size_t size) {
  try {
    scratch_.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// --- Changing ------------------------------------------------------------

int32_t RecordCursor::WriteField(int32_t index, int32_t field, const Value& value) {
  const FieldDescriptor& fd = layout_.field(field);
  if (!ValueFitsField(value, fd.type)) return kErrTypeMismatch;
  if (index < 0) return kErrNoCurrentRecord;
  if (const int32_t refused = MayWrite()) return refused;
  return WritingRecord(index, [&]() -> int32_t {
    int64_t length = 0;
    if (file_.Size(&length) != 0) return kErrFieldWrite;
    if (RecordOffset(index) + layout_.recordSize() > length) return kErrNoCurrentRecord;
    const int64_t at = RecordOffset(index) + fd.offset;
    if (!fd.InSideFile()) {
      const auto width = static_cast<std::size_t>(fd.Width());
      if (!Reserve(width)) return kErrOutOfMemory;
      EncodeField(fd, value, &scratch_[0]);
      const int32_t code = WriteWhole(at, scratch_.data(), width);
      return code == ChangeLocks::kHotJournal || code == 0 || IsBusy(code) ? code : kErrFieldWrite;
    }
    if (!side_) return kErrSideFileAccess;
    char raw[4];
    std::size_t got = 0;
    if (file_.ReadAt(at, raw, sizeof raw, &got) != 0 || got < sizeof raw) return kErrFieldWrite;
    const int32_t old = GetInt32(raw);
    // The old value's blocks are reused first; the journal keeps the old
    // text whole until the new one is complete.
    int32_t code = change_.Begin();
    if (code != 0) return code;
    int32_t first = 0;
    code = side_->Store(old, value.bytes(), &first);
    if (code == 0 && first != old) {
      PutInt32(raw, first);
      code = file_.WriteAt(at, raw, sizeof raw);
    }
    return change_.End(code);
  });
}

int32_t RecordCursor::Append(const std::vector<Value>& values, int32_t* index) {
  *index = -1;
  const std::vector<FieldDescriptor>& fields = layout_.fields();
  const std::size_t given = std::min(values.size(), fields.size());
  bool sideValues = false;
  for (std::size_t i = 0; i < given; ++i) {
    if (values[i].kind() == Value::Kind::Empty) continue;
    if (!ValueFitsField(values[i], fields[i].type)) return kErrTypeMismatch;
    sideValues = sideValues || (fields[i].InSideFile() && !values[i].bytes().empty());
  }
  if (const int32_t refused = MayWrite()) return refused;
  return Settle(change_.Retrying([&]() -> int32_t {
    // The append starts by reading the count, so its header lock waits as
    // long as a count read does: two processes appending at once take turns.
    ByteLock header(locks_, RecordLayout::kCountOffset, WriterTimeout(timeoutMs_));
    if (header.code() != 0) return header.code();
    if (const int32_t hot = change_.CheckHot()) return hot;
    char counters[8];
    std::size_t got = 0;
    if (file_.ReadAt(RecordLayout::kCountOffset, counters, sizeof counters, &got) != 0 ||
        got < sizeof counters) {
      return kErrRecordCount;
    }
    const int32_t count = GetInt32(counters);
    const int32_t nextId = std::max(GetInt32(counters + 4), 1);
    if (count < 0) return kErrRecordCount;
    // Neither the count nor the id may wrap: a wrapped id would read as a
    // mark.
    if (count == 0x7FFFFFFF || nextId == 0x7FFFFFFF ||
        RecordOffset(count) + layout_.recordSize() > RecordLayout::kMaxFileLength) {
      return kErrDiskFull;
    }
    ByteLock record(locks_, RecordOffset(count), timeoutMs_);
    if (record.code() != 0) return record.code();
    if (!Reserve(static_cast<std::size_t>(layout_.recordSize()))) return kErrOutOfMemory;
    std::fill(scratch_.begin(), scratch_.end(), '\0');
    char* bytes = &scratch_[0];
    PutInt32(bytes, nextId);
    // With values in the side file the append is one change: a failure or
    // a kill gives back every block it took. Without, the record goes first
    // and the header after it: a kill in between leaves a record beyond the
    // count, which the next open drops.
    const bool journaled = sideValues || change_.journal().active();
    int32_t code = journaled ? change_.Begin() : 0;
    if (code != 0) return code;
    for (std::size_t i = 0; i < given && code == 0; ++i) {
      const FieldDescriptor& fd = fields[i];
      if (values[i].kind() == Value::Kind::Empty) continue;
      if (!fd.InSideFile()) {
        EncodeField(fd, values[i], bytes + fd.offset);
        continue;
      }
      int32_t first = 0;
      code = side_ ? side_->Store(0, values[i].bytes(), &first) : kErrSideFileAccess;
      PutInt32(bytes + fd.offset, first);
    }
    if (code == 0) code = file_.WriteAt(RecordOffset(count), bytes, scratch_.size());
    if (code == 0) {
      PutInt32(counters, count + 1);
      PutInt32(counters + 4, nextId + 1);
      code = file_.WriteAt(RecordLayout::kCountOffset, counters, sizeof counters);
    }
    if (journaled) code = change_.End(code);
    if (code == 0) *index = count;
    return code;
  }));
}

int32_t RecordCursor::Mark(int32_t index) {
  if (index < 0) return kErrNoCurrentRecord;
  if (const int32_t refused = MayWrite()) return refused;
  return WritingRecord(index, [&]() -> int32_t {
    char raw[4];
    std::size_t got = 0;
    if (file_.ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) return kErrRecordRead;
    if (got < sizeof raw) return kErrNoCurrentRecord;
    const int32_t id = GetInt32(raw);
    if (id <= 0) return 0;
    PutInt32(raw, -id);
    const int32_t code = WriteWhole(RecordOffset(index), raw, sizeof raw);
    return code == ChangeLocks::kHotJournal || code == 0 || IsBusy(code) ? code : kErrFieldWrite;
  });
}

}  // namespace cindral
