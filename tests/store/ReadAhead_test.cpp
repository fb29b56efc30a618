// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading in large blocks while the whole-file lock is held: the blocks
// always read as the file does (through the owner's own writes, cuts,
// failing reads and failing writes), a walk inside a scope reads each file
// in a few large reads, nothing read under one scope is served after it,
// so other openers' appends, writes and purges between two walks, or
// after one, are seen in both files, and a second process appending while the first walks loses
// nothing. Spans may read through a mapping instead, as the blocks do.

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "Children.h"
#include "FaultyFiles.h"
#include "ForwardingFile.h"
#include "MemoryFileSystem.h"
#include "TempDatabase.h"
#include "WrappingFileSystem.h"
#include "store/Convert.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/ReadAheadFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::TempDatabase;

// Counts the reads that reach the file, for all files opened through it.
class CountingFile final : public testing::ForwardingFile {
 public:
  CountingFile(std::unique_ptr<FileAccess> inner, std::shared_ptr<int64_t> reads)
      : ForwardingFile(std::move(inner)), reads_(std::move(reads)) {}
  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    ++*reads_;
    return inner().ReadAt(o, b, n, d);
  }

 private:
  std::shared_ptr<int64_t> reads_;
};

std::string Read(FileAccess& file, int64_t offset, std::size_t size, int32_t* code) {
  std::string out(size, '\0');
  std::size_t got = 0;
  *code = file.ReadAt(offset, &out[0], size, &got);
  out.resize(*code == 0 ? got : 0);
  return out;
}

std::string Slice(const std::string& bytes, int64_t offset, std::size_t size) {
  if (offset >= static_cast<int64_t>(bytes.size())) return std::string();
  return bytes.substr(static_cast<std::size_t>(offset), size);
}

// --- The blocks against the file ---------------------------------------------

// A file that maps as a copy in memory of exactly the length asked for
// (so that a read past it is caught), and counts the reads that reach it.
// Under the whole-file lock nobody else changes the file, so a copy reads
// as a mapping does while the owner itself does not write or cut.
class MappingFile final : public testing::ForwardingFile {
 public:
  MappingFile(std::shared_ptr<std::string> bytes, std::shared_ptr<int64_t> reads)
      : ForwardingFile(std::make_unique<testing::MemoryFile>(bytes)),
        bytes_(std::move(bytes)),
        reads_(std::move(reads)) {}
  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    ++*reads_;
    return inner().ReadAt(o, b, n, d);
  }
  const char* MapForReading(int64_t length) override {
    if (length <= 0 || length > static_cast<int64_t>(bytes_->size())) return nullptr;
    char* copy = new char[static_cast<std::size_t>(length)];
    std::memcpy(copy, bytes_->data(), static_cast<std::size_t>(length));
    return copy;
  }
  void Unmap(const char* bytes, int64_t) override { delete[] bytes; }

 private:
  std::shared_ptr<std::string> bytes_;
  std::shared_ptr<int64_t> reads_;
};

