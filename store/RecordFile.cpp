#include "store/RecordFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store/Bytes.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"
#include "store/PosixFile.h"

namespace cindral {
namespace {

// The format counts bytes in 32-bit integers and locks the whole file as
// bytes 0 to 0x7FFFFFFE, so no record may reach past that.
constexpr int64_t kMaxFileLength = 0x7FFFFFFF;
// Fields up to this size are read into a buffer on the stack.
constexpr int32_t kSmallField = 64;

}  // namespace

RecordFile::RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access)
    : path_(std::move(path)),
      file_(std::move(file)),
      access_(access),
      locks_(file_.get(), access == Access::ReadOnly ? LockKind::Shared : LockKind::Exclusive) {}

RecordFile::~RecordFile() {
  // Locks go first, then the files close (the side file before the data file).
  if (side_) side_->locks().ReleaseAll();
  locks_.ReleaseAll();
  side_.reset();
  file_.reset();
}

FileOpener RecordFile::DefaultOpener() {
  return
      [](const std::string& path, Access access, Share share, std::unique_ptr<FileAccess>* file) {
        return PosixFile::Open(path, access, share, file);
      };
}

int32_t RecordFile::version() const { return GetInt32(header_.data() + 4); }

void RecordFile::SetTimeout(int32_t timeoutMs) {
  timeoutMs_ = timeoutMs;
  if (side_) side_->SetTimeout(timeoutMs);
}

int32_t RecordFile::Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                         const FileOpener& opener, std::unique_ptr<RecordFile>* out) {
  out->reset();
  std::unique_ptr<FileAccess> file;
  int32_t code = RetryWhileBusy(timeoutMs, [&] { return opener(path, access, share, &file); });
  if (code != 0) return code;
  std::unique_ptr<RecordFile> db(new RecordFile(path, std::move(file), access));
  db->timeoutMs_ = timeoutMs;
  {
    // Another process must not change the file while it is checked and
    // repaired; an exclusive share mode already keeps everyone out.
    const bool lockWhole = share != Share::Exclusive;
    if (lockWhole) {
      code = db->locks_.LockWhole(timeoutMs);
      if (code != 0) return kErrOpenFailed;
    }
    code = db->Check();
    const bool needsSide = std::any_of(db->fields_.begin(), db->fields_.end(),
                                       [](const FieldDescriptor& f) { return f.InSideFile(); });
    if (code == 0 && needsSide) {
      code = SideFile::Open(SideFile::PathFor(path), access, share, timeoutMs, db->version(),
                            opener, &db->side_);
    }
    if (lockWhole) db->locks_.UnlockWhole();
  }
  if (code != 0) return code;  // the destructor closes whatever was opened
  *out = std::move(db);
  return 0;
}

