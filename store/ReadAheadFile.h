// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
// The blocks live in one region of memory made at the first block read and
// kept until the file closes (at most 1 MiB a file, each block's pages made
// present when it is first used), so that a walk of a large book reads each
// byte once into memory that is already there. A walk reading on through
// the file keeps to three blocks of it.
//
// A write or cut the file refuses drops every block (the file's content is
// no longer known for sure); a read the file refuses is not kept and its
// code is returned as the file gave it.
//
// An owner that only reads may ask for spans read through a mapping of the
// whole file instead (MapSpans): no copy of the bytes at all, for a walk
// that uses a few bytes of each block.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "store/ForwardingFile.h"

namespace cindral {

class ReadAheadFile final : public ForwardingFile {
 public:
  // Blocks are read this many bytes at a time; larger reads go straight to
  // the file.
  static constexpr int64_t kBlockBytes = 64 * 1024;
  // At most this many blocks are kept; the one least recently used is read
  // over first. Their memory is kept for the next span, their bytes never.
  static constexpr std::size_t kMaxBlocks = 16;

  explicit ReadAheadFile(std::unique_ptr<FileAccess> inner);
  ~ReadAheadFile() override;
  ReadAheadFile(const ReadAheadFile&) = delete;
  ReadAheadFile& operator=(const ReadAheadFile&) = delete;

  // Only while the caller holds the whole-file lock.
  void Start();
  void Stop();
  bool active() const { return active_; }
  // Later spans read the file through a mapping of it (see
  // FileAccess::MapForReading), for an owner that only reads and handles
  // the fault of a file cut short under it. A file that cannot be mapped
  // is read in blocks, and so is the rest of a span once it writes or cuts.
  void MapSpans() { mapSpans_ = true; }

  int32_t ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) override;
  int32_t WriteAt(int64_t offset, const void* data, std::size_t size) override;
  int32_t Truncate(int64_t length) override;
  int32_t Size(int64_t* length) override;
  // Inside a span, the bytes in their block (read from the file when
  // missing), when they lie whole in one block.
  int32_t Peek(int64_t offset, std::size_t size, const char** bytes) override;

 private:
  static constexpr int64_t kUnknown = -1;
  static constexpr std::size_t kMemoryBytes = kMaxBlocks * static_cast<std::size_t>(kBlockBytes);
  static constexpr int64_t kEmpty = -1;

  struct Block {
    int64_t start = kEmpty;  // kEmpty = holds nothing
    std::size_t size = 0;    // shorter than kBlockBytes at the file's end
    uint64_t used = 0;
    char* bytes = nullptr;
    bool present = false;  // its pages made present
  };

  // The block that starts at `start`, read from the file when missing.
  int32_t BlockAt(int64_t start, Block** block);
  // The blocks and their memory, made when the first block is read; false
  // when there is no memory for them.
  bool MakeBlocks();
  void Forget(Block& block);
  void Drop();
  void Unmap();
  // Whether the bytes lie whole in the mapping.
  bool Mapped(int64_t offset, std::size_t size) const;

  bool active_ = false;
  char* memory_ = nullptr;  // kMemoryBytes, kept until the file closes
  std::vector<Block> blocks_;
  std::map<int64_t, std::size_t> index_;  // block start -> place in blocks_
  Block* last_ = nullptr;                 // the block read last
  uint64_t clock_ = 0;
  int64_t length_ = kUnknown;
  bool mapSpans_ = false;
  const char* mapped_ = nullptr;  // the file's first mappedLength_ bytes
  int64_t mappedLength_ = 0;
};

}  // namespace cindral