// Random reads, writes and cuts inside spans, and changes by another
// process between them, on a file of `length` bytes: every read and size
// must be the file's. `mapped`: the spans read through a mapping, and
// until a span writes or cuts no read reaches the file.
void CheckAgainstTheFile(int64_t length, bool mapped = false) {
  constexpr int64_t kBlock = ReadAheadFile::kBlockBytes;
  auto bytes = std::make_shared<std::string>();
  for (int64_t i = 0; i < length; ++i) bytes->push_back(static_cast<char>(i * 7 % 251));
  auto reads = std::make_shared<int64_t>(0);
  ReadAheadFile file(mapped
                         ? std::unique_ptr<FileAccess>(std::make_unique<MappingFile>(bytes, reads))
                         : std::make_unique<testing::MemoryFile>(bytes));
  if (mapped) file.MapSpans();
  std::mt19937 random(20261208);
  const auto pick = [&random](int64_t below) {
    return std::uniform_int_distribution<int64_t>(0, std::max<int64_t>(below, 1) - 1)(random);
  };
  for (int span = 0; span < 40; ++span) {
    // Between spans another process changes the file: appends, rewrites,
    // cuts. The next span must see all of it.
    const int64_t length = static_cast<int64_t>(bytes->size());
    switch (span % 3) {
      case 0:
        bytes->append(static_cast<std::size_t>(pick(kBlock)), static_cast<char>('a' + span));
        break;
      case 1:
        if (length > 0) (*bytes)[static_cast<std::size_t>(pick(length))] ^= 0x5A;
        break;
      default:
        bytes->resize(static_cast<std::size_t>(length - pick(length / 4)));
    }
    file.Start();
    // Reads about the file's end: ending on it, one byte past it, from it.
    const auto readsAtTheEnd = [&](const char* when) {
      const auto now = static_cast<int64_t>(bytes->size());
      for (const auto& [back, size] : {std::pair<int64_t, std::size_t>{1, 1},
                                       {100, 100},
                                       {100, 101},
                                       {0, 1},
                                       {kBlock, kBlock},
                                       {kBlock, kBlock + 1}}) {
        int32_t code = 0;
        ASSERT_EQ(Read(file, now - back, size, &code), Slice(*bytes, now - back, size))
            << when << ", span " << span << ", " << back << " bytes before the end";
      }
    };
    readsAtTheEnd("at the start");
    bool changed = false;
    if (span % 2 == 0) {
      // The span's first change is a cut.
      ASSERT_EQ(file.Truncate(std::max<int64_t>(0, static_cast<int64_t>(bytes->size()) - 10)), 0);
      readsAtTheEnd("after a cut");
      changed = true;
    }
    for (int op = 0; op < 200; ++op) {
      const int64_t end = static_cast<int64_t>(bytes->size()) + kBlock / 2;
      const int64_t offset = pick(end);
      const auto size = static_cast<std::size_t>(pick(op % 10 == 0 ? 2 * kBlock : 600) + 1);
      const int kind = static_cast<int>(pick(10));
      if (kind < 6) {
        int32_t code = 0;
        const int64_t readsBefore = *reads;
        ASSERT_EQ(Read(file, offset, size, &code), Slice(*bytes, offset, size))
            << "span " << span << " op " << op << " at " << offset << " size " << size;
        ASSERT_EQ(code, 0);
        // Reads within the file come from the mapping.
        if (mapped && !changed &&
            offset + static_cast<int64_t>(size) <= static_cast<int64_t>(bytes->size())) {
          ASSERT_EQ(*reads, readsBefore) << "span " << span << " op " << op;
        }
      } else if (kind < 9) {
        const std::string data(size, static_cast<char>('A' + op % 26));
        ASSERT_EQ(file.WriteAt(offset, data.data(), data.size()), 0);
        changed = true;
      } else {
        changed = true;
        // Shorter or longer by up to half a block.
        const int64_t now = static_cast<int64_t>(bytes->size());
        ASSERT_EQ(file.Truncate(std::max<int64_t>(0, now - kBlock / 2 + pick(kBlock))), 0);
      }
      int64_t size64 = 0;
      ASSERT_EQ(file.Size(&size64), 0);
      ASSERT_EQ(size64, static_cast<int64_t>(bytes->size()));
    }
    file.Stop();
  }
}

TEST(ReadAheadFileTest, ReadsMatchTheFileThroughWritesCutsAndOthersChangesBetweenSpans) {
  CheckAgainstTheFile(3 * ReadAheadFile::kBlockBytes + 777);
}

TEST(ReadAheadFileTest, ReadsMatchTheFileWhenItHasMoreBlocksThanAreKept) {
  CheckAgainstTheFile(static_cast<int64_t>(ReadAheadFile::kMaxBlocks + 5) *
                      ReadAheadFile::kBlockBytes);
}

TEST(ReadAheadFileTest, ReadsThroughAMappingMatchTheFileThroughWritesCutsAndOthersChanges) {
  CheckAgainstTheFile(3 * ReadAheadFile::kBlockBytes + 777, /*mapped=*/true);
}

