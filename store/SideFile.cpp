// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/SideFile.h"

#include <algorithm>
#include <cstring>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"
#include "store/LockRetry.h"

namespace cindral {
namespace {

constexpr int kPrevOffset = 0;
constexpr int kNextOffset = 4;
// The header counts blocks in an int32; the count must not wrap.
constexpr int32_t kMaxBlocks = 0x7FFFFFFF;

int64_t BlockOffset(int32_t block) { return int64_t{block} * SideFile::kBlockSize; }

bool Contains(const std::vector<int32_t>& blocks, int32_t block) {
  return std::find(blocks.begin(), blocks.end(), block) != blocks.end();
}

}  // namespace

SideFile::SideFile(std::unique_ptr<FileAccess> file, Access access)
    : readAhead_(new ReadAheadFile(std::move(file))),
      file_(std::make_unique<JournaledFile>(std::unique_ptr<FileAccess>(readAhead_))),
      locks_(file_.get(), access == Access::ReadOnly ? LockKind::Shared : LockKind::Exclusive) {}

std::string SideFile::PathFor(const std::string& dataPath) {
  const std::size_t slash = dataPath.rfind('/');
  const std::size_t dot = dataPath.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return dataPath + ".EDT";
  }
  return dataPath.substr(0, dot + 1) + "EDT";
}

int32_t SideFile::Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                       FileSystem& fs, std::unique_ptr<SideFile>* out) {
  out->reset();
  std::unique_ptr<FileAccess> file;
  const int32_t openCode =
      RetryWhileBusy(timeoutMs, [&] { return fs.Open(path, access, share, &file); });
  if (openCode != 0) return kErrSideFileRead;
  out->reset(new SideFile(std::move(file), access));
  (*out)->timeoutMs_ = timeoutMs;
  return 0;
}

int32_t SideFile::Check(Access access, Share share, int32_t dataVersion) {
  if (share == Share::Exclusive) return CheckHeader(access, dataVersion);
  WholeLock whole(locks_, WriterTimeout(timeoutMs_));
  return whole.code() != 0 ? kErrSideFileRead : CheckHeader(access, dataVersion);
}

int32_t SideFile::CheckHeader(Access access, int32_t dataVersion) {
  SideFileHeader h;
  if (ReadHeader(&h) != 0) return kErrSideFileRead;
  if (std::memcmp(h.raw, "WEDT", 4) != 0 || h.blockCount <= 0 || h.freeCount < 0 ||
      h.freeCount >= h.blockCount || h.firstFree < 0 || h.firstFree >= h.blockCount) {
    return kErrSideFileRead;
  }
  if (h.version != dataVersion) return kErrSideFileVersion;
  int64_t size = 0;
  if (file_->Size(&size) != 0) return kErrSideFileRead;
  const int64_t whole = size / kBlockSize;
  if (whole < h.blockCount) {
    if (access == Access::ReadOnly) return kErrSideFileDamaged;
    h.blockCount = static_cast<int32_t>(std::max<int64_t>(whole, 1));
    // Links into the lost blocks are dropped with them.
    if (h.firstFree >= h.blockCount) {
      h.firstFree = 0;
      h.freeCount = 0;
    }
    h.freeCount = std::min(h.freeCount, h.blockCount - 1);
    if (WriteHeader(h) != 0) return kErrOpenFailed;
    if (whole == 0 && file_->Truncate(kBlockSize) != 0) return kErrOpenFailed;
  }
  knownBlockCount_ = h.blockCount;
  return 0;
}

int32_t SideFile::WriteEmpty(FileAccess& file, int32_t version) {
  char block[kBlockSize] = {};
  std::memcpy(block, "WEDT", 4);
  PutInt32(block + 4, version);
  PutInt32(block + 16, 1);
  return file.WriteAt(0, block, sizeof block);
}

int32_t SideFile::ReadHeader(SideFileHeader* header) {
  std::size_t got = 0;
  const int32_t code = file_->ReadAt(0, header->raw, sizeof header->raw, &got);
  if (code != 0) return code;
  if (got < sizeof header->raw) return kErrSideFileAccess;
  header->version = GetInt32(header->raw + 4);
  header->blockCount = GetInt32(header->raw + 16);
  header->freeCount = GetInt32(header->raw + 20);
  header->firstFree = GetInt32(header->raw + 24);
  if (header->blockCount > 0) knownBlockCount_ = header->blockCount;
  return 0;
}

