// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The learning card: study mode (walking the list, resuming, the day's
// bonus), test mode (the +1 on showing, known, forgotten, delete), the keys
// of the focus-holder box, spelling practice and the word update.

#include "logic/LearningWindowLogic.h"

#include <gtest/gtest.h>

#include "StudyTest.h"
#include "UnwritableSettings.h"
#include "core/KeyCodes.h"
#include "logic/PracticeSpellingWindowLogic.h"
#include "logic/UpdateWordWindowLogic.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

using test::StoredWord;
using test::StudyTest;
using test::StudyWord;
constexpr double kDay = test::kStudyDay;

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

class LearningCardTest : public StudyTest {
 protected:
  // Runs `body` with a card in test mode: inside the group test's choice window.
  void InTestMode(const std::function<void()>& body) {
    world.shell.onOpen = [&](WindowId id) {
      if (id == WindowId::Choice) body();
    };
    world.shell.OpenWindow(WindowId::Choice);
    world.shell.onOpen = nullptr;
  }
  // A test-mode card on the word at `position`, then `action` on it; the
  // card's closing runs as the window does it.
  void TestCard(int32_t position, const std::function<void(LearningWindowLogic&)>& action) {
    world.WriteConfig("reviewnumber", std::to_string(position));
    InTestMode([&] {
      LearningWindowLogic card(world.P());
      card.Created();
      ASSERT_FALSE(card.studyMode());
      action(card);
      if (card.closed()) card.Destroyed();
    });
  }
};

TEST_F(LearningCardTest, StudyModeShowsTheWordAtThePositionWithItsProgressAndPages) {
  Book({{"apple", "苹果", 35}, {"pear", "梨", 2}, {"冰 ice", "冰", 100}});
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_TRUE(card.studyMode());
  EXPECT_TRUE(card.showsNextButton());
  EXPECT_FALSE(card.showsTestButtons());
  EXPECT_EQ(card.positionText(), "1");
  EXPECT_EQ(card.countText(), "3");
  EXPECT_EQ(card.proficiencyText(), "35%");
  EXPECT_EQ(card.progressValue(), 35);
  EXPECT_EQ(Utf8(card.pagesWord()), "apple");
  EXPECT_EQ(Utf8(card.pagesMeaning()), "苹果");
  EXPECT_EQ(card.pageLoads(), 1);
  EXPECT_EQ(card.viewPreparations(), 1);
  EXPECT_EQ(card.focusTimer().interval(), 500);
  EXPECT_EQ(card.focusRequests(), 1);
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_FALSE(card.closed());
  EXPECT_EQ(StoredProficiency(1), 35);  // study mode changes nothing when showing

  // "下一个(→)" prepares the views again and shows the next word as it is listed.
  card.NextButton();
  EXPECT_EQ(card.positionText(), "2");
  EXPECT_EQ(card.proficiencyText(), "2%");
  EXPECT_EQ(Utf8(card.pagesWord()), "pear");
  EXPECT_EQ(card.pageLoads(), 2);
  EXPECT_EQ(card.viewPreparations(), 2);
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  card.FocusTimerTick();
  EXPECT_EQ(card.focusRequests(), 2);
}

TEST_F(LearningCardTest, TheEndOfTheListGivesTheDaysBonusOnceAndCloses) {
  Book({{"a", "甲", 79}, {"b", "乙", 80}, {"c", "丙", 85}});
  world.WriteConfig("reviewnumber", "3");
  world.prompter.answers = {true};  // continue at word 3
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_EQ(world.prompter.LastText(), "是否接着上次复习的单词继续？");
  EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Information);
  EXPECT_EQ(card.positionText(), "3");

  card.NextButton();
  EXPECT_EQ(world.prompter.LastText(), "已学习完毕，趁热打铁，快快复习一下吧！");
  EXPECT_EQ(world.prompter.LastCaption(), "学习完毕");
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.Config("plus"), "true");
  EXPECT_TRUE(card.closed());
  // 79 + 20 = 99; 80 and 85 reach the cap.
  EXPECT_EQ(StoredProficiency(1), 99);
  EXPECT_EQ(StoredProficiency(2), 100);
  EXPECT_EQ(StoredProficiency(3), 100);
  const auto& due = world.State().DueList;
  EXPECT_EQ(due[0].Proficiency, 99);
  EXPECT_EQ(due[1].Proficiency, 100);
  EXPECT_EQ(due[2].Proficiency, 100);
  card.Destroyed();
  EXPECT_EQ(world.shell.broughtToFront, 1);

  // A second pass the same day ends without a bonus.
  LearningWindowLogic again(world.P());
  again.Created();
  again.NextButton();
  again.NextButton();
  again.NextButton();
  EXPECT_TRUE(again.closed());
  EXPECT_EQ(StoredProficiency(1), 99);
}

