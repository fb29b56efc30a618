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

#include <cstdint>

namespace cindral {

class RecordFile;
struct OpenRepairs;

class BlockAudit {
 public:
  explicit BlockAudit(RecordFile& records) : records_(records) {}
  int32_t Run(OpenRepairs* repairs);

 private:
  RecordFile& records_;
};

}  // namespace cindral
