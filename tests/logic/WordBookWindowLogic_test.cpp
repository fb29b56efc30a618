// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The word book listing.

#include "logic/WordBookWindowLogic.h"

#include <gtest/gtest.h>

#include "FaultyFiles.h"
#include "TestWorld.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using test::TestWorld;

// The text the listing window shows when it opens on `db`.
std::string Listing(Database& db) {
  WordBookWindowLogic logic(db);
  logic.Opened();
  return logic.text();
}

TEST(WordBookListing, OneLinePerRecordWithSerialWordMeaningAndProficiency) {
  TestWorld world;
  world.OpenWordBook();
  EXPECT_EQ(Listing(world.Db()), "");
  world.AddWord(1, "apple", 45000, 35, "苹果");
  world.AddWord(1, "a b", 45000, 100, " 两 ");
  EXPECT_EQ(GbkToUtf8(Listing(world.Db())),
            "1.  apple   苹果→35%\r\n"
            "2.  a b    两 →100%\r\n");
  // The arrow is the GBK character A1 FA.
  EXPECT_NE(Listing(world.Db()).find("\xA1\xFA"), std::string::npos);
}

TEST(WordBookListing, SerialNumbersRunWithoutAGapAfterADeletion) {
  TestWorld world;
  world.OpenWordBook();
  for (const char* w : {"one", "two", "three", "four"}) world.AddWord(1, w, 45000, 1, "义");
  Database& db = world.Db();
  // Deleting a word: mark, purge, then renumber every record.
  db.GoTo(2);
  ASSERT_TRUE(db.MarkDeleted());
  ASSERT_TRUE(db.PurgeDeleted());
  for (int32_t i = 0, n = db.RecordCount(); i < n; ++i, db.Skip(1)) {
    db.WriteField(kSerialNumber, Value::Int(db.RecordNumber()));
  }
  EXPECT_EQ(GbkToUtf8(Listing(db)),
            "1.  one   义→1%\r\n"
            "2.  three   义→1%\r\n"
            "3.  four   义→1%\r\n");
}

TEST(WordBookListing, ProficiencyAndSerialMayBeAnyNumericType) {
  TestWorld world;
  world.OpenWordBook();
  world.AddWord(1, "x", 45000, 1, "y");
  Database& db = world.Db();
  db.GoFirst();
  // Integer fields take doubles by truncation, as the learning card writes them.
  db.WriteField(kProficiency, Value::Double(42.9));
  EXPECT_EQ(GbkToUtf8(Listing(db)), "1.  x   y→42%\r\n");
}

// The listing reads the book in a few large reads, not a few calls a word.
TEST(WordBookListing, TheBookIsReadInAFewLargeReads) {
  TestWorld world;
  world.OpenWordBook();
  {
    WholeFileScope scope(world.Db());
    for (int i = 0; i < 500; ++i)
      world.AddWord(1 + i / 50, "w" + std::to_string(i), 45000, i % 100);
    ASSERT_TRUE(scope.End());
  }
  const std::string expected = Listing(world.Db());
  auto plan = std::make_shared<testing::FaultPlan>();
  world.Restart();
  world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
  world.OpenWordBook();
  plan->Reset(testing::FaultPlan::Kind::ReadError, 0, false);
  EXPECT_EQ(Listing(world.Db()), expected);
  EXPECT_LE(plan->reads, 12);
}

// The find bar's status line says which match of how many, when the search
// went on from the other end, and when there is none; the box selects the
// match, or, with none, nothing where the search started.
TEST(WordBookListing, TheFindStatusCountsTheMatchesAndTellsAWrap) {
  TestWorld world;
  world.OpenWordBook();
  world.AddWord(1, "apple", 45000, 35, "苹果");
  world.AddWord(1, "Apple pie", 45000, 10, "苹果派");
  WordBookWindowLogic logic(world.Db());
  logic.Opened();
  const std::size_t first = logic.text().find("apple");
  const std::size_t second = logic.text().find("Apple");
  const std::size_t pie = logic.text().find(Utf8ToGbk("苹果派"));
  struct Step {
    const char* query;
    std::size_t from;
    bool backward;
    const char* status;
    std::size_t selected;  // where the selection starts
    std::size_t length;    // and how long it is
  };
  const Step steps[] = {
      {"apple", 0, false, "第 1 个，共 2 个", first, 5},
      {"apple", second, false, "第 2 个，共 2 个", second, 5},
      {"apple", second + 1, false, "第 1 个，共 2 个（已从头继续）", first, 5},
      {"apple", 0, true, "第 2 个，共 2 个（已从末尾继续）", second, 5},
      {"苹果派", 0, false, "第 1 个，共 1 个", pie, 6},
      {"pear", second, false, "找不到“pear”", second, 0},
      {"applez", second, true, "找不到“applez”", second, 0},
      {"", pie, false, "", pie, 0},
  };
  for (const Step& s : steps) {
    logic.Find(Utf8ToGbk(s.query), FindOptions{}, s.from, s.backward);
    EXPECT_EQ(GbkToUtf8(logic.findStatus()), s.status) << s.query << " from " << s.from;
    EXPECT_EQ(logic.selection().offset, s.selected) << s.query << " from " << s.from;
    EXPECT_EQ(logic.selection().length, s.length) << s.query << " from " << s.from;
  }
}

}  // namespace
}  // namespace cindral
