// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rollback journal that makes a change to the book all or nothing.
//
// The journal is a file beside the data file, its name with "-journal"
// added ("单词本.EDB-journal"). A change holds its writes in memory (see
// JournaledFile.h); before any of them reaches the book, the journal
// receives the original bytes of every range about to be overwritten or cut
// off, and the original length of every file whose length changes, and is
// synced. Then the book's files are written and synced, and the journal's
// header is wiped and synced: that is the moment the change is committed.
// A small journal keeps its length for the next change (rewriting it is
// cheaper than growing it); a large one is cut to length 0. A change that holds more than
// kSpillBytes writes part of it early the same way (journal first, synced), so memory stays
// bounded; the journal then grows by what the later parts replace.
//
// A journal with content whose writer is gone is hot: playing it back puts
// every saved range back and every file back to its saved length, which
// returns the book to where it was before the change began. Every entry
// carries a checksum (salted per change), so an entry whose writing was cut
// short, and anything after it, is ignored: the book bytes it would protect
// were never written.
//
// The journal does no locking; the record file decides who may change the
// book and when a journal is hot (see RecordFile.h).
//
// A change may also replace a companion file whole (the settings file, see
// CompanionFile.h). Its original contents go into the journal, after the
// book's entries and before anything is written; the new file is renamed
// into place, and its directory synced, after the book is synced and
// before the commit. Playing the journal back puts the old contents back
// (when the file does not hold them already).
//
// A journal names the book it protects: the book's length before the change
// and a checksum of its first and last kIdentityBytes then. A journal whose
// book is not found again (the book was replaced by a copy of another day,
// or a sync tool brought the journal from another computer) is never played
// back: it is renamed "<journal>-other-<salt>" and the book left as it is.
//
// File layout (little-endian): a 32-byte header, the magic "CINDRALJ", the
// int32 format 1, the change's uint32 salt, the book's int64 length and
// uint32 checksum (CRC-32 of its first and then its last bytes; both zero in
// a journal that names no book, which is played back as it is), and at
// offset 28 the CRC-32 of bytes 0 to 27; then entries of a 24-byte head followed by their
// bytes: uint32 kind (1 = original bytes, 2 = original length, 3 = original
// contents of a companion file), int32 file (0 = data file, 1 = side file;
// for kind 3: 1 = the file existed, 0 = it did not), int64 offset (the
// length, for kind 2; for kind 3 the length of the file's name), int32
// number of bytes that follow (0 for kind 2; for kind 3 the name, GBK and
// relative to the book's folder when the file lies there, then the
// contents), and the CRC-32 of the salt, the first 20 head bytes and the
// bytes. Journals without kind 3 are played back as they always were.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "store/CompanionFile.h"
#include "store/FileSystem.h"
#include "store/JournaledFile.h"

namespace cindral {

class Journal {
 public:
  // A change holds at most about this many bytes before it writes part of
  // them (journal first).
  static constexpr std::size_t kSpillBytes = std::size_t{4} << 20;
  // The most bytes one entry carries; longer ranges take several entries.
  static constexpr std::size_t kMaxEntryBytes = std::size_t{1} << 20;
  static constexpr int64_t kHeaderSize = 32;
  // A committed journal up to this long keeps its length for the next change.
  static constexpr int64_t kKeptJournalBytes = 256 * 1024;
  static constexpr int64_t kEntryHeadSize = 24;
  // How many of the book's first and last bytes name it.
  static constexpr int64_t kIdentityBytes = 4096;

  Journal(std::shared_ptr<FileSystem> fs, std::string path);
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // "<data path>-journal".
  static std::string PathFor(const std::string& dataPath);
  const std::string& path() const { return path_; }

  // The files a change covers; `side` may be null.
  void Attach(JournaledFile* data, JournaledFile* side);

  // Begins a change, or one more level of the change that is running.
  // Inside a failed change no level begins: the failure is reported.
  int32_t Begin();
  // Ends one level. `code` is the outcome of the work done in it: a failure
  // rolls the whole change back at once and every later level fails with
  // it. The outermost level commits; its result is the change's.
  int32_t End(int32_t code);
  bool active() const { return depth_ > 0; }
  // The failure that rolled the running change back, 0 while it stands.
  int32_t failure() const { return failure_; }
  // Called by a file after it held a write: writes part of the change when
  // too much is held.
  int32_t AfterHold();
  // Rolls the running change back because an operation inside it failed
  // before it got to write.
  void Poison(int32_t code);
  // The running change also replaces `file` whole when it commits. One
  // companion per change; `file` must outlive it.
  int32_t SetCompanion(CompanionFile* file);

  // Whether a journal with content (a whole, valid header) lies beside the
  // book.
  int32_t HasContent(bool* content);
  // Plays back a journal left behind by a change that did not finish, then
  // empties it. The caller keeps every other writer out while it runs.
  // `*played` tells whether there was a journal to play back.
  // A journal that is another book's is set aside instead (see above);
  // `setAside()` then names where it went.
  int32_t PlayBack(bool* played);
  const std::string& setAside() const { return setAside_; }

 private:
  JournaledFile* FileAt(int32_t index) const;
  int32_t Spill(bool final);
  int32_t Commit();
  void Fail(int32_t code);
  int32_t OpenForWriting();
  std::string Header() const;
  int32_t WriteEntry(uint32_t kind, int32_t file, int64_t offset, const std::string& bytes);
  int32_t PlayBackFrom(FileAccess& journal, bool* played);
  using EntryVisitor =
      std::function<int32_t(uint32_t kind, int32_t file, int64_t offset, const std::string& bytes)>;
  // Visits every whole entry in order; a failing visit stops and is returned.
  static int32_t ForEachEntry(FileAccess& journal, uint32_t salt, const EntryVisitor& visit);
  // The book's length and checksum as it is now.
  int32_t CurrentIdentity(int64_t* length, uint32_t* sum);
  // Whether the journal's book is the attached one, as it was before the
  // change (the book now, with what the journal saved put back).
  int32_t MatchesBook(FileAccess& journal, bool* matches, uint32_t* salt);
  // Restarts the files' change after a rollback, holding nothing.
  void ResetFiles();
  void FinishFiles();
  // The companion's old and new contents, under its directory's lock.
  int32_t PrepareCompanion();
  // The companion's name as the journal keeps it, and back.
  std::string StoredName(const std::string& path) const;
  std::string PathOf(const std::string& stored) const;
  // Puts a companion's saved contents back when it holds others.
  int32_t RestoreCompanion(const std::string& path, const std::string* contents);
  void ForgetCompanion();

  std::shared_ptr<FileSystem> fs_;
  std::string path_;
  JournaledFile* files_[2] = {nullptr, nullptr};
  std::unique_ptr<FileAccess> file_;  // the journal, open while a change writes it
  int depth_ = 0;
  int32_t failure_ = 0;
  uint32_t salt_ = 0;
  int64_t bookLength_ = 0;  // the book before this change, as the header names it
  uint32_t bookSum_ = 0;
  std::string setAside_;
  bool written_ = false;  // the journal holds entries of this change
  int64_t end_ = 0;       // where the next entry goes
  bool lengthSaved_[2] = {false, false};

  CompanionFile* companion_ = nullptr;
  std::unique_ptr<HeldLock> companionLock_;  // its directory, while it is replaced
  bool companionChanges_ = false;            // its new contents differ from the old
  bool companionSaved_ = false;              // the journal holds its old contents
  std::string companionPath_;
  std::string companionOld_;
  bool companionExisted_ = false;
  std::string companionNew_;
};

}  // namespace cindral
