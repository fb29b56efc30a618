#include "store/BlockAudit.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

// Side files beyond this many blocks (8 GiB) are not audited: their link
// tables would not fit in memory, and no word book comes near.
constexpr int64_t kMaxAuditedBlocks = int64_t{1} << 24;
constexpr int32_t kLinkChunkBlocks = 128;
// Records up to this size are read whole, many at a time.
constexpr int32_t kChunkedRecordBytes = 4096;

// One record's reference to a side-file value.
struct ValueRef {
  int32_t record;
  int32_t field;  // index into the record file's fields
  int32_t first;
};

struct Links {
  std::vector<int32_t> prev;
  std::vector<int32_t> next;
  std::vector<int32_t> length;
};

int32_t ReadLinks(SideFile& side, int32_t blocks, Links* links) {
  links->prev.assign(static_cast<std::size_t>(blocks), 0);
  links->next.assign(static_cast<std::size_t>(blocks), 0);
  links->length.assign(static_cast<std::size_t>(blocks), 0);
  std::string chunk;
  for (int32_t b = 1; b < blocks; b += kLinkChunkBlocks) {
    const int32_t n = std::min(kLinkChunkBlocks, blocks - b);
    const auto bytes = static_cast<std::size_t>(n) * SideFile::kBlockSize;
    chunk.resize(bytes);
    std::size_t got = 0;
    const int32_t code =
        side.file().ReadAt(int64_t{b} * SideFile::kBlockSize, &chunk[0], bytes, &got);
    if (code != 0) return code;
    if (got < bytes) return kErrSideFileAccess;
    for (int32_t j = 0; j < n; ++j) {
      const char* block = chunk.data() + static_cast<std::size_t>(j) * SideFile::kBlockSize;
      const auto at = static_cast<std::size_t>(b + j);
      links->prev[at] = GetInt32(block);
      links->next[at] = GetInt32(block + 4);
      links->length[at] = GetInt32(block + 8);
    }
  }
  return 0;
}

}  // namespace