TEST(ReadAheadFileTest, OnlyInsideASpanAreReadsServedFromBlocks) {
  auto bytes = std::make_shared<std::string>(200000, 'x');
  auto reads = std::make_shared<int64_t>(0);
  ReadAheadFile file(
      std::make_unique<CountingFile>(std::make_unique<testing::MemoryFile>(bytes), reads));
  int32_t code = 0;
  for (int i = 0; i < 100; ++i) Read(file, i * 1800, 36, &code);
  EXPECT_EQ(*reads, 100);
  *reads = 0;
  file.Start();
  for (int i = 0; i < 100; ++i) Read(file, i * 1800, 36, &code);
  EXPECT_EQ(*reads, (99 * 1800) / ReadAheadFile::kBlockBytes + 1);
  file.Stop();
  *reads = 0;
  (*bytes)[0] = 'y';
  EXPECT_EQ(Read(file, 0, 1, &code), "y");
  EXPECT_EQ(*reads, 1);
}

// Fails the reads or writes it is told to, passing the rest through.
class SwitchedFile final : public testing::ForwardingFile {
 public:
  SwitchedFile(std::unique_ptr<FileAccess> inner, bool* failReads, bool* failWrites)
      : ForwardingFile(std::move(inner)), failReads_(failReads), failWrites_(failWrites) {}
  int32_t ReadAt(int64_t o, void* b, std::size_t n, std::size_t* d) override {
    *d = 0;
    return *failReads_ ? kErrHardware : inner().ReadAt(o, b, n, d);
  }
  int32_t WriteAt(int64_t o, const void* b, std::size_t n) override {
    if (!*failWrites_) return inner().WriteAt(o, b, n);
    // A write that reached the file only in part.
    inner().WriteAt(o, b, n / 2);
    return kErrDiskFull;
  }

 private:
  bool* failReads_;
  bool* failWrites_;
};

TEST(ReadAheadFileTest, AFailedReadIsNotKeptAndAFailedWriteDropsTheBlocks) {
  auto bytes = std::make_shared<std::string>(5000, 'x');
  bool failReads = false;
  bool failWrites = false;
  ReadAheadFile file(std::make_unique<SwitchedFile>(std::make_unique<testing::MemoryFile>(bytes),
                                                    &failReads, &failWrites));
  file.Start();
  failReads = true;
  int32_t code = 0;
  Read(file, 10, 4, &code);
  EXPECT_EQ(code, kErrHardware);
  failReads = false;
  EXPECT_EQ(Read(file, 10, 4, &code), "xxxx");
  failWrites = true;
  EXPECT_EQ(file.WriteAt(8, "abcdefgh", 8), kErrDiskFull);
  failWrites = false;
  // Half the write reached the file; the blocks must not hide it.
  EXPECT_EQ(Read(file, 8, 8, &code), "abcdxxxx");
  file.Stop();
}

// --- Walks of a word book ------------------------------------------------------

std::vector<Value> Word(int32_t i) {
  return {Value::Int(1 + i / 50),
          Value::Text("word" + std::to_string(i)),
          Value::Text("meaning " + std::to_string(i) + " " + std::string(i % 700, 'm')),
          Value::DateTime(45000 + i / 50),
          Value::Int(i % 100),
          Value::Double(i + 1)};
}

void FillBook(Database& db, int32_t count) {
  WholeFileScope scope(db);
  for (int32_t i = 0; i < count; ++i) ASSERT_TRUE(db.AddRecord(Word(i)));
  ASSERT_TRUE(scope.End());
}

// Every field of every record, as the program's walks read them.
std::vector<std::string> Walk(Database& db) {
  std::vector<std::string> lines;
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    std::string line;
    for (int32_t f = 1; f <= 6; ++f) line += ValueToText(db.ReadField(f)) + "|";
    if (LastDatabaseError() != 0) line += "error " + std::to_string(LastDatabaseError());
    lines.push_back(line);
    db.Skip(1);
  }
  return lines;
}

