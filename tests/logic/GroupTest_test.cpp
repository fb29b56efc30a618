// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The group test as a learner goes through it: the spelling window, the
// choice of four meanings and the card in test mode for every word, nested
// as modal windows, then the end of the list and the forgotten-word review.
// The scripted window system runs each window's logic as the desktop would,
// and a scripted learner answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>

#include "Children.h"
#include "SlowReads.h"
#include "StudyTest.h"
#include "core/KeyCodes.h"
#include "logic/ChoiceWindowLogic.h"
#include "logic/ForgottenReviewWindowLogic.h"
#include "logic/LearningWindowLogic.h"
#include "logic/PracticeSpellingWindowLogic.h"
#include "logic/SpellingWindowLogic.h"

namespace cindral {
namespace {

using test::StoredWord;
using test::StudyTest;
using test::StudyWord;
constexpr double kDay = test::kStudyDay;

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

// What the learner does with one word.
struct Answer {
  enum Card { Known, Forgotten, Delete, CloseCard };
  std::string spelling;  // typed into the spelling window (UTF-8)
  bool giveUp = false;   // "遗忘" instead of "提交"
  bool rightChoice = true;
  Card card = Known;
  int presses = 1;  // of "提交" or "遗忘": 2 is a double click
};

// What the learner saw of one word.
struct Seen {
  std::string meaning;  // 标签释义 of the spelling window
  std::string spellingVerdict;
  std::string choiceWord;  // 标签单词 of the choice window
  std::vector<std::string> options;
  std::string choiceVerdict;
  std::string cardProficiency;
};

class GroupTestTest : public StudyTest {
 protected:
  GroupTestTest() {
    world.shell.onOpen = [this](WindowId id) { Run(id); };
    world.prompter.onShow = [this](const Message& m) {
      world.shell.events.push_back("box " + Utf8(m.text));
    };
  }

  void Run(WindowId id) {
    switch (id) {
      case WindowId::Spelling:
        return RunSpelling();
      case WindowId::Choice:
        return RunChoice();
      case WindowId::Learning:
        return RunCard();
      case WindowId::ForgottenReview:
        return RunReview();
      case WindowId::Entry:  // a new day asks for its words; the learner leaves it
        return;
      default:
        FAIL() << "unexpected window " << WindowName(id);
    }
  }

  // The spelling window: one answer per word until the learner has no more
  // answers (then closes the window) or the test ends.
  void RunSpelling() {
    SpellingWindowLogic spelling(world.P());
    spelling.Created();
    verdictsAtOpen.push_back(Utf8(spelling.verdictText()));
    while (!spelling.closed() && world.shell.IsWindowOpen(WindowId::Spelling) &&
           !answers.empty()) {
      seen.push_back({});
      seen.back().meaning = Utf8(spelling.meaningText());
      const Answer& answer = answers.front();
      for (int press = 0; press < answer.presses; ++press) {
        if (answer.giveUp) {
          spelling.Forgotten();
        } else {
          spelling.SetInput(Utf8ToGbk(answer.spelling));
          spelling.KeyDown(kKeyEnter);
        }
      }
      EXPECT_EQ(spelling.timer().interval(), 300);
      seen.back().spellingVerdict = Utf8(spelling.verdictText());
      spelling.TimerTick();
      if (world.shell.IsWindowOpen(WindowId::Spelling)) {
        verdictsAfterMovingOn.push_back(Utf8(spelling.verdictText()));
        EXPECT_TRUE(spelling.input().empty());
      }
    }
    spelling.AfterClosed();
  }

  void RunChoice() {
    ChoiceWindowLogic choice(world.P());
    choice.Created();
    Seen& s = seen.back();
    s.choiceWord = Utf8(choice.wordText());
    for (int i = 1; i <= 4; ++i) s.options.push_back(Utf8(choice.optionText(i)));
    lastOrder = choice.choiceOrder();
    lastDrawn = choice.drawnRecords();
    if (!world.shell.IsWindowOpen(WindowId::Choice)) return;  // the card came and went
    EXPECT_FALSE(choice.QueryClose());
    const std::string right = Utf8(CurrentEntry().Meaning);
    int button = 0;
    for (int i = 1; i <= 4 && button == 0; ++i) {
      if ((s.options[i - 1] == right) == answers.front().rightChoice) button = i;
    }
    ASSERT_NE(button, 0);
    choice.KeyDown(kKey1 + button - 1);
    EXPECT_EQ(choice.checkedButton(), button);
    s.choiceVerdict = Utf8(choice.verdictText());
    EXPECT_EQ(choice.timer().interval(), 300);
    choice.TimerTick();
  }

