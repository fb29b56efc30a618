#include "store/RecordFile.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <new>

#include "store/BlockAudit.h"
#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"
#include "store/PosixFileSystem.h"

namespace cindral {
namespace {

// The format counts bytes in 32-bit integers and locks the whole file as
// bytes 0 to 0x7FFFFFFE, so no record may reach past that.
constexpr int64_t kMaxFileLength = 0x7FFFFFFF;
// Fields up to this size are read into a buffer on the stack.
constexpr int32_t kSmallField = 64;
// Writes of a few bytes inside one page of this size reach the file whole
// even when the process is killed during the write.
constexpr int64_t kPageSize = 4096;
// Internal: a write found a hot journal and must start again once it has
// been played back. Never leaves this file.
constexpr int32_t kHotJournal = 1;

bool StraddlesPage(int64_t offset, std::size_t size) {
  return size > 0 && offset / kPageSize != (offset + static_cast<int64_t>(size) - 1) / kPageSize;
}

// "YYYYMMDD-HHMMSS", local time.
std::string Stamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Copies `from` (read through the engine) to a new file `to`, synced.
int32_t CopyFile(FileAccess& from, FileSystem& fs, const std::string& to) {
  int64_t length = 0;
  int32_t code = from.Size(&length);
  if (code != 0) return code;
  std::unique_ptr<FileAccess> copy;
  code = fs.Create(to, &copy);
  if (code != 0) return code;
  std::string buffer;
  for (int64_t at = 0; at < length && code == 0;) {
    const auto size = static_cast<std::size_t>(std::min<int64_t>(length - at, 1 << 20));
    buffer.resize(size);
    std::size_t got = 0;
    code = from.ReadAt(at, &buffer[0], size, &got);
    if (code == 0 && got < size) code = kErrEndOfFile;
    if (code == 0) code = copy->WriteAt(at, buffer.data(), size);
    at += static_cast<int64_t>(size);
  }
  if (code == 0) code = copy->Sync();
  copy.reset();
  if (code == 0) code = fs.SyncDirectoryOf(to);
  if (code != 0) fs.Remove(to);
  return code;
}

}  // namespace

RecordFile::RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access,
                       std::shared_ptr<FileSystem> fs)
    : path_(std::move(path)),
      fs_(std::move(fs)),
      readAhead_(new ReadAheadFile(std::move(file))),
      file_(std::make_unique<JournaledFile>(std::unique_ptr<FileAccess>(readAhead_))),
      access_(access),
      locks_(file_.get(), access == Access::ReadOnly ? LockKind::Shared : LockKind::Exclusive),
      journal_(fs_, Journal::PathFor(path_)) {
  journal_.Attach(file_.get(), nullptr);
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

int32_t RecordFile::version() const { return GetInt32(header_.data() + 4); }

void RecordFile::SetTimeout(int32_t timeoutMs) {
  timeoutMs_ = timeoutMs;
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
  std::unique_ptr<RecordFile> db(new RecordFile(path, std::move(file), access, std::move(fs)));
  db->timeoutMs_ = timeoutMs;
  db->exclusiveShare_ = share == Share::Exclusive;
  // Another process must not change the file while it is checked and
  // repaired; an exclusive share mode already keeps everyone out. A busy
  // lock is waited for as long as a count read waits.
  if (!db->exclusiveShare_) {
    if (db->locks_.LockWhole(WriterTimeout(timeoutMs)) != 0) return kErrOpenFailed;
  }
  db->StartReadAhead();
  code = db->OpenUnderLock(share);
  db->StopReadAhead();
  if (!db->exclusiveShare_) db->locks_.UnlockWhole();
  if (code != 0) return code;  // the destructor closes whatever was opened
  *out = std::move(db);
  return 0;
}

int32_t RecordFile::OpenUnderLock(Share share) {
  int32_t code = ReadLayout();
  if (code != 0) return code;
  const bool needsSide = std::any_of(fields_.begin(), fields_.end(),
                                     [](const FieldDescriptor& f) { return f.InSideFile(); });
  if (needsSide) {
    code = SideFile::Open(SideFile::PathFor(path_), access_, share, timeoutMs_, *fs_, &side_);
    if (code != 0) return code;
    if (readAhead_->active()) side_->readAhead().Start();
    journal_.Attach(file_.get(), &side_->file());
  }
  if (access_ == Access::ReadOnly) {
    bool content = false;
    // Rolling a change back means writing; until a read-write open has done
    // it, the book would read half changed.
    if (journal_.HasContent(&content) != 0 || content) return kErrOpenFailed;
    code = CheckLength();
    if (code == 0 && side_) code = side_->Check(access_, share, version());
    return code;
  }
  // Plays back a journal left behind (the whole-file lock is held).
  code = BeginChange();
  if (code != 0) return code == kErrSideFileAccess ? code : kErrOpenFailed;
  if (repairs_.journalPlayedBack) code = ReadLayout();
  if (code == 0) code = CheckLength();
  if (code == 0 && side_) code = side_->Check(access_, share, version());
  if (code == 0) code = BlockAudit(*this).Run(&repairs_);
  const int32_t ended = EndChange(code);
  if (code != 0) return code;
  return ended == 0 ? 0 : kErrOpenFailed;
}

int32_t RecordFile::ReadLayout() {
  header_.assign(kHeaderSize, '\0');
  std::size_t got = 0;
  if (file_->ReadAt(0, &header_[0], kHeaderSize, &got) != 0) return kErrOpenFailed;
  if (got < static_cast<std::size_t>(kHeaderSize)) return kErrNotDatabase;
  const char* h = header_.data();
  if (std::memcmp(h, "WCDB", 4) == 0) return kErrOpenFailed;  // needs a password
  if (std::memcmp(h, "WEDB", 4) != 0) return kErrNotDatabase;
  const int32_t version = GetInt32(h + 4);
  const int32_t count = GetInt32(h + kCountOffset);
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
  return 0;
}

int32_t RecordFile::CheckLength() {
  int64_t length = 0;
  if (file_->Size(&length) != 0) return kErrOpenFailed;
  int32_t count = GetInt32(header_.data() + kCountOffset);
  const int64_t whole = (length - firstRecord_) / recordSize_;
  if (whole < count) {
    if (access_ == Access::ReadOnly) return kErrFileSize;
    count = static_cast<int32_t>(whole);
    char raw[4];
    PutInt32(raw, count);
    if (file_->WriteAt(kCountOffset, raw, 4) != 0) return kErrOpenFailed;
    PutInt32(&header_[kCountOffset], count);
    repairs_.countLowered = true;
  }
  if (access_ == Access::ReadOnly) return 0;
  if (whole > count) {
    // One whole record beyond the count carrying the id the header would
    // have issued next is an append cut short before it counted the record:
    // it never returned, so nothing the learner kept is lost with it. More
    // than that means a damaged count; the records go only after a copy.
    bool cutAppend = false;
    if (whole == int64_t{count} + 1) {
      char raw[4];
      std::size_t got = 0;
      const int32_t nextId = std::max(GetInt32(header_.data() + kNextIdOffset), 1);
      cutAppend = file_->ReadAt(RecordOffset(count), raw, 4, &got) == 0 && got == 4 &&
                  GetInt32(raw) == nextId;
    }
    if (!cutAppend) {
      const int32_t code = CopyBeforeRepair();
      if (code != 0) return code;
      repairs_.wholeRecordsCut = true;
    }
  }
  // Drops a record whose append was cut short, and any other trailing bytes.
  const int64_t exact = RecordOffset(count);
  if (length != exact) {
    if (file_->Truncate(exact) != 0) return kErrOpenFailed;
    repairs_.trailingCut = true;
  }
  return 0;
}

int32_t RecordFile::CopyBeforeRepair() {
  const std::string suffix = ".before-repair-" + Stamp();
  // A second repair within the same second gets a number of its own.
  std::string name;
  for (int n = 1; n < 100 && name.empty(); ++n) {
    const std::string candidate = n == 1 ? suffix : suffix + "-" + std::to_string(n);
    int64_t length = 0;
    const bool taken =
        fs_->LengthOf(path_ + candidate, &length) != kErrFileNotFound ||
        (side_ && fs_->LengthOf(SideFile::PathFor(path_) + candidate, &length) != kErrFileNotFound);
    if (!taken) name = candidate;
  }
  if (name.empty()) return kErrAccessDenied;
  int32_t code = CopyFile(*file_, *fs_, path_ + name);
  if (code == 0 && side_) {
    code = CopyFile(side_->file(), *fs_, SideFile::PathFor(path_) + name);
    if (code != 0) fs_->Remove(path_ + name);
  }
  if (code == 0) repairs_.copyPath = path_ + name;
  return code;
}

int32_t RecordFile::Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                           int32_t recordSize, FileSystem* fs) {
  if (fs == nullptr) fs = PosixFileSystem::Instance().get();
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
  if (code == 0 && side) code = SideFile::WriteEmpty(*side, kVersion);
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

// --- The journal protocol ------------------------------------------------

int32_t RecordFile::BeginChange() {
  if (journal_.active()) return journal_.Begin();
  int32_t code = locks_.LockByte(kJournalLock, WriterTimeout(timeoutMs_));
  if (code != 0) return code;
  bool content = false;
  code = journal_.HasContent(&content);
  if (code == 0 && content) {
    // Holding the journal lock, nobody else is writing the journal: a change
    // that did not finish left it. With the whole file held (or the file to
    // this process alone) it is played back here; otherwise the caller lets
    // its locks go and plays it back under the whole-file lock.
    const bool wholeFile =
        exclusiveShare_ || (locks_.HoldsWhole() && locks_.wholeKind() == LockKind::Exclusive);
    if (wholeFile) {
      bool played = false;
      code = journal_.PlayBack(&played);
      repairs_.journalPlayedBack = repairs_.journalPlayedBack || played;
    } else {
      code = kHotJournal;
    }
  }
  if (code == 0) code = locks_.LockByte(kJournalOwner, WriterTimeout(timeoutMs_));
  if (code == 0) {
    code = journal_.Begin();
    if (code != 0) locks_.UnlockByte(kJournalOwner);
  }
  if (code != 0) locks_.UnlockByte(kJournalLock);
  return code;
}

int32_t RecordFile::EndChange(int32_t code) {
  const int32_t result = journal_.End(code);
  if (!journal_.active()) {
    locks_.UnlockByte(kJournalOwner);
    locks_.UnlockByte(kJournalLock);
  }
  return result;
}

int32_t RecordFile::CheckHot() {
  if (journal_.active() || locks_.CountOf(kJournalLock) > 0) return 0;
  bool content = false;
  int32_t code = journal_.HasContent(&content);
  if (code != 0 || !content) return code;
  code = file_->TestLock(kJournalOwner, 1, LockKind::Exclusive);
  if (code == kErrLockViolation) return 0;  // its change is still running
  return code == 0 ? kHotJournal : code;
}

int32_t RecordFile::RecoverHotJournal() {
  WholeLock whole(locks_, WriterTimeout(timeoutMs_));
  if (whole.code() != 0) return whole.code();
  // Plays the journal back, and has nothing to commit.
  int32_t code = BeginChange();
  if (code == 0) code = EndChange(0);
  return code;
}

template <typename Write>
int32_t RecordFile::Retrying(Write&& write) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int32_t code = write();
    if (code != kHotJournal) return code;
    const int32_t recovered = RecoverHotJournal();
    if (recovered != 0) return recovered;
  }
  return kErrLockViolation;
}

