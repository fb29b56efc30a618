// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The side file of a database with memo-text or byte-set fields: values kept
// in chains of 512-byte blocks (500 value bytes each), a free list through
// the same links, and a 32-byte header in block 0.
//
// Every walk over links read from the file is bounded by the block count and
// checks each block number and back link, so a damaged side file ends a load
// or store with kErrSideFileAccess instead of looping, reading far past its
// end or running into another value's blocks.
//
// Writes go through the journal (see Journal.h) whenever a change runs: the
// record file begins one around every store.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/FileAccess.h"
#include "store/FileSystem.h"
#include "store/JournaledFile.h"
#include "store/LockTable.h"
#include "store/ReadAheadFile.h"

namespace cindral {

struct SideFileHeader {
  char raw[32] = {};  // as found, so uninterpreted bytes go back unchanged
  int32_t version = 0;
  int32_t blockCount = 1;
  int32_t freeCount = 0;
  int32_t firstFree = 0;
};

class SideFile {
 public:
  static constexpr int32_t kBlockSize = 512;
  static constexpr int32_t kPieceSize = 500;

  // Opens the side file; Check() then checks it.
  static int32_t Open(const std::string& path, Access access, Share share, int32_t timeoutMs,
                      FileSystem& fs, std::unique_ptr<SideFile>* out);
  // Checks the header under the side file's whole-file lock, lowering a
  // block count that the file cannot hold (read-only access refuses such a
  // file instead).
  int32_t Check(Access access, Share share, int32_t dataVersion);
  // Writes a new, empty side file (exactly one header block) into `file`.
  static int32_t WriteEmpty(FileAccess& file, int32_t version);
  // The side file's path: the data file's extension replaced by "EDT".
  static std::string PathFor(const std::string& dataPath);

  void SetTimeout(int32_t timeoutMs) { timeoutMs_ = timeoutMs; }

  // The value whose chain starts at `first` (0 = empty). Memo texts end at
  // their first zero byte (`cutAtZero`).
  int32_t Load(int32_t first, bool cutAtZero, std::string* out);
  // Stores `value` over the chain that starts at `old` (0 = none), reusing
  // its blocks first; `*first` receives the new chain's first block
  // (0 for an empty value). Blocks no longer used are freed, and the file
  // shrinks when its last blocks become free.
  int32_t Store(int32_t old, const std::string& value, int32_t* first);
  // Resets the header to one block and cuts the file to 512 bytes.
  int32_t Clear();
  int32_t ReadHeader(SideFileHeader* header);
  // Makes every block below `blockCount` that `used` does not mark (indexed
  // by block number; blocks beyond it count as unused) a free block, in
  // ascending order, drops free blocks at the end of the file, and writes
  // the header. For rebuilding a free list that does not hold together.
  int32_t RebuildFreeList(const std::vector<uint8_t>& used, int32_t blockCount);

  JournaledFile& file() { return *file_; }
  LockTable& locks() { return locks_; }
  // Reads in large blocks while the data file's whole-file lock is held
  // (see ReadAheadFile.h).
  ReadAheadFile& readAhead() { return *readAhead_; }

 private:
  struct Link {
    int32_t prev = 0;
    int32_t next = 0;
    int32_t length = 0;
  };

  SideFile(std::unique_ptr<FileAccess> file, Access access);
  int32_t CheckHeader(Access access, int32_t dataVersion);
  int32_t WriteHeader(const SideFileHeader& header);
  int32_t ReadLink(int32_t block, Link* link);
  int32_t WriteLinkField(int32_t block, int fieldOffset, int32_t value);
  int32_t WriteBlock(int32_t block, const Link& link, const char* data, std::size_t size);
  // The block numbers of the chain at `first`; kErrSideFileAccess when it
  // loops, leaves the file, passes a free block, or runs into another chain
  // (a block that does not point back to its predecessor).
  int32_t FollowChain(int32_t first, int32_t blockCount, std::vector<int32_t>* chain);
  // Takes the first free block for a chain being built; abandons a damaged
  // free list (its blocks are then only lost, never handed out twice).
  int32_t TakeFreeBlock(SideFileHeader* header, const std::vector<int32_t>& inUse, int32_t* block);
  int32_t FreeBlocks(SideFileHeader* header, const std::vector<int32_t>& blocks);
  int32_t ShrinkAtEnd(SideFileHeader* header);

  ReadAheadFile* readAhead_;  // under file_, which owns it
  std::unique_ptr<JournaledFile> file_;
  LockTable locks_;
  int32_t timeoutMs_ = 0;
  // The block count last seen in the header; bounds a load without reading
  // the header each time (re-read before a block is declared out of range).
  int32_t knownBlockCount_ = 1;
  std::string block_;  // one block's bytes, reused
};

}  // namespace cindral
