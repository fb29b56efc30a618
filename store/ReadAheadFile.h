#pragma once
// A file that, while its owner holds the whole-file lock, serves reads from
// large blocks read from the file once, instead of one system call per
// field. Nobody else can change the file while that lock is held, so the
// blocks stay true; the owner's own writes and cuts pass through and are
// applied to them. Start() begins a span once the lock is taken, Stop()
// ends it before the lock goes: every block is dropped then, so outside a
// span every call goes straight to the file and sees what other processes
// did.
//
// A write or cut the file refuses drops every block (the file's content is
// no longer known for sure); a read the file refuses is not kept and its
// code is returned as the file gave it.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "store/FileAccess.h"

namespace cindral {

class ReadAheadFile final : public FileAccess {
 public:
  // Blocks are read this many bytes at a time; larger reads go straight to
  // the file.
  static constexpr int64_t kBlockBytes = 128 * 1024;
  // At most this many bytes of blocks are kept; the oldest go first.
  static constexpr std::size_t kMaxKeptBytes = std::size_t{64} << 20;

  explicit ReadAheadFile(std::unique_ptr<FileAccess> inner);

  FileAccess& inner() { return *inner_; }

  // Only while the caller holds the whole-file lock.
  void Start();
  void Stop();
  bool active() const { return active_; }

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override;
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override;
  int32_t Truncate(int64_t length) override;
  int32_t Size(int64_t* length) override;
  int32_t Lock(int64_t offset, int64_t length, LockKind kind) override;
  int32_t Unlock(int64_t offset, int64_t length) override;
  int32_t TestLock(int64_t offset, int64_t length, LockKind kind) override;
  int32_t Sync() override;
  int32_t FileId(uint64_t* device, uint64_t* inode) override;

 private:
  static constexpr int64_t kUnknown = -1;
  using Blocks = std::map<int64_t, std::string>;

  // The block that starts at `start`, read from the file when missing.
  int32_t BlockAt(int64_t start, const std::string** block);
  Blocks::iterator Erase(Blocks::iterator it);
  void Drop();

  std::unique_ptr<FileAccess> inner_;
  bool active_ = false;
  // Blocks by start offset; a block shorter than kBlockBytes ends at the
  // file's end.
  Blocks blocks_;
  std::deque<int64_t> order_;  // block starts, oldest first
  std::size_t keptBytes_ = 0;
  int64_t length_ = kUnknown;
};

}  // namespace cindral