  void RunCard() {
    if (beforeCard) beforeCard();
    LearningWindowLogic card(world.P());
    card.Created();
    EXPECT_FALSE(card.studyMode());
    seen.back().cardProficiency = Utf8(card.proficiencyText());
    const Answer answer = answers.front();
    answers.pop_front();
    switch (answer.card) {
      case Answer::Known:
        card.KeyDown(kKeyRight);
        break;
      case Answer::Forgotten:
        card.KeyDown(kKeyF);
        break;
      case Answer::Delete:
        world.prompter.answers.push_back(true);
        card.KeyDown(kKeyD);
        break;
      case Answer::CloseCard:  // the title-bar button
        break;
    }
    card.Destroyed();
    card.AfterClosed();
  }

  void RunReview() {
    ForgottenReviewWindowLogic review(world.P());
    review.Created();
    reviewed.push_back(Utf8(review.wordText()));
    if (reviewScript) {
      reviewScript(review);
    } else {
      while (!review.closed()) {
        review.KeyDown(kKeyRight);
        if (!review.closed()) reviewed.push_back(Utf8(review.wordText()));
      }
    }
    review.Destroyed();
  }

  const DueEntry& CurrentEntry() {
    return world.State().DueList.at(static_cast<size_t>(world.P().ReviewPosition()) - 1);
  }

  void StartTest() { world.shell.OpenWindow(WindowId::Spelling); }

  std::deque<Answer> answers;
  std::vector<Seen> seen;
  std::vector<std::string> verdictsAtOpen;
  std::vector<std::string> verdictsAfterMovingOn;
  std::vector<std::string> reviewed;
  std::function<void(ForgottenReviewWindowLogic&)> reviewScript;
  std::function<void()> beforeCard;  // runs as each card opens
  std::array<int32_t, 4> lastOrder{};
  std::array<int32_t, 3> lastDrawn{};
};

TEST_F(GroupTestTest, TwoWordsKnownEndTheTestAndCloseBothWindows) {
  Book({{"apple", "苹果", 10}, {"pear", "梨", 20}, {"plum", "李子", 30}, {"fig", "无花果", 40}});
  world.WriteConfig("reviewnumber", "3");
  world.prompter.answers = {true};  // continue at word 3
  answers = {{"plum"}, {"Fig", false, false}};
  StartTest();

  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].meaning, "李子");
  EXPECT_EQ(seen[0].spellingVerdict, "√");
  EXPECT_EQ(seen[0].choiceWord, "plum");
  EXPECT_EQ(seen[0].choiceVerdict, "√");
  EXPECT_EQ(seen[0].cardProficiency, "31%");
  EXPECT_EQ(seen[1].meaning, "无花果");
  EXPECT_EQ(seen[1].spellingVerdict, "×");  // letter case counts; the test goes on
  EXPECT_EQ(seen[1].choiceVerdict, "×");
  EXPECT_EQ(seen[1].cardProficiency, "41%");
  // "？" (full width) when the window opens, "?" after moving on.
  EXPECT_EQ(verdictsAtOpen, std::vector<std::string>{"？"});
  EXPECT_EQ(verdictsAfterMovingOn, std::vector<std::string>{"?"});
  EXPECT_EQ(StoredProficiency(3), 31);
  EXPECT_EQ(StoredProficiency(4), 41);
  EXPECT_EQ(StoredProficiency(1), 10);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  EXPECT_EQ(world.prompter.shown.back().caption, GBK("复习结束"));

