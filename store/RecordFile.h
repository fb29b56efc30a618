#pragma once
// One open record database: the data file (header, field descriptors,
// fixed-size records), its side file when it has memo-text or byte-set
// fields, the byte locks it holds, and its record cursor.
//
// Nothing is cached between operations except what cannot change while the
// file is open (the descriptors and the record size): every count, id and
// field is read from the file at its computed offset, under its lock.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/FieldCodec.h"
#include "store/FileAccess.h"
#include "store/LockTable.h"
#include "store/SideFile.h"
#include "store/Value.h"

namespace cindral {

class RecordFile {
 public:
  static constexpr int32_t kVersion = 0x00010000;
  static constexpr int64_t kHeaderSize = 112;
  static constexpr int64_t kDescriptorSize = 72;
  static constexpr int64_t kCountOffset = 16;
  static constexpr int64_t kNextIdOffset = 20;
  static constexpr int64_t kRecordSizeOffset = 24;
  static constexpr int64_t kFieldCountOffset = 112;
  // Records are read and moved at most this many bytes at a time by a purge.
  static constexpr int32_t kPurgeChunkBytes = 163840;

  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens, checks and, with read-write access, repairs a data file (and its
  // side file). `path` is the full GBK path. On failure nothing stays open.
  static int32_t Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                      const FileOpener& opener, std::unique_ptr<RecordFile>* out);
  // Writes a new, empty database with these fields laid out one after the
  // other from offset 4 (their offsets are ignored), and its side file when
  // a field needs one. `recordSize` may add unused bytes at the record's
  // end. Existing files are never overwritten.
  static int32_t Create(const std::string& path, const std::vector<FieldDescriptor>& fields,
                        int32_t recordSize = 0);
  // The engine's own opener: the POSIX file layer.
  static FileOpener DefaultOpener();

  const std::string& path() const { return path_; }
  Access access() const { return access_; }
  int32_t version() const;
  int32_t recordSize() const { return recordSize_; }
  int64_t firstRecordOffset() const { return firstRecord_; }
  const std::vector<FieldDescriptor>& fields() const { return fields_; }
  // The 112 header bytes as they were read at open.
  const std::string& headerBytes() const { return header_; }
  SideFile* side() { return side_.get(); }
  FileAccess& file() { return *file_; }
  LockTable& locks() { return locks_; }

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

 private:
  RecordFile(std::string path, std::unique_ptr<FileAccess> file, Access access);
  int32_t Check();
  int64_t RecordOffset(int32_t index) const { return firstRecord_ + int64_t{index} * recordSize_; }
  // Sizes the scratch buffer; false when memory runs out (a record size
  // from the file may be large).
  bool Reserve(std::size_t size);
  // Frees the side-file values a record's bytes point to.
  void FreeSideValues(const char* record);

  std::string path_;
  std::unique_ptr<FileAccess> file_;
  Access access_;
  LockTable locks_;
  std::unique_ptr<SideFile> side_;
  std::string header_;
  std::vector<FieldDescriptor> fields_;
  int32_t recordSize_ = 0;
  int64_t firstRecord_ = 0;
  int32_t cursor_ = 0;
  int32_t timeoutMs_ = 0;
  std::string scratch_;  // reused record and field buffer
};

}  // namespace cindral
