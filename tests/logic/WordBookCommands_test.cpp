// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Shuffle and full reset of the word book.

#include "logic/WordBookCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "FaultyFiles.h"
#include "RunningProgram.h"
#include "TestWorld.h"
#include "UnwritableSettings.h"
#include "book/LastImport.h"
#include "book/WordBookChanges.h"
#include "plan/DayPlan.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay1 = 45000.0;

struct Row {
  int32_t group;
  std::string word, meaning;
  int32_t proficiency, serial;
  double date;
  bool operator==(const Row& o) const {
    return group == o.group && word == o.word && meaning == o.meaning &&
           proficiency == o.proficiency && serial == o.serial && date == o.date;
  }
};

std::vector<Row> RowsOf(Database& db) {
  std::vector<Row> rows;
  db.GoFirst();
  for (int32_t i = 0, n = db.RecordCount(); i < n; ++i, db.Skip(1)) {
    rows.push_back({ReadIntegerField(db, kGroupNumber), ReadTextField(db, kWord),
                    ReadTextField(db, kMeaning), ReadIntegerField(db, kProficiency),
                    ReadIntegerField(db, kSerialNumber), ReadDateField(db, kEntryDate)});
  }
  return rows;
}

class WordBookChangesTest : public ::testing::Test {
 protected:
  WordBookChangesTest() : world(kDay1 + 2) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
  }
  std::vector<Row> Rows() { return RowsOf(world.Db()); }
  // Three groups of 1, 6 and 9 words on three days, distinct proficiencies.
  void FillThreeGroups() {
    int p = 1;
    world.AddWord(1, "solo", kDay1, p++);
    for (int i = 0; i < 6; ++i) world.AddWord(2, "two" + std::to_string(i), kDay1 + 1, p++);
    for (int i = 0; i < 9; ++i) world.AddWord(3, "three" + std::to_string(i), kDay1 + 2, p++);
    world.WriteConfig("groupnumber", "3");
    world.SetCurrentGroup(3);
  }

  TestWorld world;
};

TEST_F(WordBookChangesTest, ShuffleKeepsEveryWordWithItsMeaningInItsGroup) {
  FillThreeGroups();
  const std::vector<Row> before = Rows();
  bool anyMoved = false;
  for (uint32_t seed = 0; seed < 20; ++seed) {
    world.P().random().SeedRandom(seed);
    ShuffleWordBook(world.P());
    const std::vector<Row> after = Rows();
    ASSERT_EQ(after.size(), before.size());
    std::map<int32_t, std::multiset<std::pair<std::string, std::string>>> a, b;
    for (size_t i = 0; i < after.size(); ++i) {
      // Group, date, proficiency and serial number stay with the record.
      EXPECT_EQ(after[i].group, before[i].group);
      EXPECT_EQ(after[i].proficiency, before[i].proficiency);
      EXPECT_EQ(after[i].serial, before[i].serial);
      EXPECT_EQ(after[i].date, before[i].date);
      // The meaning travels with its word.
      EXPECT_EQ(after[i].meaning, after[i].word + GBK("-义"));
      a[after[i].group].insert({after[i].word, after[i].meaning});
      b[before[i].group].insert({before[i].word, before[i].meaning});
      anyMoved |= after[i].word != before[i].word;
    }
    EXPECT_EQ(a, b) << "seed " << seed;
    EXPECT_EQ(after[0].word, GBK("solo"));  // a group of one never changes
  }
  EXPECT_TRUE(anyMoved);
  EXPECT_EQ(world.prompter.LastText(), "打乱成功！");
  EXPECT_EQ(world.prompter.LastCaption(), "成功！");
  // The plan was computed again: line 3 lists groups 3, 2 and 1.
  EXPECT_EQ(world.State().DueList.size(), 16u);
}

TEST_F(WordBookChangesTest, ShuffleDrawsItsSwapsFromTheSeededGenerator) {
  // A group of three at serials 1..3 takes three swaps of a = random in
  // [1, 3] and b = random in [a, 3]. Worked out by hand from the generator
  // (state = state * 214013 + 2531011, value = state >> 16 & 0x7FFF):
  // seed 0 ends as b c a, seed 1 leaves a b c.
  const std::vector<std::pair<uint32_t, std::vector<std::string>>> cases = {
      {0, {"b", "c", "a"}}, {1, {"a", "b", "c"}}, {3, {"b", "c", "a"}}};
  for (const auto& [seed, expected] : cases) {
    TestWorld w(kDay1);
    w.WriteFreshConfig();
    w.OpenWordBook();
    for (const char* word : {"a", "b", "c"}) w.AddWord(1, word, kDay1);
    w.P().random().SeedRandom(seed);
    ShuffleWordBook(w.P());
    Database& db = w.Db();
    db.GoFirst();
    for (size_t i = 0; i < expected.size(); ++i, db.Skip(1)) {
      EXPECT_EQ(GbkToUtf8(ReadTextField(db, kWord)), expected[i]) << "seed " << seed;
    }
  }
}

