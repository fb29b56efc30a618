// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record cursor, field reads and writes, and the changes (append, mark,
// purge, clear) as the program sees them through Database.

#include "store/Database.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <thread>

#include "TempDatabase.h"
#include "store/DatabaseErrors.h"
#include "store/DateTime.h"
#include "store/RecordPurge.h"

namespace cindral {
namespace {

using testing::Field;
using testing::TempDatabase;

std::vector<Value> Word(int32_t group, const std::string& word, const std::string& meaning,
                        int32_t serial) {
  return {Value::Int(group),      Value::Text(word), Value::Text(meaning),
          Value::DateTime(40000), Value::Int(1),     Value::Double(serial)};
}

class DatabaseTest : public ::testing::Test {
 protected:
  void OpenBook(int32_t textBytes = 0) {
    path_ = dir_.Create("单词本.EDB", WordRecordFields(textBytes));
    ASSERT_FALSE(path_.empty());
    ASSERT_TRUE(db_.OpenDatabase(path_)) << LastDatabaseError();
  }
  void AddWords(int n) {
    for (int i = 1; i <= n; ++i) {
      ASSERT_TRUE(db_.AddRecord(Word(1, "w" + std::to_string(i), "m", i)));
    }
  }
  int32_t Serial() { return ReadIntegerField(db_, 6); }

  TempDatabase dir_;
  std::string path_;
  Database db_;
};

TEST_F(DatabaseTest, EmptyDatabaseReadsZeroValuesAndKeepsTheCursorAtZero) {
  OpenBook();
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_TRUE(db_.GoLast());
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_EQ(db_.ReadField(1), Value::Int(0));
  EXPECT_EQ(LastDatabaseError(), kErrSeek);
  EXPECT_EQ(db_.ReadField(2), Value::Text(""));
  EXPECT_EQ(db_.ReadField(4), Value::DateTime(0));
  EXPECT_EQ(LastDatabaseError(), kErrSeek);
  EXPECT_FALSE(db_.WriteField(1, Value::Int(3)));
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentRecord);
  EXPECT_FALSE(db_.Skip(1));
  EXPECT_EQ(LastDatabaseError(), kErrAfterLast);
  EXPECT_FALSE(db_.Skip(-1));
  EXPECT_EQ(LastDatabaseError(), kErrBeforeFirst);
}

TEST_F(DatabaseTest, SkipStopsAfterTheLastAndBeforeTheFirstRecord) {
  OpenBook();
  AddWords(3);
  ASSERT_TRUE(db_.GoLast());
  EXPECT_TRUE(db_.Skip(1));
  EXPECT_EQ(db_.RecordNumber(), 4);
  EXPECT_FALSE(db_.Skip(1));
  EXPECT_EQ(LastDatabaseError(), kErrAfterLast);
  EXPECT_EQ(db_.RecordNumber(), 4);
  // Reading after the last record gives the zero value.
  EXPECT_EQ(db_.ReadField(1), Value::Int(0));
  EXPECT_EQ(LastDatabaseError(), kErrSeek);

  EXPECT_TRUE(db_.Skip(-100));
  EXPECT_EQ(db_.RecordNumber(), 0);
  EXPECT_FALSE(db_.Skip(-1));
  EXPECT_EQ(LastDatabaseError(), kErrBeforeFirst);
  EXPECT_EQ(db_.ReadField(1), Value::Int(0));
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentRecord);
  EXPECT_TRUE(db_.Skip(100));
  EXPECT_EQ(db_.RecordNumber(), 4);
  EXPECT_TRUE(db_.Skip(0));
  EXPECT_EQ(db_.RecordNumber(), 4);
  // The extremes of n do not overflow the cursor.
  EXPECT_TRUE(db_.Skip(-2147483647 - 1));
  EXPECT_EQ(db_.RecordNumber(), 0);
  EXPECT_TRUE(db_.Skip(2147483647));
  EXPECT_EQ(db_.RecordNumber(), 4);
}

TEST_F(DatabaseTest, GoToClampsToTheFirstAndLastRecord) {
  OpenBook();
  AddWords(5);
  EXPECT_TRUE(db_.GoTo(0));
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_TRUE(db_.GoTo(-7));
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_TRUE(db_.GoTo(-2147483647 - 1));
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_TRUE(db_.GoTo(3));
  EXPECT_EQ(Serial(), 3);
  EXPECT_TRUE(db_.GoTo(99));
  EXPECT_EQ(db_.RecordNumber(), 5);
  db_.GoFirst();
  EXPECT_EQ(Serial(), 1);
}

