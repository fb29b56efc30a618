// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ReadAheadFile.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>

namespace cindral {
namespace {

// Internal: no memory for a block; the read goes to the file instead.
constexpr int32_t kNoMemory = 1;

int64_t BlockStart(int64_t offset) {
  return offset / ReadAheadFile::kBlockBytes * ReadAheadFile::kBlockBytes;
}

}  // namespace

ReadAheadFile::ReadAheadFile(std::unique_ptr<FileAccess> inner)
    : ForwardingFile(std::move(inner)) {}

ReadAheadFile::~ReadAheadFile() {
  Unmap();
  if (memory_ != nullptr) ::munmap(memory_, kMemoryBytes);
}

bool ReadAheadFile::MakeBlocks() {
  // One region for all blocks; a block's pages are made present in one
  // call when it is first used (here a page fault costs more than filling
  // the page), so a walk that keeps to a few blocks pays for a few.
  void* memory =
      ::mmap(nullptr, kMemoryBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return false;
  memory_ = static_cast<char*>(memory);
  blocks_.resize(kMaxBlocks);
  for (std::size_t i = 0; i < kMaxBlocks; ++i) {
    blocks_[i].bytes = memory_ + i * static_cast<std::size_t>(kBlockBytes);
  }
  return true;
}

void ReadAheadFile::Start() {
  Drop();
  active_ = true;
  int64_t length = 0;
  if (mapSpans_ && inner().Size(&length) == 0) {
    mapped_ = inner().MapForReading(length);
    if (mapped_ != nullptr) mappedLength_ = length_ = length;
  }
}

void ReadAheadFile::Stop() {
  active_ = false;
  Unmap();
  Drop();
}

void ReadAheadFile::Unmap() {
  if (mapped_ == nullptr) return;
  inner().Unmap(mapped_, mappedLength_);
  mapped_ = nullptr;
  mappedLength_ = 0;
}

bool ReadAheadFile::Mapped(int64_t offset, std::size_t size) const {
  return mapped_ != nullptr && offset >= 0 &&
         static_cast<uint64_t>(size) <= static_cast<uint64_t>(mappedLength_) &&
         offset <= mappedLength_ - static_cast<int64_t>(size);
}

void ReadAheadFile::Drop() {
  for (Block& block : blocks_) block.start = kEmpty;
  index_.clear();
  last_ = nullptr;
  length_ = kUnknown;
}

void ReadAheadFile::Forget(Block& block) {
  if (block.start == kEmpty) return;
  index_.erase(block.start);
  block.start = kEmpty;
  if (last_ == &block) last_ = nullptr;
}

int32_t ReadAheadFile::BlockAt(int64_t start, Block** block) {
  if (last_ != nullptr && last_->start == start) {
    *block = last_;
    return 0;
  }
  const auto found = index_.find(start);
  if (found != index_.end()) {
    Block& hit = blocks_[found->second];
    hit.used = ++clock_;
    *block = last_ = &hit;
    return 0;
  }
  if (blocks_.empty() && !MakeBlocks()) return kNoMemory;
  // A walk reading on through the file is done with the block two behind
  // this one: it is read over, so that the walk keeps to a few blocks of
  // memory (warm in the cache) and leaves the others to what is read
  // here and there. Otherwise an empty block, else the least used.
  Block* slot = nullptr;
  const auto behind = index_.find(start - 2 * kBlockBytes);
  if (behind != index_.end()) {
    slot = &blocks_[behind->second];
  } else {
    for (Block& b : blocks_) {
      if (b.start == kEmpty) {
        slot = &b;
        break;
      }
      if (slot == nullptr || b.used < slot->used) slot = &b;
    }
  }
  if (slot == nullptr) return kNoMemory;
#ifdef MADV_POPULATE_WRITE
  if (!slot->present) {
    // Without it (an older kernel) the pages come as the read fills them.
    ::madvise(slot->bytes, static_cast<std::size_t>(kBlockBytes), MADV_POPULATE_WRITE);
    slot->present = true;
  }
#endif
  Forget(*slot);
  std::size_t got = 0;
  const int32_t code =
      inner().ReadAt(start, slot->bytes, static_cast<std::size_t>(kBlockBytes), &got);
  if (code != 0) return code;
  slot->start = start;
  slot->size = got;
  slot->used = ++clock_;
  index_[start] = static_cast<std::size_t>(slot - blocks_.data());
  *block = last_ = slot;
  return 0;
}

int32_t ReadAheadFile::ReadAt(int64_t offset, void* buffer, std::size_t size, std::size_t* done) {
  if (Mapped(offset, size)) {
    std::memcpy(buffer, mapped_ + offset, size);
    *done = size;
    return 0;
  }
  if (!active_ || offset < 0 || static_cast<int64_t>(size) >= kBlockBytes) {
    return inner().ReadAt(offset, buffer, size, done);
  }
  *done = 0;
  auto* out = static_cast<char*>(buffer);
  std::size_t copied = 0;
  while (copied < size) {
    const int64_t at = offset + static_cast<int64_t>(copied);
    const int64_t start = BlockStart(at);
    Block* block = nullptr;
    const int32_t code = BlockAt(start, &block);
    if (code == kNoMemory) {
      // Too little memory to keep a block: the file itself still answers.
      std::size_t got = 0;
      const int32_t direct = inner().ReadAt(at, out + copied, size - copied, &got);
      if (direct == 0) *done = copied + got;
      return direct;
    }
    if (code != 0) return code;
    const auto within = static_cast<std::size_t>(at - start);
    if (within >= block->size) break;  // the end of the file
    const std::size_t n = std::min(size - copied, block->size - within);
    std::memcpy(out + copied, block->bytes + within, n);
    copied += n;
    if (block->size < static_cast<std::size_t>(kBlockBytes)) break;
  }
  *done = copied;
  return 0;
}

int32_t ReadAheadFile::Peek(int64_t offset, std::size_t size, const char** bytes) {
  *bytes = nullptr;
  if (!active_ || offset < 0 || size == 0) return 0;
  if (Mapped(offset, size)) {
    *bytes = mapped_ + offset;
    return 0;
  }
  const int64_t start = BlockStart(offset);
  const auto within = static_cast<std::size_t>(offset - start);
  if (within + size > static_cast<std::size_t>(kBlockBytes)) return 0;
  Block* block = nullptr;
  const int32_t code = BlockAt(start, &block);
  if (code == kNoMemory) return 0;
  if (code != 0) return code;
  // Bytes past the end of the file are left to a read, which tells.
  if (within + size <= block->size) *bytes = block->bytes + within;
  return 0;
}

int32_t ReadAheadFile::WriteAt(int64_t offset, const void* data, std::size_t size) {
  Unmap();
  const int32_t code = inner().WriteAt(offset, data, size);
  if (!active_ || size == 0) return code;
  if (code != 0 || offset < 0) {
    Drop();
    return code;
  }
  const int64_t end = offset + static_cast<int64_t>(size);
  const auto* bytes = static_cast<const char*>(data);
  for (Block& block : blocks_) {
    if (block.start == kEmpty) continue;
    const int64_t blockEnd = block.start + static_cast<int64_t>(block.size);
    if (block.size < static_cast<std::size_t>(kBlockBytes) && blockEnd < end) {
      // The block ends at the file's old end, which the write moves on.
      Forget(block);
      continue;
    }
    const int64_t from = std::max(offset, block.start);
    const int64_t to = std::min(end, blockEnd);
    if (from < to) {
      std::memcpy(block.bytes + (from - block.start), bytes + (from - offset),
                  static_cast<std::size_t>(to - from));
    }
  }
  if (length_ != kUnknown) length_ = std::max(length_, end);
  return 0;
}

int32_t ReadAheadFile::Truncate(int64_t length) {
  Unmap();
  const int32_t code = inner().Truncate(length);
  if (!active_) return code;
  if (code != 0 || length < 0) {
    Drop();
    return code;
  }
  const bool grows = length_ == kUnknown || length > length_;
  for (Block& block : blocks_) {
    if (block.start == kEmpty) continue;
    const bool shortBlock = block.size < static_cast<std::size_t>(kBlockBytes);
    if (block.start >= length || (grows && shortBlock)) {
      // Past the new end, or ending at an old end the file now passes.
      Forget(block);
    } else if (block.start + static_cast<int64_t>(block.size) > length) {
      block.size = static_cast<std::size_t>(length - block.start);
    }
  }
  length_ = length;
  return 0;
}

int32_t ReadAheadFile::Size(int64_t* length) {
  if (active_ && length_ != kUnknown) {
    *length = length_;
    return 0;
  }
  const int32_t code = inner().Size(length);
  if (active_ && code == 0) length_ = *length;
  return code;
}

}  // namespace cindral