  const std::vector<std::string> expected{
      "open 窗口拼写",
      "box 是否接着上次复习的单词继续？",
      // word 3
      "hide 窗口拼写",
      "open 窗口选择",
      "hide 窗口选择",
      "open 窗口单词学习",
      "show 窗口拼写",
      "activate 窗口拼写",
      "close 窗口选择",
      "returned 窗口单词学习",
      "returned 窗口选择",
      // word 4, the last
      "hide 窗口拼写",
      "open 窗口选择",
      "hide 窗口选择",
      "open 窗口单词学习",
      "show 窗口拼写",
      "box 恭喜你，已经复习完毕！",
      "front 启动窗口",
      "close 窗口选择",
      "close 窗口拼写",
      "returned 窗口单词学习",
      "returned 窗口选择",
      "returned 窗口拼写",
  };
  EXPECT_EQ(world.shell.events, expected);
}

TEST_F(GroupTestTest, ForgottenInSpellingAndOnTheCardCountsDownTwiceAndFilesTheWordOnce) {
  Book({{"a", "甲", 10}, {"b", "乙", 50}, {"c", "丙", 50}, {"d", "丁", 50}});
  world.WriteConfig("reviewnumber", "4");
  world.prompter.answers = {true};
  answers = {{"", true, true, Answer::Forgotten}};
  reviewScript = [](ForgottenReviewWindowLogic& review) { review.KeyDown(kKeyTilde); };
  // Word 4 (d, 50): 49 in spelling, 50 on the card, 49 forgotten.
  StartTest();
  EXPECT_EQ(seen.at(0).spellingVerdict, "？");  // giving up leaves the verdict
  EXPECT_EQ(seen.at(0).cardProficiency, "50%");
  EXPECT_EQ(StoredProficiency(4), 49);
  EXPECT_EQ(reviewed, std::vector<std::string>{"d"});
  EXPECT_TRUE(world.State().ForgottenList.empty());  // emptied by the review's closing
}

// A double click on "遗忘" is one answer: the word loses one step, not two,
// and the choice opens once.
TEST_F(GroupTestTest, ASecondPressWhileTheMarkShowsIsTheSameAnswer) {
  Book({{"a", "甲", 10}, {"b", "乙", 50}, {"c", "丙", 50}, {"d", "丁", 50}});
  world.WriteConfig("reviewnumber", "4");
  world.prompter.answers = {true};
  answers = {{"", true, true, Answer::Known, 2}};
  StartTest();
  // Word 4 (d, 50): 49 in spelling, 50 on the card.
  EXPECT_EQ(seen.at(0).cardProficiency, "50%");
  EXPECT_EQ(StoredProficiency(4), 50);
  EXPECT_EQ(std::count(world.shell.opened.begin(), world.shell.opened.end(), WindowId::Choice), 1);
}

TEST_F(GroupTestTest, TheForgottenWordsAreReviewedAfterTheEndAndTheirClosingEndsTheTest) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}});
  answers = {
      {"a", false, true, Answer::Forgotten}, {"b"}, {"c", false, true, Answer::Forgotten}, {"d"}};
  std::vector<std::string> forgottenAtReview;
  reviewScript = [&](ForgottenReviewWindowLogic& review) {
    forgottenAtReview = ForgottenWords();
    EXPECT_EQ(world.Config("reviewnumber"), "1");
    EXPECT_TRUE(world.shell.IsWindowOpen(WindowId::Spelling));
    EXPECT_TRUE(world.shell.IsWindowVisible(WindowId::Spelling));
    EXPECT_TRUE(world.shell.IsWindowOpen(WindowId::Choice));
    review.KeyDown(kKeyRight);
    reviewed.push_back(Utf8(review.wordText()));
    review.KeyDown(kKeyRight);
    EXPECT_TRUE(review.closed());
  };
  StartTest();
  EXPECT_EQ(forgottenAtReview, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(reviewed, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(world.prompter.Texts(),
            (std::vector<std::string>{"恭喜你，已经复习完毕！", "复习完毕！"}));
  EXPECT_EQ(world.prompter.LastCaption(), "结束");
  EXPECT_TRUE(world.State().ForgottenList.empty());
  EXPECT_EQ(world.State().ForgottenPosition, 1);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  const std::vector<std::string> tail(world.shell.events.end() - 10, world.shell.events.end());
  const std::vector<std::string> expected{"box 恭喜你，已经复习完毕！",
                                          "open 窗口每日遗忘单词测试",
                                          "box 复习完毕！",
                                          "front 启动窗口",
                                          "close 窗口选择",
                                          "close 窗口拼写",
                                          "returned 窗口每日遗忘单词测试",
                                          "returned 窗口单词学习",
                                          "returned 窗口选择",
                                          "returned 窗口拼写"};
  EXPECT_EQ(tail, expected);
}

TEST_F(GroupTestTest, ClosingTheCardAsksTheSameWordAgain) {
  Book({{"a", "甲", 5}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}});
  answers = {{"a", false, true, Answer::CloseCard}, {"a"}};
  StartTest();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].meaning, "甲");
  EXPECT_EQ(seen[1].meaning, "甲");
  EXPECT_EQ(seen[1].cardProficiency, "7%");  // each card shown counts
  EXPECT_EQ(world.Config("reviewnumber"), "2");
}

