// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Memo values in the side file: block counts at the 500-byte edges, reuse of
// a value's own blocks and of free blocks, freeing and shrinking, and damaged
// chains and free lists that must neither loop nor share blocks.

#include <gtest/gtest.h>

#include <chrono>

#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

using testing::TempDatabase;

constexpr int64_t kFirst = 116 + 72 * 6;
constexpr int64_t kRecord = 32;

using testing::Text;

class SideFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    side_ = SideFile::PathFor(path_);
    ASSERT_TRUE(db_.OpenDatabase(path_));
  }
  SideFileHeader Header() {
    SideFileHeader h;
    EXPECT_EQ(db_.Current()->side()->ReadHeader(&h), 0);
    return h;
  }
  int32_t WordBlock(int32_t index) {
    return TempDatabase::Int32At(path_, kFirst + index * kRecord + 8);
  }
  int32_t Link(int32_t block, int field) {
    return TempDatabase::Int32At(side_, int64_t{block} * 512 + field * 4);
  }
  void SetLink(int32_t block, int field, int32_t value) {
    TempDatabase::PutInt32At(side_, int64_t{block} * 512 + field * 4, value);
  }

  TempDatabase dir_;
  std::string path_;
  std::string side_;
  Database db_;
};

TEST_F(SideFileTest, ValuesTakeOneBlockPer500Bytes) {
  const std::size_t sizes[] = {0, 1, 500, 501, 1500};
  const int32_t blocks[] = {0, 1, 1, 2, 3};
  int32_t used = 1;
  for (std::size_t i = 0; i < 5; ++i) {
    const std::string value = Text(sizes[i]);
    ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(value)}));
    EXPECT_EQ(ReadTextField(db_, 2), value);
    used += blocks[i];
    EXPECT_EQ(Header().blockCount, used) << sizes[i] << " bytes";
    EXPECT_EQ(TempDatabase::Size(side_), int64_t{used} * 512);
  }
  EXPECT_EQ(WordBlock(0), 0);  // the empty value takes no block
  // The last block of the 1500-byte value holds the rest, and the chain links
  // both ways.
  const int32_t first = WordBlock(4);
  const int32_t second = Link(first, 1);
  const int32_t third = Link(second, 1);
  EXPECT_EQ(Link(first, 0), 0);
  EXPECT_EQ(Link(second, 0), first);
  EXPECT_EQ(Link(third, 0), second);
  EXPECT_EQ(Link(third, 1), 0);
  EXPECT_EQ(Link(third, 2), 500);
}

TEST_F(SideFileTest, MemoTextEndsAtItsFirstZeroAndKeepsTwoByteCharacters) {
  const std::string chinese = GBK("熟练度");
  ASSERT_TRUE(db_.AddRecord(
      {Value::Int(1), Value::Text(std::string("ab\0cd", 5)), Value::Text(Text(499) + chinese)}));
  EXPECT_EQ(ReadTextField(db_, 2), "ab");
  EXPECT_EQ(ReadTextField(db_, 3), Text(499) + chinese);  // split across two blocks
}

TEST_F(SideFileTest, AShorterValueReusesItsFirstBlockAndTheFileShrinks) {
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1500))}));
  const int32_t first = WordBlock(0);
  ASSERT_EQ(TempDatabase::Size(side_), 4 * 512);
  ASSERT_TRUE(db_.WriteField(2, Value::Text("short")));
  EXPECT_EQ(WordBlock(0), first);
  EXPECT_EQ(ReadTextField(db_, 2), "short");
  EXPECT_EQ(TempDatabase::Size(side_), 2 * 512);
  const SideFileHeader h = Header();
  EXPECT_EQ(h.blockCount, 2);
  EXPECT_EQ(h.freeCount, 0);
  EXPECT_EQ(h.firstFree, 0);
  // Freeing the value gives back the last block too.
  ASSERT_TRUE(db_.WriteField(2, Value::Text("")));
  EXPECT_EQ(WordBlock(0), 0);
  EXPECT_EQ(TempDatabase::Size(side_), 512);
}

TEST_F(SideFileTest, FreedBlocksInTheMiddleAreReusedBeforeTheFileGrows) {
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1500)), Value::Text("end")}));
  // Blocks 1..3 hold the word, 4 the meaning; the word shrinks to one block.
  ASSERT_TRUE(db_.WriteField(2, Value::Text("x")));
  SideFileHeader h = Header();
  EXPECT_EQ(h.blockCount, 5);
  EXPECT_EQ(h.freeCount, 2);
  EXPECT_EQ(h.firstFree, 2);
  EXPECT_EQ(Link(2, 1), 3);
  EXPECT_EQ(Link(3, 0), 2);
  EXPECT_EQ(Link(2, 2), 0);
  // A new two-block value takes the free blocks in list order.
  ASSERT_TRUE(db_.AddRecord({Value::Int(2), Value::Text(Text(900))}));
  EXPECT_EQ(WordBlock(1), 2);
  EXPECT_EQ(Link(2, 1), 3);
  h = Header();
  EXPECT_EQ(h.blockCount, 5);
  EXPECT_EQ(h.freeCount, 0);
  EXPECT_EQ(h.firstFree, 0);
  EXPECT_EQ(ReadTextField(db_, 2), Text(900));
  db_.GoFirst();
  EXPECT_EQ(ReadTextField(db_, 3), "end");
}

