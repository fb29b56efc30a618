// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The checks and repairs when a data file and its side file are opened:
// damaged or foreign files are refused with their codes (and left as they
// were), a file cut short or carrying trailing bytes is repaired, a repair
// that would drop whole records first copies the files beside them, and
// the open waits for another process's lock as long as a count read does.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <regex>
#include <thread>

#include "FaultyFiles.h"
#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/PosixFile.h"

namespace cindral {
namespace {

using testing::Field;
using testing::TempDatabase;

constexpr int64_t kFirst = 116 + 72 * 6;  // the word record's first record
constexpr int64_t kRecord = 32;           // its record size with memo text
constexpr int64_t kFixedRecord = 56;      // and with 16-byte text

int64_t Descriptor(int i) { return 116 + 72 * i; }

class OpenCheckTest : public ::testing::Test {
 protected:
  // A word book with `n` records, closed again.
  std::string Book(int n, int32_t textBytes = 0) {
    const std::string path = dir_.Create("book.EDB", WordRecordFields(textBytes));
    Database db;
    EXPECT_TRUE(db.OpenDatabase(path));
    for (int i = 1; i <= n; ++i) {
      EXPECT_TRUE(db.AddRecord({Value::Int(i), Value::Text("w"), Value::Text("m")}));
    }
    return path;
  }
  int32_t Open(const std::string& path, Access access = Access::ReadWrite) {
    Database db;
    const std::size_t before = TempDatabase::OpenDescriptors();
    db.OpenDatabase(path, access);
    const int32_t code = LastDatabaseError();
    if (code != 0) {
      // A failed open leaves nothing open behind.
      EXPECT_EQ(TempDatabase::OpenDescriptors(), before);
      EXPECT_EQ(db.DatabaseCount(), 0);
    }
    return code;
  }
  // Expects the open to be refused with `code` and the file to stay as it was.
  void ExpectRefused(const std::string& path, int32_t code, Access access = Access::ReadWrite) {
    const std::string before = TempDatabase::Read(path);
    EXPECT_EQ(Open(path, access), code);
    EXPECT_EQ(TempDatabase::Read(path), before);
  }

