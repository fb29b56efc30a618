// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every write operation on a disk that fails: the k-th read or write fails
// (EIO, ENOSPC, a short write), once or for good (the process dies there),
// for k = 1, 2, 3, ... until the operation gets through. An operation that
// reports success has left the book exactly as a clean run leaves it; one
// that reports failure has left it exactly as it was (or, when the disk
// stopped for good at the moment of the commit, whole with the change).

#include <gtest/gtest.h>

#include <functional>

#include "FaultyFiles.h"
#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/Journal.h"
#include "store/PosixFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::FaultPlan;
using testing::TempDatabase;

using testing::Text;

std::vector<Value> Word(int32_t i, std::size_t meaning) {
  return {Value::Int(i / 4 + 1),
          Value::Text("w" + std::to_string(i)),
          Value::Text(Text(meaning, static_cast<char>('a' + i % 20))),
          Value::DateTime(45000 + i),
          Value::Int(i),
          Value::Double(i)};
}

struct Files {
  std::string data;
  std::string side;
  bool operator==(const Files& o) const { return data == o.data && side == o.side; }
  std::string Against(const Files& o) const {
    return "data: " + TempDatabase::FirstDifference(data, o.data) +
           "; side: " + TempDatabase::FirstDifference(side, o.side);
  }
};

struct Operation {
  const char* name;
  std::function<bool(Database&)> run;
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> ops = {
      {"plain append", [](Database& db) { return db.AddRecord({Value::Int(9)}); }},
      {"memo append", [](Database& db) { return db.AddRecord(Word(20, 900)); }},
      {"number write", [](Database& db) { return db.GoTo(4) && db.WriteField(5, Value::Int(77)); }},
      {"memo write longer",
       [](Database& db) { return db.GoTo(2) && db.WriteField(3, Value::Text(Text(1400, 'K'))); }},
      {"memo write shorter",
       [](Database& db) { return db.GoTo(6) && db.WriteField(3, Value::Text("short")); }},
      {"memo write at the end",
       [](Database& db) { return db.GoTo(10) && db.WriteField(3, Value::Text("")); }},
      {"mark", [](Database& db) { return db.GoTo(5) && db.MarkDeleted(); }},
      {"purge", [](Database& db) { return db.PurgeDeleted(); }},
      {"clear", [](Database& db) { return db.ClearAll(); }},
      {"scope",
       [](Database& db) {
         WholeFileScope scope(db);
         if (!scope.ok()) return false;
         bool ok = db.AddRecord(Word(21, 1200));
         ok = db.GoTo(1) && db.WriteField(2, Value::Text(Text(700, 'Z'))) && ok;
         ok = db.GoTo(8) && db.WriteField(5, Value::Int(3)) && ok;
         ok = db.GoTo(9) && db.WriteField(3, Value::Text("")) && ok;
         return scope.End() && ok;
       }},
  };
  return ops;
}

class FailingDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    ASSERT_FALSE(path_.empty());
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_));
    // Meanings of one to four blocks, two records marked deleted.
    for (int32_t i = 1; i <= 10; ++i) ASSERT_TRUE(db.AddRecord(Word(i, 170 * i)));
    for (int32_t n : {3, 7}) ASSERT_TRUE(db.GoTo(n) && db.MarkDeleted());
    base_ = Read();
  }
  Files Read() const {
    return {TempDatabase::Read(path_), TempDatabase::Read(SideFile::PathFor(path_))};
  }
  void Write(const Files& files) const {
    TempDatabase::Write(path_, files.data);
    TempDatabase::Write(SideFile::PathFor(path_), files.side);
  }
  // Opens the book as the program does and checks that it needed no repair
  // beyond playing a journal back; leaves the files as that open left them.
  void Reopen(const std::string& context) {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path_)) << context << ": " << LastDatabaseError();
    const OpenRepairs& r = db.Current()->repairs();
    EXPECT_FALSE(r.countLowered) << context;
    EXPECT_FALSE(r.wholeRecordsCut) << context;
    EXPECT_FALSE(r.freeListRebuilt) << context;
    EXPECT_EQ(r.valuesCopied + r.valuesDropped, 0) << context;
    // The journal holds no change any more (its header is wiped or gone).
    EXPECT_NE(TempDatabase::Read(Journal::PathFor(path_)).compare(0, 8, "CINDRALJ"), 0) << context;
  }
  // What the operation leaves on a sound disk.
  Files CleanRun(const Operation& op) {
    Write(base_);
    {
      Database db;
      EXPECT_TRUE(db.OpenDatabase(path_));
      EXPECT_TRUE(op.run(db)) << op.name << ": " << LastDatabaseError();
    }
    return Read();
  }
  // Runs `op` with the k-th call failing, for every k until it gets through.
  void RunUntilItSucceeds(const Operation& op, FaultPlan::Kind kind, bool persistent) {
    const Files after = CleanRun(op);
    auto plan = std::make_shared<FaultPlan>();
    const auto faulty = testing::FaultyFileSystem(plan);
    int failures = 0;
    for (int64_t k = 1;; ++k) {
      ASSERT_LT(k, 5000) << op.name << " never got through";
      const std::string context = std::string(op.name) + " failing at call " + std::to_string(k) +
                                  (persistent ? " for good" : " once");
      Write(base_);
      bool ok = false;
      int32_t code = 0;
      {
        Database db;
        db.SetFileSystem(faulty);
        plan->Reset(kind, 0, false);
        ASSERT_TRUE(db.OpenDatabase(path_)) << context;
        plan->Reset(kind, k, persistent);
        ok = op.run(db);
        code = LastDatabaseError();
        // The database closes while the disk still fails: a process that
        // died there would not get to write either.
      }
      const bool fired = plan->fired;
      plan->Reset(kind, 0, false);
      Reopen(context);
      const Files now = Read();
      if (ok) {
        // A failure that did not matter (tidying up after the commit) may
        // pass unreported; the change is then whole.
        EXPECT_TRUE(now == after) << context << ": reported success; " << now.Against(after);
      } else {
        ++failures;
        EXPECT_NE(code, 0) << context;
        // Once, the failure is rolled back. A disk that stops for good at
        // the moment of the commit may keep the change: all or nothing.
        EXPECT_TRUE(now == base_ || (persistent && now == after))
            << context << ": the book changed; " << now.Against(base_);
      }
      if (::testing::Test::HasFailure()) return;
      if (!fired) break;
    }
    EXPECT_GT(failures, 0) << op.name << ": no failure was reported";
  }

  TempDatabase dir_;
  std::string path_;
  Files base_;
};

TEST_F(FailingDiskTest, AWriteThatFailsOnceReportsItAndChangesNothing) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::WriteError, false);
  }
}

TEST_F(FailingDiskTest, AShortWriteReportsItAndChangesNothing) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::ShortWrite, false);
  }
}

TEST_F(FailingDiskTest, AReadThatFailsReportsItAndChangesNothing) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::ReadError, false);
  }
}

// From the k-th write on nothing reaches the disk: the process is gone at
// that moment, with whatever it had written so far.
TEST_F(FailingDiskTest, ADiskThatStopsWritingLeavesTheBookAsItWas) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::WriteError, true);
  }
}

TEST_F(FailingDiskTest, ADiskThatStopsMidWriteLeavesTheBookAsItWas) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::ShortWrite, true);
  }
}

TEST_F(FailingDiskTest, ADiskThatStopsReadingLeavesTheBookAsItWas) {
  for (const Operation& op : Operations()) {
    SCOPED_TRACE(op.name);
    RunUntilItSucceeds(op, FaultPlan::Kind::ReadError, true);
  }
}