TEST_F(DatabaseTest, TheWalkIdiomVisitsEveryRecordOnce) {
  OpenBook();
  AddWords(7);
  db_.GoFirst();
  const int32_t k = db_.RecordCount();
  std::vector<int32_t> seen;
  for (int32_t i = 0; i < k; ++i) {
    seen.push_back(Serial());
    ASSERT_TRUE(db_.Skip(1));
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(db_.RecordNumber(), 8);
}

TEST_F(DatabaseTest, WithoutACurrentDatabaseOperationsFailAndReadsAreFatal) {
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentDatabase);
  EXPECT_EQ(db_.RecordNumber(), 0);
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentDatabase);
  EXPECT_FALSE(db_.WriteField(1, Value::Int(1)));
  EXPECT_EQ(LastDatabaseError(), kErrNoDatabaseForWrite);
  EXPECT_FALSE(db_.AddRecord({}));
  EXPECT_EQ(db_.CurrentIndex(), -1);
  try {
    db_.ReadField(1);
    FAIL() << "no fatal error";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.text, GBK("未指定当前数据库或者指定数据库未打开"));
  }
}

TEST_F(DatabaseTest, AFieldPositionOutsideTheRecordIsFatalToReadAndRefusedToWrite) {
  OpenBook();
  AddWords(1);
  for (int32_t position : {0, 7, -1}) {
    try {
      db_.ReadField(position);
      FAIL() << "no fatal error for " << position;
    } catch (const FatalError& e) {
      EXPECT_EQ(e.text, GBK("指定字段不存在"));
    }
    EXPECT_FALSE(db_.WriteField(position, Value::Int(1)));
    EXPECT_EQ(LastDatabaseError(), kErrNoSuchField);
  }
}

TEST_F(DatabaseTest, StrictReadingsRefuseTheWrongKindOfField) {
  OpenBook();
  AddWords(1);
  EXPECT_EQ(ReadTextField(db_, 2), "w1");
  EXPECT_EQ(ReadDateField(db_, 4), 40000.0);
  try {
    ReadIntegerField(db_, 2);
    FAIL();
  } catch (const FatalError& e) {
    EXPECT_EQ(e.number, 2);
    EXPECT_EQ(e.text, GBK("未得到所需要的数值型数据"));
  }
  for (int32_t position : {1, 4}) {
    try {
      ReadTextField(db_, position);
      FAIL();
    } catch (const FatalError& e) {
      EXPECT_EQ(e.number, 5);
      EXPECT_EQ(e.text, GBK("数据或数组类型不匹配"));
    }
  }
  EXPECT_THROW(ReadDateField(db_, 5), FatalError);
}

TEST_F(DatabaseTest, WritesCheckTheTypeAndConvertNumbers) {
  OpenBook();
  AddWords(1);
  // An integer is not a date: refused, and the date stays.
  EXPECT_FALSE(db_.WriteField(4, Value::Int(5)));
  EXPECT_EQ(LastDatabaseError(), kErrTypeMismatch);
  EXPECT_EQ(ReadDateField(db_, 4), 40000.0);
  EXPECT_FALSE(db_.WriteField(5, Value::Text("5")));
  EXPECT_FALSE(db_.WriteField(2, Value::Int(5)));
  EXPECT_EQ(ReadTextField(db_, 2), "w1");
  EXPECT_TRUE(db_.WriteField(5, Value::Double(5.0)));
  EXPECT_EQ(db_.ReadField(5), Value::Int(5));
  EXPECT_TRUE(db_.WriteField(5, Value::Double(-7.9)));
  EXPECT_EQ(ReadIntegerField(db_, 5), -7);
  EXPECT_TRUE(db_.WriteField(5, Value::Double(1e300)));
  EXPECT_EQ(ReadIntegerField(db_, 5), 2147483647);
  EXPECT_TRUE(db_.WriteField(5, Value::Long(0x100000005LL)));
  EXPECT_EQ(ReadIntegerField(db_, 5), 5);
  // Dates outside the calendar read back clamped.
  EXPECT_TRUE(db_.WriteField(4, Value::DateTime(9e9)));
  EXPECT_EQ(ReadDateField(db_, 4), kMaxDateTime);
  EXPECT_TRUE(db_.WriteField(4, Value::DateTime(-9e9)));
  EXPECT_EQ(ReadDateField(db_, 4), kMinDateTime);
}