  TempDatabase dir_;
};

TEST_F(OpenCheckTest, AFileLongerThanItsHeaderSaysLosesOnlyTheTrailingBytes) {
  const std::string path = Book(3);
  // An append cut short between record and header: a whole record and a half.
  std::string bytes = TempDatabase::Read(path);
  bytes += std::string(kRecord + 5, '\x55');
  TempDatabase::Write(path, bytes);
  // Read-only access reads it as it is.
  EXPECT_EQ(Open(path, Access::ReadOnly), 0);
  EXPECT_EQ(TempDatabase::Size(path), kFirst + 4 * kRecord + 5);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(TempDatabase::Size(path), kFirst + 3 * kRecord);
  ASSERT_TRUE(db.GoLast());
  EXPECT_EQ(ReadIntegerField(db, 1), 3);
}

TEST_F(OpenCheckTest, AFileShorterThanItsHeaderSaysKeepsItsWholeRecords) {
  const std::string path = Book(5);
  TempDatabase::Resize(path, kFirst + 3 * kRecord + 7);
  ExpectRefused(path, kErrFileSize, Access::ReadOnly);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(TempDatabase::Int32At(path, 16), 3);
  EXPECT_EQ(TempDatabase::Size(path), kFirst + 3 * kRecord);
}

TEST_F(OpenCheckTest, ForeignAndNewerFilesAreRefused) {
  const std::string path = Book(1);
  const std::string good = TempDatabase::Read(path);
  auto patched = [&](int64_t offset, const std::string& bytes) {
    std::string copy = good;
    copy.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    TempDatabase::Write(path, copy);
  };
  patched(0, "WEDX");
  ExpectRefused(path, kErrNotDatabase);
  patched(0, "WCDB");  // carries a password the program does not have
  ExpectRefused(path, kErrOpenFailed);
  TempDatabase::Write(path, good);
  TempDatabase::PutInt32At(path, 4, 0x00010001);
  ExpectRefused(path, kErrVersionTooHigh);
  TempDatabase::Write(path, good.substr(0, 111));
  ExpectRefused(path, kErrNotDatabase);
  TempDatabase::Write(path, "");
  ExpectRefused(path, kErrNotDatabase);
}

TEST_F(OpenCheckTest, HeaderValuesOutOfRangeAreRefused) {
  const std::string path = Book(1);
  const std::string good = TempDatabase::Read(path);
  const std::vector<std::pair<int64_t, int32_t>> bad = {
      {16, -1},                          // record count
      {20, 0},                           // NextRecordId
      {24, 0},                           // record size
      {24, 3},                           // no room for the record id
      {24, 0x7FFFFF00},                  // one record could never fit the file
      {112, 0},                          // field count
      {112, 0x7FFFFFFF},                 // descriptors far beyond the file
      {112, 7},                          // one descriptor more than the file holds
      {Descriptor(1) + 20, 0},           // type
      {Descriptor(1) + 20, 13},          // type
      {Descriptor(1) + 24, -4},          // offset
      {Descriptor(5) + 24, 29},          // reaches past the record
      {Descriptor(1) + 24, 0x7FFFFFFE},  // offset + size overflows
  };
  for (const auto& [offset, value] : bad) {
    TempDatabase::Write(path, good);
    TempDatabase::PutInt32At(path, offset, value);
    SCOPED_TRACE(::testing::Message() << "offset " << offset << " value " << value);
    ExpectRefused(path, kErrNotDatabase);
  }
}

TEST_F(OpenCheckTest, DescriptorNamesMustEndWithin17Bytes) {
  const std::string path = Book(0, 8);
  std::string bytes = TempDatabase::Read(path);
  bytes.replace(static_cast<std::size_t>(Descriptor(2)), 17, "ABCDEFGHIJKLMNOPQ");
  TempDatabase::Write(path, bytes);
  ExpectRefused(path, kErrNotDatabase);
  bytes.replace(static_cast<std::size_t>(Descriptor(2)), 17, std::string("ABCDEFGHIJKLMNOP\0", 17));
  TempDatabase::Write(path, bytes);
  EXPECT_EQ(Open(path), 0);
  // A fixed-length text field needs a size.
  TempDatabase::PutInt32At(path, Descriptor(1) + 28, 0);
  ExpectRefused(path, kErrNotDatabase);
}

TEST_F(OpenCheckTest, ADamagedFileIsRefusedBeforeAnythingIsRepaired) {
  const std::string path = Book(2);
  TempDatabase::Resize(path, kFirst + kRecord + 3);
  TempDatabase::PutInt32At(path, Descriptor(0) + 20, 99);
  ExpectRefused(path, kErrNotDatabase);
  EXPECT_EQ(TempDatabase::Int32At(path, 16), 2);
}

TEST_F(OpenCheckTest, TheSideFileIsCheckedWithTheDataFile) {
  const std::string path = Book(1);
  const std::string side = SideFile::PathFor(path);
  const std::string good = TempDatabase::Read(side);
  ::unlink(GbkToUtf8(side).c_str());
  ExpectRefused(path, kErrSideFileRead);
  for (const auto& [offset, value] :
       std::vector<std::pair<int64_t, int32_t>>{{0, 0x54444557 + 1},  // magic
                                                {16, 0},              // block count
                                                {20, 3},   // free count not below the block count
                                                {24, -1},  // first free block
                                                {24, 3}}) {
    TempDatabase::Write(side, good);
    TempDatabase::PutInt32At(side, offset, value);
    ExpectRefused(path, kErrSideFileRead);
  }
  TempDatabase::Write(side, good);
  TempDatabase::PutInt32At(side, 4, 0x00010001);
  ExpectRefused(path, kErrSideFileVersion);
}

TEST_F(OpenCheckTest, ASideFileCutShortLosesItsMissingBlocks) {
  const std::string path = Book(2);
  const std::string side = SideFile::PathFor(path);
  ASSERT_EQ(TempDatabase::Int32At(side, 16), 5);
  TempDatabase::Resize(side, 3 * 512 + 100);
  ExpectRefused(path, kErrSideFileDamaged, Access::ReadOnly);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(TempDatabase::Int32At(side, 16), 3);
  // The first record's values survive; the second's pointed past the end
  // and are gone: they read as empty values, and blocks handed out later
  // under those numbers never show up in that record.
  EXPECT_EQ(ReadTextField(db, 2), "w");
  EXPECT_EQ(db.Current()->repairs().valuesDropped, 2);
  ASSERT_TRUE(db.AddRecord({Value::Int(3), Value::Text("third"), Value::Text("blocks 3, 4")}));
  ASSERT_TRUE(db.GoTo(2));
  EXPECT_EQ(ReadTextField(db, 2), "");
  EXPECT_EQ(ReadTextField(db, 3), "");
  // Writing gives the record fresh blocks.
  ASSERT_TRUE(db.WriteField(2, Value::Text("again")));
  EXPECT_EQ(ReadTextField(db, 2), "again");
  ASSERT_TRUE(db.GoLast());
  EXPECT_EQ(ReadTextField(db, 2), "third");
}

// The copies a repair made beside `path`: name -> bytes.
std::map<std::string, std::string> CopiesBeside(const std::string& dir) {
  std::map<std::string, std::string> copies;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".before-repair-") != std::string::npos) {
      copies[name] = TempDatabase::Read(Utf8ToGbk(entry.path().string()));
    }
  }
  return copies;
}