std::vector<std::string> WalkInScope(Database& db) {
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  EXPECT_TRUE(scope.ok());
  return Walk(db);
}

class ReadAheadWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    ASSERT_TRUE(db_.OpenDatabase(path_));
    FillBook(db_, 600);
    ASSERT_TRUE(other_.OpenDatabase(path_));
  }

  TempDatabase dir_;
  std::string path_;
  Database db_;
  Database other_;  // another open file of the book, as another process has
};

TEST_F(ReadAheadWalkTest, AWalkInsideAScopeReadsEachFileInAFewLargeReads) {
  auto reads = std::make_shared<int64_t>(0);
  Database counted;
  counted.SetFileSystem(std::make_shared<testing::WrappingFileSystem>(
      [reads](std::unique_ptr<FileAccess> file, const std::string&) {
        return std::make_unique<CountingFile>(std::move(file), reads);
      }));
  ASSERT_TRUE(counted.OpenDatabase(path_));
  *reads = 0;
  const std::vector<std::string> plain = Walk(counted);
  EXPECT_GT(*reads, 600 * 3);
  *reads = 0;
  EXPECT_EQ(WalkInScope(counted), plain);
  const int64_t bytes = TempDatabase::Size(path_) + TempDatabase::Size(SideFile::PathFor(path_));
  EXPECT_LE(*reads, bytes / ReadAheadFile::kBlockBytes + 4);
  EXPECT_EQ(plain, Walk(db_));
}

TEST_F(ReadAheadWalkTest, AnotherOpenersAppendsAndWritesBetweenTwoScopesAreSeen) {
  const std::vector<std::string> before = WalkInScope(db_);
  ASSERT_TRUE(other_.AddRecord(Word(600)));
  ASSERT_TRUE(other_.GoTo(3));
  ASSERT_TRUE(other_.WriteField(kProficiency, Value::Int(77)));
  ASSERT_TRUE(other_.WriteField(kMeaning, Value::Text(std::string(1200, 'z'))));
  const std::vector<std::string> others = Walk(other_);
  {
    WholeFileScope scope(db_, WholeFileScope::Kind::Shared);
    const std::vector<std::string> after = Walk(db_);
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after[2], "1|word2|" + std::string(1200, 'z') + "|" +
                            ValueToText(Value::DateTime(45000)) + "|77|3|");
    EXPECT_EQ(after, others);
  }
  // And after the scope, without one.
  EXPECT_EQ(Walk(db_), others);
}

// What another opener writes after a scope has ended is read as written,
// in the data file and in the side file alike: here a number, and a text of
// the same length rewritten in its own block, so that nothing but the block
// itself tells the new text from the old.
TEST_F(ReadAheadWalkTest, AnotherOpenersWritesAfterAScopeAreSeenInBothFiles) {
  WalkInScope(db_);
  const RecordFile* book = db_.Current();
  const int64_t meaning =
      book->firstRecordOffset() + 2 * book->recordSize() + book->fields()[kMeaning - 1].offset;
  const int32_t block = TempDatabase::Int32At(path_, meaning);
  ASSERT_TRUE(other_.GoTo(3));
  ASSERT_TRUE(other_.WriteField(kProficiency, Value::Int(77)));
  ASSERT_TRUE(other_.WriteField(kMeaning, Value::Text("MEANING 2 MM")));
  ASSERT_EQ(TempDatabase::Int32At(path_, meaning), block);
  ASSERT_TRUE(db_.GoTo(3));
  EXPECT_EQ(ReadIntegerField(db_, kProficiency), 77);
  EXPECT_EQ(ReadTextField(db_, kMeaning), "MEANING 2 MM");
}

TEST_F(ReadAheadWalkTest, APurgeByAnotherOpenerBetweenTwoWalksIsSeen) {
  WalkInScope(db_);
  for (int32_t n : {1, 5, 300, 600}) {
    ASSERT_TRUE(other_.GoTo(n));
    ASSERT_TRUE(other_.MarkDeleted());
  }
  ASSERT_TRUE(other_.PurgeDeleted());
  const std::vector<std::string> after = WalkInScope(db_);
  ASSERT_EQ(after.size(), 596u);
  EXPECT_EQ(after, Walk(other_));
  EXPECT_EQ(after[0].substr(0, 8), "1|word1|");
}

