// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's two lock bytes: held from a change's first level to its
// last, never left behind by a change that cannot begin, and read by other
// writers to tell a change that is running from one that was cut short.

#include "store/ChangeLocks.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "TempDatabase.h"
#include "store/Bytes.h"
#include "store/Database.h"
#include "store/PosixFile.h"
#include "store/PosixFileSystem.h"

namespace cindral {
namespace {

using testing::TempDatabase;

// A journal header as a change writes it before its first entry.
std::string HotJournalHeader() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  std::string header(32, '\0');
  std::memcpy(&header[0], "CINDRALJ", 8);
  PutInt32(&header[8], 1);
  PutInt32(&header[12], 0x5A17);
  uint32_t crc = ~0u;
  for (int i = 0; i < 28; ++i) {
    crc = table[(crc ^ static_cast<unsigned char>(header[static_cast<std::size_t>(i)])) & 0xFF] ^
          (crc >> 8);
  }
  PutInt32(&header[28], static_cast<int32_t>(~crc));
  return header;
}

class ChangeLocksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields(8));
    ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &mine_), 0);
    ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &other_), 0);
    std::unique_ptr<FileAccess> data;
    ASSERT_EQ(PosixFile::Open(path_, Access::ReadWrite, Share::DenyNone, &data), 0);
    data_ = std::make_unique<JournaledFile>(std::move(data));
    locks_ = std::make_unique<LockTable>(mine_.get(), LockKind::Exclusive);
    change_ = std::make_unique<ChangeLocks>(*locks_, *mine_, PosixFileSystem::Instance(), path_,
                                            false, &played_);
    change_->journal().Attach(data_.get(), nullptr);
  }
  // Whether another open file could lock the byte now.
  bool Free(int64_t offset) { return other_->TestLock(offset, 1, LockKind::Exclusive) == 0; }
  bool JournalBytesFree() {
    return Free(ChangeLocks::kJournalLock) && Free(ChangeLocks::kJournalOwner);
  }

  TempDatabase dir_;
  std::string path_;
  std::unique_ptr<FileAccess> mine_;
  std::unique_ptr<FileAccess> other_;
  std::unique_ptr<JournaledFile> data_;
  std::unique_ptr<LockTable> locks_;
  bool played_ = false;
  std::unique_ptr<ChangeLocks> change_;
};

TEST_F(ChangeLocksTest, BothJournalBytesAreHeldUntilTheOutermostLevelEnds) {
  ASSERT_EQ(change_->Begin(), 0);
  EXPECT_FALSE(Free(ChangeLocks::kJournalLock));
  EXPECT_FALSE(Free(ChangeLocks::kJournalOwner));
  ASSERT_EQ(change_->Begin(), 0);
  EXPECT_EQ(change_->End(0), 0);
  EXPECT_FALSE(Free(ChangeLocks::kJournalLock));
  EXPECT_FALSE(Free(ChangeLocks::kJournalOwner));
  EXPECT_EQ(change_->End(0), 0);
  EXPECT_TRUE(JournalBytesFree());
}

TEST_F(ChangeLocksTest, AHotJournalIsLeftToTheWholeFileLockAndLeavesNoJournalByteHeld) {
  TempDatabase::Write(Journal::PathFor(path_), HotJournalHeader());
  // A writer holding only its record's byte finds the journal hot.
  const int64_t record = 116 + 72 * 6;
  ASSERT_EQ(locks_->LockByte(record, 0), 0);
  EXPECT_EQ(change_->CheckHot(), ChangeLocks::kHotJournal);
  EXPECT_EQ(change_->Begin(), ChangeLocks::kHotJournal);
  EXPECT_TRUE(JournalBytesFree());
  // While another process owns the journal its change is running, not hot.
  ASSERT_EQ(other_->Lock(ChangeLocks::kJournalOwner, 1, LockKind::Exclusive), 0);
  EXPECT_EQ(change_->CheckHot(), 0);
  ASSERT_EQ(other_->Unlock(ChangeLocks::kJournalOwner, 1), 0);
  ASSERT_EQ(locks_->UnlockByte(record), 0);
  // Under the whole-file lock it is played back, and nothing is hot after.
  ASSERT_EQ(change_->RecoverHot(), 0);
  EXPECT_TRUE(JournalBytesFree());
  EXPECT_FALSE(locks_->HoldsWhole());
  EXPECT_EQ(change_->CheckHot(), 0);
  EXPECT_NE(TempDatabase::Read(Journal::PathFor(path_)).compare(0, 8, "CINDRALJ"), 0);
}

}  // namespace
}  // namespace cindral