int32_t RecordFile::Settle(int32_t code) {
  // Inside an exclusive scope every write counts: one that fails rolls the
  // whole scope back, unless it was refused before it touched anything.
  const bool refused = code == kErrTypeMismatch || code == kErrNoCurrentRecord ||
                       code == kErrAccessDenied || code == kErrLockFailed;
  if (code != 0 && !refused) journal_.Poison(code);
  return code;
}

int32_t RecordFile::SettleRead(int32_t code) {
  // A read the file failed inside an exclusive scope fails the scope too:
  // what the caller writes next may rest on it. Reading past the last
  // record, before the first, or a damaged value is an answer, not a
  // failure of the file.
  const bool answer = code == kErrSeek || code == kErrNoCurrentRecord ||
                      code == kErrSideFileAccess || code == kErrOutOfMemory;
  if (code != 0 && !answer) journal_.Poison(code);
  return code;
}

template <typename Write>
int32_t RecordFile::WritingRecord(int32_t index, Write&& write) {
  return Settle(Retrying([&]() -> int32_t {
    ByteLock lock(locks_, RecordOffset(index), timeoutMs_);
    if (lock.code() != 0) return lock.code();
    if (const int32_t hot = CheckHot()) return hot;
    return write();
  }));
}

int32_t RecordFile::MayWrite() const {
  if (access_ == Access::ReadOnly) return kErrAccessDenied;
  if (locks_.HoldsWhole() && locks_.wholeKind() == LockKind::Shared) return kErrLockFailed;
  return 0;
}