TEST_F(LearningCardTest, TheBonusIsGivenOnlyWhenPlusIsExactlyFalse) {
  for (const char* plus : {"False", "", "true"}) {
    SCOPED_TRACE(plus);
    world.Db().ClearAll();
    Book({{"a", "甲", 10}});
    world.WriteConfig("plus", plus);
    LearningWindowLogic card(world.P());
    card.Created();
    card.NextButton();
    EXPECT_TRUE(card.closed());
    EXPECT_EQ(StoredProficiency(1), 10);
  }
}

TEST_F(LearningCardTest, AWordListedTwiceGetsTheBonusTwice) {
  // Line 2 lists group 1 twice, so its words are due twice.
  world.WritePlanTable({"1", "1 1"});
  world.WriteConfig("groupnumber", "2");
  world.P().LoadCurrentGroup();
  world.AddWord(1, "twice", kDay, 50, "两次");
  ComputeDayPlan(world.P());
  ASSERT_EQ(world.State().DueList.size(), 2u);
  LearningWindowLogic card(world.P());
  card.Created();
  card.NextButton();
  card.NextButton();
  EXPECT_TRUE(card.closed());
  EXPECT_EQ(StoredProficiency(1), 90);
}

// The bonus is one change: when it cannot be stored no word has it, the
// list keeps its values and the bonus stays due.
TEST_F(LearningCardTest, ABonusThatCannotBeStoredIsGivenToNoWordAndStaysDue) {
  Book({{"a", "甲", 10}, {"b", "乙", 20}, {"c", "丙", 30}});
  world.WriteConfig("reviewnumber", "3");
  world.prompter.answers = {true};
  LearningWindowLogic card(world.P());
  card.Created();
  failures->failWrites = 1;
  card.NextButton();
  failures->failWrites = 0;
  EXPECT_TRUE(card.closed());
  EXPECT_EQ(failures->failed, 1);
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(StoredProficiency(1), 10);
  EXPECT_EQ(StoredProficiency(2), 20);
  EXPECT_EQ(StoredProficiency(3), 30);
  const auto& due = world.State().DueList;
  EXPECT_EQ(due[0].Proficiency, 10);
  EXPECT_EQ(due[2].Proficiency, 30);
}

// A bonus whose flag cannot be stored is not given at all: stored without
// the flag, the next pass to the end of the list would give it again. The
// learner hears of it, and the next pass gives it once.
TEST_F(LearningCardTest, ABonusIsNeverGivenTwiceWhenPlusCannotBeStored) {
  Book({{"a", "甲", 10}, {"b", "乙", 50}});
  auto pass = [&] {
    LearningWindowLogic card(world.P());
    world.prompter.answers = {false};  // from the first word
    card.Created();
    card.NextButton();
    card.NextButton();
    EXPECT_TRUE(card.closed());
  };
  {
    test::UnwritableSettings unwritable(failures);
    pass();
  }
  EXPECT_EQ(world.prompter.LastText(), "今天的学习奖励（熟练度+20）没有保存成功，下次学完时再给。");
  EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
  EXPECT_EQ(world.Config("plus"), "false");
  EXPECT_EQ(StoredProficiency(1), 10);
  EXPECT_EQ(world.State().DueList[1].Proficiency, 50);
  pass();
  pass();
  EXPECT_EQ(world.Config("plus"), "true");
  EXPECT_EQ(StoredProficiency(1), 30);
  EXPECT_EQ(StoredProficiency(2), 70);
}