// The shuffle worked out on a list of (group, word) in record order, one
// group at a time as the learner's book is walked: each group's first run
// of consecutive records is shuffled; a later run of the same group is not.
std::vector<std::string> ReferenceShuffle(std::vector<std::pair<int32_t, std::string>> rows,
                                          int32_t groups, uint32_t seed) {
  RandomGenerator random;
  random.SeedRandom(seed);
  for (int32_t g = 1; g <= groups; ++g) {
    size_t first = 0;
    while (first < rows.size() && rows[first].first != g) ++first;
    if (first == rows.size()) continue;
    size_t end = first;
    while (end < rows.size() && rows[end].first == g) ++end;
    const int32_t lo = static_cast<int32_t>(first) + 1;  // serial = record number
    const int32_t hi = static_cast<int32_t>(end);
    const int32_t count = hi - lo + 1;
    if (count <= 1) continue;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t a = random.RandomInRange(lo, hi);
      const int32_t b = random.RandomInRange(a, hi);
      std::swap(rows[a - 1].second, rows[b - 1].second);
    }
  }
  std::vector<std::string> words;
  for (const auto& row : rows) words.push_back(row.second);
  return words;
}

TEST_F(WordBookChangesTest, AGroupInTwoSeparateRunsShufflesOnlyItsFirstRun) {
  // Group 1 stands in two runs (records 1-3 and 6-8), with group 2 between
  // them; group 3 stands alone at the end, after a second run of group 2.
  const std::vector<std::pair<int32_t, std::string>> layout = {
      {1, "a1"}, {1, "a2"}, {1, "a3"}, {2, "b1"}, {2, "b2"}, {1, "a4"},
      {1, "a5"}, {1, "a6"}, {2, "b3"}, {2, "b4"}, {3, "c1"}, {3, "c2"}};
  for (uint32_t seed = 0; seed < 40; ++seed) {
    TestWorld w(kDay1);
    w.WriteFreshConfig();
    w.OpenWordBook();
    for (const auto& [group, word] : layout) w.AddWord(group, word, kDay1 + group - 1);
    w.SetCurrentGroup(3);
    w.P().random().SeedRandom(seed);
    ShuffleWordBook(w.P());

    std::vector<std::string> words;
    Database& db = w.Db();
    db.GoFirst();
    for (int32_t i = 0, n = db.RecordCount(); i < n; ++i, db.Skip(1)) {
      words.push_back(GbkToUtf8(ReadTextField(db, kWord)));
    }
    EXPECT_EQ(words, ReferenceShuffle(layout, 3, seed)) << "seed " << seed;
    // The second runs never take part.
    EXPECT_EQ(std::vector<std::string>(words.begin() + 5, words.begin() + 10),
              std::vector<std::string>({"a4", "a5", "a6", "b3", "b4"}))
        << "seed " << seed;
  }
}

TEST_F(WordBookChangesTest, ShuffleOfAnEmptyBookOnlyReports) {
  ShuffleWordBook(world.P());
  EXPECT_EQ(world.prompter.LastText(), "打乱成功！");
  EXPECT_EQ(world.Db().RecordCount(), 0);
}

TEST_F(WordBookChangesTest, ResetEmptiesTheBookAndStartsAgainFromGroupOne) {
  FillThreeGroups();
  AppState& state = world.State();
  state.ReviewPhaseStart = kDay1 + 88;
  state.ForgottenList.push_back({2, "x", "y", 3, 4});
  state.ForgottenPosition = 5;
  world.P().SetReviewPosition(9);
  world.shell.entryButtonEnabled = false;
  world.WriteConfig("plus", "true");
  world.WriteConfig("minus", "true");
  world.prompter.answers = {true};

  ResetWordBook(world.P());

  EXPECT_EQ(world.Db().RecordCount(), 0);
  ASSERT_GE(world.prompter.shown.size(), 2u);
  EXPECT_EQ(GbkToUtf8(world.prompter.shown[0].text), "您确认要清除单词本吗？");
  EXPECT_EQ(GbkToUtf8(world.prompter.shown[0].caption), "询问");
  EXPECT_EQ(world.prompter.shown[0].icon, MessageIcon::Question);
  EXPECT_TRUE(world.prompter.shown[0].yesNo);
  EXPECT_EQ(GbkToUtf8(world.prompter.shown[1].text), "删除成功！");
  EXPECT_EQ(GbkToUtf8(world.prompter.shown[1].caption), "成功");
  EXPECT_TRUE(IsZeroDate(state.ReviewPhaseStart));
  EXPECT_TRUE(state.DueList.empty());
  EXPECT_TRUE(state.ForgottenList.empty());
  EXPECT_EQ(state.ForgottenPosition, 1);
  EXPECT_EQ(world.P().CurrentGroup(), 1);
  EXPECT_EQ(world.P().ReviewPosition(), 1);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.Config("groupnumber"), "1");
  // The plan computed afterwards (an empty book) leaves the flags "false".
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(world.Config("minus"), "false");
  EXPECT_TRUE(world.shell.entryButtonEnabled);
}