TEST_F(SideFileTest, FreeingTheLastBlocksUnlinksThemFromTheFreeList) {
  // Word A: blocks 1-2, word B: 3-4, word C: 5-6.
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(db_.AddRecord({Value::Int(i), Value::Text(Text(600, 'a' + i))}));
  }
  ASSERT_TRUE(db_.GoTo(1));
  ASSERT_TRUE(db_.WriteField(2, Value::Text("")));  // the free list is 1, 2
  ASSERT_TRUE(db_.GoTo(3));
  ASSERT_TRUE(db_.WriteField(2, Value::Text("")));  // 5, 6 join it, then leave with the file's end
  SideFileHeader h = Header();
  EXPECT_EQ(h.blockCount, 5);
  EXPECT_EQ(h.freeCount, 2);
  EXPECT_EQ(h.firstFree, 1);
  EXPECT_EQ(Link(1, 0), 0);
  EXPECT_EQ(Link(1, 1), 2);
  EXPECT_EQ(Link(2, 1), 0);
  EXPECT_EQ(TempDatabase::Size(side_), 5 * 512);
  ASSERT_TRUE(db_.WriteField(2, Value::Text(Text(700, 'z'))));
  EXPECT_EQ(WordBlock(2), 1);
  EXPECT_EQ(Header().freeCount, 0);
  ASSERT_TRUE(db_.GoTo(2));
  EXPECT_EQ(ReadTextField(db_, 2), Text(600, 'b'));
}

TEST_F(SideFileTest, ChainsThatLoopOrLeaveTheFileEndWithAnErrorAtOnce) {
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1500)), Value::Text("keep")}));
  const int32_t first = WordBlock(0);
  const int32_t last = Link(Link(first, 1), 1);
  const int32_t meaning = TempDatabase::Int32At(path_, kFirst + 12);
  const std::string good = TempDatabase::Read(side_);
  struct Damage {
    int32_t block;
    int field;
    int32_t value;
  };
  const Damage damages[] = {
      {last, 1, first},     // loops back to the start
      {first, 1, first},    // loops on itself
      {last, 1, 1000},      // beyond the block count
      {last, 1, -3},        // not a block at all
      {first, 2, 0},        // a free block inside a chain
      {first, 2, 501},      // more bytes than a block holds
      {first, 1, meaning},  // runs into the meaning's chain
  };
  for (const Damage& d : damages) {
    TempDatabase::Write(side_, good);
    SetLink(d.block, d.field, d.value);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(db_.ReadField(2), Value::Text(""));
    EXPECT_EQ(LastDatabaseError(), kErrSideFileAccess);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(ReadTextField(db_, 3), "keep");
  }
  TempDatabase::Write(side_, good);
  TempDatabase::PutInt32At(path_, kFirst + 8, 0x7FFFFFFF);
  EXPECT_EQ(db_.ReadField(2), Value::Text(""));
  EXPECT_EQ(LastDatabaseError(), kErrSideFileAccess);
}

TEST_F(SideFileTest, ANewValueOverADamagedChainLeavesTheOldBlocksAlone) {
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1000)), Value::Text("keep")}));
  const int32_t first = WordBlock(0);
  // The word's second block now claims to go on into the meaning's block.
  const int32_t meaning = TempDatabase::Int32At(path_, kFirst + 12);
  SetLink(Link(first, 1), 1, meaning);
  ASSERT_TRUE(db_.WriteField(2, Value::Text("fresh")));
  EXPECT_EQ(ReadTextField(db_, 2), "fresh");
  EXPECT_EQ(ReadTextField(db_, 3), "keep");
  EXPECT_NE(WordBlock(0), first);
}

TEST_F(SideFileTest, ADamagedFreeListIsDroppedRatherThanFollowed) {
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1500)), Value::Text("keep")}));
  ASSERT_TRUE(db_.WriteField(2, Value::Text("x")));  // blocks 2 and 3 become free
  ASSERT_EQ(Header().firstFree, 2);

  // A free list that loops on itself hands its block out once only.
  SetLink(2, 1, 2);
  ASSERT_TRUE(db_.AddRecord({Value::Int(2), Value::Text(Text(1500, 'k'))}));
  EXPECT_EQ(ReadTextField(db_, 2), Text(1500, 'k'));
  db_.GoFirst();
  EXPECT_EQ(ReadTextField(db_, 2), "x");
  EXPECT_EQ(ReadTextField(db_, 3), "keep");

  // A free list that points into a value in use is not taken from.
  ASSERT_TRUE(db_.ClearAll());
  ASSERT_TRUE(db_.AddRecord({Value::Int(1), Value::Text(Text(1500)), Value::Text("keep")}));
  ASSERT_TRUE(db_.WriteField(2, Value::Text("x")));
  TempDatabase::PutInt32At(side_, 24, 4);  // the meaning's block
  TempDatabase::PutInt32At(side_, 20, 1);
  ASSERT_TRUE(db_.AddRecord({Value::Int(2), Value::Text(Text(700, 'q'))}));
  EXPECT_EQ(ReadTextField(db_, 2), Text(700, 'q'));
  db_.GoFirst();
  EXPECT_EQ(ReadTextField(db_, 3), "keep");
  EXPECT_EQ(Header().firstFree, 0);
}

}  // namespace
}  // namespace cindral