TEST_F(ReadAheadWalkTest, AnExclusiveScopeReadsItsOwnWritesAndTheNextScopeReadsTheFile) {
  {
    WholeFileScope scope(db_);
    db_.GoFirst();
    for (int32_t i = 0; i < 600; ++i) {
      ASSERT_TRUE(db_.WriteField(kProficiency, Value::Int(1000 + i)));
      if (i % 100 == 0) {
        ASSERT_TRUE(db_.WriteField(kWord, Value::Text("new" + std::to_string(i))));
      }
      db_.Skip(1);
    }
    db_.GoTo(101);
    EXPECT_EQ(ReadIntegerField(db_, kProficiency), 1100);
    EXPECT_EQ(ReadTextField(db_, kWord), "new100");
    ASSERT_TRUE(scope.End());
  }
  EXPECT_EQ(WalkInScope(other_), WalkInScope(db_));
  other_.GoTo(601);
  EXPECT_EQ(ReadIntegerField(other_, kProficiency), 1599);
}

// A scope holding more than the journal keeps in memory writes part of its
// change to the book midway; what it reads after that must be what it wrote.
TEST_F(ReadAheadWalkTest, AScopeThatWritesPartOfItsChangeMidwayReadsWhatItWrote) {
  const auto text = [](int32_t i) { return std::string(8000, static_cast<char>('a' + i % 26)); };
  WholeFileScope scope(db_);
  // Read first, so that the blocks hold the book as it was.
  const std::vector<std::string> before = Walk(db_);
  db_.GoFirst();
  for (int32_t i = 0; i < 600; ++i) {
    ASSERT_TRUE(db_.WriteField(kMeaning, Value::Text(text(i))));
    db_.Skip(1);
  }
  db_.GoFirst();
  for (int32_t i = 0; i < 600; ++i) {
    ASSERT_EQ(ReadTextField(db_, kMeaning), text(i)) << i;
    db_.Skip(1);
  }
  ASSERT_TRUE(scope.End());
  EXPECT_NE(Walk(db_), before);
}

TEST(ReadAheadFaultTest, AFailingReadInsideAScopeIsReportedAndTheNextReadGoesToTheFile) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields());
  {
    Database writer;
    ASSERT_TRUE(writer.OpenDatabase(path));
    FillBook(writer, 200);
  }
  auto plan = std::make_shared<testing::FaultPlan>();
  Database db;
  db.SetFileSystem(testing::FaultyFileSystem(plan));
  ASSERT_TRUE(db.OpenDatabase(path));
  ASSERT_TRUE(db.GoTo(7));
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  // The next read to reach a file (the record area's first block) fails.
  plan->Reset(testing::FaultPlan::Kind::ReadError, 1, false);
  EXPECT_EQ(ReadIntegerField(db, kProficiency), 0);
  EXPECT_NE(LastDatabaseError(), 0);
  EXPECT_TRUE(plan->fired);
  EXPECT_EQ(ReadIntegerField(db, kProficiency), 6);
  EXPECT_EQ(LastDatabaseError(), 0);
  // A side-file block that fails to arrive fails the memo, not later reads.
  plan->Reset(testing::FaultPlan::Kind::ReadError, 1, false);
  EXPECT_EQ(ReadTextField(db, kWord), "");
  EXPECT_NE(LastDatabaseError(), 0);
  EXPECT_EQ(ReadTextField(db, kWord), "word6");
  // So does a record read whole, from its memos' blocks (each in a block
  // of the read-ahead not read yet).
  for (const int32_t index : {120, 190}) {
    int32_t id = 0;
    std::vector<Value> values;
    plan->Reset(testing::FaultPlan::Kind::ReadError, 1, false);
    EXPECT_NE(db.Current()->ReadRecord(index, &id, &values), 0) << index;
    EXPECT_TRUE(plan->fired);
    EXPECT_EQ(db.Current()->ReadRecord(index, &id, &values), 0) << index;
    EXPECT_EQ(values[1], Value::Text("word" + std::to_string(index)));
  }
  EXPECT_TRUE(scope.End());
}

