// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/BlockAudit.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/OpenRepair.h"
#include "store/RecordCursor.h"
#include "store/RecordPurge.h"

namespace cindral {
namespace {

// Side files beyond this many blocks (8 GiB) are not audited: their link
// tables would not fit in memory, and no word book comes near.
constexpr int64_t kMaxAuditedBlocks = int64_t{1} << 24;
constexpr int32_t kLinkChunkBlocks = 128;
// Records up to this size are read whole, many at a time.
constexpr int32_t kChunkedRecordBytes = 4096;

}  // namespace

int32_t BlockAudit::Run(OpenRepairs* repairs) {
  bool go = true;
  int32_t code = ScanRecords(&go);
  if (code != 0 || !go) return code;
  if (side_ != nullptr) {
    code = ReadBlocks(&go);
    if (code != 0 || !go) return code;
    WalkChains();
    code = CheckFreeList(repairs);
    if (code == 0) code = PartShared(repairs);
    if (code == 0) code = DropLost(repairs);
    if (code != 0) return code;
  }
  return RaiseNextId(repairs);
}

int32_t BlockAudit::ScanRecords(bool* go) {
  const RecordLayout& layout = records_.layout();
  int32_t count = 0;
  int32_t code = records_.ReadCounters(&count, &nextId_);
  if (code != 0) return code;
  for (std::size_t i = 0; i < layout.fields().size(); ++i) {
    if (layout.fields()[i].InSideFile()) sideFields_.push_back(static_cast<int32_t>(i));
  }
  side_ = sideFields_.empty() ? nullptr : records_.side();

  // Only the bytes up to the last value's start are read: a record may be
  // far larger.
  const int32_t size = layout.recordSize();
  int32_t needed = 4;
  for (const int32_t f : sideFields_) needed = std::max(needed, layout.field(f).offset + 4);
  // Small records are read many at a time, large ones one prefix at a time.
  const bool whole = size <= kChunkedRecordBytes;
  const int32_t perRead = whole ? std::max(1, RecordPurge::kChunkBytes / size) : 1;
  const int32_t stride = whole ? size : needed;
  std::string chunk;
  if (count > 0) {
    try {
      chunk.resize(static_cast<std::size_t>(std::min(perRead, count)) *
                   static_cast<std::size_t>(stride));
    } catch (const std::bad_alloc&) {
      *go = false;  // too large to check; the book is used as it is
      return 0;
    }
  }
  for (int32_t read = 0; read < count;) {
    const int32_t n = std::min(perRead, count - read);
    code = records_.ReadRecordBytes(read, &chunk[0],
                                    static_cast<std::size_t>(n) * static_cast<std::size_t>(stride));
    if (code != 0) return code;
    for (int32_t j = 0; j < n; ++j) {
      const char* record = chunk.data() + static_cast<std::size_t>(j) * stride;
      maxId_ = std::max<int64_t>(maxId_, std::llabs(static_cast<long long>(GetInt32(record))));
      if (side_ == nullptr) continue;
      for (const int32_t f : sideFields_) {
        const int32_t first = GetInt32(record + layout.field(f).offset);
        if (first != 0) refs_.push_back({read + j, f, first});
      }
    }
    read += n;
  }
  return 0;
}

int32_t BlockAudit::ReadBlocks(bool* go) {
  int32_t code = side_->ReadHeader(&header_);
  if (code != 0) return code;
  int64_t length = 0;
  code = side_->file().Size(&length);
  if (code != 0) return code;
  const int64_t fileBlocks = length / SideFile::kBlockSize;
  if (fileBlocks > kMaxAuditedBlocks || header_.blockCount > fileBlocks) {
    *go = false;
    return 0;
  }
  fileBlocks_ = static_cast<int32_t>(std::max<int64_t>(fileBlocks, 1));
  const auto blocks = static_cast<std::size_t>(fileBlocks_);
  std::string chunk;
  try {
    owner_.assign(blocks, 0);
    seen_.assign(blocks, 0);
    prev_.assign(blocks, 0);
    next_.assign(blocks, 0);
    length_.assign(blocks, 0);
    for (int32_t b = 1; b < fileBlocks_; b += kLinkChunkBlocks) {
      const int32_t n = std::min(kLinkChunkBlocks, fileBlocks_ - b);
      const auto bytes = static_cast<std::size_t>(n) * SideFile::kBlockSize;
      chunk.resize(bytes);
      std::size_t got = 0;
      code = side_->file().ReadAt(int64_t{b} * SideFile::kBlockSize, &chunk[0], bytes, &got);
      if (code != 0) return code;
      if (got < bytes) return kErrSideFileAccess;
      for (int32_t j = 0; j < n; ++j) {
        const char* block = chunk.data() + static_cast<std::size_t>(j) * SideFile::kBlockSize;
        const auto at = static_cast<std::size_t>(b + j);
        prev_[at] = GetInt32(block);
        next_[at] = GetInt32(block + 4);
        length_[at] = GetInt32(block + 8);
      }
    }
  } catch (const std::bad_alloc&) {
    *go = false;
  }
  return 0;
}

void BlockAudit::WalkChains() {
  std::vector<int32_t> chain;
  int32_t chainId = 0;
  for (const ValueRef& ref : refs_) {
    ++chainId;
    chain.clear();
    int32_t prev = 0;
    for (int32_t b = ref.first; b != 0;) {
      if (b < 1 || b >= fileBlocks_) break;
      const auto at = static_cast<std::size_t>(b);
      if (seen_[at] == chainId || length_[at] < 1 || length_[at] > SideFile::kPieceSize ||
          prev_[at] != prev) {
        break;
      }
      seen_[at] = chainId;
      chain.push_back(b);
      prev = b;
      b = next_[at];
    }
    // A value whose very first block is unsound is lost already; left in
    // the record it would read whatever value takes that block next.
    if (chain.empty()) {
      dropped_.push_back(ref);
      continue;
    }
    // Two chains can share blocks only from their first block on (every
    // block points back to one predecessor).
    if (owner_[static_cast<std::size_t>(chain.front())] != 0) {
      parted_.push_back(ref);
      continue;
    }
    for (const int32_t b : chain) {
      owner_[static_cast<std::size_t>(b)] = chainId;
      lastUsed_ = std::max(lastUsed_, b);
    }
  }
}

int32_t BlockAudit::CheckFreeList(OpenRepairs* repairs) {
  // Blocks that live values reach beyond the header's count keep their
  // values: the count grows to cover them.
  const int32_t blockCount = std::max(header_.blockCount, lastUsed_ + 1);
  bool sound = blockCount == header_.blockCount;
  int64_t free = 0;
  int32_t prev = 0;
  for (int32_t f = header_.firstFree; f != 0 && sound;) {
    const auto at = static_cast<std::size_t>(f);
    if (f < 1 || f >= header_.blockCount || owner_[at] != 0 || seen_[at] == -1 ||
        length_[at] != 0 || prev_[at] != prev) {
      sound = false;
      break;
    }
    seen_[at] = -1;
    ++free;
    prev = f;
    f = next_[at];
  }
  const int64_t used =
      std::count_if(owner_.begin() + 1, owner_.begin() + blockCount, [](int32_t o) { return o; });
  // Every block is used or free: blocks lost to nothing are taken back.
  sound = sound && free == header_.freeCount && free + used == int64_t{blockCount} - 1;
  if (sound) return 0;
  std::vector<uint8_t> usedBlocks(owner_.size(), 0);
  for (std::size_t b = 0; b < owner_.size(); ++b) usedBlocks[b] = owner_[b] != 0 ? 1 : 0;
  const int32_t code = side_->RebuildFreeList(usedBlocks, blockCount);
  if (code != 0) return code;
  repairs->freeListRebuilt = true;
  return 0;
}

int32_t BlockAudit::PartShared(OpenRepairs* repairs) {
  for (const ValueRef& ref : parted_) {
    std::string value;
    int32_t first = 0;
    // A value that cannot be read is not kept pointing into another's
    // blocks: freeing it would free them.
    if (side_->Load(ref.first, records_.layout().field(ref.field).type == kTypeMemo, &value) == 0) {
      const int32_t code = side_->Store(0, value, &first);
      if (code != 0) return code;
    }
    const int32_t code =
        records_.WriteInt32(records_.layout().FieldOffset(ref.record, ref.field), first);
    if (code != 0) return code;
    ++repairs->valuesCopied;
  }
  return 0;
}

int32_t BlockAudit::DropLost(OpenRepairs* repairs) {
  for (const ValueRef& ref : dropped_) {
    const int32_t code =
        records_.WriteInt32(records_.layout().FieldOffset(ref.record, ref.field), 0);
    if (code != 0) return code;
    ++repairs->valuesDropped;
  }
  return 0;
}

int32_t BlockAudit::RaiseNextId(OpenRepairs* repairs) {
  // Ids are never issued twice: the next one lies beyond every id in use.
  if (maxId_ < nextId_ || maxId_ >= 0x7FFFFFFF) return 0;
  const int32_t code =
      records_.WriteInt32(RecordLayout::kNextIdOffset, static_cast<int32_t>(maxId_ + 1));
  if (code != 0) return code;
  repairs->nextIdRaised = true;
  return 0;
}

}  // namespace cindral
