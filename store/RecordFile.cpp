#include "store/RecordFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store/BlockAudit.h"
#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"
#include "store/OpenRepair.h"
#include "store/PosixFileSystem.h"
#include "store/RecordPurge.h"

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

RecordFile::RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access,
                       Share share, std::shared_ptr<FileSystem> fs)
    : path_(std::move(path)),
      fs_(std::move(fs)),
      readAhead_(new ReadAheadFile(std::move(file))),
      file_(std::make_unique<JournaledFile>(std::unique_ptr<FileAccess>(readAhead_))),
      access_(access),
      locks_(file_.get(), access == Access::ReadOnly ? LockKind::Shared : LockKind::Exclusive),
      change_(locks_, *file_, fs_, path_, share == Share::Exclusive, &repairs_.journalPlayedBack) {
  change_.journal().Attach(file_.get(), nullptr);
}

RecordFile::~RecordFile() {
  // A scope left open commits what it gathered.
  while (!scopes_.empty()) LeaveScope();
  // Locks go first, then the files close (the side file before the data file).
  if (side_) side_->locks().ReleaseAll();
  locks_.ReleaseAll();
  side_.reset();
  file_.reset();
}

void RecordFile::SetTimeout(int32_t timeoutMs) {
  timeoutMs_ = timeoutMs;
  change_.set_timeout(timeoutMs);
  if (side_) side_->SetTimeout(timeoutMs);
}

// --- Opening -------------------------------------------------------------

int32_t RecordFile::Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                         std::shared_ptr<FileSystem> fs, std::unique_ptr<RecordFile>* out) {
  out->reset();
  if (!fs) fs = PosixFileSystem::Instance();
  std::unique_ptr<FileAccess> file;
  int32_t code = RetryWhileBusy(timeoutMs, [&] { return fs->Open(path, access, share, &file); });
  if (code != 0) return code;
  std::unique_ptr<RecordFile> db(
      new RecordFile(path, std::move(file), access, share, std::move(fs)));
  db->SetTimeout(timeoutMs);
  const bool exclusiveShare = share == Share::Exclusive;
  // Another process must not change the file while it is checked and
  // repaired; an exclusive share mode already keeps everyone out. A busy
  // lock is waited for as long as a count read waits.
  if (!exclusiveShare) {
    if (db->locks_.LockWhole(WriterTimeout(timeoutMs)) != 0) return kErrOpenFailed;
  }
  db->StartReadAhead();
  code = db->OpenUnderLock(share);
  db->StopReadAhead();
  if (!exclusiveShare) db->locks_.UnlockWhole();
  if (code != 0) return code;  // the destructor closes whatever was opened
  *out = std::move(db);
  return 0;
}

int32_t RecordFile::OpenUnderLock(Share share) {
  int32_t code = RecordLayout::Read(*file_, &layout_);
  if (code != 0) return code;
  Journal& journal = change_.journal();
  if (layout_.NeedsSideFile()) {
    code = SideFile::Open(SideFile::PathFor(path_), access_, share, timeoutMs_, *fs_, &side_);
    if (code != 0) return code;
    if (readAhead_->active()) side_->readAhead().Start();
    journal.Attach(file_.get(), &side_->file());
  }
  OpenRepair repair(*this, *fs_);
  if (access_ == Access::ReadOnly) {
    bool content = false;
    // Rolling a change back means writing; until a read-write open has done
    // it, the book would read half changed.
    if (journal.HasContent(&content) != 0 || content) return kErrOpenFailed;
    code = repair.CheckLength(&repairs_);
    if (code == 0 && side_) code = side_->Check(access_, share, version());
    return code;
  }
  // Plays back a journal left behind (the whole-file lock is held).
  code = change_.Begin();
  if (code != 0) return code == kErrSideFileAccess ? code : kErrOpenFailed;
  if (repairs_.journalPlayedBack) code = RecordLayout::Read(*file_, &layout_);
  if (code == 0) code = repair.CheckLength(&repairs_);
  if (code == 0 && side_) code = side_->Check(access_, share, version());
  if (code == 0) code = BlockAudit(*this).Run(&repairs_);
  const int32_t ended = change_.End(code);
  if (code != 0) return code;
  return ended == 0 ? 0 : kErrOpenFailed;
}

int32_t RecordFile::Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                           int32_t recordSize, FileSystem* fs) {
  if (fs == nullptr) fs = PosixFileSystem::Instance().get();
  std::string header;
  if (const int32_t refused = RecordLayout::Build(fields, recordSize, &header)) return refused;
  const bool needsSide = RecordLayout::AnyInSideFile(fields);
  const std::string sidePath = SideFile::PathFor(path);
  std::unique_ptr<FileAccess> data;
  int32_t code = fs->Create(path, &data);
  if (code != 0) return code;
  std::unique_ptr<FileAccess> side;
  if (needsSide) {
    code = fs->Create(sidePath, &side);
    if (code != 0) {
      data.reset();
      fs->Remove(path);
      return code;
    }
  }
  code = data->WriteAt(0, header.data(), header.size());
  if (code == 0) code = data->Sync();
  if (code == 0 && side) code = SideFile::WriteEmpty(*side, RecordLayout::kVersion);
  if (code == 0 && side) code = side->Sync();
  data.reset();
  side.reset();
  if (code == 0) code = fs->SyncDirectoryOf(path);
  if (code != 0) {
    fs->Remove(path);
    if (needsSide) fs->Remove(sidePath);
  }
  return code;
}

