// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics: the course's days as the plan sees them (learned, due
// today, review phase, today), the words of each group, the proficiency
// bands at their edges, today's due count; and the book left as it was.

#include "logic/StatisticsWindowLogic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestWorld.h"
#include "plan/DayPlan.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay1 = 45000.0;

class StatisticsTest : public ::testing::Test {
 protected:
  StatisticsTest() {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
  }

  // Groups 1..n entered on consecutive days from kDay1, `words` each; the
  // program runs on day `today` (1-based course day) and computes its plan.
  void Course(int groups, int words, int today) {
    world.AddCourse(groups, words, kDay1);
    world.clock.Set(kDay1 + today - 1 + 0.5);
    ComputeDayPlan(world.P());
  }

  std::vector<int> DaysWhere(bool StatisticsWindowLogic::CourseDay::*flag) const {
    std::vector<int> days;
    for (const auto& day : stats.days()) {
      if (day.*flag) days.push_back(day.number);
    }
    return days;
  }

  TestWorld world{kDay1};
  StatisticsWindowLogic stats{world.P()};
};

TEST_F(StatisticsTest, AnEmptyBookShowsACourseNotYetBegun) {
  ComputeDayPlan(world.P());
  stats.Opened();
  EXPECT_FALSE(stats.courseStarted());
  EXPECT_EQ(stats.todayNumber(), 0);
  EXPECT_EQ(stats.wordCount(), 0);
  EXPECT_EQ(stats.dueCount(), 0);
  EXPECT_TRUE(stats.groups().empty());
  EXPECT_TRUE(DaysWhere(&StatisticsWindowLogic::CourseDay::learned).empty());
  EXPECT_TRUE(DaysWhere(&StatisticsWindowLogic::CourseDay::today).empty());
  // The shape of the course is there all the same: days 89 to 100 review.
  const auto review = DaysWhere(&StatisticsWindowLogic::CourseDay::review);
  ASSERT_EQ(review.size(), 12u);
  EXPECT_EQ(review.front(), 89);
  EXPECT_EQ(review.back(), 100);
  for (const auto& band : stats.bands()) EXPECT_EQ(band.words, 0);
}

TEST_F(StatisticsTest, LearningDaysShowWhatWasLearnedAndWhatIsDueToday) {
  Course(/*groups=*/8, /*words=*/3, /*today=*/8);
  stats.Opened();
  EXPECT_TRUE(stats.courseStarted());
  EXPECT_EQ(stats.todayNumber(), 8);
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::today), std::vector<int>{8});
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::learned),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::past),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  // Plan line 8 lists 8 7 6 4 1: those days' words are due.
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::due), (std::vector<int>{1, 4, 6, 7, 8}));
  EXPECT_EQ(stats.dueCount(), 15);
  EXPECT_EQ(stats.dueCount(), static_cast<int32_t>(world.State().DueList.size()));
  EXPECT_EQ(stats.wordCount(), 24);
  ASSERT_EQ(stats.groups().size(), 8u);
  for (const auto& [group, words] : stats.groups()) EXPECT_EQ(words, 3) << group;
}

TEST_F(StatisticsTest, ReviewPhaseDaysShowTheBuiltInGroupsDueToday) {
  Course(/*groups=*/88, /*words=*/1, /*today=*/96);
  stats.Opened();
  EXPECT_EQ(stats.todayNumber(), 96);
  // Review day 7 (study day 96) brings back groups 70, 71, 72, 87 and 88.
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::due),
            (std::vector<int>{70, 71, 72, 87, 88}));
  EXPECT_EQ(stats.dueCount(), 5);
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::learned).size(), 88u);
  EXPECT_FALSE(stats.days()[95].learned);  // nothing is entered in the review phase
  EXPECT_TRUE(stats.days()[95].review);
}

TEST_F(StatisticsTest, AfterTheCourseNoDayIsToday) {
  Course(/*groups=*/88, /*words=*/1, /*today=*/101);
  stats.Opened();
  EXPECT_TRUE(stats.courseStarted());
  EXPECT_EQ(stats.todayNumber(), 0);
  EXPECT_TRUE(DaysWhere(&StatisticsWindowLogic::CourseDay::today).empty());
  EXPECT_EQ(DaysWhere(&StatisticsWindowLogic::CourseDay::past).size(), 100u);
}

TEST_F(StatisticsTest, ABookThatDoesNotStartWithGroup1HasNoCourseDaysButItsWordsCount) {
  world.AddWord(0, "zero", kDay1);  // no groupnumber before the first word
  world.AddWord(0, "nil", kDay1);
  ComputeDayPlan(world.P());
  stats.Opened();
  EXPECT_FALSE(stats.courseStarted());
  EXPECT_TRUE(DaysWhere(&StatisticsWindowLogic::CourseDay::learned).empty());
  EXPECT_EQ(stats.wordCount(), 2);
  EXPECT_EQ(stats.groups().at(0), 2);
}

TEST_F(StatisticsTest, ProficienciesFallIntoTheirBandsAtEveryEdge) {
  // Damaged values below 1 and above 100 count in the nearest band.
  for (int p : {0, 1, 29, 30, 49, 50, 79, 80, 99, 100, 150}) {
    world.AddWord(1, "p" + std::to_string(p), kDay1, p);
  }
  stats.Opened();
  const std::vector<std::pair<int32_t, int32_t>> expected{
      {1, 29}, {30, 49}, {50, 79}, {80, 99}, {100, 100}};
  const int32_t words[] = {3, 2, 2, 2, 2};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(stats.bands()[i].low, expected[i].first);
    EXPECT_EQ(stats.bands()[i].high, expected[i].second);
    EXPECT_EQ(stats.bands()[i].words, words[i]) << i;
  }
}

TEST_F(StatisticsTest, LookingChangesNeitherTheBookNorTheSettings) {
  Course(/*groups=*/3, /*words=*/2, /*today=*/3);
  auto slurp = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  const std::string book = slurp(world.dir.File("单词本.EDB"));
  const std::string side = slurp(world.dir.File("单词本.EDT"));
  const std::string config = slurp(world.dir.File("Config.ini"));
  stats.Opened();
  stats.Opened();  // opened again: the same picture
  EXPECT_EQ(stats.wordCount(), 6);
  EXPECT_EQ(slurp(world.dir.File("单词本.EDB")), book);
  EXPECT_EQ(slurp(world.dir.File("单词本.EDT")), side);
  EXPECT_EQ(slurp(world.dir.File("Config.ini")), config);
  EXPECT_TRUE(world.prompter.shown.empty());
}

}  // namespace
}  // namespace cindral
