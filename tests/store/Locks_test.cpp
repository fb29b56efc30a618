// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Byte-range locks between open files: nesting counts, the whole-file lock
// around bytes already held, the time-out retry, shared locks for readers,
// and the share modes.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/LockTable.h"
#include "store/PosixFile.h"

namespace cindral {
namespace {

using testing::TempDatabase;
using Clock = std::chrono::steady_clock;

class LocksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields(8));
    ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &mine_), 0);
    ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &other_), 0);
  }
  // Whether another open file could lock the byte now.
  bool Free(int64_t offset) { return other_->TestLock(offset, 1, LockKind::Exclusive) == 0; }

  TempDatabase dir_;
  std::string path_;
  std::unique_ptr<FileAccess> mine_;
  std::unique_ptr<FileAccess> other_;
};

TEST_F(LocksTest, NestedLocksAreReleasedByTheLastUnlock) {
  LockTable table(mine_.get(), LockKind::Exclusive);
  ASSERT_EQ(table.LockByte(600, 0), 0);
  ASSERT_EQ(table.LockByte(600, 0), 0);
  EXPECT_EQ(table.CountOf(600), 2);
  EXPECT_FALSE(Free(600));
  EXPECT_TRUE(Free(601));
  ASSERT_EQ(table.UnlockByte(600), 0);
  EXPECT_FALSE(Free(600));
  ASSERT_EQ(table.UnlockByte(600), 0);
  EXPECT_TRUE(Free(600));
  EXPECT_EQ(table.UnlockByte(600), kErrUnlockFailed);
}

TEST_F(LocksTest, TheWholeFileLockLeavesSingleByteLocksAsTheyAre) {
  LockTable table(mine_.get(), LockKind::Exclusive);
  ASSERT_EQ(table.LockByte(16, 0), 0);
  ASSERT_EQ(table.LockByte(700, 0), 0);
  ASSERT_EQ(table.LockWhole(0), 0);
  ASSERT_EQ(table.LockWhole(0), 0);  // counted
  EXPECT_FALSE(Free(0));
  EXPECT_FALSE(Free(0x7FFFFFFE));
  EXPECT_TRUE(Free(0x7FFFFFFF));
  // Inside the whole lock, byte locks only count.
  ASSERT_EQ(table.LockByte(900, 0), 0);
  ASSERT_EQ(table.UnlockByte(700), 0);
  ASSERT_EQ(table.UnlockWhole(), 0);
  EXPECT_FALSE(Free(5));
  ASSERT_EQ(table.UnlockWhole(), 0);
  EXPECT_TRUE(Free(5));
  EXPECT_FALSE(Free(16));   // held before
  EXPECT_FALSE(Free(900));  // taken during
  EXPECT_TRUE(Free(700));   // given back during
  ASSERT_EQ(table.UnlockByte(900), 0);
  EXPECT_TRUE(Free(900));
  table.ReleaseAll();
  EXPECT_TRUE(Free(16));
}

TEST_F(LocksTest, ClosingAnotherDescriptorOfTheFileKeepsTheLocks) {
  LockTable table(mine_.get(), LockKind::Exclusive);
  ASSERT_EQ(table.LockByte(16, 0), 0);
  const int fd = ::open(GbkToUtf8(path_).c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_FALSE(Free(16));
}

TEST_F(LocksTest, ABusyLockIsRetriedOnlyWithinTheTimeOut) {
  LockTable holder(other_.get(), LockKind::Exclusive);
  LockTable table(mine_.get(), LockKind::Exclusive);
  ASSERT_EQ(holder.LockByte(16, 0), 0);
  auto start = Clock::now();
  EXPECT_EQ(table.LockByte(16, 0), kErrLockViolation);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
  start = Clock::now();
  EXPECT_EQ(table.LockByte(16, 150), kErrLockViolation);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
  EXPECT_EQ(table.LockWhole(0), kErrLockViolation);
  // Nothing of a failed whole-file lock stays behind.
  EXPECT_EQ(other_->TestLock(0, 16, LockKind::Exclusive), 0);
  EXPECT_EQ(other_->TestLock(17, 1000, LockKind::Exclusive), 0);

  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    holder.UnlockByte(16);
  });
  EXPECT_EQ(table.LockByte(16, -1), 0);
  release.join();
}