TEST_F(LearningCardTest, ResumingAsksAndStartsAgainWhereThePositionCannotBeShown) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}});
  struct Case {
    const char* stored;
    bool yes;
    const char* shown;    // position on the card
    const char* written;  // reviewnumber afterwards
  };
  const Case cases[] = {
      {"2", true, "2", "2"},   // continue
      {"2", false, "1", "1"},  // start again
      {"4", true, "1", "1"},   // past the list
      {"0", true, "1", "1"},   // damaged: as past the list
      {"", true, "1", "1"},    // missing
      {"-3", true, "1", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.yes ? " yes" : " no"));
    world.WriteConfig("reviewnumber", c.stored);
    world.prompter.shown.clear();
    world.prompter.answers = {c.yes};
    LearningWindowLogic card(world.P());
    card.Created();
    ASSERT_EQ(world.prompter.Texts(), std::vector<std::string>{"是否接着上次复习的单词继续？"});
    EXPECT_EQ(world.prompter.LastCaption(), "提示");
    EXPECT_TRUE(world.prompter.shown.back().yesNo);
    EXPECT_EQ(card.positionText(), c.shown);
    EXPECT_EQ(world.Config("reviewnumber"), c.written);
    EXPECT_EQ(card.pageLoads(), 1);
  }
}

TEST_F(LearningCardTest, AnEmptyListIsRefusedAndTheCardCloses) {
  // At position 1: the message at once.
  LearningWindowLogic first(world.P());
  first.Created();
  EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{"没有可以学习的单词，快去添加吧！"});
  EXPECT_EQ(world.prompter.LastCaption(), "请添加单词");
  EXPECT_TRUE(first.closed());
  EXPECT_EQ(first.pageLoads(), 0);

  // Elsewhere: the question first; No writes the position back to 1.
  world.WriteConfig("reviewnumber", "5");
  world.prompter.shown.clear();
  world.prompter.answers = {false};
  LearningWindowLogic second(world.P());
  second.Created();
  EXPECT_EQ(world.prompter.Texts(), (std::vector<std::string>{"是否接着上次复习的单词继续？",
                                                              "没有可以学习的单词，快去添加吧！"}));
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_TRUE(second.closed());

  // Yes keeps the position.
  world.WriteConfig("reviewnumber", "5");
  world.prompter.answers = {true};
  LearningWindowLogic third(world.P());
  third.Created();
  EXPECT_EQ(world.Config("reviewnumber"), "5");
  EXPECT_TRUE(third.closed());
}

TEST_F(LearningCardTest, TestModeRaisesTheWordWhenTheCardShowsAndCapsAt100) {
  Book({{"apple", "苹果", 10}, {"max", "最大", 100}, {"mid", "中", 99}});
  TestCard(1, [&](LearningWindowLogic& card) {
    EXPECT_TRUE(card.showsTestButtons());
    EXPECT_FALSE(card.showsNextButton());
    EXPECT_EQ(card.proficiencyText(), "11%");
    EXPECT_EQ(card.progressValue(), 11);
    EXPECT_TRUE(world.prompter.shown.empty());  // no question in test mode
  });
  EXPECT_EQ(StoredProficiency(1), 11);
  TestCard(2, [&](LearningWindowLogic& card) { EXPECT_EQ(card.proficiencyText(), "100%"); });
  EXPECT_EQ(StoredProficiency(2), 100);
  TestCard(3, [&](LearningWindowLogic& card) { EXPECT_EQ(card.proficiencyText(), "100%"); });
  EXPECT_EQ(StoredProficiency(3), 100);
  // Past the list, or damaged: back to word 1 without asking.
  for (const char* position : {"9", "0"}) {
    world.WriteConfig("reviewnumber", position);
    InTestMode([&] {
      LearningWindowLogic card(world.P());
      card.Created();
      EXPECT_EQ(card.positionText(), "1");
    });
    EXPECT_EQ(world.Config("reviewnumber"), "1");
  }
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(StoredProficiency(1), 13);
}