TEST_F(DatabaseTest, EveryFieldTypeStoresAndReadsItsOwnKind) {
  const std::string path = dir_.Create(
      "all.EDB", {Field("b", kTypeByte), Field("s", kTypeShort), Field("i", kTypeInt),
                  Field("l", kTypeLong), Field("f", kTypeFloat), Field("d", kTypeDouble),
                  Field("g", kTypeLogical), Field("t", kTypeDateTime), Field("p", kTypeSubroutine),
                  Field("x", kTypeText, 6), Field("y", kTypeByteSet), Field("m", kTypeMemo)});
  ASSERT_TRUE(db_.OpenDatabase(path));
  ASSERT_TRUE(db_.AddRecord(
      {Value::Int(300), Value::Double(-40000.5), Value::Int(-9), Value::Double(-3.5), Value::Int(7),
       Value::Float(2.5f), Value::Logical(true), Value::DateTime(1.5), Value::Subroutine(77),
       Value::Text("abc"), Value::ByteSet(std::string("a\0b", 3)), Value::Text("memo")}));
  EXPECT_EQ(db_.ReadField(1), Value::Byte(44));       // 300 wraps to the byte's width
  EXPECT_EQ(db_.ReadField(2), Value::Short(-32768));  // floating values saturate
  EXPECT_EQ(db_.ReadField(3), Value::Int(-9));
  EXPECT_EQ(db_.ReadField(4), Value::Long(-3));
  EXPECT_EQ(db_.ReadField(5), Value::Float(7.0f));
  EXPECT_EQ(db_.ReadField(6), Value::Double(2.5));
  EXPECT_EQ(db_.ReadField(7), Value::Logical(true));
  EXPECT_EQ(db_.ReadField(8), Value::DateTime(1.5));
  EXPECT_EQ(db_.ReadField(9), Value::Subroutine(77));
  EXPECT_EQ(db_.ReadField(10), Value::Text("abc"));
  EXPECT_EQ(db_.ReadField(11), Value::ByteSet(std::string("a\0b", 3)));
  EXPECT_EQ(db_.ReadField(12), Value::Text("memo"));
  EXPECT_EQ(ReadIntegerField(db_, 1), 44);
  EXPECT_EQ(ReadIntegerField(db_, 2), -32768);
  EXPECT_EQ(ReadIntegerField(db_, 6), 2);
  // Logical is not numeric, and a float beyond float's range is infinite.
  EXPECT_FALSE(db_.WriteField(3, Value::Logical(true)));
  EXPECT_EQ(LastDatabaseError(), kErrTypeMismatch);
  EXPECT_TRUE(db_.WriteField(5, Value::Double(1e300)));
  EXPECT_TRUE(std::isinf(db_.ReadField(5).real()));
  EXPECT_TRUE(db_.WriteField(7, Value::Logical(false)));
  EXPECT_EQ(db_.ReadField(7), Value::Logical(false));
}

TEST_F(DatabaseTest, FixedTextIsCutToTheFieldAndPaddedWithZeros) {
  OpenBook(8);
  ASSERT_TRUE(db_.AddRecord(Word(1, "abcdefghijkl", "x", 1)));
  EXPECT_EQ(ReadTextField(db_, 2), "abcdefgh");
  ASSERT_TRUE(db_.WriteField(2, Value::Text("ab")));
  EXPECT_EQ(ReadTextField(db_, 2), "ab");
  const std::string bytes = TempDatabase::Read(path_);
  const int64_t wordAt = db_.Current()->firstRecordOffset() + 8;
  EXPECT_EQ(bytes.substr(static_cast<std::size_t>(wordAt), 8), std::string("ab\0\0\0\0\0\0", 8));
  // A two-byte character that would straddle the end is left out whole.
  const std::string chinese = GBK("单词本子");  // 8 bytes
  ASSERT_TRUE(db_.WriteField(3, Value::Text("a" + chinese)));
  EXPECT_EQ(ReadTextField(db_, 3), "a" + GBK("单词本"));
  ASSERT_TRUE(db_.WriteField(3, Value::Text(chinese)));
  EXPECT_EQ(ReadTextField(db_, 3), chinese);
}

