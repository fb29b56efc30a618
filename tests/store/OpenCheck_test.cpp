// The checks and repairs when a data file and its side file are opened:
// damaged or foreign files are refused with their codes (and left as they
// were), a file cut short or carrying trailing bytes is repaired.

#include <gtest/gtest.h>

#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"

namespace cindral {
namespace {

using testing::Field;
using testing::TempDatabase;

constexpr int64_t kFirst = 116 + 72 * 6;  // the word record's first record
constexpr int64_t kRecord = 32;           // its record size with memo text

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

}  // namespace
}  // namespace cindral