TEST_F(LocksTest, ReadersShareTheirLocksButKeepWritersOut) {
  std::unique_ptr<FileAccess> reader1, reader2;
  ASSERT_EQ(PosixFile::Open(path_, Access::ReadOnly, Share::DenyNone, &reader1), 0);
  ASSERT_EQ(PosixFile::Open(path_, Access::ReadOnly, Share::DenyNone, &reader2), 0);
  LockTable a(reader1.get(), LockKind::Shared);
  LockTable b(reader2.get(), LockKind::Shared);
  ASSERT_EQ(a.LockByte(600, 0), 0);
  EXPECT_EQ(b.LockByte(600, 0), 0);
  EXPECT_EQ(b.LockWhole(0), 0);
  LockTable writer(mine_.get(), LockKind::Exclusive);
  EXPECT_EQ(writer.LockByte(600, 0), kErrLockViolation);
  EXPECT_EQ(writer.LockByte(16, 0), kErrLockViolation);
}

TEST_F(LocksTest, ARecordLockedElsewhereFailsTheFieldReadUntilItIsFree) {
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  ASSERT_TRUE(db.AddRecord({Value::Int(5)}));
  LockTable holder(other_.get(), LockKind::Exclusive);
  const int64_t record = db.Current()->firstRecordOffset();
  ASSERT_EQ(holder.LockByte(record, 0), 0);
  EXPECT_EQ(db.ReadField(1), Value::Int(0));
  EXPECT_EQ(LastDatabaseError(), kErrLockViolation);
  EXPECT_FALSE(db.WriteField(1, Value::Int(6)));
  EXPECT_EQ(LastDatabaseError(), kErrLockViolation);
  holder.UnlockByte(record);
  EXPECT_EQ(db.ReadField(1), Value::Int(5));

  // The record count waits up to 2000 ms even with a time-out of 0.
  ASSERT_EQ(holder.LockByte(16, 0), 0);
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    holder.UnlockByte(16);
  });
  EXPECT_EQ(db.RecordCount(), 1);
  EXPECT_EQ(LastDatabaseError(), 0);
  release.join();
}

TEST_F(LocksTest, ShareModesKeepOutTheOpenersTheyDeny) {
  mine_.reset();
  other_.reset();
  Database first;
  ASSERT_TRUE(first.OpenDatabase(path_, Access::ReadWrite, Share::DenyWrite));
  Database second;
  EXPECT_FALSE(second.OpenDatabase(path_, Access::ReadWrite));
  EXPECT_EQ(LastDatabaseError(), kErrSharingViolation);
  EXPECT_TRUE(second.OpenDatabase(path_, Access::ReadOnly));
  Database third;
  // Denying reads is refused while someone reads.
  EXPECT_FALSE(third.OpenDatabase(path_, Access::ReadOnly, Share::DenyRead));
  EXPECT_EQ(LastDatabaseError(), kErrSharingViolation);

  const std::string other = dir_.Create("other.EDB", WordRecordFields());
  Database exclusive;
  ASSERT_TRUE(exclusive.OpenDatabase(other, Access::ReadWrite, Share::Exclusive));
  ASSERT_TRUE(exclusive.AddRecord({Value::Int(1), Value::Text("memo")}));
  Database late;
  EXPECT_FALSE(late.OpenDatabase(other, Access::ReadOnly));
  EXPECT_EQ(LastDatabaseError(), kErrSharingViolation);
  Database reader;
  EXPECT_TRUE(reader.OpenDatabase(path_, Access::ReadOnly, Share::DenyNone));
}

}  // namespace
}  // namespace cindral