int32_t RecordFile::Check() {
  header_.assign(kHeaderSize, '\0');
  std::size_t got = 0;
  if (file_->ReadAt(0, &header_[0], kHeaderSize, &got) != 0) return kErrOpenFailed;
  if (got < static_cast<std::size_t>(kHeaderSize)) return kErrNotDatabase;
  const char* h = header_.data();
  if (std::memcmp(h, "WCDB", 4) == 0) return kErrOpenFailed;  // needs a password
  if (std::memcmp(h, "WEDB", 4) != 0) return kErrNotDatabase;
  const int32_t version = GetInt32(h + 4);
  int32_t count = GetInt32(h + kCountOffset);
  const int32_t nextId = GetInt32(h + kNextIdOffset);
  recordSize_ = GetInt32(h + kRecordSizeOffset);
  if (recordSize_ <= 0 || count < 0 || nextId <= 0) return kErrNotDatabase;
  if (version > kVersion) return kErrVersionTooHigh;
  // Every record starts with its 4-byte id.
  if (recordSize_ < 4) return kErrNotDatabase;

  char countBytes[4];
  if (file_->ReadAt(kFieldCountOffset, countBytes, 4, &got) != 0) return kErrOpenFailed;
  if (got < 4) return kErrNotDatabase;
  const int32_t fieldCount = GetInt32(countBytes);
  if (fieldCount <= 0) return kErrNotDatabase;
  int64_t length = 0;
  if (file_->Size(&length) != 0) return kErrOpenFailed;
  // Absurd counts and sizes are refused before anything of their size is
  // allocated: the descriptors must lie in the file, and one record must fit
  // in the largest file the format can address.
  firstRecord_ = kFieldCountOffset + 4 + int64_t{fieldCount} * kDescriptorSize;
  if (firstRecord_ > length) return kErrNotDatabase;
  if (recordSize_ > kMaxFileLength - firstRecord_) return kErrNotDatabase;

  std::string descriptors(static_cast<std::size_t>(firstRecord_ - kFieldCountOffset - 4), '\0');
  if (file_->ReadAt(kFieldCountOffset + 4, &descriptors[0], descriptors.size(), &got) != 0) {
    return kErrOpenFailed;
  }
  if (got < descriptors.size()) return kErrNotDatabase;

  // The descriptors are checked before anything is repaired, so a file that
  // turns out not to be a database is left as it was.
  fields_.clear();
  fields_.reserve(static_cast<std::size_t>(fieldCount));
  for (int32_t i = 0; i < fieldCount; ++i) {
    const char* d = descriptors.data() + int64_t{i} * kDescriptorSize;
    const void* zero = std::memchr(d, 0, 17);
    if (zero == nullptr) return kErrNotDatabase;
    FieldDescriptor field;
    field.name.assign(d, static_cast<std::size_t>(static_cast<const char*>(zero) - d));
    field.type = GetInt32(d + 20);
    field.offset = GetInt32(d + 24);
    field.declaredSize = GetInt32(d + 28);
    if (field.offset < 0 || field.type < kTypeByte || field.type > kTypeMemo) {
      return kErrNotDatabase;
    }
    if (field.type == kTypeText && field.declaredSize <= 0) return kErrNotDatabase;
    // A field whose bytes reach past the record would be read from and
    // written into the next record.
    if (int64_t{field.offset} + field.Width() > recordSize_) return kErrNotDatabase;
    fields_.push_back(std::move(field));
  }

  const int64_t whole = (length - firstRecord_) / recordSize_;
  if (whole < count) {
    if (access_ == Access::ReadOnly) return kErrFileSize;
    count = static_cast<int32_t>(whole);
    char raw[4];
    PutInt32(raw, count);
    if (file_->WriteAt(kCountOffset, raw, 4) != 0) return kErrOpenFailed;
    PutInt32(&header_[kCountOffset], count);
  }
  if (access_ == Access::ReadWrite) {
    // Drops a record whose append was cut short, and any other trailing bytes.
    const int64_t exact = firstRecord_ + int64_t{count} * recordSize_;
    if (length != exact && file_->Truncate(exact) != 0) return kErrOpenFailed;
  }
  return 0;
}