TEST_F(DatabaseTest, OpeningAppliesTheDefaultExtensionAndRefusesASecondOpen) {
  path_ = dir_.Create("单词本.EDB", WordRecordFields());
  const std::string dir = Utf8ToGbk(dir_.dir());
  ASSERT_TRUE(db_.OpenDatabase(dir + "/" + GBK("单词本")));
  EXPECT_EQ(db_.Current()->path(), path_);
  EXPECT_FALSE(db_.OpenDatabase(dir + "/./" + GBK("单词本.")));
  EXPECT_EQ(LastDatabaseError(), kErrAlreadyOpen);
  EXPECT_FALSE(db_.OpenDatabase(path_));
  EXPECT_EQ(LastDatabaseError(), kErrAlreadyOpen);
  // Another name for the same file is still the same database.
  ASSERT_EQ(::symlink(GbkToUtf8(path_).c_str(), (dir_.dir() + "/link.EDB").c_str()), 0);
  ASSERT_EQ(
      ::symlink(GbkToUtf8(SideFile::PathFor(path_)).c_str(), (dir_.dir() + "/link.EDT").c_str()),
      0);
  EXPECT_FALSE(db_.OpenDatabase(dir + "/link.EDB"));
  EXPECT_EQ(LastDatabaseError(), kErrAlreadyOpen);
  EXPECT_EQ(db_.DatabaseCount(), 1);

  EXPECT_FALSE(db_.OpenDatabase(""));
  EXPECT_EQ(LastDatabaseError(), kErrFileNotFound);
  EXPECT_FALSE(db_.OpenDatabase(dir + "/missing"));
  EXPECT_EQ(LastDatabaseError(), kErrFileNotFound);

  // A relative name is taken from the current directory.
  const std::string other = dir_.Create("other.EDB", WordRecordFields(4));
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(::chdir(dir_.dir().c_str()), 0);
  const bool opened = db_.OpenDatabase("other");
  ASSERT_EQ(::chdir(cwd), 0);
  ASSERT_TRUE(opened);
  EXPECT_EQ(db_.Current()->path(), other);
  EXPECT_EQ(db_.CurrentIndex(), 1);
  EXPECT_TRUE(db_.SetCurrent(0));
  EXPECT_FALSE(db_.SetCurrent(2));
}

TEST_F(DatabaseTest, TheLastErrorBelongsToEachThread) {
  OpenBook();
  EXPECT_FALSE(db_.Skip(1));
  int32_t seenElsewhere = 1;
  std::thread([&] { seenElsewhere = LastDatabaseError(); }).join();
  EXPECT_EQ(seenElsewhere, 0);
  EXPECT_EQ(LastDatabaseError(), kErrAfterLast);
}

TEST_F(DatabaseTest, AppendIssuesGrowingIdsAndMovesTheCursorToTheNewRecord) {
  OpenBook();
  ASSERT_TRUE(db_.AddRecord(Word(1, "a", "b", 1)));
  ASSERT_TRUE(db_.AddRecord({Value::Double(2.9)}));  // the rest stays zero
  EXPECT_EQ(db_.RecordNumber(), 2);
  EXPECT_EQ(ReadIntegerField(db_, 1), 2);
  EXPECT_EQ(ReadTextField(db_, 2), "");
  EXPECT_EQ(ReadDateField(db_, 4), 0.0);
  int32_t id = 0;
  ASSERT_EQ(db_.Current()->ReadRecordId(1, &id), 0);
  EXPECT_EQ(id, 2);

  const std::string before = TempDatabase::Read(path_);
  EXPECT_FALSE(db_.AddRecord({Value::Int(1), Value::Int(2)}));
  EXPECT_EQ(LastDatabaseError(), kErrTypeMismatch);
  EXPECT_EQ(TempDatabase::Read(path_), before);
  EXPECT_EQ(db_.RecordNumber(), 2);
}