TEST(ReadAheadFaultTest, AScopeWhoseCommitFailsReadsTheRolledBackBookAfterwards) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields());
  auto plan = std::make_shared<testing::FaultPlan>();
  Database db;
  db.SetFileSystem(testing::FaultyFileSystem(plan));
  ASSERT_TRUE(db.OpenDatabase(path));
  FillBook(db, 60);
  std::vector<std::string> committed = WalkInScope(db);
  // Each write of the commit in turn fails once: the book then reads as
  // it was, inside the next scope and outside any; otherwise as changed.
  for (int64_t failAt = 1;; ++failAt) {
    plan->Reset(testing::FaultPlan::Kind::ShortWrite, failAt, false);
    bool ended = false;
    {
      WholeFileScope scope(db);
      db.GoFirst();
      for (int32_t i = 0; i < 60; ++i) {
        db.WriteField(kProficiency, Value::Int(static_cast<int32_t>(failAt)));
        if (i % 10 == 9) db.WriteField(kMeaning, Value::Text(std::string(900, 'a' + failAt % 26)));
        db.Skip(1);
      }
      ended = scope.End();
    }
    const bool fired = plan->fired;
    plan->Reset(testing::FaultPlan::Kind::ShortWrite, 0, false);
    const std::vector<std::string> inScope = WalkInScope(db);
    ASSERT_EQ(inScope, Walk(db)) << failAt;
    if (ended) {
      EXPECT_EQ(inScope[59], "2|word59|" + std::string(900, 'a' + failAt % 26) + "|" +
                                 ValueToText(Value::DateTime(45001)) + "|" +
                                 std::to_string(failAt) + "|60|")
          << failAt;
      committed = inScope;
    } else {
      ASSERT_EQ(inScope, committed) << failAt;
    }
    if (!fired) break;
  }
}

// --- Two processes -------------------------------------------------------------

TEST(ReadAheadProcessTest, AppendsByAnotherProcessWhileOneWalksAllArriveAndEveryWalkIsWhole) {
  TempDatabase dir;
  const std::string path = dir.Create("book.EDB", WordRecordFields());
  constexpr int32_t kBook = 3000;
  constexpr int32_t kAppends = 150;
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path));
    FillBook(db, kBook);
  }
  // The walker opens the book before the appends start: an open waits for
  // the whole file, which a run of appends seldom leaves free.
  int opened[2];
  ASSERT_EQ(::pipe(opened), 0);
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    Database db;
    if (c == 0) {
      char go = 0;
      if (::read(opened[0], &go, 1) != 1) return 3;
    }
    if (!db.OpenDatabase(path)) return 2;
    if (c == 0) {
      // The program's own lock time-out: a busy lock fails at once, but the
      // header lock of an append waits like a count read.
      for (int32_t i = kBook; i < kBook + kAppends; ++i) {
        if (!db.AddRecord(Word(i))) return 10;
      }
      return 0;
    }
    if (::write(opened[1], "g", 1) != 1) return 3;
    for (int round = 0; round < 400; ++round) {
      const std::vector<std::string> lines = WalkInScope(db);
      if (lines.size() < static_cast<std::size_t>(kBook)) return 11;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string word = "|word" + std::to_string(i) + "|";
        if (lines[i].find(word) == std::string::npos ||
            lines[i].find("error") != std::string::npos) {
          return 12;
        }
      }
      if (lines.size() == static_cast<std::size_t>(kBook + kAppends)) return 0;
      // Walks come one at a time, as a learner opens windows.
      ::usleep(20000);
    }
    return 13;
  });
  ::close(opened[0]);
  ::close(opened[1]);
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path));
  EXPECT_EQ(db.RecordCount(), kBook + kAppends);
}

}  // namespace
}  // namespace cindral
