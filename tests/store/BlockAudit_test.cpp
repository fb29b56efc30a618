// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The side-file audit of a read-write open: a free list that does not hold
// together is rebuilt from the blocks live values reach, so no block a
// record uses is ever handed out; values two records share are parted;
// values that start in a block not theirs become empty; ids and the block
// count grow past what is in use. A read-only open repairs nothing.

#include <gtest/gtest.h>

#include "FaultyFiles.h"
#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

using testing::TempDatabase;

constexpr int64_t kFirst = 116 + 72 * 6;
constexpr int64_t kRecord = 32;
constexpr int kPrev = 0;
constexpr int kNext = 1;
constexpr int kLength = 2;

using testing::Text;

class BlockAuditTest : public ::testing::Test {
 protected:
  // Four words A-D: record i uses block 3i+1 for its word and 3i+2, 3i+3
  // for its meaning. B's meaning is then emptied: blocks 5 and 6 are free.
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    side_ = SideFile::PathFor(path_);
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    for (int i = 0; i < 4; ++i) {
      ASSERT_TRUE(db.AddRecord(
          {Value::Int(i), Value::Text(std::string(1, 'A' + i)), Value::Text(Meaning(i))}));
    }
    ASSERT_TRUE(db.GoTo(2));
    ASSERT_TRUE(db.WriteField(3, Value::Text("")));
    ASSERT_EQ(Header(20), 2);
    ASSERT_EQ(Header(24), 5);
    ASSERT_EQ(Link(6, kPrev), 5);
  }
  static std::string Meaning(int i) { return Text(600, static_cast<char>('a' + i)); }
  int32_t Header(int64_t offset) const { return TempDatabase::Int32At(side_, offset); }
  void SetHeader(int64_t offset, int32_t value) const {
    TempDatabase::PutInt32At(side_, offset, value);
  }
  int32_t Link(int32_t block, int field) const {
    return TempDatabase::Int32At(side_, int64_t{block} * 512 + field * 4);
  }
  void SetLink(int32_t block, int field, int32_t value) const {
    TempDatabase::PutInt32At(side_, int64_t{block} * 512 + field * 4, value);
  }
  int64_t MeaningPointer(int record) const { return kFirst + record * kRecord + 12; }
  // The book as the program opens it; checks every word and meaning.
  void ExpectWords(Database& db, const std::vector<std::string>& meanings) {
    ASSERT_EQ(db.RecordCount(), static_cast<int32_t>(meanings.size()));
    db.GoFirst();
    for (std::size_t i = 0; i < meanings.size(); ++i) {
      EXPECT_EQ(ReadTextField(db, 3), meanings[i]) << "record " << i + 1;
      db.Skip(1);
    }
  }
  // The free list read straight from the file, checked both ways.
  std::vector<int32_t> FreeList() const {
    std::vector<int32_t> blocks;
    int32_t prev = 0;
    for (int32_t b = Header(24); b != 0 && blocks.size() < 100; b = Link(b, kNext)) {
      EXPECT_EQ(Link(b, kPrev), prev) << "block " << b;
      EXPECT_EQ(Link(b, kLength), 0) << "block " << b;
      blocks.push_back(b);
      prev = b;
    }
    EXPECT_EQ(static_cast<int32_t>(blocks.size()), Header(20));
    return blocks;
  }

  TempDatabase dir_;
  std::string path_;
  std::string side_;
};

TEST_F(BlockAuditTest, ASoundBookIsLeftAsItIs) {
  const std::string data = TempDatabase::Read(path_);
  const std::string side = TempDatabase::Read(side_);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  const OpenRepairs& r = db.Current()->repairs();
  EXPECT_FALSE(r.freeListRebuilt || r.nextIdRaised || r.trailingCut || r.countLowered);
  EXPECT_EQ(r.valuesCopied + r.valuesDropped, 0);
  EXPECT_TRUE(TempDatabase::Read(path_) == data);
  EXPECT_TRUE(TempDatabase::Read(side_) == side);
}

