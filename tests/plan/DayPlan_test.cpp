// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The day plan over many days: learning phase cases, review phase, finish,
// decay. The entry gate is scripted here; word entry has its own tests.

#include "plan/DayPlan.h"

#include <gtest/gtest.h>

#include <chrono>

#include "Children.h"
#include "FaultyFiles.h"
#include "TestWorld.h"
#include "UnwritableSettings.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay1 = 45000.0;  // the day group 1 was entered

class DayPlanTest : public ::testing::Test {
 protected:
  DayPlanTest() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
  }

  // Groups 1..lastGroup entered on consecutive days, `perGroup` words each.
  void EnterCourse(int lastGroup, int perGroup = 2) {
    for (int g = 1; g <= lastGroup; ++g) {
      for (int w = 0; w < perGroup; ++w) {
        world.AddWord(g, "w" + std::to_string(g) + "_" + std::to_string(w), kDay1 + g - 1);
      }
    }
    world.SetCurrentGroup(lastGroup);
  }
  void SetToday(double day) { world.clock.Set(day + 0.5); }  // noon: the time must not matter

  std::vector<int32_t> Expected(std::initializer_list<std::pair<int, int>> groupsAndCounts) {
    std::vector<int32_t> v;
    for (auto [g, n] : groupsAndCounts)
      for (int i = 0; i < n; ++i) v.push_back(g);
    return v;
  }

  TestWorld world;
};

TEST_F(DayPlanTest, EmptyWordBookResetsFlagsAndShowsNothing) {
  world.WriteConfig("plus", "true");
  world.WriteConfig("minus", "true");
  ComputeDayPlan(world.P());
  EXPECT_TRUE(world.State().DueList.empty());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(world.Config("minus"), "false");
  EXPECT_TRUE(IsZeroDate(world.State().ReviewPhaseStart));
}

TEST_F(DayPlanTest, WordsEnteredTodayFollowThePlanLineOfTheNewestGroup) {
  EnterCourse(3);
  SetToday(kDay1 + 2);
  ComputeDayPlan(world.P());
  // Line 3 is "3 2 1": every record whose group is listed, in record order.
  EXPECT_EQ(world.DueGroups(), Expected({{1, 2}, {2, 2}, {3, 2}}));
  EXPECT_TRUE(world.prompter.shown.empty());
  const DueEntry& first = world.State().DueList.front();
  EXPECT_EQ(first.Word, Utf8ToGbk("w1_0"));
  EXPECT_EQ(first.Meaning, Utf8ToGbk("w1_0-义"));
  EXPECT_EQ(first.Proficiency, 1);
  EXPECT_EQ(first.SerialNumber, 1);
  EXPECT_DOUBLE_EQ(world.State().ReviewPhaseStart, kDay1 + 88);
}

TEST_F(DayPlanTest, TwoComputationsOnOneDayGiveTheSameList) {
  EnterCourse(16);
  SetToday(kDay1 + 15);
  ComputeDayPlan(world.P());
  const auto first = world.State().DueList;
  ComputeDayPlan(world.P());
  EXPECT_EQ(world.State().DueList, first);
  // Line 16: 16 15 14 12 9 1.
  EXPECT_EQ(world.DueGroups(), Expected({{1, 2}, {9, 2}, {12, 2}, {14, 2}, {15, 2}, {16, 2}}));
}

TEST_F(DayPlanTest, AGroupListedTwiceOnItsLineIsDueTwice) {
  world.WritePlanTable({"1 1", "2  1"});
  EnterCourse(2, 1);
  SetToday(kDay1 + 1);
  ComputeDayPlan(world.P());
  // "2  1": the empty piece matches nothing.
  EXPECT_EQ(world.DueGroups(), Expected({{1, 1}, {2, 1}}));
  world.SetCurrentGroup(1);
  ComputeDayPlan(world.P());
  EXPECT_EQ(world.DueGroups(), Expected({{1, 2}}));
}

// A plan table of 10 MB whose line lists group 1 five million times, or
// ten million pieces none of which is a group, against
// 2,000 words: the plan is made at once, in bounded memory. A group listed
// over and over is due kMostListingsOfAGroup times. Run in a child that is
// killed when it takes more than a few seconds.
TEST_F(DayPlanTest, AnyPlanTableIsPlannedAtOnceAndAGroupIsDueAFewTimesAtMost) {
  {
    WholeFileScope scope(world.Db());
    for (int w = 0; w < 2000; ++w) world.AddWord(1 + w % 2, "w" + std::to_string(w), kDay1);
    ASSERT_TRUE(scope.End());
  }
  world.SetCurrentGroup(1);
  const struct {
    std::string line;
    std::size_t due;
  } cases[] = {
      {[] {
         std::string line;
         while (line.size() < 10'485'760) line += "1 ";
         return line;
       }(),
       1000u * kMostListingsOfAGroup},
      {"2 2 " + std::string(10'000'000, ' '), 2000},
  };
  for (const auto& c : cases) {
    world.WritePlanTable({c.line});
    const std::optional<int> status = test::RunInChildWithin(std::chrono::seconds(10), [&] {
      ComputeDayPlan(world.P());
      return world.State().DueList.size() == c.due ? 0 : 1;
    });
    ASSERT_TRUE(status.has_value()) << "the plan took over ten seconds";
    EXPECT_EQ(*status, 0) << "the due list is not " << c.due << " words";
  }
}