int32_t RecordFile::WriteWhole(int64_t offset, const char* bytes, std::size_t size) {
  if (!journal_.active() && !StraddlesPage(offset, size)) {
    return file_->WriteAt(offset, bytes, size);
  }
  int32_t code = BeginChange();
  if (code != 0) return code;
  code = file_->WriteAt(offset, bytes, size);
  return EndChange(code);
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
  if (exclusive) code = BeginChange();
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
  const int32_t code = exclusive ? EndChange(0) : 0;
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
  return journal_.SetCompanion(file);
}

void RecordFile::FailScope(int32_t code) {
  if (!scopes_.empty() && scopes_.back()) journal_.Poison(code != 0 ? code : kErrUnknown);
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
  ByteLock lock(locks_, kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[8];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
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
  ByteLock lock(locks_, kCountOffset, CountReadTimeout(timeoutMs_));
  if (lock.code() != 0) return lock.code();
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
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
  const FieldDescriptor& fd = fields_[static_cast<std::size_t>(field)];
  if (!ValueFitsField(value, fd.type)) return kErrTypeMismatch;
  if (index < 0) return kErrNoCurrentRecord;
  if (const int32_t refused = MayWrite()) return refused;
  return WritingRecord(index, [&]() -> int32_t {
    int64_t length = 0;
    if (file_->Size(&length) != 0) return kErrFieldWrite;
    if (RecordOffset(index) + recordSize_ > length) return kErrNoCurrentRecord;
    const int64_t at = RecordOffset(index) + fd.offset;
    if (!fd.InSideFile()) {
      const auto width = static_cast<std::size_t>(fd.Width());
      if (!Reserve(width)) return kErrOutOfMemory;
      EncodeField(fd, value, &scratch_[0]);
      const int32_t code = WriteWhole(at, scratch_.data(), width);
      return code == kHotJournal || code == 0 || IsBusy(code) ? code : kErrFieldWrite;
    }
    if (!side_) return kErrSideFileAccess;
    char raw[4];
    std::size_t got = 0;
    if (file_->ReadAt(at, raw, sizeof raw, &got) != 0 || got < sizeof raw) return kErrFieldWrite;
    const int32_t old = GetInt32(raw);
    // The old value's blocks are reused first; the journal keeps the old
    // text whole until the new one is complete.
    int32_t code = BeginChange();
    if (code != 0) return code;
    int32_t first = 0;
    code = side_->Store(old, value.bytes(), &first);
    if (code == 0 && first != old) {
      PutInt32(raw, first);
      code = file_->WriteAt(at, raw, sizeof raw);
    }
    return EndChange(code);
  });
}

int32_t RecordFile::Append(const std::vector<Value>& values, int32_t* index) {
  *index = -1;
  const std::size_t given = std::min(values.size(), fields_.size());
  bool sideValues = false;
  for (std::size_t i = 0; i < given; ++i) {
    if (values[i].kind() == Value::Kind::Empty) continue;
    if (!ValueFitsField(values[i], fields_[i].type)) return kErrTypeMismatch;
    sideValues = sideValues || (fields_[i].InSideFile() && !values[i].bytes().empty());
  }
  if (const int32_t refused = MayWrite()) return refused;
  return Settle(Retrying([&]() -> int32_t {
    // The append starts by reading the count, so its header lock waits as
    // long as a count read does: two processes appending at once take turns.
    ByteLock header(locks_, kCountOffset, WriterTimeout(timeoutMs_));
    if (header.code() != 0) return header.code();
    if (const int32_t hot = CheckHot()) return hot;
    char counters[8];
    std::size_t got = 0;
    if (file_->ReadAt(kCountOffset, counters, sizeof counters, &got) != 0 ||
        got < sizeof counters) {
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
    // With values in the side file the append is one change: a failure or
    // a kill gives back every block it took. Without, the record goes first
    // and the header after it: a kill in between leaves a record beyond the
    // count, which the next open drops.
    const bool journaled = sideValues || journal_.active();
    int32_t code = journaled ? BeginChange() : 0;
    if (code != 0) return code;
    for (std::size_t i = 0; i < given && code == 0; ++i) {
      const FieldDescriptor& fd = fields_[i];
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
      code = file_->WriteAt(kCountOffset, counters, sizeof counters);
    }
    if (journaled) code = EndChange(code);
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
    return code == kHotJournal || code == 0 || IsBusy(code) ? code : kErrFieldWrite;
  });
}

int32_t RecordFile::FreeSideValues(const char* record) {
  if (!side_) return 0;
  for (const FieldDescriptor& fd : fields_) {
    if (!fd.InSideFile()) continue;
    const int32_t first = GetInt32(record + fd.offset);
    int32_t none = 0;
    // A damaged chain is left alone (Store does not follow it): only space
    // is lost. A failing file fails the purge.
    const int32_t code = first != 0 ? side_->Store(first, std::string(), &none) : 0;
    if (code != 0 && code != kErrSideFileAccess) return code;
  }
  return 0;
}

int32_t RecordFile::Purge() {
  if (const int32_t refused = MayWrite()) return refused;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  // The whole purge is one change: a kill anywhere leaves every record as it
  // was, marked ones included.
  int32_t code = BeginChange();
  if (code != 0) return code;
  char raw[4];
  std::size_t got = 0;
  if (file_->ReadAt(kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return EndChange(kErrRecordCount);
  }
  int32_t count = GetInt32(raw);
  if (count < 0) return EndChange(kErrRecordCount);
  // Only whole records take part, so no chunk ever reads short halfway
  // through the compaction.
  int64_t length = 0;
  if (file_->Size(&length) != 0) return EndChange(kErrRecordRead);
  count = static_cast<int32_t>(std::min<int64_t>(count, (length - firstRecord_) / recordSize_));
  // Nothing to move: no record buffer, whatever size the header declares.
  if (count == 0) {
    cursor_ = 0;
    return EndChange(0);
  }

  const int32_t perChunk = std::max(1, kPurgeChunkBytes / recordSize_);
  std::string chunk;
  try {
    chunk.resize(static_cast<std::size_t>(std::min(perChunk, count)) *
                 static_cast<std::size_t>(recordSize_));
  } catch (const std::bad_alloc&) {
    return EndChange(kErrOutOfMemory);
  }
  cursor_ = 0;
  const auto size = static_cast<std::size_t>(recordSize_);
  int32_t read = 0;
  int32_t write = 0;
  while (read < count && code == 0) {
    const int32_t n = std::min(perChunk, count - read);
    const std::size_t bytes = static_cast<std::size_t>(n) * size;
    if (file_->ReadAt(RecordOffset(read), &chunk[0], bytes, &got) != 0 || got < bytes) {
      code = kErrRecordRead;
      break;
    }
    int32_t kept = 0;
    for (int32_t j = 0; j < n && code == 0; ++j) {
      char* record = &chunk[static_cast<std::size_t>(j) * size];
      if (GetInt32(record) < 0) {
        code = FreeSideValues(record);
        continue;
      }
      if (kept != j) std::memmove(&chunk[static_cast<std::size_t>(kept) * size], record, size);
      ++kept;
    }
    // Until the first marked record nothing moves.
    if (code == 0 && (write != read || kept != n) && kept > 0) {
      if (file_->WriteAt(RecordOffset(write), chunk.data(),
                         static_cast<std::size_t>(kept) * size) != 0) {
        code = kErrFieldWrite;
      }
    }
    write += kept;
    read += n;
  }
  if (code == 0) {
    PutInt32(raw, write);
    if (file_->WriteAt(kCountOffset, raw, sizeof raw) != 0) code = kErrFieldWrite;
  }
  if (code == 0 && file_->Truncate(RecordOffset(write)) != 0) code = kErrFieldWrite;
  return EndChange(code);
}

int32_t RecordFile::Clear() {
  if (const int32_t refused = MayWrite()) return refused;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  int32_t code = BeginChange();
  if (code != 0) return code;
  char raw[4];
  PutInt32(raw, 0);
  code = file_->WriteAt(kCountOffset, raw, sizeof raw);
  if (code == 0) code = file_->Truncate(firstRecord_);
  if (code == 0 && side_) code = side_->Clear();
  code = EndChange(code);
  if (code != 0) return code;
  cursor_ = 0;
  return 0;
}

}  // namespace cindral