TEST_F(LearningCardTest, TheListCopyFollowsTheStoredValue) {
  Book({{"apple", "苹果", 10}});
  // Another part of the program changed the record since the plan was made.
  world.Db().GoTo(1);
  world.Db().WriteField(kProficiency, Value::Int(40));
  TestCard(1, [&](LearningWindowLogic& card) { EXPECT_EQ(card.proficiencyText(), "41%"); });
  EXPECT_EQ(world.State().DueList[0].Proficiency, 41);
}

TEST_F(LearningCardTest, KnownMovesOnAndTheTestGoesOn) {
  Book({{"a", "甲"}, {"b", "乙"}});
  TestCard(1, [&](LearningWindowLogic& card) {
    world.shell.events.clear();
    card.KnownButton();
    EXPECT_TRUE(card.closed());
  });
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  // The card's closing brought the spelling window back and closed the choice.
  const std::vector<std::string> expected{"show 窗口拼写", "activate 窗口拼写", "close 窗口选择",
                                          "returned 窗口选择"};
  EXPECT_EQ(world.shell.events, expected);
}

TEST_F(LearningCardTest, ForgottenFilesTheWordAndLowersItNeverBelowOne) {
  Book({{"a", "甲", 1}, {"b", "乙", 30}});
  TestCard(1, [&](LearningWindowLogic& card) {
    EXPECT_EQ(card.proficiencyText(), "2%");
    card.ForgottenButton();
    card.ForgottenButton();  // the card has closed: nothing more
  });
  EXPECT_EQ(StoredProficiency(1), 1);
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  ASSERT_EQ(ForgottenWords(), std::vector<std::string>{"a"});
  // The copy is the entry as the card showed it.
  EXPECT_EQ(world.State().ForgottenList[0].Proficiency, 2);
  EXPECT_EQ(Utf8(world.State().ForgottenList[0].Meaning), "甲");
  EXPECT_EQ(world.State().ForgottenList[0].SerialNumber, 1);

  // Forgotten once more in a later card: held twice.
  TestCard(1, [&](LearningWindowLogic& card) { card.KeyDown(kKeyF); });
  EXPECT_EQ(ForgottenWords(), (std::vector<std::string>{"a", "a"}));
  EXPECT_EQ(StoredProficiency(1), 1);
}

TEST_F(LearningCardTest, DeleteAsksAndRefusesTheLastWordOfTheDay) {
  Book({{"only", "唯一"}});
  TestCard(1, [&](LearningWindowLogic& card) {
    world.prompter.answers = {false};
    card.DeleteButton();
    EXPECT_EQ(world.prompter.LastText(), "您确定要删除吗？");
    EXPECT_EQ(world.prompter.LastCaption(), "询问");
    EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Question);
    EXPECT_FALSE(card.closed());

    world.prompter.answers = {true};
    card.DeleteButton();
    EXPECT_EQ(world.prompter.LastText(), "这是今天所学的最后一个单词，不能都删了哦！");
    EXPECT_EQ(world.prompter.LastCaption(), "提示");
    EXPECT_FALSE(card.closed());
  });
  EXPECT_EQ(world.Db().RecordCount(), 1);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
}

TEST_F(LearningCardTest, DeletingEntryTwoOfFiveRenumbersTheBookAndMovesToTheNextWord) {
  Book({{"w1", "一"}, {"w2", "二"}, {"w3", "三"}, {"w4", "四"}, {"w5", "五"}});
  TestCard(2, [&](LearningWindowLogic& card) {
    world.prompter.shown.clear();
    world.prompter.answers = {true};
    EXPECT_TRUE(card.KeyDown(kKeyD));
    EXPECT_TRUE(card.closed());
  });
  EXPECT_EQ(world.prompter.Texts(), (std::vector<std::string>{"您确定要删除吗？", "删除成功！"}));
  EXPECT_EQ(world.prompter.LastCaption(), "成功");
  const std::vector<StoredWord> expected{{1, "w1", "一", kDay, 1, 1},
                                         {1, "w3", "三", kDay, 1, 2},
                                         {1, "w4", "四", kDay, 1, 3},
                                         {1, "w5", "五", kDay, 1, 4}};
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"w1", "w3", "w4", "w5"}));
  // Position 2 went to 1 and on again to 2: the word after the deleted one.
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  EXPECT_EQ(world.State().DueList[1].SerialNumber, 2);
}