TEST_F(DayPlanTest, NothingIsDueWithoutAPlanLine) {
  EnterCourse(2);
  SetToday(kDay1 + 1);
  for (int32_t group : {0, 89, -5}) {
    world.SetCurrentGroup(group);
    ComputeDayPlan(world.P());
    EXPECT_TRUE(world.State().DueList.empty()) << group;
  }
  world.SetCurrentGroup(2);
  world.WritePlanTable({"1"});  // fewer lines than the group number
  ComputeDayPlan(world.P());
  EXPECT_TRUE(world.State().DueList.empty());
  std::filesystem::remove(world.dir.File("艾宾浩斯.txt"));
  ComputeDayPlan(world.P());
  EXPECT_TRUE(world.State().DueList.empty());
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(DayPlanTest, TheFirstStartOfANewDayAsksForTodaysWords) {
  EnterCourse(1);
  world.WriteConfig("reviewnumber", "7");
  world.WriteConfig("plus", "true");
  world.WriteConfig("minus", "true");
  SetToday(kDay1 + 1);
  ComputeDayPlan(world.P());
  EXPECT_EQ(world.P().ReviewPosition(), 1);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(world.Config("minus"), "false");
  ASSERT_EQ(world.prompter.shown.size(), 1u);
  EXPECT_EQ(world.prompter.LastText(), "今日还没有学习新单词呢，快快学习吧！");
  EXPECT_EQ(world.prompter.LastCaption(), "请先录入今天所学的单词");
  EXPECT_EQ(world.prompter.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(world.shell.opened, std::vector<WindowId>{WindowId::Entry});
  EXPECT_TRUE(world.State().DueList.empty());
}

TEST_F(DayPlanTest, AZeroDatedLastWordOpensTheGateWithoutAMessage) {
  world.AddWord(1, "dated", kDay1);
  world.AddWord(1, "undated", kZeroDate);
  world.WriteConfig("reviewnumber", "3");
  SetToday(kDay1 + 5);
  ComputeDayPlan(world.P());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(world.shell.opened, std::vector<WindowId>{WindowId::Entry});
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.Config("minus"), "false");
}

TEST_F(DayPlanTest, IdleDaysOrAFutureEntryAskForAReset) {
  for (double offset : {2.0, 30.0, -1.0}) {
    TestWorld w(kDay1);
    w.WriteStandardPlanTable();
    w.WriteFreshConfig();
    w.OpenWordBook();
    w.AddWord(1, "a", kDay1);
    w.WriteConfig("reviewnumber", "4");
    w.WriteConfig("plus", "true");
    w.clock.Set(kDay1 + offset);
    ComputeDayPlan(w.P());
    EXPECT_EQ(w.prompter.LastText(), "您已多天没有学习单词，请重置单词数据库后重新学习！")
        << offset;
    EXPECT_EQ(w.prompter.LastCaption(), "提示");
    EXPECT_EQ(w.shell.broughtToFront, 1);
    EXPECT_TRUE(w.shell.opened.empty());
    EXPECT_EQ(w.Config("reviewnumber"), "4");  // untouched
    EXPECT_EQ(w.Config("plus"), "false");
    EXPECT_EQ(w.Config("minus"), "false");
    EXPECT_TRUE(w.State().DueList.empty());
  }
}

TEST_F(DayPlanTest, ReviewDaysFollowTheBuiltInTable) {
  // Study days 89 to 100, written out here, not taken from the program.
  const std::vector<int32_t> kReviewDays[12] = {
      {57, 75, 83, 86, 88}, {58, 59, 76, 84, 87}, {60, 77, 78, 85, 88}, {61, 62, 79, 86, 87},
      {63, 64, 80, 81, 88}, {65, 66, 82, 83, 84}, {67, 68, 69, 85, 86}, {70, 71, 72, 87, 88},
      {73, 74, 75, 76, 77}, {78, 79, 80, 81, 82}, {83, 84, 85, 86, 87}, {88},
  };
  EnterCourse(88, 1);
  for (int n = 0; n < 12; ++n) {
    world.prompter.shown.clear();
    world.WriteConfig("plus", "true");
    world.WriteConfig("minus", "true");
    SetToday(kDay1 + 88 + n);
    ComputeDayPlan(world.P());
    // One word per group, in record order.
    EXPECT_EQ(world.DueGroups(), kReviewDays[n]) << "review day " << n;
    EXPECT_EQ(ReviewPhaseGroups(n), kReviewDays[n]) << "review day " << n;
    EXPECT_TRUE(world.prompter.shown.empty());
    EXPECT_EQ(world.Config("plus"), "false");
    EXPECT_EQ(world.Config("minus"), "false");
    EXPECT_FALSE(IsCourseFinished(world.State().ReviewPhaseStart, world.P().Today())) << n;
  }
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({88}));
}