TEST_F(WordBookChangesTest, ResetAnsweredNoChangesNothing) {
  FillThreeGroups();
  world.WriteConfig("reviewnumber", "4");
  world.prompter.answers = {false};
  ResetWordBook(world.P());
  EXPECT_EQ(world.Db().RecordCount(), 16);
  EXPECT_EQ(world.prompter.shown.size(), 1u);
  EXPECT_EQ(world.Config("reviewnumber"), "4");
  EXPECT_EQ(world.Config("groupnumber"), "3");
}

TEST_F(WordBookChangesTest, AFailedResetReportsAndKeepsTheState) {
  FillThreeGroups();
  world.Restart();
  ASSERT_TRUE(world.Db().OpenDatabase(GBK("单词本"), Access::ReadOnly));
  world.SetCurrentGroup(3);
  world.prompter.answers = {true};
  ResetWordBook(world.P());
  EXPECT_EQ(world.prompter.LastText(), "删除失败，请再试！");
  EXPECT_EQ(world.prompter.LastCaption(), "出错了");
  EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
  EXPECT_EQ(world.P().CurrentGroup(), 3);
  EXPECT_EQ(world.Config("groupnumber"), "3");
  EXPECT_EQ(world.Db().RecordCount(), 16);
}

// The emptied book and the counters of a new course go in together: an
// empty book whose groupnumber still names group 3 would never start the
// course again. When the counters cannot be stored, the book stays full.
TEST_F(WordBookChangesTest, AResetWhoseCountersCannotBeStoredKeepsTheBook) {
  FillThreeGroups();
  auto failures = std::make_shared<test::WriteFailures>();
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  world.P().LoadCurrentGroup();
  world.prompter.answers = {true};
  {
    test::UnwritableSettings unwritable(failures);
    ResetWordBook(world.P());
  }
  EXPECT_EQ(world.prompter.LastText(), "删除失败，请再试！");
  EXPECT_EQ(world.Db().RecordCount(), 16);
  EXPECT_EQ(world.Config("groupnumber"), "3");
  EXPECT_EQ(world.P().CurrentGroup(), 3);
}

// The shuffle of a whole book is one change: a few syncs, not several a
// swap; and on a disk that fails it changes nothing and says so.
TEST_F(WordBookChangesTest, AShuffleIsOneChangeSyncedAFewTimes) {
  FillThreeGroups();
  auto plan = std::make_shared<testing::FaultPlan>();
  world.Restart();
  world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
  world.OpenWordBook();
  world.P().LoadCurrentGroup();
  plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
  ShuffleWordBook(world.P());
  EXPECT_EQ(world.prompter.LastText(), "打乱成功！");
  EXPECT_LE(plan->syncs, 4);
}

TEST_F(WordBookChangesTest, AShuffleOnAFailingDiskChangesNothingAndSaysSo) {
  FillThreeGroups();
  const std::vector<Row> before = Rows();
  auto plan = std::make_shared<testing::FaultPlan>();
  for (const int64_t k : {1, 3, 5}) {
    world.Restart();
    world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    world.P().random().SeedRandom(3);
    plan->Reset(testing::FaultPlan::Kind::WriteError, k, true);
    ShuffleWordBook(world.P());
    ASSERT_TRUE(plan->fired);
    EXPECT_EQ(world.prompter.LastText(), "打乱失败，单词本没有改变，请再试！");
    EXPECT_EQ(world.prompter.LastCaption(), "出错了");
    EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
    world.Restart();
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    const std::vector<Row> after = Rows();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
      EXPECT_EQ(after[i].word, before[i].word) << "write " << k << ", record " << i + 1;
    }
  }
}