TEST_F(LearningCardTest, AFailedDeletionIsReportedAndChangesNothing) {
  Book({{"w1", "一"}, {"w2", "二"}, {"w3", "三"}});
  std::vector<StoredWord> before;
  TestCard(2, [&](LearningWindowLogic& card) {
    world.prompter.answers = {true};
    before = Stored();  // with the card's own raise
    // The deletion's first write does not reach the file.
    failures->failWrites = 1;
    card.DeleteButton();
    EXPECT_FALSE(card.closed());
  });
  EXPECT_EQ(world.prompter.LastText(), "删除失败，请再试！");
  EXPECT_EQ(world.prompter.LastCaption(), "失败");
  EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
  EXPECT_EQ(failures->failed, 1);
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"w1", "w2", "w3"}));
  EXPECT_EQ(world.Config("reviewnumber"), "2");
}

// The mark, the purge and the renumbering are one change: when the moved
// and renumbered records cannot be stored, the word stays and every serial
// number with it.
TEST_F(LearningCardTest, ADeletionWhoseRecordsCannotBeStoredChangesNothing) {
  Book({{"w1", "一"}, {"w2", "二"}, {"w3", "三"}});
  std::vector<StoredWord> before;
  TestCard(2, [&](LearningWindowLogic& card) {
    world.prompter.shown.clear();
    world.prompter.answers = {true};
    before = Stored();  // with the card's own raise
    // The first write of whole records (after the 548-byte header of the
    // test book, TestWorld.h) fails; the rest, the rollback's, go through.
    bool failedOnce = false;
    failures->failWhen = [&failedOnce](const std::string& path, int64_t offset, std::size_t size) {
      const bool records = path.size() >= 3 && path.compare(path.size() - 3, 3, "EDB") == 0 &&
                           offset >= 548 && size >= 32 && !failedOnce;
      failedOnce = failedOnce || records;
      return records;
    };
    card.DeleteButton();
    failures->failWhen = nullptr;
    EXPECT_FALSE(card.closed());
  });
  EXPECT_EQ(failures->failed, 1);
  EXPECT_EQ(world.prompter.Texts(),
            (std::vector<std::string>{"您确定要删除吗？", "删除失败，请再试！"}));
  EXPECT_EQ(Stored(), before);
  // Nor is the word left marked, for a later deletion to take away.
  for (int32_t i = 0; i < 3; ++i) {
    int32_t id = 0;
    ASSERT_EQ(world.Db().Current()->ReadRecordId(i, &id), 0);
    EXPECT_GT(id, 0) << "record " << i + 1;
  }
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"w1", "w2", "w3"}));
}

TEST_F(LearningCardTest, StudyModeKeysStepOnAndIgnoreTheTestKeys) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}});
  LearningWindowLogic card(world.P());
  card.Created();
  EXPECT_TRUE(card.KeyDown(kKeyD));  // the card's key, but not in study mode
  EXPECT_TRUE(card.KeyDown(kKeyF));
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_TRUE(world.State().ForgottenList.empty());
  EXPECT_TRUE(card.KeyDown(kKeyRight));
  EXPECT_EQ(card.positionText(), "2");
  EXPECT_TRUE(card.KeyDown(kKeyTilde));
  EXPECT_EQ(card.positionText(), "3");
  EXPECT_FALSE(card.KeyDown(kKeyA));
  EXPECT_FALSE(card.KeyDown(kKeyLeft));
  EXPECT_EQ(card.positionText(), "3");
}