int32_t RecordFile::Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                           int32_t recordSize) {
  if (fields.empty()) return kErrNotDatabase;
  int64_t offset = 4;
  std::string descriptors;
  bool needsSide = false;
  for (const FieldDescriptor& f : fields) {
    if (f.name.size() > 16 || f.type < kTypeByte || f.type > kTypeMemo ||
        (f.type == kTypeText && f.declaredSize <= 0)) {
      return kErrNotDatabase;
    }
    char d[kDescriptorSize] = {};
    std::memcpy(d, f.name.data(), f.name.size());
    PutInt32(d + 20, f.type);
    PutInt32(d + 24, static_cast<int32_t>(offset));
    PutInt32(d + 28, f.type == kTypeText ? f.declaredSize : 0);
    descriptors.append(d, sizeof d);
    offset += f.Width();
    if (offset > kMaxFileLength / 2) return kErrNotDatabase;
    needsSide = needsSide || f.InSideFile();
  }
  const int64_t size = std::max<int64_t>(offset, recordSize);
  std::string header(kHeaderSize + 4, '\0');
  std::memcpy(&header[0], "WEDB", 4);
  PutInt32(&header[4], kVersion);
  PutInt32(&header[kCountOffset], 0);
  PutInt32(&header[kNextIdOffset], 1);
  PutInt32(&header[kRecordSizeOffset], static_cast<int32_t>(size));
  PutInt32(&header[kFieldCountOffset], static_cast<int32_t>(fields.size()));
  header += descriptors;

  const std::string sidePath = SideFile::PathFor(path);
  std::unique_ptr<FileAccess> data;
  int32_t code = PosixFile::Create(path, &data);
  if (code != 0) return code;
  std::unique_ptr<FileAccess> side;
  if (needsSide) {
    code = PosixFile::Create(sidePath, &side);
    if (code != 0) {
      data.reset();
      PosixFile::Remove(path);
      return code;
    }
  }
  code = data->WriteAt(0, header.data(), header.size());
  if (code == 0) code = data->Sync();
  if (code == 0 && side) code = SideFile::WriteEmpty(*side, kVersion);
  if (code == 0 && side) code = side->Sync();
  data.reset();
  side.reset();
  if (code != 0) {
    PosixFile::Remove(path);
    if (needsSide) PosixFile::Remove(sidePath);
  }
  return code;
}

int32_t RecordFile::ReadCounters(int32_t* count, int32_t* nextId) {
  *count = 0;
  *nextId = 0;
  ByteLock lock(locks_, kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[8];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return kErrRecordCount;
  }
  *count = GetInt32(raw);
  *nextId = GetInt32(raw + 4);
  if (*count < 0) {
    *count = 0;
    return kErrRecordCount;
  }
  return 0;
}

int32_t RecordFile::ReadCount(int32_t* count) {
  *count = 0;
  ByteLock lock(locks_, kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return kErrRecordCount;
  }
  const int32_t value = GetInt32(raw);
  if (value < 0) return kErrRecordCount;
  *count = value;
  return 0;
}

int32_t RecordFile::ReadField(int32_t index, int32_t field, Value* out) {
  const FieldDescriptor& fd = fields_[static_cast<std::size_t>(field)];
  if (index < 0) {
    *out = ZeroValue(fd.type);
    return kErrNoCurrentRecord;
  }
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) {
    *out = ZeroValue(fd.type);
    return lock.code();
  }
  const int64_t at = RecordOffset(index) + fd.offset;
  std::size_t got = 0;
  if (!fd.InSideFile()) {
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
    const int32_t code = file_->ReadAt(at, buffer, width, &got);
    if (code != 0 || got < width) {
      *out = ZeroValue(fd.type);
      return code == 0 && got == 0 ? kErrSeek : kErrFieldRead;
    }
    *out = DecodeField(fd, buffer);
    return 0;
  }
  char raw[4];
  const int32_t code = file_->ReadAt(at, raw, sizeof raw, &got);
  if (code != 0 || got < sizeof raw) {
    *out = ZeroValue(fd.type);
    return code == 0 && got == 0 ? kErrSeek : kErrFieldRead;
  }
  std::string bytes;
  const int32_t loaded =
      side_ ? side_->Load(GetInt32(raw), fd.type == kTypeMemo, &bytes) : kErrSideFileAccess;
  if (loaded != 0) {
    *out = ZeroValue(fd.type);
    return loaded;
  }
  *out = fd.type == kTypeMemo ? Value::Text(std::move(bytes)) : Value::ByteSet(std::move(bytes));
  return 0;
}