TEST_F(DatabaseTest, MarkedRecordsStayCountedReadableAndMarkedUntilPurged) {
  OpenBook();
  AddWords(3);
  ASSERT_TRUE(db_.GoTo(2));
  ASSERT_TRUE(db_.MarkDeleted());
  ASSERT_TRUE(db_.MarkDeleted());
  EXPECT_EQ(db_.RecordNumber(), 2);
  EXPECT_EQ(db_.RecordCount(), 3);
  int32_t id = 0;
  ASSERT_EQ(db_.Current()->ReadRecordId(1, &id), 0);
  EXPECT_EQ(id, -2);
  EXPECT_EQ(Serial(), 2);
  EXPECT_TRUE(db_.WriteField(6, Value::Int(20)));
  EXPECT_EQ(Serial(), 20);

  ASSERT_TRUE(db_.Skip(5));
  EXPECT_FALSE(db_.MarkDeleted());
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentRecord);
  ASSERT_TRUE(db_.Skip(-10));
  EXPECT_FALSE(db_.MarkDeleted());
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentRecord);
}

TEST_F(DatabaseTest, PurgeKeepsTheLiveRecordsInOrderWithTheirIds) {
  OpenBook();
  AddWords(5);
  for (int32_t n : {2, 4, 5}) {
    ASSERT_TRUE(db_.GoTo(n));
    ASSERT_TRUE(db_.MarkDeleted());
  }
  ASSERT_TRUE(db_.PurgeDeleted());
  EXPECT_EQ(db_.RecordNumber(), 1);
  EXPECT_EQ(db_.RecordCount(), 2);
  int32_t id = 0;
  ASSERT_EQ(db_.Current()->ReadRecordId(1, &id), 0);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(ReadTextField(db_, 2), "w1");
  RecordFile* file = db_.Current();
  EXPECT_EQ(TempDatabase::Size(path_), file->firstRecordOffset() + 2 * file->recordSize());
  // The memo values of the dropped records went back to the side file: the
  // two live records use two blocks each plus the header block.
  SideFileHeader side;
  ASSERT_EQ(file->side()->ReadHeader(&side), 0);
  EXPECT_EQ(side.blockCount - side.freeCount, 5);
  // Renumbering after a deletion, as the program does it.
  const int32_t k = db_.RecordCount();
  for (int32_t i = 0; i < k; ++i) {
    ASSERT_TRUE(db_.WriteField(6, Value::Double(db_.RecordNumber())));
    db_.Skip(1);
  }
  db_.GoLast();
  EXPECT_EQ(Serial(), 2);
  ASSERT_TRUE(db_.AddRecord(Word(1, "new", "m", 3)));
  ASSERT_EQ(db_.Current()->ReadRecordId(2, &id), 0);
  EXPECT_EQ(id, 6);  // ids are never reused
}

TEST_F(DatabaseTest, PurgeWorksAcrossManyChunks) {
  // 32-byte records: 5120 to a chunk, so 12000 records take three chunks.
  OpenBook(0);
  const int32_t n = 12000;
  for (int32_t i = 1; i <= n; ++i) {
    ASSERT_TRUE(db_.AddRecord({Value::Int(i)}));
  }
  ASSERT_GT(int64_t{n} * db_.Current()->recordSize(), 2 * RecordPurge::kChunkBytes);
  for (int32_t i = 1; i <= n; i += 3) {
    ASSERT_TRUE(db_.GoTo(i));
    ASSERT_TRUE(db_.MarkDeleted());
  }
  ASSERT_TRUE(db_.PurgeDeleted());
  ASSERT_EQ(db_.RecordCount(), n - n / 3);
  db_.GoFirst();
  int32_t expected = 2;
  for (int32_t i = 0; i < n - n / 3; ++i) {
    ASSERT_EQ(ReadIntegerField(db_, 1), expected) << "at record " << i + 1;
    expected += expected % 3 == 2 ? 1 : 2;
    db_.Skip(1);
  }
}