// The undo of an import, on the day the book's last words were entered
// (they join its group) and on the next day (they open a new group, which
// groupnumber names): afterwards the records and Config.ini are those of
// before the import, and a second undo finds nothing to undo.
TEST_F(WordBookChangesTest, UndoingTheLastImportLeavesTheBookAsBeforeIt) {
  for (const double day : {kDay1 + 2, kDay1 + 3}) {
    TestWorld w(day + 0.5);
    w.WriteStandardPlanTable();
    w.WriteFreshConfig();
    w.OpenWordBook();
    w.AddWord(1, "solo", kDay1, 40);
    for (int i = 0; i < 4; ++i) w.AddWord(3, "three" + std::to_string(i), kDay1 + 2, 10 + i);
    w.WriteConfig("groupnumber", "3");
    w.P().LoadCurrentGroup();
    const std::string config = test::Slurp(w.dir.File("Config.ini"));
    Database& db = w.Db();
    auto rows = [&db] { return RowsOf(db); };
    const std::vector<Row> before = rows();
    bool undoable = false;
    ASSERT_TRUE(ImportTodaysWords(db, *w.settings, day,
                                  {{"pear", GBK("梨")}, {"plum", GBK("李子")}, {"fig", "x"}},
                                  &undoable));
    ASSERT_TRUE(undoable);
    ASSERT_EQ(db.RecordCount(), 8);
    ASSERT_EQ(w.Config("groupnumber"), day == kDay1 + 3 ? "4" : "3");
    w.P().LoadCurrentGroup();
    ComputeDayPlan(w.P());

    w.prompter.answers = {true};
    UndoLastImportCommand(w.P());
    ASSERT_FALSE(w.prompter.shown.empty());
    EXPECT_EQ(w.prompter.Texts().front(), "撤销上次导入，从单词本中删除那次导入的 3 个单词吗？");
    EXPECT_EQ(w.prompter.LastText(), "已撤销上次导入的 3 个单词。");
    EXPECT_TRUE(rows() == before) << "day " << day - kDay1;
    EXPECT_EQ(test::Slurp(w.dir.File("Config.ini")), config) << "day " << day - kDay1;
    EXPECT_EQ(w.P().CurrentGroup(), 3);
    UndoLastImportCommand(w.P());
    EXPECT_EQ(w.prompter.LastText(), "没有可以撤销的导入。");
    EXPECT_FALSE(std::filesystem::exists(w.dir.File("单词本.EDB-import")));
  }
}

// What happens to the imported words (or after them) between the import
// and the undo decides: the undo removes them only while they are as the
// import left them and the last words of the book.
TEST_F(WordBookChangesTest, AnUndoIsRefusedOnceTheImportedWordsHaveChanged) {
  const struct {
    const char* name;
    std::function<void(TestWorld&)> then;
    UndoOutcome outcome;
  } cases[] = {
      {"nothing", [](TestWorld&) {}, UndoOutcome::Undone},
      {"an older word studied",
       [](TestWorld& w) {
         w.Db().GoTo(1);
         w.Db().WriteField(kProficiency, Value::Int(77));
       },
       UndoOutcome::Undone},
      {"an imported word studied",
       [](TestWorld& w) {
         w.Db().GoTo(3);
         w.Db().WriteField(kProficiency, Value::Int(21));
       },
       UndoOutcome::ChangedSince},
      {"an imported word updated", [](TestWorld& w) { RewriteWord(w.Db(), 4, "plum", GBK("梅")); },
       UndoOutcome::ChangedSince},
      {"an older word deleted",
       [](TestWorld& w) {
         WholeFileScope scope(w.Db());
         w.Db().GoTo(1);
         w.Db().MarkDeleted();
         w.Db().PurgeDeleted();
         RenumberWords(w.Db());
       },
       UndoOutcome::ChangedSince},
      {"a word typed after them",
       [](TestWorld& w) {
         AddTodaysWords(w.Db(), *w.settings, kDay1 + 2, {{"kiwi", "k"}});
       },
       UndoOutcome::WordsAfter},
      {"the book reset", [](TestWorld& w) { ClearWordBook(w.Db(), *w.settings, false); },
       UndoOutcome::NothingToUndo},
      {"a later import undone first",
       [](TestWorld& w) {
         ImportTodaysWords(w.Db(), *w.settings, kDay1 + 2, {{"kiwi", "k"}});
         UndoLastImport(w.Db(), *w.settings);
       },
       UndoOutcome::NothingToUndo},
  };
  // The command (撤销上次导入) asks only when the undo can be done; else it
  // says at once why not.
  for (const bool command : {false, true}) {
    for (const auto& c : cases) {
      TestWorld w(kDay1 + 2.5);
      w.WriteFreshConfig();
      w.OpenWordBook();
      w.AddWord(1, "solo", kDay1);
      w.AddWord(1, "duo", kDay1);
      w.WriteConfig("groupnumber", "1");
      ASSERT_TRUE(ImportTodaysWords(w.Db(), *w.settings, kDay1 + 1,
                                    {{"pear", GBK("梨")}, {"plum", GBK("李子")}}));
      c.then(w);
      const int32_t records = w.Db().RecordCount();
      const int32_t left = records - (c.outcome == UndoOutcome::Undone ? 2 : 0);
      if (command) {
        w.prompter.answers = {true};
        UndoLastImportCommand(w.P());
        EXPECT_EQ(w.Db().RecordCount(), left) << c.name;
        const bool asked = !w.prompter.shown.empty() && w.prompter.shown.front().yesNo;
        EXPECT_EQ(asked, c.outcome == UndoOutcome::Undone) << c.name;
        continue;
      }
      int32_t removed = -1;
      EXPECT_EQ(UndoLastImport(w.Db(), *w.settings, &removed), c.outcome) << c.name;
      EXPECT_EQ(w.Db().RecordCount(), left) << c.name;
      EXPECT_EQ(removed, c.outcome == UndoOutcome::Undone ? 2 : 0) << c.name;
    }
  }
}