TEST_F(LearningCardTest, SpellingPracticeStopsTheFocusTimerWhileItIsOpen) {
  Book({{"Apple", "苹果"}});
  LearningWindowLogic card(world.P());
  card.Created();
  int intervalWhileOpen = -1;
  std::vector<std::string> verdicts;
  bool practiceClosed = false;
  world.shell.onOpen = [&](WindowId id) {
    ASSERT_EQ(id, WindowId::PracticeSpelling);
    intervalWhileOpen = card.focusTimer().interval();
    auto practice = PracticeSpellingWindowLogic::ForDueWord(world.P());
    practice.SetInput(Utf8ToGbk("apple"));  // letter case counts
    practice.KeyDown(kKeyEnter);
    verdicts.push_back(Utf8(practice.verdictText()));
    EXPECT_FALSE(practice.closed());
    practice.SetInput(Utf8ToGbk("Apple "));  // so does a blank
    practice.KeyDown(kKeyEnter);
    verdicts.push_back(Utf8(practice.verdictText()));
    practice.SetInput(Utf8ToGbk("Apple"));
    EXPECT_FALSE(practice.KeyDown(kKeyA));
    practice.KeyDown(kKeyEnter);
    verdicts.push_back(Utf8(practice.verdictText()));
    practiceClosed = practice.closed();
  };
  EXPECT_TRUE(card.KeyDown(kKeyS));
  EXPECT_EQ(intervalWhileOpen, 0);
  EXPECT_EQ(verdicts, (std::vector<std::string>{"×", "×", "√"}));
  EXPECT_TRUE(practiceClosed);
  EXPECT_EQ(card.focusTimer().interval(), 500);
  EXPECT_FALSE(card.closed());
}

TEST_F(LearningCardTest, UpdatingTheWordStoresItAndRecomputesThePlanButNotTheCard) {
  Book({{"aple", "苹果", 5}, {"pear", "梨"}});
  LearningWindowLogic card(world.P());
  card.Created();
  world.shell.onOpen = [&](WindowId id) {
    ASSERT_EQ(id, WindowId::UpdateWord);
    UpdateWordWindowLogic update(world.P());
    update.Created();
    EXPECT_EQ(Utf8(update.word()), "aple");
    EXPECT_EQ(Utf8(update.meaning()), "苹果");
    EXPECT_EQ(update.focus(), UpdateWordWindowLogic::Focus::Meaning);
    EXPECT_EQ(update.meaningCaret(), 4u);  // bytes: two GBK characters

    update.SetWord("");
    update.KeyDown(kKeyEnter);
    EXPECT_EQ(world.prompter.LastText(), "请将单词和释义录入完整！");
    EXPECT_EQ(world.prompter.LastCaption(), "提示");
    EXPECT_EQ(update.focus(), UpdateWordWindowLogic::Focus::Word);
    update.SetWord(Utf8ToGbk("apple"));
    update.SetMeaning("");
    update.Submit();
    EXPECT_EQ(update.focus(), UpdateWordWindowLogic::Focus::Meaning);
    EXPECT_FALSE(update.closed());

    update.SetMeaning(Utf8ToGbk("n. 苹果"));
    update.Submit();
    EXPECT_EQ(world.prompter.LastText(), "更新成功！");
    EXPECT_EQ(world.prompter.LastCaption(), "成功");
    EXPECT_TRUE(update.closed());
  };
  card.UpdateButton();
  EXPECT_EQ(Stored()[0], (StoredWord{1, "apple", "n. 苹果", kDay, 5, 1}));
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"apple", "pear"}));
  // The card keeps its pages until the next word.
  EXPECT_EQ(Utf8(card.pagesWord()), "aple");
  EXPECT_EQ(card.pageLoads(), 1);
}

TEST_F(LearningCardTest, AnUpdateThatCannotBeStoredIsReportedAndTheWindowStays) {
  Book({{"aple", "苹果"}});
  world.WriteConfig("reviewnumber", "1");
  world.P().LoadReviewPosition();
  UpdateWordWindowLogic update(world.P());
  update.Created();
  update.SetWord(Utf8ToGbk("apple"));
  failures->failWrites = 100;
  update.Submit();
  failures->failWrites = 0;
  EXPECT_EQ(world.prompter.LastText(), "更新失败，请再试！");
  EXPECT_EQ(world.prompter.LastCaption(), "失败");
  EXPECT_FALSE(update.closed());
  update.Submit();
  EXPECT_EQ(world.prompter.LastText(), "更新成功！");
  EXPECT_EQ(Stored()[0].word, "apple");
}