TEST_F(BlockAuditTest, AFreeListThatRunsIntoALiveValueIsRebuiltWithoutIt) {
  // The free list goes on from block 6 into C's meaning.
  SetLink(6, kNext, 8);
  SetHeader(20, 3);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().freeListRebuilt);
  EXPECT_EQ(FreeList(), (std::vector<int32_t>{5, 6}));
  // New values take the free blocks, then new ones: C keeps its meaning.
  ASSERT_TRUE(db.AddRecord({Value::Int(9), Value::Text("E"), Value::Text(Text(1400, 'x'))}));
  ExpectWords(db, {Meaning(0), "", Meaning(2), Meaning(3), Text(1400, 'x')});
}

TEST_F(BlockAuditTest, AFreeListWithBrokenBackLinksIsRebuilt) {
  SetLink(6, kPrev, 0);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().freeListRebuilt);
  EXPECT_EQ(FreeList(), (std::vector<int32_t>{5, 6}));
}

TEST_F(BlockAuditTest, AFreeCountThatDisagreesIsRebuilt) {
  SetHeader(20, 1);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().freeListRebuilt);
  EXPECT_EQ(FreeList(), (std::vector<int32_t>{5, 6}));
}

TEST_F(BlockAuditTest, BlocksNeitherFreeNorInUseAreTakenBack) {
  // Block 5 is lost: the free list starts at 6.
  SetHeader(24, 6);
  SetHeader(20, 1);
  SetLink(6, kPrev, 0);
  const int64_t size = TempDatabase::Size(side_);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().freeListRebuilt);
  EXPECT_EQ(FreeList(), (std::vector<int32_t>{5, 6}));
  ASSERT_TRUE(db.GoTo(2));
  ASSERT_TRUE(db.WriteField(3, Value::Text(Text(1000, 'r'))));
  EXPECT_EQ(TempDatabase::Size(side_), size);
}

// Left by an older program killed amid a purge: two records name the same
// blocks. Deleting one of them must not take the other's text along.
TEST_F(BlockAuditTest, TwoRecordsSharingAValueArePartedSoDeletingOneKeepsTheOther) {
  TempDatabase::PutInt32At(path_, MeaningPointer(3),
                           TempDatabase::Int32At(path_, MeaningPointer(2)));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_EQ(db.Current()->repairs().valuesCopied, 1);
  ExpectWords(db, {Meaning(0), "", Meaning(2), Meaning(2)});
  ASSERT_TRUE(db.GoTo(3));
  ASSERT_TRUE(db.MarkDeleted());
  ASSERT_TRUE(db.PurgeDeleted());
  ExpectWords(db, {Meaning(0), "", Meaning(2)});
}

// A marked record whose blocks were freed before the purge that should have
// dropped it ran to its end: the next word takes those blocks, and the
// purge must not free them again.
TEST_F(BlockAuditTest, AMarkedRecordWhoseBlocksWereFreedDoesNotTakeTheNextWordsBlocks) {
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    ASSERT_TRUE(db.GoTo(3));
    ASSERT_TRUE(db.MarkDeleted());
  }
  // C's meaning (8, 9) joins the front of the free list, C still names it.
  SetLink(8, kLength, 0);
  SetLink(9, kLength, 0);
  SetLink(9, kNext, 5);
  SetLink(5, kPrev, 9);
  SetHeader(24, 8);
  SetHeader(20, 4);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_EQ(db.Current()->repairs().valuesDropped, 1);
  ASSERT_TRUE(db.AddRecord({Value::Int(9), Value::Text("E"), Value::Text(Text(900, 'n'))}));
  // The new word took C's freed blocks.
  EXPECT_EQ(TempDatabase::Int32At(path_, MeaningPointer(4) - 4), 8);
  EXPECT_EQ(TempDatabase::Int32At(path_, MeaningPointer(4)), 9);
  ASSERT_TRUE(db.PurgeDeleted());
  ExpectWords(db, {Meaning(0), "", Meaning(3), Text(900, 'n')});
  ASSERT_TRUE(db.GoLast());
  EXPECT_EQ(ReadTextField(db, 2), "E");
}