// The book may change while the learner is asked (another program studies
// an imported word): the undo checks again under its lock and refuses.
TEST_F(WordBookChangesTest, AnUndoChecksAgainAfterTheLearnerSaidYes) {
  world.AddWord(1, "solo", kDay1);
  ASSERT_TRUE(ImportTodaysWords(world.Db(), *world.settings, kDay1 + 1, {{"pear", "p"}}));
  world.prompter.answers = {true};
  world.prompter.onShow = [this](const Message& message) {
    if (!message.yesNo) return;
    world.Db().GoTo(2);
    world.Db().WriteField(kProficiency, Value::Int(21));
  };
  UndoLastImportCommand(world.P());
  EXPECT_EQ(world.prompter.Texts(),
            std::vector<std::string>({"撤销上次导入，从单词本中删除那次导入的 1 个单词吗？",
                                      "上次导入的单词后来已经学习、更新或删除过，不能撤销。"}));
  EXPECT_EQ(world.Db().RecordCount(), 2);
}

// The words and groupnumber leave together or stay together: with the
// settings unwritable, or the disk failing at any of the change's writes,
// the undo fails, says so, and the import is still whole (and undoable).
TEST_F(WordBookChangesTest, AnUndoThatCannotBeStoredChangesNothing) {
  world.AddWord(1, "solo", kDay1);
  world.WriteConfig("groupnumber", "1");
  auto failures = std::make_shared<test::WriteFailures>();
  auto plan = std::make_shared<testing::FaultPlan>();
  const std::vector<Row> before = Rows();
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  ASSERT_TRUE(ImportTodaysWords(world.Db(), *world.settings, kDay1 + 1, {{"pear", "p"}}));
  ASSERT_EQ(world.Config("groupnumber"), "2");
  const std::vector<Row> imported = Rows();
  {
    test::UnwritableSettings unwritable(failures);
    world.prompter.answers = {true};
    UndoLastImportCommand(world.P());
  }
  EXPECT_EQ(world.prompter.LastText(), "撤销失败，单词本没有改变，请再试！");
  EXPECT_TRUE(Rows() == imported);
  EXPECT_EQ(world.Config("groupnumber"), "2");
  for (const int64_t k : {1, 2, 4, 6}) {
    world.Restart();
    world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    plan->Reset(testing::FaultPlan::Kind::WriteError, k, true);
    EXPECT_EQ(UndoLastImport(world.Db(), *world.settings), UndoOutcome::Failed) << "write " << k;
    ASSERT_TRUE(plan->fired);
    world.Restart();
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    EXPECT_TRUE(Rows() == imported) << "write " << k;
    EXPECT_EQ(world.Config("groupnumber"), "2") << "write " << k;
  }
  world.Restart();
  world.OpenWordBook();
  EXPECT_EQ(UndoLastImport(world.Db(), *world.settings), UndoOutcome::Undone);
  EXPECT_TRUE(Rows() == before);
  EXPECT_EQ(world.Config("groupnumber"), "1");
}

}  // namespace
}  // namespace cindral