int32_t RecordFile::WriteField(int32_t index, int32_t field, const Value& value) {
  const FieldDescriptor& fd = fields_[static_cast<std::size_t>(field)];
  if (!ValueFitsField(value, fd.type)) return kErrTypeMismatch;
  if (index < 0) return kErrNoCurrentRecord;
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  int64_t length = 0;
  if (file_->Size(&length) != 0) return kErrFieldWrite;
  if (RecordOffset(index) + recordSize_ > length) return kErrNoCurrentRecord;
  const int64_t at = RecordOffset(index) + fd.offset;
  if (!fd.InSideFile()) {
    const auto width = static_cast<std::size_t>(fd.Width());
    if (!Reserve(width)) return kErrOutOfMemory;
    EncodeField(fd, value, &scratch_[0]);
    return file_->WriteAt(at, scratch_.data(), width) == 0 ? 0 : kErrFieldWrite;
  }
  if (!side_) return kErrSideFileAccess;
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(at, raw, sizeof raw, &got) != 0 || got < sizeof raw) return kErrFieldWrite;
  const int32_t old = GetInt32(raw);
  int32_t first = 0;
  const int32_t code = side_->Store(old, value.bytes(), &first);
  if (code != 0) return code;
  if (first == old) return 0;
  PutInt32(raw, first);
  return file_->WriteAt(at, raw, sizeof raw) == 0 ? 0 : kErrFieldWrite;
}

int32_t RecordFile::ReadRecordId(int32_t index, int32_t* id) {
  *id = 0;
  if (index < 0) return kErrNoCurrentRecord;
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) return kErrRecordRead;
  if (got < sizeof raw) return got == 0 ? kErrSeek : kErrRecordRead;
  *id = GetInt32(raw);
  return 0;
}

bool RecordFile::Reserve(std::size_t size) {
  try {
    scratch_.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void RecordFile::FreeSideValues(const char* record) {
  if (!side_) return;
  for (const FieldDescriptor& fd : fields_) {
    if (!fd.InSideFile()) continue;
    const int32_t first = GetInt32(record + fd.offset);
    int32_t none = 0;
    // A chain that cannot be freed is only lost space; the record goes anyway.
    if (first != 0) side_->Store(first, std::string(), &none);
  }
}

int32_t RecordFile::Append(const std::vector<Value>& values, int32_t* index) {
  *index = -1;
  const std::size_t given = std::min(values.size(), fields_.size());
  for (std::size_t i = 0; i < given; ++i) {
    if (values[i].kind() != Value::Kind::Empty && !ValueFitsField(values[i], fields_[i].type)) {
      return kErrTypeMismatch;
    }
  }
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  // The append starts by reading the count, so its header lock waits as
  // long as a count read does: two processes appending at once take turns.
  ByteLock header(locks_, kCountOffset, CountReadTimeout(timeoutMs_));
  if (header.code() != 0) return header.code();
  char counters[8];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, counters, sizeof counters, &got) != 0 || got < sizeof counters) {
    return kErrRecordCount;
  }
  const int32_t count = GetInt32(counters);
  const int32_t nextId = std::max(GetInt32(counters + 4), 1);
  if (count < 0) return kErrRecordCount;
  // Neither the count nor the id may wrap: a wrapped id would read as a
  // mark.
  if (count == 0x7FFFFFFF || nextId == 0x7FFFFFFF ||
      RecordOffset(count) + recordSize_ > kMaxFileLength) {
    return kErrDiskFull;
  }

  ByteLock record(locks_, RecordOffset(count), timeoutMs_);
  if (record.code() != 0) return record.code();
  if (!Reserve(static_cast<std::size_t>(recordSize_))) return kErrOutOfMemory;
  std::fill(scratch_.begin(), scratch_.end(), '\0');
  char* bytes = &scratch_[0];
  PutInt32(bytes, nextId);
  int32_t code = 0;
  std::vector<int32_t> stored;  // chains to give back if the append fails
  for (std::size_t i = 0; i < given && code == 0; ++i) {
    const FieldDescriptor& fd = fields_[i];
    if (values[i].kind() == Value::Kind::Empty) continue;
    if (!fd.InSideFile()) {
      EncodeField(fd, values[i], bytes + fd.offset);
      continue;
    }
    int32_t first = 0;
    code = side_ ? side_->Store(0, values[i].bytes(), &first) : kErrSideFileAccess;
    if (first != 0) stored.push_back(first);
    PutInt32(bytes + fd.offset, first);
  }
  // The record goes first and the header after it: a crash in between
  // leaves a record beyond the count, which the next open drops.
  if (code == 0) code = file_->WriteAt(RecordOffset(count), bytes, scratch_.size());
  if (code == 0) {
    PutInt32(counters, count + 1);
    PutInt32(counters + 4, nextId + 1);
    code = file_->WriteAt(kCountOffset, counters, sizeof counters);
  }
  if (code != 0) {
    for (const int32_t first : stored) {
      int32_t none = 0;
      side_->Store(first, std::string(), &none);
    }
    return code;
  }
  *index = count;
  return 0;
}