int32_t SideFile::WriteHeader(const SideFileHeader& header) {
  char raw[32];
  std::memcpy(raw, header.raw, sizeof raw);
  PutInt32(raw + 16, header.blockCount);
  PutInt32(raw + 20, header.freeCount);
  PutInt32(raw + 24, header.firstFree);
  const int32_t code = file_->WriteAt(0, raw, sizeof raw);
  if (code == 0) knownBlockCount_ = header.blockCount;
  return code;
}

int32_t SideFile::ReadLink(int32_t block, Link* link) {
  ByteLock lock(locks_, BlockOffset(block), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[12];
  std::size_t got = 0;
  const int32_t code = file_->ReadAt(BlockOffset(block), raw, sizeof raw, &got);
  if (code != 0) return code;
  if (got < sizeof raw) return kErrSideFileAccess;
  link->prev = GetInt32(raw);
  link->next = GetInt32(raw + 4);
  link->length = GetInt32(raw + 8);
  return 0;
}

int32_t SideFile::WriteLinkField(int32_t block, int fieldOffset, int32_t value) {
  ByteLock lock(locks_, BlockOffset(block), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[4];
  PutInt32(raw, value);
  return file_->WriteAt(BlockOffset(block) + fieldOffset, raw, sizeof raw);
}

int32_t SideFile::WriteBlock(int32_t block, const Link& link, const char* data, std::size_t size) {
  ByteLock lock(locks_, BlockOffset(block), timeoutMs_);
  if (lock.code() != 0) return lock.code();
  char raw[kBlockSize] = {};
  PutInt32(raw, link.prev);
  PutInt32(raw + 4, link.next);
  PutInt32(raw + 8, link.length);
  if (size > 0) std::memcpy(raw + 12, data, size);
  return file_->WriteAt(BlockOffset(block), raw, sizeof raw);
}

int32_t SideFile::Load(int32_t first, bool cutAtZero, std::string* out) {
  out->clear();
  if (first == 0) return 0;
  block_.resize(kBlockSize);
  int32_t code = 0;
  int32_t held = 0;  // the block whose lock is held, 0 = none
  int32_t previous = 0;
  int64_t steps = 0;
  for (int32_t b = first; b != 0;) {
    // A chain visits each data block at most once; the header's count may
    // have grown since it was last read, so it is read again before giving up.
    ++steps;
    if (b < 0 || b >= knownBlockCount_ || steps >= knownBlockCount_) {
      SideFileHeader h;
      if (ReadHeader(&h) != 0 || b < 0 || b >= h.blockCount || steps >= h.blockCount) {
        code = kErrSideFileAccess;
        break;
      }
    }
    code = locks_.LockByte(BlockOffset(b), timeoutMs_);
    if (code != 0) break;
    if (held != 0) locks_.UnlockByte(BlockOffset(held));
    held = b;
    // Inside a read-ahead the block is read where it lies in memory, when
    // the file holds it whole; otherwise it comes in one read (and a block
    // the file holds only part of fails).
    const char* bytes = nullptr;
    std::size_t got = 0;
    code = PeekOrRead(*file_, BlockOffset(b), kBlockSize, &block_[0], &bytes, &got);
    if (code == 0 && got < kBlockSize) code = kErrSideFileAccess;
    if (code != 0) break;
    const int32_t length = GetInt32(bytes + 8);
    // Each block points back to the one that led to it: a chain that runs
    // into another value's blocks is not read as this value.
    const int32_t prev = GetInt32(bytes);
    if (length < 1 || length > kPieceSize || prev != previous) {
      code = kErrSideFileAccess;
      break;
    }
    out->append(bytes + 12, static_cast<std::size_t>(length));
    previous = b;
    b = GetInt32(bytes + 4);
  }
  if (held != 0) locks_.UnlockByte(BlockOffset(held));
  if (code != 0) {
    out->clear();
    return code;
  }
  if (cutAtZero) {
    const std::size_t zero = out->find('\0');
    if (zero != std::string::npos) out->resize(zero);
  }
  return 0;
}

int32_t SideFile::FollowChain(int32_t first, int32_t blockCount, std::vector<int32_t>* chain) {
  chain->clear();
  for (int32_t b = first; b != 0;) {
    if (b < 1 || b >= blockCount || static_cast<int64_t>(chain->size()) >= blockCount - 1) {
      return kErrSideFileAccess;
    }
    Link link;
    const int32_t code = ReadLink(b, &link);
    if (code != 0) return code;
    // Each block must point back to the one that led to it; otherwise the
    // chain has run into another value's blocks.
    const int32_t expectedPrev = chain->empty() ? 0 : chain->back();
    if (link.length < 1 || link.length > kPieceSize || link.prev != expectedPrev) {
      return kErrSideFileAccess;
    }
    chain->push_back(b);
    b = link.next;
  }
  return 0;
}

int32_t SideFile::TakeFreeBlock(SideFileHeader* h, const std::vector<int32_t>& inUse,
                                int32_t* block) {
  *block = 0;
  const int32_t f = h->firstFree;
  if (f == 0) return 0;
  bool damaged = f < 1 || f >= h->blockCount || Contains(inUse, f);
  Link link;
  if (!damaged) {
    const int32_t code = ReadLink(f, &link);
    if (code != 0 && code != kErrSideFileAccess) return code;
    damaged = code != 0 || link.length != 0;
  }
  if (damaged) {
    // Not a free block after all: forget the list rather than hand out a
    // block twice. Its blocks stay unused.
    h->firstFree = 0;
    h->freeCount = 0;
    return 0;
  }
  int32_t next = link.next;
  if (next < 1 || next >= h->blockCount || next == f) next = 0;
  h->firstFree = next;
  h->freeCount = next == 0 ? 0 : std::max(h->freeCount - 1, 0);
  if (next != 0) {
    const int32_t code = WriteLinkField(next, kPrevOffset, 0);
    if (code != 0) return code;
  }
  *block = f;
  return 0;
}

int32_t SideFile::FreeBlocks(SideFileHeader* h, const std::vector<int32_t>& blocks) {
  if (blocks.empty()) return 0;
  int32_t oldFirst = h->firstFree;
  if (oldFirst < 1 || oldFirst >= h->blockCount || Contains(blocks, oldFirst)) {
    oldFirst = 0;
    h->freeCount = 0;
  }
  for (std::size_t j = 0; j < blocks.size(); ++j) {
    Link link;
    link.prev = j == 0 ? 0 : blocks[j - 1];
    link.next = j + 1 < blocks.size() ? blocks[j + 1] : oldFirst;
    link.length = 0;
    const int32_t code = WriteBlock(blocks[j], link, nullptr, 0);
    if (code != 0) return code;
  }
  if (oldFirst != 0) {
    const int32_t code = WriteLinkField(oldFirst, kPrevOffset, blocks.back());
    if (code != 0) return code;
  }
  h->firstFree = blocks.front();
  h->freeCount = static_cast<int32_t>(std::min<int64_t>(
      int64_t{h->freeCount} + static_cast<int64_t>(blocks.size()), h->blockCount - 1));
  return 0;
}

int32_t SideFile::ShrinkAtEnd(SideFileHeader* h) {
  const int32_t before = h->blockCount;
  while (h->blockCount > 1) {
    const int32_t k = h->blockCount - 1;
    Link link;
    const int32_t code = ReadLink(k, &link);
    if (code != 0) return code;
    if (link.length != 0) break;
    auto inList = [k](int32_t b) { return b >= 1 && b < k; };
    const int32_t prev = inList(link.prev) ? link.prev : 0;
    const int32_t next = inList(link.next) ? link.next : 0;
    if (h->firstFree == k) {
      h->firstFree = next;
    } else if (prev != 0) {
      const int32_t c = WriteLinkField(prev, kNextOffset, next);
      if (c != 0) return c;
    }
    if (next != 0) {
      const int32_t c = WriteLinkField(next, kPrevOffset, prev);
      if (c != 0) return c;
    }
    h->freeCount = std::max(h->freeCount - 1, 0);
    h->blockCount = k;
  }
  if (h->firstFree < 0 || h->firstFree >= h->blockCount) {
    h->firstFree = 0;
    h->freeCount = 0;
  }
  if (h->firstFree == 0) h->freeCount = 0;
  h->freeCount = std::min(h->freeCount, h->blockCount - 1);
  if (h->blockCount < before) return file_->Truncate(BlockOffset(h->blockCount));
  return 0;
}

int32_t SideFile::Store(int32_t old, const std::string& value, int32_t* first) {
  *first = 0;
  if (old == 0 && value.empty()) return 0;
  ByteLock headerLock(locks_, 0, timeoutMs_);
  if (headerLock.code() != 0) return headerLock.code();
  SideFileHeader h;
  const int32_t headerCode = ReadHeader(&h);
  if (headerCode != 0) return headerCode;
  if (h.blockCount < 1) return kErrSideFileAccess;
  const SideFileHeader before = h;

  std::vector<int32_t> oldChain;
  if (old != 0) {
    const int32_t code = FollowChain(old, h.blockCount, &oldChain);
    // A damaged old chain may share blocks with other values: it is left
    // alone (its blocks are lost) and the new value gets blocks of its own.
    // A file that fails to read fails the store.
    if (code != 0 && code != kErrSideFileAccess) return code;
    if (code != 0) oldChain.clear();
  }

  const std::size_t pieces = (value.size() + kPieceSize - 1) / kPieceSize;
  std::vector<int32_t> chain;
  chain.reserve(pieces);
  std::vector<int32_t> inUse = oldChain;
  for (std::size_t i = 0; i < pieces; ++i) {
    int32_t b = 0;
    if (i < oldChain.size()) {
      b = oldChain[i];
    } else {
      const int32_t code = TakeFreeBlock(&h, inUse, &b);
      if (code != 0) return code;
      if (b == 0) {
        if (h.blockCount >= kMaxBlocks) return kErrSideFileAccess;
        b = h.blockCount++;
      }
      inUse.push_back(b);
    }
    chain.push_back(b);
  }

  for (std::size_t i = 0; i < pieces; ++i) {
    const std::size_t start = i * kPieceSize;
    const std::size_t size = std::min<std::size_t>(kPieceSize, value.size() - start);
    Link link;
    link.prev = i == 0 ? 0 : chain[i - 1];
    link.next = i + 1 < pieces ? chain[i + 1] : 0;
    link.length = static_cast<int32_t>(size);
    const int32_t code = WriteBlock(chain[i], link, value.data() + start, size);
    if (code != 0) return code;
  }

  if (oldChain.size() > pieces) {
    const std::vector<int32_t> unused(oldChain.begin() + static_cast<std::ptrdiff_t>(pieces),
                                      oldChain.end());
    int32_t code = FreeBlocks(&h, unused);
    if (code == 0) code = ShrinkAtEnd(&h);
    if (code != 0) return code;
  }

  if (h.blockCount != before.blockCount || h.freeCount != before.freeCount ||
      h.firstFree != before.firstFree) {
    const int32_t code = WriteHeader(h);
    if (code != 0) return code;
  }
  *first = chain.empty() ? 0 : chain.front();
  return 0;
}

int32_t SideFile::RebuildFreeList(const std::vector<uint8_t>& used, int32_t blockCount) {
  ByteLock headerLock(locks_, 0, timeoutMs_);
  if (headerLock.code() != 0) return headerLock.code();
  SideFileHeader h;
  if (ReadHeader(&h) != 0) return kErrSideFileAccess;
  auto isUsed = [&](int32_t b) {
    return static_cast<std::size_t>(b) < used.size() && used[static_cast<std::size_t>(b)] != 0;
  };
  // Free blocks at the end are not kept: the file ends after its last used
  // block.
  while (blockCount > 1 && !isUsed(blockCount - 1)) --blockCount;
  std::vector<int32_t> free;
  for (int32_t b = 1; b < blockCount; ++b) {
    if (!isUsed(b)) free.push_back(b);
  }
  for (std::size_t j = 0; j < free.size(); ++j) {
    Link link;
    link.prev = j == 0 ? 0 : free[j - 1];
    link.next = j + 1 < free.size() ? free[j + 1] : 0;
    const int32_t code = WriteBlock(free[j], link, nullptr, 0);
    if (code != 0) return code;
  }
  h.blockCount = blockCount;
  h.freeCount = static_cast<int32_t>(free.size());
  h.firstFree = free.empty() ? 0 : free.front();
  int32_t code = WriteHeader(h);
  int64_t size = 0;
  if (code == 0) code = file_->Size(&size);
  if (code == 0 && size > BlockOffset(blockCount)) code = file_->Truncate(BlockOffset(blockCount));
  return code;
}

int32_t SideFile::Clear() {
  ByteLock headerLock(locks_, 0, timeoutMs_);
  if (headerLock.code() != 0) return headerLock.code();
  SideFileHeader h;
  if (ReadHeader(&h) != 0) return kErrSideFileAccess;
  h.blockCount = 1;
  h.freeCount = 0;
  h.firstFree = 0;
  int32_t code = WriteHeader(h);
  if (code == 0) code = file_->Truncate(kBlockSize);
  return code;
}

}  // namespace cindral
