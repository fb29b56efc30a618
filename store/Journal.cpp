// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Journal.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

constexpr char kMagic[8] = {'C', 'I', 'N', 'D', 'R', 'A', 'L', 'J'};
constexpr int32_t kFormat = 1;
constexpr uint32_t kKindBytes = 1;
constexpr uint32_t kKindLength = 2;
constexpr uint32_t kKindCompanion = 3;

uint32_t Crc32(uint32_t crc, const char* data, std::size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFFu] ^ (crc >> 8);
  }
  return ~crc;
}

bool HeaderIsValid(const char* header) {
  return std::memcmp(header, kMagic, sizeof kMagic) == 0 && GetInt32(header + 8) == kFormat &&
         static_cast<uint32_t>(GetInt32(header + 28)) == Crc32(0, header, 28);
}

uint32_t EntryCrc(uint32_t salt, const char* head, const char* bytes, std::size_t size) {
  char saltBytes[4];
  PutInt32(saltBytes, static_cast<int32_t>(salt));
  uint32_t crc = Crc32(0, saltBytes, sizeof saltBytes);
  crc = Crc32(crc, head, 20);
  return Crc32(crc, bytes, size);
}

// Differs from one change to the next, so that entries of an earlier change
// left behind a shorter journal can never pass for this one's.
uint32_t NewSalt() {
  static std::atomic<uint32_t> counter{0};
  char mix[24];
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  PutInt64(mix, static_cast<int64_t>(now));
  PutInt64(mix + 8, static_cast<int64_t>(wall));
  PutInt32(mix + 16, static_cast<int32_t>(::getpid()));
  PutInt32(mix + 20, static_cast<int32_t>(counter.fetch_add(1)));
  return Crc32(0, mix, sizeof mix);
}

}  // namespace

Journal::Journal(std::shared_ptr<FileSystem> fs, std::string path)
    : fs_(std::move(fs)), path_(std::move(path)) {}

std::string Journal::PathFor(const std::string& dataPath) { return dataPath + "-journal"; }

void Journal::Attach(JournaledFile* data, JournaledFile* side) {
  files_[0] = data;
  files_[1] = side;
}

JournaledFile* Journal::FileAt(int32_t index) const {
  return index >= 0 && index < 2 ? files_[index] : nullptr;
}

int32_t Journal::Begin() {
  if (depth_ > 0) {
    if (failure_ != 0) return failure_;
    ++depth_;
    return 0;
  }
  failure_ = 0;
  written_ = false;
  end_ = 0;
  lengthSaved_[0] = lengthSaved_[1] = false;
  ForgetCompanion();
  salt_ = NewSalt();
  for (int i = 0; i < 2; ++i) {
    if (files_[i] == nullptr) continue;
    const int32_t code = files_[i]->BeginChange(this);
    if (code != 0) {
      for (int j = 0; j <= i; ++j) {
        if (files_[j] != nullptr) files_[j]->EndChange();
      }
      return code;
    }
  }
  depth_ = 1;
  return 0;
}

int32_t Journal::End(int32_t code) {
  if (depth_ == 0) return code;
  if (code != 0 && failure_ == 0) Fail(code);
  if (--depth_ > 0) return code != 0 ? code : failure_;
  int32_t result = failure_;
  if (result == 0) {
    result = Commit();
    if (result != 0) Fail(result);
  }
  FinishFiles();
  file_.reset();
  ForgetCompanion();
  return result;
}

int32_t Journal::AfterHold() {
  std::size_t held = 0;
  for (JournaledFile* f : files_) {
    if (f != nullptr) held += f->heldBytes();
  }
  if (held <= kSpillBytes) return 0;
  const int32_t code = Spill(false);
  if (code != 0) Fail(code);
  return failure_;
}

int32_t Journal::OpenForWriting() {
  if (file_) return 0;
  bool created = false;
  int32_t code = fs_->OpenOrCreate(path_, &file_, &created);
  // A journal the system could lose with its directory entry protects
  // nothing.
  if (code == 0 && created) code = fs_->SyncDirectoryOf(path_);
  if (code != 0) file_.reset();
  return code;
}

std::string Journal::Header() const {
  std::string header(static_cast<std::size_t>(kHeaderSize), '\0');
  std::memcpy(&header[0], kMagic, sizeof kMagic);
  PutInt32(&header[8], kFormat);
  PutInt32(&header[12], static_cast<int32_t>(salt_));
  PutInt64(&header[16], bookLength_);
  PutInt32(&header[24], static_cast<int32_t>(bookSum_));
  PutInt32(&header[28], static_cast<int32_t>(Crc32(0, header.data(), 28)));
  return header;
}

