// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of a read-write open that the side file holds together, and its
// repair. Every block must lie in exactly one live value or in the free
// list, the free list must link both ways and hold as many blocks as the
// header says, and no record may carry an id the header has yet to issue.
//
// The blocks a value uses are those its chain reaches from the record while
// every step is sound (in the file, not seen before in the chain, holding 1
// to 500 bytes, pointing back to the block before); a chain that breaks
// keeps the blocks before the break. Records marked deleted still use
// theirs. When the free list does not hold together it is rebuilt from
// every block no value uses, so a block a record still reaches is never
// handed out. Two values that start at the same block (left by an older
// program killed amid a purge) are parted: the later one gets a copy in
// blocks of its own, or no value when its chain cannot be read. A value
// whose first block is not sound (past the end, free, inside another chain)
// is lost already and becomes the empty value, so that it cannot come to
// read whatever value takes that block next.
//
// Runs inside the open's change, under the whole-file lock.

// The audit runs in phases: ScanRecords (the largest id, and where each
// value starts), ReadBlocks (every block's links), WalkChains (the blocks
// each value owns), CheckFreeList (rebuilt unless sound), PartShared and
// DropLost (the values set right in their records), and RaiseNextId. The
// record writes go through the record file's own write path, at the
// layout's offsets.
//
// Runs inside the open's change, under the whole-file lock.

#include <cstdint>
#include <vector>

#include "store/SideFile.h"

namespace cindral {

class RecordCursor;
struct OpenRepairs;

class BlockAudit {
 public:
  explicit BlockAudit(RecordCursor& records) : records_(records) {}
  int32_t Run(OpenRepairs* repairs);

 private:
  // One record's reference to a side-file value.
  struct ValueRef {
    int32_t record;
    int32_t field;  // index into the record file's fields
    int32_t first;
  };

  // `*go` turns false (and nothing is to be done) when the records are too
  // large to read.
  int32_t ScanRecords(bool* go);
  // `*go` turns false when the side file is too large to audit or its
  // header counts blocks it lacks.
  int32_t ReadBlocks(bool* go);
  void WalkChains();
  int32_t CheckFreeList(OpenRepairs* repairs);
  int32_t PartShared(OpenRepairs* repairs);
  int32_t DropLost(OpenRepairs* repairs);
  int32_t RaiseNextId(OpenRepairs* repairs);

  RecordCursor& records_;
  SideFile* side_ = nullptr;         // null when no value lies in a side file
  std::vector<int32_t> sideFields_;  // the fields whose values lie there
  int32_t nextId_ = 0;
  int64_t maxId_ = 0;
  std::vector<ValueRef> refs_;  // every value a record points to
  SideFileHeader header_;
  int32_t fileBlocks_ = 0;     // blocks the side file holds, the header block too
  std::vector<int32_t> prev_;  // each block's links as read
  std::vector<int32_t> next_;
  std::vector<int32_t> length_;
  std::vector<int32_t> owner_;     // the chain that uses a block, 0 = none
  std::vector<int32_t> seen_;      // the last chain that stepped on a block
  std::vector<ValueRef> parted_;   // values that start in another value's blocks
  std::vector<ValueRef> dropped_;  // values whose first block is not theirs
  int32_t lastUsed_ = 0;
};

}  // namespace cindral