TEST_F(GroupTestTest, AnInterruptedTestResumesWhereTheLearnerLeft) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}, {"e", "戊"}});
  answers = {{"a"}, {"b"}};
  StartTest();  // the learner closes the spelling window at word 3
  EXPECT_EQ(world.Config("reviewnumber"), "3");
  EXPECT_TRUE(world.prompter.shown.empty());

  seen.clear();
  answers = {{"c"}};
  world.prompter.answers = {true};
  StartTest();
  EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{"是否接着上次复习的单词继续？"});
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_EQ(seen.at(0).meaning, "丙");

  // No starts the list again.
  seen.clear();
  answers = {{"a"}};
  world.prompter.answers = {false};
  StartTest();
  EXPECT_EQ(seen.at(0).meaning, "甲");
  EXPECT_EQ(world.Config("reviewnumber"), "2");

  // Past the list after a Yes, or damaged: word 1.
  for (const char* stored : {"9", "0", "abc"}) {
    seen.clear();
    answers = {{"a"}};
    world.WriteConfig("reviewnumber", stored);
    world.prompter.answers = {true};
    StartTest();
    EXPECT_EQ(seen.at(0).meaning, "甲") << stored;
  }
}

TEST_F(GroupTestTest, AnEmptyListIsRefused) {
  StartTest();
  EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{"没有可以学习的单词，快去添加吧！"});
  EXPECT_EQ(world.prompter.LastCaption(), "请添加单词");
  EXPECT_EQ(world.shell.opened, std::vector<WindowId>{WindowId::Spelling});
}

TEST_F(GroupTestTest, ABookOfThreeWordsSkipsTheChoiceForEveryWord) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}});
  const uint32_t seed = world.P().random().state();
  answers = {{"a"}, {"b"}, {"c"}};
  StartTest();
  ASSERT_EQ(seen.size(), 3u);
  for (const Seen& s : seen) {
    EXPECT_EQ(s.choiceWord, "");
    EXPECT_EQ(s.options, (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(s.choiceVerdict, "");  // nothing was asked
    EXPECT_EQ(s.cardProficiency, "2%");
  }
  EXPECT_EQ(world.P().random().state(), seed);  // nothing drawn
  EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{"恭喜你，已经复习完毕！"});
  // The card opened on top of the choice window, which was never hidden.
  EXPECT_EQ(std::count(world.shell.events.begin(), world.shell.events.end(), "hide 窗口选择"), 0);
}

TEST_F(GroupTestTest, ABookOfFourOffersTheOtherThreeMeaningsInRandomOrder) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}});
  std::set<std::vector<std::string>> orders;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    seen.clear();
    world.P().random().SeedRandom(seed);
    world.WriteConfig("reviewnumber", "2");
    world.prompter.answers = {true};
    answers = {{"b"}};
    StartTest();
    const Seen& s = seen.at(0);
    EXPECT_EQ(s.choiceWord, "b");
    EXPECT_EQ(std::multiset<std::string>(s.options.begin(), s.options.end()),
              (std::multiset<std::string>{"甲", "乙", "丙", "丁"}));
    EXPECT_EQ(std::set<int32_t>(lastDrawn.begin(), lastDrawn.end()), (std::set<int32_t>{1, 3, 4}));
    EXPECT_EQ(std::set<int32_t>(lastOrder.begin(), lastOrder.end()),
              (std::set<int32_t>{1, 2, 3, 4}));
    // Button i shows candidate ChoiceOrder[i]: 1..3 the drawn records, 4 the word's own.
    for (int i = 0; i < 4; ++i) {
      const int32_t candidate = lastOrder[i];
      const std::string expected =
          candidate == 4 ? "乙" : Stored().at(lastDrawn[candidate - 1] - 1).meaning;
      EXPECT_EQ(s.options[i], expected);
    }
    EXPECT_EQ(s.choiceVerdict, "√");
    orders.insert(s.options);
  }
  // The seeded generator moves the right answer around.
  EXPECT_GT(orders.size(), 6u);
}