void Journal::Poison(int32_t code) {
  if (depth_ > 0 && failure_ == 0) Fail(code);
}

int32_t Journal::SetCompanion(CompanionFile* file) {
  if (depth_ == 0) return kErrLockFailed;
  if (failure_ != 0) return failure_;
  if (companion_ != nullptr && companion_ != file) return kErrAccessDenied;
  companion_ = file;
  return 0;
}

void Journal::ForgetCompanion() {
  companion_ = nullptr;
  companionLock_.reset();
  companionChanges_ = companionSaved_ = companionExisted_ = false;
  companionPath_.clear();
  companionOld_.clear();
  companionNew_.clear();
}

std::string Journal::StoredName(const std::string& path) const {
  // Beside the book the name alone is kept, so that a folder moved
  // elsewhere before the next start still finds its file.
  const std::size_t slash = path_.rfind('/');
  if (slash == std::string::npos) return path;
  const std::string folder = path_.substr(0, slash + 1);
  if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
      path.find('/', folder.size()) == std::string::npos) {
    return path.substr(folder.size());
  }
  return path;
}

std::string Journal::PathOf(const std::string& stored) const {
  const std::size_t slash = path_.rfind('/');
  if (stored.find('/') != std::string::npos || slash == std::string::npos) return stored;
  return path_.substr(0, slash + 1) + stored;
}

int32_t Journal::PrepareCompanion() {
  companionPath_ = companion_->Path();
  // Nobody else writes the file from here to the commit: what it held is
  // what goes into the journal, and no update of theirs is lost.
  int32_t code = fs_->LockDirectoryOf(companionPath_, &companionLock_);
  if (code == 0) code = ReadWholeFile(*fs_, companionPath_, &companionOld_, &companionExisted_);
  if (code != 0) return code;
  if (!companion_->Update(companionExisted_ ? &companionOld_ : nullptr, &companionNew_)) {
    return kErrAccessDenied;
  }
  companionChanges_ = !companionExisted_ || companionNew_ != companionOld_;
  // Its old contents go into one entry.
  if (companionChanges_ &&
      StoredName(companionPath_).size() + companionOld_.size() > kMaxEntryBytes) {
    return kErrFileSize;
  }
  return 0;
}

int32_t Journal::RestoreCompanion(const std::string& path, const std::string* contents) {
  std::unique_ptr<HeldLock> lock;
  int32_t code = companionLock_ ? 0 : fs_->LockDirectoryOf(path, &lock);
  std::string now;
  bool exists = false;
  if (code == 0) code = ReadWholeFile(*fs_, path, &now, &exists);
  if (code != 0) return code;
  // A change cut short before the file was replaced left it as it was.
  if (contents == nullptr ? !exists : exists && now == *contents) return 0;
  return ReplaceWholeFile(*fs_, path, contents);
}

