// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordFile.h"

#include <utility>

#include "store/BlockAudit.h"
#include "store/Bytes.h"
#include "store/CleanMark.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"
#include "store/OpenRepair.h"
#include "store/PosixFileSystem.h"
#include "store/RecordPurge.h"

namespace cindral {

RecordFile::RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access,
                       Share share, std::shared_ptr<FileSystem> fs)
    : path_(std::move(path)),
      fs_(std::move(fs)),
      readAhead_(new ReadAheadFile(std::move(file))),
      file_(std::make_unique<JournaledFile>(std::unique_ptr<FileAccess>(readAhead_))),
      access_(access),
      locks_(file_.get(), access == Access::ReadOnly ? LockKind::Shared : LockKind::Exclusive),
      change_(locks_, *file_, fs_, path_, share == Share::Exclusive, &repairs_.journalPlayedBack),
      records_(*file_, layout_, locks_, change_, access) {
  change_.journal().Attach(file_.get(), nullptr);
}

RecordFile::~RecordFile() {
  // A scope left open commits what it gathered.
  while (!scopes_.empty()) LeaveScope();
  // Every change whole and the journal empty: the next open may trust the
  // side file as long as nobody writes either file meanwhile.
  if (opened_ && access_ == Access::ReadWrite && side_ && !change_.anyFailed()) {
    bool content = true;
    if (change_.journal().HasContent(&content) == 0 && !content) {
      WriteCleanMark(*fs_, path_, SideFile::PathFor(path_));
    }
  }
  // Locks go first, then the files close (the side file before the data file).
  if (side_) side_->locks().ReleaseAll();
  locks_.ReleaseAll();
  side_.reset();
  file_.reset();
}

void RecordFile::SetTimeout(int32_t timeoutMs) {
  timeoutMs_ = timeoutMs;
  change_.set_timeout(timeoutMs);
  records_.set_timeout(timeoutMs);
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
  db->opened_ = true;
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
    records_.set_side(side_.get());
  }
  OpenRepair repair(records_, *fs_, path_);
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
  repairs_.journalSetAside = journal.setAside();
  if (repairs_.journalPlayedBack) code = RecordLayout::Read(*file_, &layout_);
  if (code == 0) code = repair.CheckLength(&repairs_);
  if (code == 0 && side_) code = side_->Check(access_, share, version());
  // A side file that was closed clean and not written since holds
  // together: reading all of it again would find nothing.
  const bool repaired = repairs_.journalPlayedBack || repairs_.countLowered ||
                        repairs_.trailingCut || repairs_.wholeRecordsCut;
  const bool noted = side_ && !repaired && CleanMarkHolds(*fs_, path_, SideFile::PathFor(path_));
  if (code == 0 && !noted) {
    repairs_.sideFileAudited = side_ != nullptr;
    code = BlockAudit(records_).Run(&repairs_);
  }
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

template <typename Change>
int32_t RecordFile::ChangingWhole(Change&& change) {
  if (const int32_t refused = records_.MayWrite()) return refused;
  WholeLock whole(locks_, timeoutMs_);
  if (whole.code() != 0) return whole.code();
  const int32_t code = change_.Begin();
  if (code != 0) return code;
  return change_.End(change());
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

void RecordFile::ReadThroughMappings() {
  if (access_ != Access::ReadOnly) return;
  readAhead_->MapSpans();
  if (side_) side_->readAhead().MapSpans();
}

void RecordFile::StopReadAhead() {
  readAhead_->Stop();
  if (side_) side_->readAhead().Stop();
}

int32_t RecordFile::Purge() {
  return ChangingWhole([&] {
    bool started = false;
    const int32_t code = RecordPurge(*file_, layout_, side_.get()).Run(&started);
    if (started) records_.set_cursor(0);
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
  if (code == 0) records_.set_cursor(0);
  return code;
}

}  // namespace cindral