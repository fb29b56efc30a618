// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A book read through mappings of its files while another program, which
// ignores the lock, cuts the side file short: the read of the cut-off
// bytes ends the reader with its message and status 1, not a crash.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Children.h"
#include "FileBytes.h"
#include "TestWorld.h"
#include "store/Database.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"
#include "tools/CutShortGuard.h"

namespace cindral {
namespace {

using test::Slurp;

TEST(CutShortGuardTest, AReadOfBytesCutOffUnderAMappingEndsTheReaderWithItsMessage) {
  test::TempWorkDir dir;
  ASSERT_EQ(RecordFile::Create("book.EDB", WordRecordFields()), 0);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase("book"));
    WholeFileScope scope(db);
    for (int i = 1; i <= 50; ++i) {
      ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("word" + std::to_string(i)),
                                Value::Text("meaning"), Value::DateTime(45000), Value::Int(1),
                                Value::Int(i)}));
    }
    ASSERT_TRUE(scope.End());
  }
  const struct {
    bool cut;
    int status;  // 3: the read came back
    const char* message;
  } kCases[] = {
      {false, 3, ""},
      {true, 1, "the book was cut short by another program while it was read\n"},
  };
  for (const auto& c : kCases) {
    const auto statuses = test::RunInChildren(1, [&](int) {
      const int err = ::open("child.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err < 0 || ::dup2(err, STDERR_FILENO) < 0) return 125;
      Database db;
      if (!db.OpenDatabase("book", Access::ReadOnly, Share::DenyNone)) return 124;
      db.Current()->ReadThroughMappings();
      CutShortGuard guard;
      WholeFileScope scope(db, WholeFileScope::Kind::Shared);
      if (c.cut && ::truncate("book.EDT", 0) != 0) return 123;
      db.GoTo(40);
      return db.ReadField(3).bytes() == "meaning" ? 3 : 4;
    });
    EXPECT_EQ(statuses, std::vector<int>{c.status}) << "cut " << c.cut;
    EXPECT_EQ(Slurp("child.err"), c.message) << "cut " << c.cut;
  }
}

}  // namespace
}  // namespace cindral