int32_t BlockAudit::Run(OpenRepairs* repairs) {
  RecordFile& rf = records_;
  int32_t count = 0;
  int32_t nextId = 0;
  int32_t code = rf.ReadCounters(&count, &nextId);
  if (code != 0) return code;

  std::vector<int32_t> sideFields;
  for (std::size_t i = 0; i < rf.fields().size(); ++i) {
    if (rf.fields()[i].InSideFile()) sideFields.push_back(static_cast<int32_t>(i));
  }
  SideFile* side = rf.side();
  const bool auditSide = side != nullptr && !sideFields.empty();

  // The records: the largest id, and where each value starts. Only the
  // bytes up to the last of those are read: a record may be far larger.
  std::vector<ValueRef> refs;
  int64_t maxId = 0;
  const int32_t size = rf.recordSize();
  int32_t needed = 4;
  for (const int32_t f : sideFields) {
    needed = std::max(needed, rf.fields()[static_cast<std::size_t>(f)].offset + 4);
  }
  // Small records are read many at a time, large ones one prefix at a time.
  const bool whole = size <= kChunkedRecordBytes;
  const int32_t perRead = whole ? std::max(1, RecordFile::kPurgeChunkBytes / size) : 1;
  const int32_t stride = whole ? size : needed;
  std::string chunk;
  if (count > 0) {
    try {
      chunk.resize(static_cast<std::size_t>(std::min(perRead, count)) *
                   static_cast<std::size_t>(stride));
    } catch (const std::bad_alloc&) {
      return 0;  // too large to check; the book is used as it is
    }
  }
  for (int32_t read = 0; read < count;) {
    const int32_t n = std::min(perRead, count - read);
    const std::size_t bytes = static_cast<std::size_t>(n) * static_cast<std::size_t>(stride);
    std::size_t got = 0;
    code = rf.file().ReadAt(rf.firstRecordOffset() + int64_t{read} * size, &chunk[0], bytes, &got);
    if (code != 0) return code;
    if (got < bytes) return kErrRecordRead;
    for (int32_t j = 0; j < n; ++j) {
      const char* record = chunk.data() + static_cast<std::size_t>(j) * stride;
      maxId = std::max<int64_t>(maxId, std::llabs(static_cast<long long>(GetInt32(record))));
      if (!auditSide) continue;
      for (const int32_t f : sideFields) {
        const int32_t first = GetInt32(record + rf.fields()[static_cast<std::size_t>(f)].offset);
        if (first != 0) refs.push_back({read + j, f, first});
      }
    }
    read += n;
  }

  if (auditSide) {
    SideFileHeader h;
    code = side->ReadHeader(&h);
    if (code != 0) return code;
    int64_t length = 0;
    code = side->file().Size(&length);
    if (code != 0) return code;
    const int64_t fileBlocks64 = length / SideFile::kBlockSize;
    if (fileBlocks64 > kMaxAuditedBlocks || h.blockCount > fileBlocks64) return 0;
    const auto fileBlocks = static_cast<int32_t>(std::max<int64_t>(fileBlocks64, 1));
    Links links;
    std::vector<int32_t> owner;  // the chain that uses a block, 0 = none
    std::vector<int32_t> seen;   // the last chain that stepped on a block
    try {
      owner.assign(static_cast<std::size_t>(fileBlocks), 0);
      seen.assign(static_cast<std::size_t>(fileBlocks), 0);
      code = ReadLinks(*side, fileBlocks, &links);
    } catch (const std::bad_alloc&) {
      return 0;
    }
    if (code != 0) return code;

    std::vector<ValueRef> parted;   // values that start in another value's blocks
    std::vector<ValueRef> dropped;  // values whose first block is not theirs
    std::vector<int32_t> chain;
    int32_t lastUsed = 0;
    int32_t chainId = 0;
    for (const ValueRef& ref : refs) {
      ++chainId;
      chain.clear();
      int32_t prev = 0;
      for (int32_t b = ref.first; b != 0;) {
        if (b < 1 || b >= fileBlocks) break;
        const auto at = static_cast<std::size_t>(b);
        if (seen[at] == chainId || links.length[at] < 1 ||
            links.length[at] > SideFile::kPieceSize || links.prev[at] != prev) {
          break;
        }
        seen[at] = chainId;
        chain.push_back(b);
        prev = b;
        b = links.next[at];
      }
      // A value whose very first block is unsound is lost already; left in
      // the record it would read whatever value takes that block next.
      if (chain.empty()) {
        dropped.push_back(ref);
        continue;
      }
      // Two chains can share blocks only from their first block on (every
      // block points back to one predecessor).
      if (owner[static_cast<std::size_t>(chain.front())] != 0) {
        parted.push_back(ref);
        continue;
      }
      for (const int32_t b : chain) {
        owner[static_cast<std::size_t>(b)] = chainId;
        lastUsed = std::max(lastUsed, b);
      }
    }

    // Blocks that live values reach beyond the header's count keep their
    // values: the count grows to cover them.
    const int32_t blockCount = std::max(h.blockCount, lastUsed + 1);
    bool sound = blockCount == h.blockCount;
    int64_t free = 0;
    int32_t prev = 0;
    for (int32_t f = h.firstFree; f != 0 && sound;) {
      const auto at = static_cast<std::size_t>(f);
      if (f < 1 || f >= h.blockCount || owner[at] != 0 || seen[at] == -1 || links.length[at] != 0 ||
          links.prev[at] != prev) {
        sound = false;
        break;
      }
      seen[at] = -1;
      ++free;
      prev = f;
      f = links.next[at];
    }
    const int64_t used =
        std::count_if(owner.begin() + 1, owner.begin() + blockCount, [](int32_t o) { return o; });
    // Every block is used or free: blocks lost to nothing are taken back.
    sound = sound && free == h.freeCount && free + used == int64_t{blockCount} - 1;
    if (!sound) {
      std::vector<uint8_t> usedBlocks(static_cast<std::size_t>(fileBlocks), 0);
      for (std::size_t b = 0; b < owner.size(); ++b) usedBlocks[b] = owner[b] != 0 ? 1 : 0;
      code = side->RebuildFreeList(usedBlocks, blockCount);
      if (code != 0) return code;
      repairs->freeListRebuilt = true;
    }

    for (const ValueRef& ref : parted) {
      const FieldDescriptor& fd = rf.fields()[static_cast<std::size_t>(ref.field)];
      std::string value;
      int32_t first = 0;
      // A value that cannot be read is not kept pointing into another's
      // blocks: freeing it would free them.
      if (side->Load(ref.first, fd.type == kTypeMemo, &value) == 0) {
        code = side->Store(0, value, &first);
        if (code != 0) return code;
      }
      char raw[4];
      PutInt32(raw, first);
      code = rf.file().WriteAt(rf.firstRecordOffset() + int64_t{ref.record} * size + fd.offset, raw,
                               sizeof raw);
      if (code != 0) return code;
      ++repairs->valuesCopied;
    }
    for (const ValueRef& ref : dropped) {
      const FieldDescriptor& fd = rf.fields()[static_cast<std::size_t>(ref.field)];
      char raw[4];
      PutInt32(raw, 0);
      code = rf.file().WriteAt(rf.firstRecordOffset() + int64_t{ref.record} * size + fd.offset, raw,
                               sizeof raw);
      if (code != 0) return code;
      ++repairs->valuesDropped;
    }
  }

  // Ids are never issued twice: the next one lies beyond every id in use.
  if (maxId >= nextId && maxId < 0x7FFFFFFF) {
    char raw[4];
    PutInt32(raw, static_cast<int32_t>(maxId + 1));
    code = rf.file().WriteAt(RecordFile::kNextIdOffset, raw, sizeof raw);
    if (code != 0) return code;
    repairs->nextIdRaised = true;
  }
  return 0;
}

}  // namespace cindral