// One flipped bit in the record count (100 -> 36) would have the open cut
// 64 whole records: they are copied away first, with the side file.
TEST_F(OpenCheckTest, ACountThatLostWholeRecordsIsRepairedOnlyAfterACopy) {
  const std::string path = Book(100);
  const std::string side = SideFile::PathFor(path);
  TempDatabase::PutInt32At(path, 16, 100 ^ 64);
  const std::string data = TempDatabase::Read(path);
  const std::string sideBytes = TempDatabase::Read(side);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(db.RecordCount(), 36);
  EXPECT_TRUE(db.Current()->repairs().wholeRecordsCut);
  const std::string copy = db.RepairCopy();
  EXPECT_TRUE(std::regex_match(GbkToUtf8(copy), std::regex(".*/book\\.EDB\\.before-repair-"
                                                           "[0-9]{8}-[0-9]{6}")))
      << GbkToUtf8(copy);
  const auto copies = CopiesBeside(dir_.dir());
  ASSERT_EQ(copies.size(), 2u);
  const std::string suffix = copy.substr(path.size());
  EXPECT_TRUE(copies.at("book.EDB" + suffix) == data);
  EXPECT_TRUE(copies.at("book.EDT" + suffix) == sideBytes);
  EXPECT_EQ(TempDatabase::Size(path), kFirst + 36 * kRecord);
  // A second repair in the same second gets a copy of its own.
  TempDatabase::Resize(path, kFirst + 40 * kRecord);
  TempDatabase::PutInt32At(path, 16, 20);
  Database other;
  ASSERT_TRUE(other.OpenDatabase(path));
  EXPECT_NE(other.RepairCopy(), copy);
  EXPECT_EQ(CopiesBeside(dir_.dir()).size(), 4u);
}

// A plain append killed between its record and its count leaves one whole
// record carrying the next id: it never returned, so it goes without a copy.
TEST_F(OpenCheckTest, AnAppendCutShortBeforeItsCountGoesWithoutACopy) {
  const std::string path = Book(3, 16);
  std::string bytes = TempDatabase::Read(path);
  std::string record(kFixedRecord, '\0');
  PutInt32(&record[0], TempDatabase::Int32At(path, 20));
  TempDatabase::Write(path, bytes + record);
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(db.RecordCount(), 3);
  EXPECT_TRUE(db.Current()->repairs().trailingCut);
  EXPECT_FALSE(db.Current()->repairs().wholeRecordsCut);
  EXPECT_EQ(db.RepairCopy(), "");
  EXPECT_TRUE(CopiesBeside(dir_.dir()).empty());
  EXPECT_TRUE(TempDatabase::Read(path) == bytes);
}

TEST_F(OpenCheckTest, WithoutRoomForTheCopyNothingIsCut) {
  const std::string path = Book(10);
  TempDatabase::PutInt32At(path, 16, 2);
  const std::string data = TempDatabase::Read(path);
  auto plan = std::make_shared<testing::FaultPlan>();
  plan->Reset(testing::FaultPlan::Kind::WriteError, 1, true);
  Database db;
  db.SetFileSystem(testing::FaultyFileSystem(plan));
  EXPECT_FALSE(db.OpenDatabase(path));
  EXPECT_EQ(LastDatabaseError(), kErrDiskFull);
  EXPECT_TRUE(TempDatabase::Read(path) == data);
  EXPECT_TRUE(CopiesBeside(dir_.dir()).empty());
}

// Another process holding a lock for a moment (here: a record being read)
// does not make the open fail; one that holds it past the count read's
// time-out does.
TEST_F(OpenCheckTest, TheOpenWaitsForAnotherProcesssLockAsLongAsACountRead) {
  const std::string path = Book(3);
  std::unique_ptr<FileAccess> other;
  ASSERT_EQ(PosixFile::Open(path, Access::ReadWrite, Share::DenyNone, &other), 0);
  ASSERT_EQ(other->Lock(kFirst + kRecord, 1, LockKind::Exclusive), 0);
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other->Unlock(kFirst + kRecord, 1);
  });
  const auto start = std::chrono::steady_clock::now();
  Database db;
  const bool opened = db.OpenDatabase(path);
  const auto waited = std::chrono::steady_clock::now() - start;
  release.join();
  EXPECT_TRUE(opened) << LastDatabaseError();
  EXPECT_GE(waited, std::chrono::milliseconds(250));

  ASSERT_EQ(other->Lock(kFirst, 1, LockKind::Exclusive), 0);
  const auto again = std::chrono::steady_clock::now();
  Database late;
  EXPECT_FALSE(late.OpenDatabase(path));
  EXPECT_EQ(LastDatabaseError(), kErrOpenFailed);
  EXPECT_GE(std::chrono::steady_clock::now() - again, std::chrono::milliseconds(2000));
}

}  // namespace
}  // namespace cindral