// --- Writing whole ---------------------------------------------------------

int32_t RecordFile::Settle(int32_t code) {
  // Inside an exclusive scope every write counts: one that fails rolls the
  // whole scope back, unless it was refused before it touched anything.
  const bool refused = code == kErrTypeMismatch || code == kErrNoCurrentRecord ||
                       code == kErrAccessDenied || code == kErrLockFailed;
  if (code != 0 && !refused) change_.journal().Poison(code);
  return code;
}

int32_t RecordFile::SettleRead(int32_t code) {
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
int32_t RecordFile::WritingRecord(int32_t index, Write&& write) {
  return Settle(change_.Retrying([&]() -> int32_t {
    ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
    if (lock.code() != 0) return lock.code();
    if (const int32_t hot = change_.CheckHot()) return hot;
    return write();
  }));
}

template <typename Change>
int32_t RecordFile::ChangingWhole(Change&& change) {
  if (const int32_t refused = MayWrite()) return refused;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  const int32_t code = change_.Begin();
  if (code != 0) return code;
  return change_.End(change());
}

int32_t RecordFile::MayWrite() const {
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  if (locks_.HoldsWhole() && locks_.wholeKind() == LockKind::Shared) return kErrLockFailed;
  return 0;
}

int32_t RecordFile::WriteWhole(int64_t offset, const char* bytes, std::size_t size) {
  if (!change_.journal().active() && !StraddlesPage(offset, size)) {
    return file_->WriteAt(offset, bytes, size);
  }
  int32_t code = change_.Begin();
  if (code != 0) return code;
  code = file_->WriteAt(offset, bytes, size);
  return change_.End(code);
}

int32_t RecordFile::WriteInt32(int64_t offset, int32_t value) {
  char raw[4];
  PutInt32(raw, value);
  return WriteWhole(offset, raw, sizeof raw);
}

// --- Scopes --------------------------------------------------------------

int32_t RecordFile::EnterScope(LockKind kind) {
  const bool exclusive = kind == LockKind::Exclusive && access_ == Access::ReadWrite;
  const LockKind wholeKind = exclusive ? LockKind::Exclusive : LockKind::Shared;
  int32_t code = locks_.LockWhole(WriterTimeout(timeoutMs_), wholeKind);
  if (code != 0) return code;
  // Whoever locks side-file blocks holds a lock in the data file first, so
  // with the data file held this is taken at once; holding it makes the
  // walk's block locks mere counts.
  const bool outermost = scopes_.empty();
  if (outermost && side_) {
    code = side_->locks().LockWhole(WriterTimeout(timeoutMs_), wholeKind);
    if (code != 0) {
      locks_.UnlockWhole();
      return code;
    }
  }
  if (exclusive) code = change_.Begin();
  if (code != 0) {
    if (outermost && side_) side_->locks().UnlockWhole();
    locks_.UnlockWhole();
    return code;
  }
  if (outermost) StartReadAhead();
  scopes_.push_back(exclusive);
  return 0;
}

int32_t RecordFile::LeaveScope() {
  if (scopes_.empty()) return kErrUnlockFailed;
  const bool exclusive = scopes_.back();
  scopes_.pop_back();
  const int32_t code = exclusive ? change_.End(0) : 0;
  if (scopes_.empty()) {
    // Nothing read under the lock is kept past it.
    StopReadAhead();
    if (side_) side_->locks().UnlockWhole();
  }
  locks_.UnlockWhole();
  return code;
}

int32_t RecordFile::AlsoReplace(CompanionFile* file) {
  if (scopes_.empty() || !scopes_.back()) return kErrLockFailed;
  return change_.journal().SetCompanion(file);
}

void RecordFile::FailScope(int32_t code) {
  if (!scopes_.empty() && scopes_.back()) change_.journal().Poison(code != 0 ? code : kErrUnknown);
}

void RecordFile::StartReadAhead() {
  readAhead_->Start();
  if (side_) side_->readAhead().Start();
}

void RecordFile::StopReadAhead() {
  readAhead_->Stop();
  if (side_) side_->readAhead().Stop();
}

// --- Reading -------------------------------------------------------------

int32_t RecordFile::ReadCounters(int32_t* count, int32_t* nextId) {
  *count = 0;
  *nextId = 0;
  ByteLock lock(locks_, RecordLayout::kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[8];
  std::size_t got = 0;
  if (file_->ReadAt(RecordLayout::kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return SettleRead(kErrRecordCount);
  }
  *count = GetInt32(raw);
  *nextId = GetInt32(raw + 4);
  if (*count < 0) {
    *count = 0;
    return SettleRead(kErrRecordCount);
  }
  return 0;
}

int32_t RecordFile::ReadCount(int32_t* count) {
  *count = 0;
  ByteLock lock(locks_, RecordLayout::kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(RecordLayout::kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return SettleRead(kErrRecordCount);
  }
  const int32_t value = GetInt32(raw);
  if (value < 0) return kErrRecordCount;
  *count = value;
  return 0;
}

int32_t RecordFile::ReadField(int32_t index, int32_t field, Value* out) {
  return SettleRead(ReadFieldNow(index, field, out));
}

int32_t RecordFile::ReadFieldNow(int32_t index, int32_t field, Value* out) {
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

int32_t RecordFile::ReadRecordId(int32_t index, int32_t* id) {
  *id = 0;
  if (index < 0) return kErrNoCurrentRecord;
  ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) {
    return SettleRead(kErrRecordRead);
  }
  if (got < sizeof raw) return SettleRead(got == 0 ? kErrSeek : kErrRecordRead);
  *id = GetInt32(raw);
  return 0;
}

int32_t RecordFile::ReadRecordBytes(int32_t index, char* out, std::size_t size) {
  std::size_t got = 0;
  const int32_t code = file_->ReadAt(RecordOffset(index), out, size, &got);
  if (code != 0) return code;
  return got < size ? kErrRecordRead : 0;
}

bool RecordFile::Reserve(std::size_t size) {
  try {
    scratch_.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// --- Changing ------------------------------------------------------------

int32_t RecordFile::WriteField(int32_t index, int32_t field, const Value& value) {
  const FieldDescriptor& fd = layout_.field(field);
  if (!ValueFitsField(value, fd.type)) return kErrTypeMismatch;
  if (index < 0) return kErrNoCurrentRecord;
  if (const int32_t refused = MayWrite()) return refused;
  return WritingRecord(index, [&]() -> int32_t {
    int64_t length = 0;
    if (file_->Size(&length) != 0) return kErrFieldWrite;
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
    if (file_->ReadAt(at, raw, sizeof raw, &got) != 0 || got < sizeof raw) return kErrFieldWrite;
    const int32_t old = GetInt32(raw);
    // The old value's blocks are reused first; the journal keeps the old
    // text whole until the new one is complete.
    int32_t code = change_.Begin();
    if (code != 0) return code;
    int32_t first = 0;
    code = side_->Store(old, value.bytes(), &first);
    if (code == 0 && first != old) {
      PutInt32(raw, first);
      code = file_->WriteAt(at, raw, sizeof raw);
    }
    return change_.End(code);
  });
}

int32_t RecordFile::Append(const std::vector<Value>& values, int32_t* index) {
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
    if (file_->ReadAt(RecordLayout::kCountOffset, counters, sizeof counters, &got) != 0 ||
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
    if (code == 0) code = file_->WriteAt(RecordOffset(count), bytes, scratch_.size());
    if (code == 0) {
      PutInt32(counters, count + 1);
      PutInt32(counters + 4, nextId + 1);
      code = file_->WriteAt(RecordLayout::kCountOffset, counters, sizeof counters);
    }
    if (journaled) code = change_.End(code);
    if (code == 0) *index = count;
    return code;
  }));
}

int32_t RecordFile::Mark(int32_t index) {
  if (index < 0) return kErrNoCurrentRecord;
  if (const int32_t refused = MayWrite()) return refused;
  return WritingRecord(index, [&]() -> int32_t {
    char raw[4];
    std::size_t got = 0;
    if (file_->ReadAt(RecordOffset(index), raw, sizeof raw, &got) != 0) return kErrRecordRead;
    if (got < sizeof raw) return kErrNoCurrentRecord;
    const int32_t id = GetInt32(raw);
    if (id <= 0) return 0;
    PutInt32(raw, -id);
    const int32_t code = WriteWhole(RecordOffset(index), raw, sizeof raw);
    return code == ChangeLocks::kHotJournal || code == 0 || IsBusy(code) ? code : kErrFieldWrite;
  });
}

int32_t RecordFile::Purge() {
  return ChangingWhole([&] {
    bool started = false;
    const int32_t code = RecordPurge(*file_, layout_, side_.get()).Run(&started);
    if (started) cursor_ = 0;
    return code;
  });
}

int32_t RecordFile::Clear() {
  const int32_t code = ChangingWhole([&] {
    char raw[4];
    PutInt32(raw, 0);
    int32_t result = file_->WriteAt(RecordLayout::kCountOffset, raw, sizeof raw);
    if (result == 0) result = file_->Truncate(layout_.firstRecord());
    if (result == 0 && side_) result = side_->Clear();
    return result;
  });
  if (code == 0) cursor_ = 0;
  return code;
}

}  // namespace cindral