int32_t Journal::WriteEntry(uint32_t kind, int32_t file, int64_t offset, const std::string& bytes) {
  std::string entry(static_cast<std::size_t>(kEntryHeadSize) + bytes.size(), '\0');
  PutInt32(&entry[0], static_cast<int32_t>(kind));
  PutInt32(&entry[4], file);
  PutInt64(&entry[8], offset);
  PutInt32(&entry[16], static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(&entry[kEntryHeadSize], bytes.data(), bytes.size());
  PutInt32(&entry[20],
           static_cast<int32_t>(EntryCrc(salt_, entry.data(), bytes.data(), bytes.size())));
  const int32_t code = file_->WriteAt(end_, entry.data(), entry.size());
  if (code != 0) return code;
  end_ += static_cast<int64_t>(entry.size());
  return 0;
}

int32_t Journal::Spill(bool final) {
  std::vector<JournaledFile::Range> ranges[2];
  bool saveLength[2] = {false, false};
  const bool saveCompanion = final && companionChanges_ && !companionSaved_;
  bool anything = saveCompanion;
  for (int i = 0; i < 2; ++i) {
    if (files_[i] == nullptr) continue;
    saveLength[i] = !lengthSaved_[i] && files_[i]->LengthChanges();
    ranges[i] = files_[i]->RangesToSave(final);
    anything = anything || saveLength[i] || !ranges[i].empty();
  }
  if (anything) {
    int32_t code = OpenForWriting();
    if (code != 0) return code;
    if (!written_) {
      // Nothing of this change has reached the book yet: what it holds now
      // is what a playback must find again.
      code = CurrentIdentity(&bookLength_, &bookSum_);
      if (code != 0) return code;
      const std::string header = Header();
      code = file_->WriteAt(0, header.data(), header.size());
      if (code != 0) return code;
      // From here on a rollback reads the journal back.
      written_ = true;
      end_ = kHeaderSize;
    }
    for (int i = 0; i < 2; ++i) {
      if (saveLength[i]) {
        code = WriteEntry(kKindLength, i, files_[i]->originalLength(), std::string());
        if (code != 0) return code;
      }
      for (const JournaledFile::Range& range : ranges[i]) {
        for (int64_t at = range.start; at < range.end;) {
          const auto size = static_cast<std::size_t>(
              std::min<int64_t>(range.end - at, static_cast<int64_t>(kMaxEntryBytes)));
          std::string original(size, '\0');
          std::size_t got = 0;
          code = files_[i]->inner().ReadAt(at, &original[0], size, &got);
          if (code == 0 && got < size) code = kErrEndOfFile;
          if (code == 0) code = WriteEntry(kKindBytes, i, at, original);
          if (code != 0) return code;
          at += static_cast<int64_t>(size);
        }
      }
    }
    if (saveCompanion) {
      const std::string name = StoredName(companionPath_);
      code = WriteEntry(kKindCompanion, companionExisted_ ? 1 : 0,
                        static_cast<int64_t>(name.size()), name + companionOld_);
      if (code != 0) return code;
    }
    code = file_->Sync();
    if (code != 0) return code;
    companionSaved_ = companionSaved_ || saveCompanion;
    for (int i = 0; i < 2; ++i) {
      if (files_[i] == nullptr) continue;
      files_[i]->MarkSaved(ranges[i]);
      lengthSaved_[i] = lengthSaved_[i] || saveLength[i];
    }
  }
  for (JournaledFile* f : files_) {
    if (f == nullptr) continue;
    const int32_t code = f->Flush(final);
    if (code != 0) return code;
  }
  return 0;
}

int32_t Journal::Commit() {
  if (companion_ != nullptr) {
    const int32_t code = PrepareCompanion();
    if (code != 0) return code;
  }
  bool pending = written_ || companionChanges_;
  for (JournaledFile* f : files_) {
    if (f != nullptr) pending = pending || f->heldBytes() > 0 || f->LengthChanges();
  }
  if (!pending) return 0;  // nothing changed: no journal, no sync
  int32_t code = Spill(true);
  for (JournaledFile* f : files_) {
    if (code == 0 && f != nullptr && f->wroteSinceBegin()) code = f->inner().Sync();
  }
  // The book is whole with the change; the companion follows, its new name
  // synced before the commit, so the two are never found apart.
  if (code == 0 && companionChanges_) {
    code = ReplaceWholeFile(*fs_, companionPath_, &companionNew_);
  }
  if (code != 0) return code;
  if (!written_) return 0;
  // The commit: a journal without its header is never played back. Until
  // the wiped header is synced the change can still be rolled back, so a
  // failure puts the header back for the rollback to read.
  const char zeros[kHeaderSize] = {};
  code = file_->WriteAt(0, zeros, sizeof zeros);
  if (code == 0) code = file_->Sync();
  if (code != 0) {
    const std::string header = Header();
    file_->WriteAt(0, header.data(), header.size());
    return code;
  }
  written_ = false;
  // A journal whose header is wiped is ignored, whatever its length. A small
  // one keeps its length, so that the next change writes it without the
  // system having to note a new length; a large one gives its space back.
  if (end_ > kKeptJournalBytes) file_->Truncate(0);
  return 0;
}

void Journal::Fail(int32_t code) {
  failure_ = code;
  if (written_) {
    bool played = false;
    const int32_t playCode = file_ ? PlayBackFrom(*file_, &played) : PlayBack(&played);
    // A rollback that fails leaves the journal as it is: whoever next takes
    // the book over plays it back.
    if (playCode == 0) written_ = false;
  }
  ResetFiles();
}

void Journal::ResetFiles() {
  for (JournaledFile* f : files_) {
    if (f == nullptr) continue;
    f->EndChange();
    if (depth_ > 0) f->BeginChange(this);
  }
}

void Journal::FinishFiles() {
  for (JournaledFile* f : files_) {
    if (f != nullptr) f->EndChange();
  }
}

int32_t Journal::HasContent(bool* content) {
  *content = false;
  char header[kHeaderSize];
  std::size_t got = 0;
  const int32_t code = fs_->ReadStart(path_, header, sizeof header, &got);
  if (code == kErrFileNotFound) return 0;
  if (code != 0) return code;
  // A header cut short or wiped (the commit) protects nothing; entries are
  // written after the header, so without one there is nothing to play back.
  *content = got == sizeof header && HeaderIsValid(header);
  return 0;
}

int32_t Journal::PlayBack(bool* played) {
  *played = false;
  std::unique_ptr<FileAccess> journal;
  int32_t code = fs_->Open(path_, Access::ReadWrite, Share::DenyNone, &journal);
  if (code == kErrFileNotFound) return 0;
  if (code != 0) return code;
  bool matches = true;
  uint32_t salt = 0;
  code = MatchesBook(*journal, &matches, &salt);
  if (code != 0) return code;
  if (matches) return PlayBackFrom(*journal, played);
  // Another book's journal: the book was replaced by a copy of another
  // day, or the journal came from another computer. Playing it back would
  // write that book's bytes into this one, so it is kept aside as it is and
  // this book left alone.
  journal.reset();
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-other-%08x", static_cast<unsigned>(salt));
  const std::string aside = path_ + suffix;
  code = fs_->Rename(path_, aside);
  if (code == 0) code = fs_->SyncDirectoryOf(path_);
  if (code == 0) setAside_ = aside;
  return code;
}

namespace {

// The bytes of [start, end) of `file`; what lies past its end reads as zeros.
int32_t ReadRange(FileAccess& file, int64_t start, int64_t end, std::string* bytes) {
  bytes->assign(static_cast<std::size_t>(std::max<int64_t>(end - start, 0)), '\0');
  if (bytes->empty()) return 0;
  std::size_t got = 0;
  return file.ReadAt(start, &(*bytes)[0], bytes->size(), &got);
}

// Where the book's first and last kIdentityBytes lie in a book `length`
// bytes long: [0, headEnd) and [tailStart, length), never overlapping.
void IdentityWindows(int64_t length, int64_t* headEnd, int64_t* tailStart) {
  *headEnd = std::min(length, Journal::kIdentityBytes);
  *tailStart = std::max(*headEnd, length - Journal::kIdentityBytes);
}

// Copies what an entry saved at `offset` holds of the window at `start`.
void Overlay(int64_t offset, const std::string& saved, int64_t start, std::string* window) {
  const int64_t from = std::max(offset, start);
  const int64_t to = std::min(offset + static_cast<int64_t>(saved.size()),
                              start + static_cast<int64_t>(window->size()));
  if (from >= to) return;
  std::memcpy(&(*window)[static_cast<std::size_t>(from - start)], saved.data() + (from - offset),
              static_cast<std::size_t>(to - from));
}

uint32_t IdentitySum(const std::string& head, const std::string& tail) {
  return Crc32(Crc32(0, head.data(), head.size()), tail.data(), tail.size());
}

}  // namespace

int32_t Journal::CurrentIdentity(int64_t* length, uint32_t* sum) {
  *length = 0;
  *sum = 0;
  if (files_[0] == nullptr) return 0;
  FileAccess& book = files_[0]->inner();
  int32_t code = book.Size(length);
  int64_t headEnd = 0;
  int64_t tailStart = 0;
  IdentityWindows(*length, &headEnd, &tailStart);
  std::string head;
  std::string tail;
  if (code == 0) code = ReadRange(book, 0, headEnd, &head);
  if (code == 0) code = ReadRange(book, tailStart, *length, &tail);
  if (code == 0) *sum = IdentitySum(head, tail);
  return code;
}

int32_t Journal::MatchesBook(FileAccess& journal, bool* matches, uint32_t* salt) {
  *matches = true;
  char header[kHeaderSize];
  std::size_t got = 0;
  int32_t code = journal.ReadAt(0, header, sizeof header, &got);
  if (code != 0 || got < sizeof header || !HeaderIsValid(header)) return code;
  *salt = static_cast<uint32_t>(GetInt32(header + 12));
  const int64_t storedLength = GetInt64(header + 16);
  const auto storedSum = static_cast<uint32_t>(GetInt32(header + 24));
  // A journal that names no book (an empty one, or one written before
  // journals named their book) is played back as it always was.
  if ((storedLength == 0 && storedSum == 0) || files_[0] == nullptr) return 0;
  FileAccess& book = files_[0]->inner();
  // The book's length before the change: the one saved, else the one it has.
  int64_t length = -1;
  code = ForEachEntry(journal, *salt,
                      [&](uint32_t kind, int32_t file, int64_t offset, const std::string&) {
                        if (kind == kKindLength && file == 0 && length < 0) length = offset;
                        return 0;
                      });
  if (code == 0 && length < 0) code = book.Size(&length);
  if (code != 0) return code;
  if (length != storedLength) {
    *matches = false;
    return 0;
  }
  // Its first and last bytes before the change: what it holds now, with
  // what the change overwrote put back.
  int64_t headEnd = 0;
  int64_t tailStart = 0;
  IdentityWindows(length, &headEnd, &tailStart);
  std::string head;
  std::string tail;
  code = ReadRange(book, 0, headEnd, &head);
  if (code == 0) code = ReadRange(book, tailStart, length, &tail);
  if (code == 0) {
    code = ForEachEntry(journal, *salt,
                        [&](uint32_t kind, int32_t file, int64_t offset, const std::string& bytes) {
                          if (kind == kKindBytes && file == 0) {
                            Overlay(offset, bytes, 0, &head);
                            Overlay(offset, bytes, tailStart, &tail);
                          }
                          return 0;
                        });
  }
  if (code == 0) *matches = IdentitySum(head, tail) == storedSum;
  return code;
}

int32_t Journal::ForEachEntry(FileAccess& journal, uint32_t salt, const EntryVisitor& visit) {
  std::string bytes;
  for (int64_t at = kHeaderSize;;) {
    char head[kEntryHeadSize];
    std::size_t got = 0;
    int32_t code = journal.ReadAt(at, head, sizeof head, &got);
    if (code != 0) return code;
    if (got < sizeof head) return 0;
    const auto kind = static_cast<uint32_t>(GetInt32(head));
    const int32_t file = GetInt32(head + 4);
    const int64_t offset = GetInt64(head + 8);
    const int32_t size = GetInt32(head + 16);
    if ((kind != kKindBytes && kind != kKindLength && kind != kKindCompanion) || file < 0 ||
        file > 1 || offset < 0 || size < 0 || static_cast<std::size_t>(size) > kMaxEntryBytes ||
        (kind == kKindLength && size != 0) ||
        (kind == kKindCompanion && (offset < 1 || offset > size))) {
      return 0;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0) {
      code = journal.ReadAt(at + kEntryHeadSize, &bytes[0], bytes.size(), &got);
      if (code != 0) return code;
      if (got < bytes.size()) return 0;
    }
    // An entry whose writing was cut short ends the journal.
    if (static_cast<uint32_t>(GetInt32(head + 20)) !=
        EntryCrc(salt, head, bytes.data(), bytes.size())) {
      return 0;
    }
    code = visit(kind, file, offset, bytes);
    if (code != 0) return code;
    at += kEntryHeadSize + size;
  }
}

int32_t Journal::PlayBackFrom(FileAccess& journal, bool* played) {
  *played = false;
  char header[kHeaderSize];
  std::size_t got = 0;
  int32_t code = journal.ReadAt(0, header, sizeof header, &got);
  if (code != 0) return code;
  if (got == sizeof header && HeaderIsValid(header)) {
    const auto salt = static_cast<uint32_t>(GetInt32(header + 12));
    int64_t lengths[2] = {-1, -1};
    bool wrote[2] = {false, false};
    code = ForEachEntry(
        journal, salt,
        [&](uint32_t kind, int32_t file, int64_t offset, const std::string& bytes) -> int32_t {
          if (kind == kKindCompanion) {
            const auto nameLength = static_cast<std::size_t>(offset);
            const std::string contents = bytes.substr(nameLength);
            return RestoreCompanion(PathOf(bytes.substr(0, nameLength)),
                                    file == 1 ? &contents : nullptr);
          }
          JournaledFile* target = FileAt(file);
          // The side file's bytes cannot be put back without the side file.
          if (target == nullptr) return kErrSideFileAccess;
          if (kind == kKindLength) {
            lengths[file] = offset;
            return 0;
          }
          wrote[file] = true;
          return target->inner().WriteAt(offset, bytes.data(), bytes.size());
        });
    if (code != 0) return code;
    for (int i = 0; i < 2; ++i) {
      if (lengths[i] < 0) continue;
      code = files_[i]->inner().Truncate(lengths[i]);
      if (code != 0) return code;
      wrote[i] = true;
    }
    for (int i = 0; i < 2; ++i) {
      if (!wrote[i]) continue;
      code = files_[i]->inner().Sync();
      if (code != 0) return code;
    }
    *played = true;
  }
  // Played back, or never finished its header (then nothing reached the
  // book): either way it has done its work. Its header wiped and synced, it
  // is never played back again; a small one keeps its length for the next
  // change.
  int64_t length = 0;
  code = journal.Size(&length);
  if (code == 0 && length > kKeptJournalBytes) {
    code = journal.Truncate(0);
  } else if (code == 0 && length > 0) {
    const char zeros[kHeaderSize] = {};
    code = journal.WriteAt(0, zeros, std::min<int64_t>(length, kHeaderSize));
  }
  if (code == 0) code = journal.Sync();
  return code;
}

}  // namespace cindral