TEST_F(DayPlanTest, TheDayAfterTheLastReviewDayFinishesTheCourse) {
  EnterCourse(88, 1);
  SetToday(kDay1 + 88 + 12);
  ComputeDayPlan(world.P());
  EXPECT_TRUE(world.State().DueList.empty());
  EXPECT_EQ(world.prompter.LastText(), "您已经学习完毕，请重置单词数据库后继续开始单词之旅！");
  EXPECT_EQ(world.prompter.LastCaption(), "成功了");
  EXPECT_FALSE(world.shell.entryButtonEnabled);
  EXPECT_TRUE(IsCourseFinished(world.State().ReviewPhaseStart, world.P().Today()));
}

TEST_F(DayPlanTest, AFirstGroupOtherThanOneNeverStartsTheReviewPhase) {
  for (int32_t firstGroup : {0, 2}) {
    TestWorld w(kDay1);
    w.WriteStandardPlanTable();
    w.OpenWordBook();
    w.AddWord(firstGroup, "a", kDay1);
    w.SetCurrentGroup(firstGroup);
    w.clock.Set(kDay1 + 200);
    ComputeDayPlan(w.P());
    EXPECT_TRUE(IsZeroDate(w.State().ReviewPhaseStart)) << firstGroup;
    // Far past any review day, yet the zero start means no message: it is
    // taken as the review path because today lies after the zero date.
    EXPECT_TRUE(w.prompter.shown.empty()) << firstGroup;
    EXPECT_TRUE(w.State().DueList.empty());
    EXPECT_FALSE(IsCourseFinished(w.State().ReviewPhaseStart, w.P().Today()));
  }
}

TEST_F(DayPlanTest, TheReviewPhaseStartIsFixedOncePerRun) {
  EnterCourse(2, 1);
  SetToday(kDay1 + 1);
  ComputeDayPlan(world.P());
  EXPECT_DOUBLE_EQ(world.State().ReviewPhaseStart, kDay1 + 88);
  // A later first record does not move it while the program runs.
  world.Db().GoFirst();
  world.Db().WriteField(kEntryDate, Value::DateTime(kDay1 + 1));
  ComputeDayPlan(world.P());
  EXPECT_DOUBLE_EQ(world.State().ReviewPhaseStart, kDay1 + 88);
}

TEST_F(DayPlanTest, ReviewPhaseGroupsOutsideTheTwelveDaysAreEmpty) {
  EXPECT_TRUE(ReviewPhaseGroups(-1).empty());
  EXPECT_TRUE(ReviewPhaseGroups(12).empty());
  EXPECT_EQ(ReviewPhaseGroups(0), std::vector<int32_t>({57, 75, 83, 86, 88}));
  EXPECT_EQ(ReviewPhaseGroups(11), std::vector<int32_t>({88}));
}

class DecayTest : public DayPlanTest {
 protected:
  std::vector<int32_t> Proficiencies() {
    std::vector<int32_t> p;
    Database& db = world.Db();
    db.GoFirst();
    for (int32_t i = 0, n = db.RecordCount(); i < n; ++i, db.Skip(1))
      p.push_back(ReadIntegerField(db, kProficiency));
    return p;
  }
  void AddProficiencies(std::initializer_list<int32_t> values) {
    for (int32_t p : values) world.AddWord(1, "w", kDay1, p);
  }
};

TEST_F(DecayTest, LowersEveryWordByOneButNotBelowOne) {
  AddProficiencies({1, 2, 3, 50, 100});
  world.WriteConfig("minus", "false");
  DecayProficiency(world.P());
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>({1, 1, 2, 49, 99}));
  EXPECT_EQ(world.Config("minus"), "true");
  DecayProficiency(world.P());  // done for today
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>({1, 1, 2, 49, 99}));
}