int32_t RecordFile::Mark(int32_t index) {
  if (index < 0) return kErrNoCurrentRecord;
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) return kErrRecordRead;
  if (got < sizeof raw) return kErrNoCurrentRecord;
  const int32_t id = GetInt32(raw);
  if (id <= 0) return 0;
  PutInt32(raw, -id);
  return file_->WriteAt(RecordOffset(index), raw, sizeof raw) == 0 ? 0 : kErrFieldWrite;
}

int32_t RecordFile::Purge() {
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return kErrRecordCount;
  }
  int32_t count = GetInt32(raw);
  if (count < 0) return kErrRecordCount;
  // Only whole records take part, so no chunk ever reads short halfway
  // through the compaction.
  int64_t length = 0;
  if (file_->Size(&length) != 0) return kErrRecordRead;
  count = static_cast<int32_t>(std::min<int64_t>(count, (length - firstRecord_) / recordSize_));

  const int32_t perChunk = std::max(1, kPurgeChunkBytes / recordSize_);
  std::string chunk;
  try {
    chunk.resize(static_cast<std::size_t>(std::min(perChunk, std::max(count, 1))) *
                 static_cast<std::size_t>(recordSize_));
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  }
  cursor_ = 0;
  const auto size = static_cast<std::size_t>(recordSize_);
  int32_t read = 0;
  int32_t write = 0;
  while (read < count) {
    const int32_t n = std::min(perChunk, count - read);
    const std::size_t bytes = static_cast<std::size_t>(n) * size;
    if (file_->ReadAt(RecordOffset(read), &chunk[0], bytes, &got) != 0 || got < bytes) {
      return kErrRecordRead;
    }
    int32_t kept = 0;
    for (int32_t j = 0; j < n; ++j) {
      char* record = &chunk[static_cast<std::size_t>(j) * size];
      if (GetInt32(record) < 0) {
        FreeSideValues(record);
        continue;
      }
      if (kept != j) std::memmove(&chunk[static_cast<std::size_t>(kept) * size], record, size);
      ++kept;
    }
    // Until the first marked record nothing moves.
    if ((write != read || kept != n) && kept > 0) {
      if (file_->WriteAt(RecordOffset(write), chunk.data(),
                         static_cast<std::size_t>(kept) * size) != 0) {
        return kErrFieldWrite;
      }
    }
    write += kept;
    read += n;
  }
  PutInt32(raw, write);
  if (file_->WriteAt(kCountOffset, raw, sizeof raw) != 0) return kErrFieldWrite;
  if (file_->Truncate(RecordOffset(write)) != 0) return kErrFieldWrite;
  return 0;
}

int32_t RecordFile::Clear() {
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  char raw[4];
  PutInt32(raw, 0);
  int32_t code = file_->WriteAt(kCountOffset, raw, sizeof raw);
  if (code == 0) code = file_->Truncate(firstRecord_);
  if (code == 0 && side_) code = side_->Clear();
  if (code != 0) return code;
  cursor_ = 0;
  return 0;
}

}  // namespace cindral
