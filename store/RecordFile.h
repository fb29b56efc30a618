#pragma once
// One open record database: the data file (header, field descriptors,
// fixed-size records), its side file when it has memo-text or byte-set
// fields, the byte locks it holds, its record cursor, and the rollback
// journal that makes each change all or nothing.
//
// Nothing is cached between operations except what cannot change while the
// file is open (the descriptors and the record size): every count, id and
// field is read from the file at its computed offset, under its lock.
//
// Changes and the journal (see Journal.h for the journal itself, and
// ChangeLocks.h for who may use it when):
//  - A change that writes more than one place, or more than 8 bytes in one
//    place, runs under the journal: storing a memo text or byte set,
//    appending a record with one, purging, clearing, the repairs at open,
//    every write inside an exclusive whole-file scope, and a number whose
//    bytes straddle a 4096-byte page. A single write of at most 8 bytes
//    within a page (a number, a mark, the header's count and next id) is
//    whole on its own, and a plain append writes its record beyond the
//    count before the 8 header bytes that count it, so these go straight
//    to the file.
//  - A hot journal is played back under the whole-file lock: at every
//    read-write open, whenever a purge, a clear or an exclusive scope takes
//    the whole-file lock, and by every write, which looks for a hot journal
//    once it holds its own locks, and if it finds one lets them go, plays
//    the journal back and starts again. Reads do not look: a reader in
//    another process may see the records a dead writer was changing half
//    changed until the next writer or opener rolls them back.
//  - A read-only open never writes, so it refuses a book with a hot
//    journal (kErrOpenFailed).
//
// The parts: RecordLayout (where the header, fields and records lie),
// ChangeLocks (the journal's locks), RecordPurge, OpenRepair and BlockAudit
// (the repairs at open); this class opens them, holds the cursor and the
// scopes, and reads and writes records.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/FieldCodec.h"
#include "store/FileAccess.h"
#include "store/FileSystem.h"
#include "store/ChangeLocks.h"
#include "store/JournaledFile.h"
#include "store/LockTable.h"
#include "store/ReadAheadFile.h"
#include "store/RecordLayout.h"
#include "store/SideFile.h"
#include "store/Value.h"

namespace cindral {

// What a read-write open found and set right.
struct OpenRepairs {
  bool journalPlayedBack = false;  // a change cut short was rolled back
  bool countLowered = false;       // the header counted records the file lacks
  bool trailingCut = false;        // bytes after the last counted record went
  // Whole records after the counted ones went too; `copyPath` names the copy
  // of the data file made before (GBK; the side file's copy lies beside it).
  bool wholeRecordsCut = false;
  std::string copyPath;
  bool freeListRebuilt = false;  // the side file's free list did not hold together
  int32_t valuesCopied = 0;      // values that two records shared got blocks of their own
  int32_t valuesDropped = 0;     // values whose first block was not theirs became empty
  bool nextIdRaised = false;     // a record carried an id the header had yet to issue
};

class RecordFile {
 public:
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens, checks and, with read-write access, repairs a data file (and its
  // side file). `path` is the full GBK path. On failure nothing stays open.
  static int32_t Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                      std::shared_ptr<FileSystem> fs, std::unique_ptr<RecordFile>* out);
  // Writes a new, empty database with these fields laid out one after the
  // other from offset 4 (their offsets are ignored), and its side file when
  // a field needs one. `recordSize` may add unused bytes at the record's
  // end. Existing files are never overwritten; a failure leaves no file.
  static int32_t Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                        int32_t recordSize = 0, FileSystem* fs = nullptr);

  const std::string& path() const { return path_; }
  Access access() const { return access_; }
  const RecordLayout& layout() const { return layout_; }
  int32_t version() const { return layout_.version(); }
  int32_t recordSize() const { return layout_.recordSize(); }
  int64_t firstRecordOffset() const { return layout_.firstRecord(); }
  const std::vector<FieldDescriptor>& fields() const { return layout_.fields(); }
  SideFile* side() { return side_.get(); }
  FileAccess& file() { return *file_; }
  const OpenRepairs& repairs() const { return repairs_; }