TEST_F(BlockAuditTest, ABlockCountBelowTheBlocksInUseGrowsToCoverThem) {
  SetHeader(16, 7);
  SetHeader(20, 0);
  SetHeader(24, 0);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_EQ(Header(16), 13);
  ExpectWords(db, {Meaning(0), "", Meaning(2), Meaning(3)});
  // A new value does not land on D's blocks.
  ASSERT_TRUE(db.AddRecord({Value::Int(9), Value::Text("E"), Value::Text(Text(1400, 'e'))}));
  ExpectWords(db, {Meaning(0), "", Meaning(2), Meaning(3), Text(1400, 'e')});
}

TEST_F(BlockAuditTest, ANextIdBelowAnIdInUseIsRaised) {
  TempDatabase::PutInt32At(path_, 20, 2);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  EXPECT_TRUE(db.Current()->repairs().nextIdRaised);
  ASSERT_TRUE(db.AddRecord({Value::Int(9)}));
  int32_t id = 0;
  ASSERT_EQ(db.Current()->ReadRecordId(4, &id), 0);
  EXPECT_EQ(id, 5);
}

TEST_F(BlockAuditTest, AReadOnlyOpenRepairsNothing) {
  SetLink(6, kNext, 8);
  SetHeader(20, 3);
  TempDatabase::PutInt32At(path_, 20, 2);
  const std::string data = TempDatabase::Read(path_);
  const std::string side = TempDatabase::Read(side_);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_, Access::ReadOnly));
  ASSERT_TRUE(db.GoTo(3));
  EXPECT_EQ(ReadTextField(db, 3), Meaning(2));
  EXPECT_TRUE(TempDatabase::Read(path_) == data);
  EXPECT_TRUE(TempDatabase::Read(side_) == side);
}

// Every phase repairs at once: a value lost, a value shared, blocks lost to
// nothing, an id the header has yet to issue. The repairs are one change
// with the open: a disk that fails at any of its writes leaves both files
// as they were, and the next open repairs them whole.
TEST_F(BlockAuditTest, ARepairTheDiskFailsLeavesTheBookAsItWas) {
  TempDatabase::PutInt32At(path_, MeaningPointer(0), 5);
  TempDatabase::PutInt32At(path_, MeaningPointer(3),
                           TempDatabase::Int32At(path_, MeaningPointer(2)));
  TempDatabase::PutInt32At(path_, 20, 2);
  const std::string data = TempDatabase::Read(path_);
  const std::string side = TempDatabase::Read(side_);
  std::string repairedData;
  std::string repairedSide;
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    const OpenRepairs& r = db.Current()->repairs();
    ASSERT_TRUE(r.freeListRebuilt && r.nextIdRaised);
    ASSERT_EQ(r.valuesCopied, 1);
    ASSERT_EQ(r.valuesDropped, 1);
  }
  repairedData = TempDatabase::Read(path_);
  repairedSide = TempDatabase::Read(side_);
  auto plan = std::make_shared<testing::FaultPlan>();
  int failures = 0;
  for (int64_t k = 1; k < 1000; ++k) {
    TempDatabase::Write(path_, data);
    TempDatabase::Write(side_, side);
    plan->Reset(testing::FaultPlan::Kind::WriteError, k, false);
    bool opened = false;
    {
      Database db;
      db.SetFileSystem(testing::FaultyFileSystem(plan));
      opened = db.OpenDatabase(path_);
    }
    const bool fired = plan->fired;
    if (!opened) {
      ++failures;
      ASSERT_TRUE(TempDatabase::Read(path_) == data) << "write " << k;
      ASSERT_TRUE(TempDatabase::Read(side_) == side) << "write " << k;
      Database db;
      ASSERT_TRUE(db.OpenDatabase(path_)) << "write " << k;
    }
    ASSERT_TRUE(TempDatabase::Read(path_) == repairedData) << "write " << k;
    ASSERT_TRUE(TempDatabase::Read(side_) == repairedSide) << "write " << k;
    if (!fired) break;
  }
  EXPECT_GT(failures, 3);
}

}  // namespace
}  // namespace cindral