TEST_F(DecayTest, OnlyTheExactTextFalseTriggersIt) {
  AddProficiencies({10});
  for (const char* flag : {"False", "FALSE", "false ", "", "true", "0"}) {
    world.WriteConfig("minus", flag);
    DecayProficiency(world.P());
    EXPECT_EQ(Proficiencies(), std::vector<int32_t>({10})) << '"' << flag << '"';
    EXPECT_EQ(world.Config("minus"), flag);
  }
}

TEST_F(DecayTest, OutOfRangeStoredValuesStayDefined) {
  AddProficiencies({0, -7, 2147483647});
  world.WriteConfig("minus", "false");
  DecayProficiency(world.P());
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>({1, 1, 2147483646}));
}

// A decay that a disk failure stops changes no word and stays due, so the
// next start decays every word once.
TEST_F(DecayTest, IsWholeOrNotAtAll) {
  AddProficiencies({5, 6, 7, 8, 9, 10});
  world.WriteConfig("minus", "false");
  auto plan = std::make_shared<testing::FaultPlan>();
  for (int64_t k = 1;; ++k) {
    ASSERT_LT(k, 100);
    world.Restart();
    world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    plan->Reset(testing::FaultPlan::Kind::WriteError, k, false);
    DecayProficiency(world.P());
    const bool fired = plan->fired;
    world.Restart();
    plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
    world.OpenWordBook();
    if (!fired) {
      EXPECT_EQ(Proficiencies(), std::vector<int32_t>({4, 5, 6, 7, 8, 9}));
      EXPECT_EQ(world.Config("minus"), "true");
      break;
    }
    EXPECT_EQ(Proficiencies(), std::vector<int32_t>({5, 6, 7, 8, 9, 10})) << "write " << k;
    EXPECT_EQ(world.Config("minus"), "false") << "write " << k;
  }
}

// A decay whose flag cannot be stored does not happen: a decayed book whose
// decay is still due would be decayed again at the next start. The learner
// hears of it; the next start decays every word once.
TEST_F(DecayTest, IsNeverDoneTwiceWhenMinusCannotBeStored) {
  AddProficiencies({5, 50, 100});
  world.WriteConfig("minus", "false");
  auto failures = std::make_shared<test::WriteFailures>();
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  {
    test::UnwritableSettings unwritable(failures);
    DecayProficiency(world.P());
  }
  EXPECT_EQ(world.prompter.LastText(), "今天的熟练度衰减没有保存成功，下次启动时再进行。");
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>({5, 50, 100}));
  EXPECT_EQ(world.Config("minus"), "false");
  for (int start = 0; start < 2; ++start) {
    world.Restart();
    world.OpenWordBook();
    DecayProficiency(world.P());
  }
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>({4, 49, 99}));
  EXPECT_EQ(world.Config("minus"), "true");
}

// The decay of a whole book is one change: a few syncs, not one a word.
TEST_F(DecayTest, CostsAFewSyncsHoweverManyWords) {
  for (int i = 0; i < 60; ++i) world.AddWord(1 + i / 20, "w" + std::to_string(i), kDay1, 50);
  world.WriteConfig("minus", "false");
  auto plan = std::make_shared<testing::FaultPlan>();
  world.Restart();
  world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
  world.OpenWordBook();
  plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
  DecayProficiency(world.P());
  EXPECT_LE(plan->syncs, 4);
  EXPECT_EQ(Proficiencies().front(), 49);
}

// The start-up walks read the book in a few large reads and write the
// decay back in a few large writes, not a few calls for every word.
TEST_F(DecayTest, TheStartUpWalksReadAndWriteTheBookInAFewCalls) {
  {
    WholeFileScope scope(world.Db());
    for (int g = 1; g <= 30; ++g) {
      for (int w = 0; w < 20; ++w) world.AddWord(g, "w" + std::to_string(w), kDay1 + g - 1, 50);
    }
    ASSERT_TRUE(scope.End());
  }
  world.WriteConfig("minus", "false");
  SetToday(kDay1 + 29);
  auto plan = std::make_shared<testing::FaultPlan>();
  world.Restart();
  world.Db().SetFileSystem(testing::FaultyFileSystem(plan));
  world.OpenWordBook();
  world.SetCurrentGroup(30);
  plan->Reset(testing::FaultPlan::Kind::WriteError, 0, false);
  ComputeDayPlan(world.P());
  DecayProficiency(world.P());
  const int64_t reads = plan->reads;
  const int64_t writes = plan->writes;
  // Line 30 of the plan: groups 30, 29, 28, 26, 23 and 15.
  EXPECT_EQ(world.DueGroups().size(), 6u * 20u);
  EXPECT_EQ(Proficiencies(), std::vector<int32_t>(600, 49));
  EXPECT_LE(reads, 40);
  EXPECT_LE(writes, 20);
}

}  // namespace
}  // namespace cindral
