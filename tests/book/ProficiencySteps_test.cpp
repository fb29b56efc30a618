// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The day's decay and the learning bonus between two programs of the same
// book: each decides under the book's lock, from the flag as stored then,
// so a step the other program stored meanwhile is not taken a second time.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "book/ProficiencySteps.h"

namespace cindral {
namespace {

TEST(ProficiencyStepsTest, AStepAnotherProgramStoredMeanwhileIsNotTakenAgain) {
  using Step = std::function<void(Database&, const Settings&, std::vector<DueEntry>&)>;
  const struct {
    const char* name;
    const char* flag;
    Step step;
    int32_t after;  // the word's proficiency after the step, from 50
  } cases[] = {
      {"decay", "minus",
       [](Database& db, const Settings& s, std::vector<DueEntry>& due) {
         EXPECT_TRUE(DecayWordBook(db, s, due));
       },
       49},
      {"bonus", "plus",
       [](Database& db, const Settings& s, std::vector<DueEntry>& due) {
         EXPECT_NE(GiveLearningBonus(db, s, due), BonusOutcome::NotStored);
       },
       70},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TestWorld world;
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.WriteConfig(c.flag, "false");
    world.AddWord(1, "apple", 45000.0, 50);
    // A second program on the same files; both found the step due when
    // they planned the day, before either took the lock.
    Database other;
    ASSERT_TRUE(other.OpenDatabase(Utf8ToGbk(world.dir.File("单词本"))));
    Settings otherSettings(Utf8ToGbk(world.dir.path()));
    std::vector<DueEntry> due{{1, "apple", "", 50, 1}};
    std::vector<DueEntry> otherDue = due;

    c.step(world.Db(), *world.settings, due);
    c.step(other, otherSettings, otherDue);

    EXPECT_EQ(world.Config(c.flag), "true");
    ASSERT_EQ(test::StoredWords(world.Db()).size(), 1u);
    EXPECT_EQ(test::StoredWords(world.Db())[0].proficiency, c.after);
    EXPECT_EQ(due[0].Proficiency, c.after);
  }
}

}  // namespace
}  // namespace cindral