  int32_t cursor() const { return cursor_; }
  void set_cursor(int32_t cursor) { cursor_ = cursor; }
  void SetTimeout(int32_t timeoutMs);
  int32_t timeout() const { return timeoutMs_; }

  // The record count from the header (under the header lock).
  int32_t ReadCount(int32_t* count);
  // The record count and NextRecordId from the header.
  int32_t ReadCounters(int32_t* count, int32_t* nextId);
  // Field `field` (0-based) of record `index`. On failure `*out` is the
  // field type's zero value.
  int32_t ReadField(int32_t index, int32_t field, Value* out);
  int32_t WriteField(int32_t index, int32_t field, const Value& value);
  int32_t ReadRecordId(int32_t index, int32_t* id);
  // Appends a record with these values for the first fields; `*index`
  // receives its index.
  int32_t Append(const std::vector<Value>& values, int32_t* index);
  int32_t Mark(int32_t index);
  // Removes the marked records; the cursor becomes 0 once compaction starts.
  int32_t Purge();
  // Removes every record; cursor 0.
  int32_t Clear();

  // Holds the whole-file lock until the matching LeaveScope. An exclusive
  // scope on a read-write file also gathers every write made inside it
  // into one change, committed by LeaveScope; a failure inside rolls the
  // whole scope back. Writes inside a shared scope are refused. The
  // outermost scope also holds the side file's whole-file lock, and both
  // files are read in large blocks until it ends (see ReadAheadFile.h).
  int32_t EnterScope(LockKind kind);
  int32_t LeaveScope();
  // Inside an exclusive scope: its change also replaces `file` whole (see
  // CompanionFile.h).
  int32_t AlsoReplace(CompanionFile* file);
  // Inside an exclusive scope: rolls back everything written inside it;
  // the scope's end then reports `code`.
  void FailScope(int32_t code);

 private:
  // The repairs at open read and write through the record file's own paths.
  friend class OpenRepair;
  friend class BlockAudit;

  RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access, Share share,
             std::shared_ptr<FileSystem> fs);
  int32_t OpenUnderLock(Share share);
  int64_t RecordOffset(int32_t index) const { return layout_.RecordOffset(index); }
  // Sizes the scratch buffer; false when memory runs out (a record size
  // from the file may be large).
  bool Reserve(std::size_t size);
  // Refuses a write on a read-only file or inside a shared scope.
  int32_t MayWrite() const;
  // The outcome of a write, which inside an exclusive scope fails the scope.
  int32_t Settle(int32_t code);
  // The outcome of a read, which fails the scope when the file failed.
  int32_t SettleRead(int32_t code);
  int32_t ReadFieldNow(int32_t index, int32_t field, Value* out);
  // Reading in large blocks, for as long as the whole-file lock is held.
  void StartReadAhead();
  void StopReadAhead();

  // Runs a write to one record under its lock, once no journal is hot.
  template <typename Write>
  int32_t WritingRecord(int32_t index, Write&& write);
  // Runs a change of the whole file under the whole-file lock.
  template <typename Change>
  int32_t ChangingWhole(Change&& change);
  // Writes bytes that must reach the file whole: straight, or under the
  // journal when they straddle a page or a change is running.
  int32_t WriteWhole(int64_t offset, const char* bytes, std::size_t size);
  int32_t WriteInt32(int64_t offset, int32_t value);
  // `size` bytes from the start of record `index` on (kErrRecordRead when
  // the file holds fewer).
  int32_t ReadRecordBytes(int32_t index, char* out, std::size_t size);

  std::string path_;
  std::shared_ptr<FileSystem> fs_;
  ReadAheadFile* readAhead_;  // under file_, which owns it
  std::unique_ptr<JournaledFile> file_;
  Access access_;
  LockTable locks_;
  OpenRepairs repairs_;
  ChangeLocks change_;
  std::unique_ptr<SideFile> side_;
  std::vector<bool> scopes_;  // open scopes, true = exclusive
  RecordLayout layout_;
  int32_t cursor_ = 0;
  int32_t timeoutMs_ = 0;
  std::string scratch_;  // reused record and field buffer
};

}  // namespace cindral