TEST_F(GroupTestTest, DistractorsNeverRepeatOrTakeTheWordsOwnRecord) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}, {"e", "戊"}, {"f", "己"}});
  std::set<int32_t> everDrawn;
  for (uint32_t seed = 0; seed < 60; ++seed) {
    seen.clear();
    world.P().random().SeedRandom(seed);
    world.WriteConfig("reviewnumber", "5");
    world.prompter.answers = {true};
    answers = {{"e"}};
    StartTest();
    const std::set<int32_t> drawn(lastDrawn.begin(), lastDrawn.end());
    EXPECT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn.count(5), 0u);
    everDrawn.insert(drawn.begin(), drawn.end());
  }
  EXPECT_EQ(everDrawn, (std::set<int32_t>{1, 2, 3, 4, 6}));
}

TEST_F(GroupTestTest, AnswersAreMarkedByTheTextSoADuplicateMeaningCountsAsRight) {
  Book({{"big", "大"}, {"large", "大"}, {"huge", "巨大"}, {"vast", "大"}});
  world.P().SetReviewPosition(1);
  for (uint32_t seed = 0; seed < 8; ++seed) {
    world.P().random().SeedRandom(seed);
    ChoiceWindowLogic choice(world.P());
    choice.Created();
    EXPECT_EQ(choice.verdictText(), GBK("？"));
    EXPECT_EQ(choice.checkedButton(), 0);
    EXPECT_FALSE(choice.timer().running());
    for (int button = 1; button <= 4; ++button) {
      choice.Choose(button);
      const bool own = choice.choiceOrder()[button - 1] == 4;
      const bool same = choice.optionText(button) == GBK("大");
      EXPECT_EQ(choice.verdictText(), same ? GBK("√") : GBK("×")) << button << " own " << own;
      EXPECT_EQ(choice.checkedButton(), button);
    }
    // Clicks and keys 1..4 in the focus-holder box are the same answers.
    EXPECT_FALSE(choice.KeyDown(kKeyA));
    EXPECT_TRUE(choice.KeyDown(kKey3));
    EXPECT_EQ(choice.checkedButton(), 3);
    EXPECT_EQ(choice.timer().interval(), 300);
  }
}

TEST_F(GroupTestTest, DeletingAWordInTheTestGoesOnWithTheWordAfterIt) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}, {"e", "戊"}});
  world.WriteConfig("reviewnumber", "2");
  world.prompter.answers = {true};
  answers = {{"b", false, true, Answer::Delete}, {"c"}};
  StartTest();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].meaning, "丙");
  EXPECT_EQ(DueWords(), (std::vector<std::string>{"a", "c", "d", "e"}));
  EXPECT_EQ(world.Config("reviewnumber"), "3");
  std::vector<int32_t> serials;
  for (const StoredWord& w : Stored()) serials.push_back(w.serial);
  EXPECT_EQ(serials, (std::vector<int32_t>{1, 2, 3, 4}));
}

// A test that runs past midnight keeps the day it began on: the deletion
// recomputes that day's plan and the test goes on with its words. Once the
// test has ended the new day begins, asking for its words.
TEST_F(GroupTestTest, ATestPastMidnightKeepsItsDayUntilItEnds) {
  Book({{"a", "甲"}, {"b", "乙"}, {"c", "丙"}, {"d", "丁"}, {"e", "戊"}});
  world.WriteConfig("reviewnumber", "2");
  world.prompter.answers = {true, true};
  answers = {{"b", false, true, Answer::Delete}, {"c"}, {"d"}, {"e"}};
  beforeCard = [&] {
    if (seen.size() == 1) world.clock.AdvanceDays(1);  // midnight strikes on the first card
  };
  StartTest();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[3].meaning, "戊");
  const std::vector<std::string> events = world.shell.events;
  const auto testEnd = std::find(events.begin(), events.end(), "box 恭喜你，已经复习完毕！");
  const auto newDay = std::find(events.begin(), events.end(), "box 今日还没有学习新单词呢，快快学习吧！");
  const auto entry = std::find(events.begin(), events.end(), "open 窗口输入单词");
  ASSERT_NE(newDay, events.end());
  EXPECT_GT(newDay, testEnd);
  EXPECT_GT(entry, newDay);
  EXPECT_EQ(std::count(events.begin(), events.end(), "close 窗口拼写"), 1);
  EXPECT_EQ(Stored().size(), 4u);
}