// The blocks a failed memo append took are given back at once, in the same
// run: the side file is as it was and the next append takes those blocks.
TEST_F(FailingDiskTest, AFailedMemoAppendGivesBackTheBlocksItTook) {
  auto plan = std::make_shared<FaultPlan>();
  Database db;
  db.SetFileSystem(testing::FaultyFileSystem(plan));
  ASSERT_TRUE(db.OpenDatabase(path_));
  const std::string side = SideFile::PathFor(path_);
  for (int64_t k = 1;; ++k) {
    const std::string before = TempDatabase::Read(side);
    plan->Reset(FaultPlan::Kind::WriteError, k, false);
    if (db.AddRecord(Word(30, 1600))) break;
    EXPECT_EQ(TempDatabase::FirstDifference(TempDatabase::Read(side), before), "equal")
        << "write " << k;
    EXPECT_EQ(db.RecordCount(), 10);
  }
  // The append that got through took the blocks a clean run takes.
  const std::string withFailures = TempDatabase::Read(side);
  Write(base_);
  Database clean;
  ASSERT_TRUE(clean.OpenDatabase(path_));
  ASSERT_TRUE(clean.AddRecord(Word(30, 1600)));
  EXPECT_EQ(TempDatabase::FirstDifference(TempDatabase::Read(side), withFailures), "equal");
}

TEST_F(FailingDiskTest, ACreateThatFailsLeavesNoFileBehind) {
  auto plan = std::make_shared<FaultPlan>();
  const auto faulty = testing::FaultyFileSystem(plan);
  const std::string path = dir_.Path("new.EDB");
  for (const auto kind : {FaultPlan::Kind::WriteError, FaultPlan::Kind::ShortWrite}) {
    for (int64_t k = 1;; ++k) {
      ASSERT_LT(k, 100);
      plan->Reset(kind, k, false);
      const int32_t code = RecordFile::Create(path, WordRecordFields(), 0, faulty.get());
      if (!plan->fired) {
        ASSERT_EQ(code, 0);
        Database db;
        ASSERT_TRUE(db.OpenDatabase(path));
        EXPECT_EQ(db.RecordCount(), 0);
        break;
      }
      EXPECT_NE(code, 0) << "write " << k;
      int64_t length = 0;
      EXPECT_EQ(PosixFile::LengthOf(path, &length), kErrFileNotFound) << "write " << k;
      EXPECT_EQ(PosixFile::LengthOf(SideFile::PathFor(path), &length), kErrFileNotFound);
    }
    PosixFile::Remove(path);
    PosixFile::Remove(SideFile::PathFor(path));
  }
}

// A number whose bytes straddle a 4096-byte page could be torn by a write
// that stops between the pages: it goes through the journal, whole or not.
TEST_F(FailingDiskTest, ANumberAcrossAPageBoundaryIsWrittenWhole) {
  // 11-byte texts: 46-byte records, and record 1591's proficiency at byte
  // 73726 runs from one page into the next.
  const std::string path = dir_.Create("pages.EDB", WordRecordFields(11));
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(path));
    WholeFileScope scope(db);
    for (int32_t i = 1; i <= 1600; ++i) {
      ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("w"), Value::Text("m"),
                                Value::DateTime(45000), Value::Int(0x01010101), Value::Int(i)}));
    }
    ASSERT_TRUE(scope.End());
    ASSERT_EQ(db.Current()->firstRecordOffset() + 1590 * 46 + 38, 73726);
  }
  auto plan = std::make_shared<FaultPlan>();
  for (const bool persistent : {false, true}) {
    for (int64_t k = 1;; ++k) {
      ASSERT_LT(k, 50);
      bool ok = false;
      {
        Database db;
        db.SetFileSystem(testing::FaultyFileSystem(plan));
        plan->Reset(FaultPlan::Kind::ShortWrite, 0, false);
        ASSERT_TRUE(db.OpenDatabase(path));
        ASSERT_TRUE(db.GoTo(1591));
        plan->Reset(FaultPlan::Kind::ShortWrite, k, persistent);
        ok = db.WriteField(5, Value::Int(0x02020202));
      }
      const bool fired = plan->fired;
      plan->Reset(FaultPlan::Kind::ShortWrite, 0, false);
      Database db;
      ASSERT_TRUE(db.OpenDatabase(path));
      ASSERT_TRUE(db.GoTo(1591));
      const int32_t value = ReadIntegerField(db, 5);
      EXPECT_TRUE(value == (ok ? 0x02020202 : 0x01010101) ||
                  (!ok && persistent && value == 0x02020202))
          << "write " << k << ": " << std::hex << value;
      if (!fired) break;
      ASSERT_TRUE(db.WriteField(5, Value::Int(0x01010101)));
    }
  }
}

}  // namespace
}  // namespace cindral
