// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word book whose words are all due today, for the tests of the study
// windows: every word is entered today in group 1, so plan line 1 lists
// them all in record order.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FailingFile.h"
#include "TestWorld.h"
#include "plan/DayPlan.h"

namespace cindral::test {

constexpr double kStudyDay = 45000.0;

struct StudyWord {
  std::string word;     // UTF-8
  std::string meaning;  // UTF-8
  int32_t proficiency = 1;
};

class StudyTest : public ::testing::Test {
 protected:
  StudyTest() : world(kStudyDay) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.Db().SetFileSystem(FailingFileSystem(failures));
    world.OpenWordBook();
    world.P().LoadCurrentGroup();
  }

  // Adds the words and computes today's plan.
  void Book(const std::vector<StudyWord>& words) {
    for (const StudyWord& w : words) world.AddWord(1, w.word, kStudyDay, w.proficiency, w.meaning);
    ComputeDayPlan(world.P());
    ASSERT_EQ(world.State().DueList.size(), words.size());
  }

  std::vector<StoredWord> Stored() { return StoredWords(world.Db()); }
  int32_t StoredProficiency(int32_t record) {
    world.Db().GoTo(record);
    return ReadIntegerField(world.Db(), kProficiency);
  }
  std::vector<std::string> DueWords() const {
    std::vector<std::string> words;
    for (const DueEntry& e : world.program->state().DueList) words.push_back(GbkToUtf8(e.Word));
    return words;
  }
  std::vector<std::string> ForgottenWords() const {
    std::vector<std::string> words;
    for (const DueEntry& e : world.program->state().ForgottenList) {
      words.push_back(GbkToUtf8(e.Word));
    }
    return words;
  }

  TestWorld world;
  std::shared_ptr<WriteFailures> failures = std::make_shared<WriteFailures>();
};

}  // namespace cindral::test