// A card open past midnight keeps the day it was opened on: an update and a
// deletion recompute that day's plan, the card goes on with its words and
// no word entry opens inside it. Once the card has gone, the new day
// begins.
TEST_F(LearningCardTest, ACardOpenPastMidnightKeepsItsDayUntilItCloses) {
  Book({{"aple", "苹果"}, {"pear", "梨"}, {"plum", "李"}});
  LearningWindowLogic card(world.P());
  card.Created();
  card.NextButton();
  world.clock.AdvanceDays(1);
  world.shell.onOpen = [&](WindowId id) {
    ASSERT_EQ(id, WindowId::UpdateWord);
    UpdateWordWindowLogic update(world.P());
    update.Created();
    update.SetWord(Utf8ToGbk("pears"));
    update.Submit();
  };
  card.UpdateButton();
  world.shell.onOpen = nullptr;
  EXPECT_EQ(world.prompter.LastText(), "更新成功！");
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"aple", "pears", "plum"}));
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  card.NextButton();
  EXPECT_EQ(Utf8(card.pagesWord()), "plum");
  EXPECT_TRUE(world.shell.opened == std::vector<WindowId>{WindowId::UpdateWord});
  card.Destroyed();
  card.AfterClosed();
  EXPECT_EQ(world.prompter.LastText(), "今日还没有学习新单词呢，快快学习吧！");
  EXPECT_EQ(world.shell.opened.back(), WindowId::Entry);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
}

TEST_F(LearningCardTest, ADeletionPastMidnightKeepsTheCardsDay) {
  Book({{"w1", "一"}, {"w2", "二"}, {"w3", "三"}});
  TestCard(2, [&](LearningWindowLogic& card) {
    world.clock.AdvanceDays(1);
    world.prompter.answers = {true};
    card.DeleteButton();
    EXPECT_TRUE(card.closed());
  });
  EXPECT_EQ(world.prompter.LastText(), "删除成功！");
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"w1", "w3"}));
  EXPECT_EQ(world.Config("reviewnumber"), "2");
  EXPECT_TRUE(world.shell.opened == std::vector<WindowId>{WindowId::Choice});
}

// The word and the meaning are one change: whichever write fails, the book
// holds both old texts and the learner hears of it, or both new ones.
TEST_F(LearningCardTest, AnUpdateIsStoredWholeOrNotAtAll) {
  Book({{"aple", "苹果", 5}, {"pear", "梨"}});
  world.WriteConfig("reviewnumber", "1");
  world.P().LoadReviewPosition();
  const StoredWord before{1, "aple", "苹果", kDay, 5, 1};
  const StoredWord after{1, "apple", std::string(700, 'm'), kDay, 5, 1};
  int reportedFailures = 0;
  for (int k = 1;; ++k) {
    ASSERT_LT(k, 200);
    world.Db().GoTo(1);
    ASSERT_TRUE(world.Db().WriteField(kWord, Value::Text("aple")));
    ASSERT_TRUE(world.Db().WriteField(kMeaning, Value::Text(Utf8ToGbk("苹果"))));
    UpdateWordWindowLogic update(world.P());
    update.Created();
    update.SetWord("apple");
    update.SetMeaning(std::string(700, 'm'));  // two blocks of the side file
    int writes = 0;
    failures->failWhen = [&](const std::string&, int64_t, std::size_t) { return ++writes == k; };
    update.Submit();
    failures->failWhen = nullptr;
    const StoredWord stored = Stored()[0];
    if (update.closed()) {
      EXPECT_EQ(stored, after) << "write " << k;
      EXPECT_EQ(world.prompter.LastText(), "更新成功！");
      if (writes < k) break;  // no write failed: the update went through
    } else {
      ++reportedFailures;
      EXPECT_EQ(stored, before) << "write " << k << " failed";
      EXPECT_EQ(world.prompter.LastText(), "更新失败，请再试！");
    }
  }
  EXPECT_GT(reportedFailures, 1);
}

}  // namespace
}  // namespace cindral