TEST_F(DatabaseTest, PurgeMovesRecordsLargerThanAChunkOneByOne) {
  path_ = dir_.Create("big.EDB", {Field("n", kTypeInt), Field("t", kTypeText, 16)}, 200000);
  ASSERT_TRUE(db_.OpenDatabase(path_));
  for (int32_t i = 1; i <= 6; ++i) {
    ASSERT_TRUE(db_.AddRecord({Value::Int(i), Value::Text("r" + std::to_string(i))}));
  }
  for (int32_t i : {1, 4}) {
    ASSERT_TRUE(db_.GoTo(i));
    ASSERT_TRUE(db_.MarkDeleted());
  }
  ASSERT_TRUE(db_.PurgeDeleted());
  ASSERT_EQ(db_.RecordCount(), 4);
  db_.GoFirst();
  for (int32_t i : {2, 3, 5, 6}) {
    EXPECT_EQ(ReadIntegerField(db_, 1), i);
    EXPECT_EQ(ReadTextField(db_, 2), "r" + std::to_string(i));
    db_.Skip(1);
  }
  EXPECT_EQ(TempDatabase::Size(path_), db_.Current()->firstRecordOffset() + 4 * 200000);
}

TEST_F(DatabaseTest, ClearRemovesEverythingButNeverReusesAnId) {
  OpenBook();
  AddWords(4);
  ASSERT_TRUE(db_.ClearAll());
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(db_.RecordNumber(), 1);
  RecordFile* file = db_.Current();
  EXPECT_EQ(TempDatabase::Size(path_), file->firstRecordOffset());
  const std::string side = SideFile::PathFor(path_);
  EXPECT_EQ(TempDatabase::Size(side), 512);
  ASSERT_TRUE(db_.AddRecord(Word(1, "again", "", 1)));
  int32_t id = 0;
  ASSERT_EQ(file->ReadRecordId(0, &id), 0);
  EXPECT_EQ(id, 5);
  // The first value stored after clearing takes block 1.
  EXPECT_EQ(TempDatabase::Int32At(path_, file->firstRecordOffset() + 8), 1);
  EXPECT_EQ(TempDatabase::Int32At(side, 16), 2);
}

TEST_F(DatabaseTest, AReadOnlyDatabaseReadsButRefusesChanges) {
  path_ = dir_.Create("ro.EDB", WordRecordFields());
  {
    Database writer;
    ASSERT_TRUE(writer.OpenDatabase(path_));
    ASSERT_TRUE(writer.AddRecord(Word(3, "read", "only", 1)));
  }
  ASSERT_TRUE(db_.OpenDatabase(path_, Access::ReadOnly));
  EXPECT_EQ(ReadTextField(db_, 3), "only");
  const std::string before = TempDatabase::Read(path_);
  EXPECT_FALSE(db_.WriteField(1, Value::Int(4)));
  EXPECT_FALSE(db_.AddRecord(Word(3, "x", "y", 2)));
  EXPECT_FALSE(db_.MarkDeleted());
  EXPECT_FALSE(db_.PurgeDeleted());
  EXPECT_FALSE(db_.ClearAll());
  EXPECT_EQ(TempDatabase::Read(path_), before);
}

// Neither the count nor the next id may wrap: a wrapped id would read as a
// mark, a wrapped count as an empty book.
TEST_F(DatabaseTest, AnAppendAtTheLargestCountOrIdIsRefusedAndChangesNothing) {
  OpenBook(8);
  AddWords(2);
  for (const int64_t offset : {RecordLayout::kCountOffset, RecordLayout::kNextIdOffset}) {
    SCOPED_TRACE(offset);
    const std::string good = TempDatabase::Read(path_);
    // Patched while the book is open: every append reads the header anew.
    TempDatabase::PutInt32At(path_, offset, 0x7FFFFFFF);
    const std::string before = TempDatabase::Read(path_);
    EXPECT_FALSE(db_.AddRecord(Word(1, "one", "too many", 3)));
    EXPECT_EQ(LastDatabaseError(), kErrDiskFull);
    EXPECT_TRUE(TempDatabase::Read(path_) == before);
    // One below still works.
    TempDatabase::PutInt32At(path_, offset, 0x7FFFFFFE);
    if (offset == RecordLayout::kNextIdOffset) {
      EXPECT_TRUE(db_.AddRecord(Word(1, "last", "id", 3)));
      int32_t id = 0;
      ASSERT_EQ(db_.Current()->ReadRecordId(2, &id), 0);
      EXPECT_EQ(id, 0x7FFFFFFE);
    }
    TempDatabase::Write(path_, good);
  }
}

}  // namespace
}  // namespace cindral