class ForgottenReviewTest : public StudyTest {
 protected:
  void Forget(const std::vector<std::string>& words) {
    for (const std::string& w : words) {
      DueEntry e;
      e.Word = Utf8ToGbk(w);
      e.Meaning = Utf8ToGbk(w + "-义");
      world.State().ForgottenList.push_back(e);
    }
  }
};

TEST_F(ForgottenReviewTest, OneWordPagesToTheEndAndBackToTheFirst) {
  Forget({"apple"});
  ForgottenReviewWindowLogic review(world.P());
  review.Created();
  EXPECT_EQ(Utf8(review.wordText()), "apple");
  EXPECT_EQ(Utf8(review.meaningText()), "apple-义");
  EXPECT_EQ(review.focusRequests(), 1);
  EXPECT_EQ(review.focusTimer().interval(), 500);

  review.PreviousButton();
  EXPECT_EQ(world.prompter.LastText(), "这已经是第一个啦！");
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_EQ(Utf8(review.wordText()), "apple");
  EXPECT_EQ(world.State().ForgottenPosition, 1);
  EXPECT_EQ(review.focusRequests(), 2);
  EXPECT_FALSE(review.closed());

  review.NextButton();
  EXPECT_EQ(world.prompter.LastText(), "复习完毕！");
  EXPECT_EQ(world.prompter.LastCaption(), "结束");
  EXPECT_TRUE(review.closed());
}

TEST_F(ForgottenReviewTest, KeysPageAndClosingEndsTheTest) {
  Forget({"a", "b", "a"});
  world.WriteConfig("reviewnumber", "7");
  world.P().LoadReviewPosition();
  ForgottenReviewWindowLogic review(world.P());
  review.Created();
  EXPECT_TRUE(review.KeyDown(kKeyRight));
  EXPECT_EQ(Utf8(review.wordText()), "b");
  EXPECT_TRUE(review.KeyDown(kKeyTilde));
  EXPECT_EQ(Utf8(review.wordText()), "a");
  EXPECT_EQ(world.State().ForgottenPosition, 3);
  EXPECT_TRUE(review.KeyDown(kKeyLeft));
  EXPECT_EQ(Utf8(review.wordText()), "b");
  EXPECT_FALSE(review.KeyDown(kKeyD));
  EXPECT_TRUE(world.prompter.shown.empty());

  // The title-bar button: the same end as paging past the last word.
  review.Destroyed();
  EXPECT_TRUE(world.State().ForgottenList.empty());
  EXPECT_EQ(world.State().ForgottenPosition, 1);
  EXPECT_EQ(world.Config("reviewnumber"), "1");
  const std::vector<std::string> expected{"front 启动窗口", "close 窗口选择", "close 窗口拼写"};
  EXPECT_EQ(world.shell.events, expected);
}

TEST_F(ForgottenReviewTest, PuttingAWordBackAddsItToTheLastGroupAndMovesOn) {
  world.AddWord(7, "old", kDay - 3, 12, "旧");
  // The last record: group 7, proficiency 12, serial number 40.
  world.Db().GoLast();
  world.Db().WriteField(kSerialNumber, Value::Int(40));
  Forget({"apple", "pear"});
  world.State().ForgottenList[0].Meaning = Utf8ToGbk("苹果");
  world.clock.Set(kDay + 0.5);
  ForgottenReviewWindowLogic review(world.P());
  review.Created();
  EXPECT_TRUE(review.KeyDown(kKeyA));
  ASSERT_EQ(world.Db().RecordCount(), 2);
  EXPECT_EQ(Stored()[1], (StoredWord{7, "apple →new", "苹果 →新", kDay, 12, 41}));
  EXPECT_EQ(Utf8(review.wordText()), "pear");
  review.AddButton();  // the last one: added, then the end
  EXPECT_TRUE(review.closed());
  EXPECT_EQ(Stored()[2], (StoredWord{7, "pear →new", "pear-义 →新", kDay, 12, 42}));
}

