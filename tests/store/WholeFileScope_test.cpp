// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Holding the whole file for a span of operations: others are kept out,
// the scope's writes are seen inside it and committed at its end, scopes
// nest, a shared scope refuses writes, and reading the last serial number
// and appending under one scope gives every serial number once even with
// two processes entering words at the same time.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "Children.h"
#include "TempDatabase.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using testing::TempDatabase;

std::vector<Value> Word(const std::string& word, double serial) {
  return {Value::Int(1),          Value::Text(word), Value::Text("meaning of " + word),
          Value::DateTime(45000), Value::Int(1),     Value::Double(serial)};
}

// Appends a word whose serial number is the last record's plus one, the
// way word entry does, with the read and the append under one scope.
bool EnterWord(Database& db, const std::string& word) {
  WholeFileScope scope(db);
  if (!scope.ok()) return false;
  int32_t last = 0;
  if (db.RecordCount() > 0) {
    db.GoLast();
    last = ReadIntegerField(db, kSerialNumber);
  }
  const bool added = db.AddRecord(Word(word, last + 1));
  return scope.End() && added;
}

class WholeFileScopeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.Create("book.EDB", WordRecordFields());
    ASSERT_TRUE(db_.OpenDatabase(path_));
    for (int i = 1; i <= 3; ++i) ASSERT_TRUE(db_.AddRecord(Word("w" + std::to_string(i), i)));
    ASSERT_TRUE(other_.OpenDatabase(path_));
  }

  TempDatabase dir_;
  std::string path_;
  Database db_;
  Database other_;  // another open file of the book, as another process has
};

TEST_F(WholeFileScopeTest, AnExclusiveScopeKeepsOthersOutUntilItEnds) {
  WholeFileScope scope(db_);
  ASSERT_TRUE(scope.ok());
  ASSERT_TRUE(db_.AddRecord(Word("inside", 4)));
  EXPECT_EQ(ReadTextField(db_, kWord), "inside");
  // The other open's read fails at once, its append after the count read's
  // time-out.
  EXPECT_EQ(ReadTextField(other_, kWord), "");
  EXPECT_EQ(LastDatabaseError(), kErrLockViolation);
  EXPECT_FALSE(other_.AddRecord(Word("outside", 5)));
  EXPECT_EQ(LastDatabaseError(), kErrLockViolation);
  ASSERT_TRUE(scope.End());
  EXPECT_FALSE(scope.End());  // once only
  EXPECT_EQ(other_.RecordCount(), 4);
  ASSERT_TRUE(other_.GoLast());
  EXPECT_EQ(ReadTextField(other_, kWord), "inside");
}

TEST_F(WholeFileScopeTest, ScopesNestAndTheOutermostCommits) {
  {
    WholeFileScope outer(db_);
    {
      WholeFileScope inner(db_);
      ASSERT_TRUE(inner.ok());
      ASSERT_TRUE(db_.AddRecord(Word("nested", 4)));
    }
    // The inner scope's end let nothing go: others still wait.
    EXPECT_EQ(ReadTextField(other_, kWord), "");
    EXPECT_EQ(LastDatabaseError(), kErrLockViolation);
  }
  EXPECT_EQ(other_.RecordCount(), 4);
}

TEST_F(WholeFileScopeTest, ASharedScopeLetsReadsThroughAndRefusesWrites) {
  WholeFileScope scope(db_, WholeFileScope::Kind::Shared);
  ASSERT_TRUE(scope.ok());
  ASSERT_TRUE(db_.GoTo(2));
  EXPECT_EQ(ReadTextField(db_, kWord), "w2");
  EXPECT_FALSE(db_.WriteField(kProficiency, Value::Int(9)));
  EXPECT_EQ(LastDatabaseError(), kErrLockFailed);
  EXPECT_FALSE(db_.AddRecord(Word("no", 4)));
  {
    WholeFileScope exclusive(db_);
    EXPECT_FALSE(exclusive.ok());
    EXPECT_EQ(exclusive.code(), kErrLockFailed);
  }
  EXPECT_TRUE(other_.AddRecord(Word("waits", 4)) == false);
  ASSERT_TRUE(scope.End());
  EXPECT_EQ(db_.RecordCount(), 3);
}

TEST_F(WholeFileScopeTest, WithoutADatabaseTheScopeFails) {
  Database none;
  WholeFileScope scope(none);
  EXPECT_FALSE(scope.ok());
  EXPECT_EQ(LastDatabaseError(), kErrNoCurrentDatabase);
}

// Two processes entering 300 words each at the same time: every serial
// number from 1 to 603 once, in record order.
TEST_F(WholeFileScopeTest, ReadingTheLastSerialAndAppendingUnderOneScopeGivesEachSerialOnce) {
  constexpr int kEach = 300;
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    Database db;
    // Back to back, one process could keep the other out past the time-out.
    db.SetLockTimeout(-1);
    if (!db.OpenDatabase(path_)) return 2;
    for (int i = 0; i < kEach; ++i) {
      if (!EnterWord(db, "p" + std::to_string(c) + "w" + std::to_string(i))) return 3;
    }
    return 0;
  });
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  Database db;
  ASSERT_TRUE(db.OpenDatabase(path_));
  ASSERT_EQ(db.RecordCount(), 3 + 2 * kEach);
  db.GoFirst();
  for (int32_t n = 1; n <= 3 + 2 * kEach; ++n) {
    ASSERT_EQ(ReadIntegerField(db, kSerialNumber), n);
    db.Skip(1);
  }
}

}  // namespace
}  // namespace cindral