TEST_F(ForgottenReviewTest, AWordThatCannotBePutBackIsReportedAndStays) {
  world.AddWord(1, "old", kDay, 3, "旧");
  Forget({"apple", "pear"});
  ForgottenReviewWindowLogic review(world.P());
  review.Created();
  failures->failWrites = 100;
  review.AddButton();
  failures->failWrites = 0;
  EXPECT_EQ(world.prompter.LastText(), "添加失败，请再试！");
  EXPECT_EQ(world.prompter.LastCaption(), "失败");
  EXPECT_EQ(Utf8(review.wordText()), "apple");
  EXPECT_EQ(world.Db().RecordCount(), 1);
  review.AddButton();
  EXPECT_EQ(world.Db().RecordCount(), 2);
  EXPECT_EQ(Utf8(review.wordText()), "pear");
}

// Two programs putting forgotten words back at the same moment: each word
// gets the serial number after the last one, and no number twice.
TEST_F(ForgottenReviewTest, TwoProgramsPuttingWordsBackAtOnceGiveEverySerialNumberOnce) {
  constexpr int kEach = 60;
  world.AddWord(1, "first", kDay, 3, "一");
  world.Restart();
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    Database db;
    db.SetLockTimeout(-1);
    // Slow reads widen the gap between reading the last record and the
    // append, as a busy disk would.
    db.SetFileSystem(testing::SlowReadsFileSystem());
    test::ScriptedPrompter prompter;
    test::ScriptedShell shell;
    Program program(db, *world.settings, world.clock, prompter, shell);
    if (!db.OpenDatabase(GBK("单词本"))) return 2;
    for (int i = 0; i < kEach; ++i) {
      DueEntry e;
      e.Word = "p" + std::to_string(c) + "w" + std::to_string(i);
      e.Meaning = "m";
      program.state().ForgottenList.push_back(e);
    }
    ForgottenReviewWindowLogic review(program);
    review.Created();
    for (int i = 0; i < kEach; ++i) {
      const std::size_t shown = prompter.shown.size();
      review.AddButton();
      for (std::size_t m = shown; m < prompter.shown.size(); ++m) {
        if (prompter.shown[m].caption == GBK("失败")) return 3;
      }
    }
    return 0;
  });
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  world.OpenWordBook();
  const std::vector<StoredWord> words = Stored();
  ASSERT_EQ(words.size(), 1u + 2 * kEach);
  for (std::size_t i = 0; i < words.size(); ++i) {
    ASSERT_EQ(words[i].serial, static_cast<int32_t>(i) + 1) << "record " << i + 1;
  }
}

TEST_F(ForgottenReviewTest, SpellingPracticeChecksTheWordShownWithTheFocusTimerStopped) {
  Forget({"apple", "Pear"});
  ForgottenReviewWindowLogic review(world.P());
  review.Created();
  review.NextButton();
  std::vector<std::string> verdicts;
  int intervalWhileOpen = -1;
  world.shell.onOpen = [&](WindowId id) {
    ASSERT_EQ(id, WindowId::ForgottenSpelling);
    intervalWhileOpen = review.focusTimer().interval();
    auto practice = PracticeSpellingWindowLogic::ForForgottenWord(world.P());
    for (const char* typed : {"pear", "Pear"}) {
      practice.SetInput(Utf8ToGbk(typed));
      practice.KeyDown(kKeyEnter);
      verdicts.push_back(Utf8(practice.verdictText()));
    }
    EXPECT_TRUE(practice.closed());
  };
  EXPECT_TRUE(review.KeyDown(kKeyS));
  EXPECT_EQ(intervalWhileOpen, 0);
  EXPECT_EQ(verdicts, (std::vector<std::string>{"×", "√"}));
  EXPECT_EQ(review.focusTimer().interval(), 500);
}

}  // namespace
}  // namespace cindral
