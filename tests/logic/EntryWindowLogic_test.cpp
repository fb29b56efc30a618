// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Word entry: the gate, the entry window's logic, the refusals.

#include "logic/EntryWindowLogic.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "Children.h"
#include "SlowReads.h"
#include "TestWorld.h"
#include "UnwritableSettings.h"
#include "core/KeyCodes.h"
#include "plan/DayPlan.h"
#include "plan/EntryGate.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay1 = 45000.0;

using test::StoredWord;

class WordEntryTest : public ::testing::Test {
 protected:
  WordEntryTest() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    // The scripted window runs the queued inputs through the real logic.
    world.shell.onOpen = [this](WindowId id) {
      if (id == WindowId::Entry) RunEntryWindow();
    };
  }

  // Types each queued word, submits, then closes the window.
  void RunEntryWindow() {
    EntryWindowLogic entry(world.P());
    entry.Created();
    for (const auto& [word, meaning] : typed) {
      entry.SetWord(Utf8ToGbk(word));
      entry.SetMeaning(Utf8ToGbk(meaning));
      entry.KeyDown(kKeyEnter);
    }
    typed.clear();
    closeAllowed = entry.QueryClose();
    if (closeAllowed) entry.Destroyed();
  }

  std::vector<StoredWord> Stored() { return test::StoredWords(world.Db()); }

  TestWorld world;
  std::vector<std::pair<std::string, std::string>> typed;
  bool closeAllowed = false;
};

TEST_F(WordEntryTest, FirstWordsAfterAResetGoIntoGroupOne) {
  world.clock.Set(kDay1 + 0.75);
  typed = {{"apple", "苹果"}, {"pear", "梨"}};
  OpenEntryGate(world.P());
  EXPECT_TRUE(closeAllowed);
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "apple", "苹果", kDay1, 1, 1},
                                               {1, "pear", "梨", kDay1, 1, 2}}));
  EXPECT_EQ(world.Config("groupnumber"), "1");
  // Closing the window computed the plan: line 1 lists group 1.
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 1}));
}

TEST_F(WordEntryTest, TheFirstWordOfTheNextDayOpensGroupTwo) {
  typed = {{"apple", "苹果"}};
  OpenEntryGate(world.P());
  world.clock.Set(kDay1 + 1);
  typed = {{"bean", "豆"}, {"corn", "玉米"}};
  OpenEntryGate(world.P());
  EXPECT_EQ(world.Config("groupnumber"), "2");
  EXPECT_EQ(world.P().CurrentGroup(), 2);
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "apple", "苹果", kDay1, 1, 1},
                                               {2, "bean", "豆", kDay1 + 1, 1, 2},
                                               {2, "corn", "玉米", kDay1 + 1, 1, 3}}));
  EXPECT_EQ(world.DueGroups(), std::vector<int32_t>({1, 2, 2}));
}

// The first word of a new day and the new group go in together: a word in
// group 2 while groupnumber still says 1 would share its group with the
// next day's words. When groupnumber cannot be stored the word is not
// stored either, the learner is told and keeps what was typed.
TEST_F(WordEntryTest, ANewGroupThatCannotBeStoredKeepsTheWordOut) {
  typed = {{"apple", "苹果"}};
  OpenEntryGate(world.P());
  auto failures = std::make_shared<test::WriteFailures>();
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  world.clock.Set(kDay1 + 1);
  EntryWindowLogic entry(world.P());
  entry.Created();
  entry.SetWord(Utf8ToGbk("bean"));
  entry.SetMeaning(Utf8ToGbk("豆"));
  {
    test::UnwritableSettings unwritable(failures);
    entry.Submit();
  }
  EXPECT_EQ(world.prompter.LastText().rfind("单词保存失败（磁盘空间不够），请再试！", 0), 0u)
      << world.prompter.LastText();
  EXPECT_EQ(entry.word(), Utf8ToGbk("bean"));
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "apple", "苹果", kDay1, 1, 1}}));
  EXPECT_EQ(world.Config("groupnumber"), "1");
  EXPECT_EQ(world.P().CurrentGroup(), 1);
  entry.Submit();
  EXPECT_EQ(world.Config("groupnumber"), "2");
  EXPECT_EQ(world.P().CurrentGroup(), 2);
  EXPECT_EQ(Stored().back(), (StoredWord{2, "bean", "豆", kDay1 + 1, 1, 2}));
}

// A full disk on a new day: the first word cannot be stored. The learner
// hears why and how to leave; closing then asks, and leaving ends the
// program instead of computing the plan (which would only open the window
// again). With space again, the next start begins the day as usual.
TEST_F(WordEntryTest, AFullDiskLetsTheLearnerLeaveAndTheNextStartBeginsTheDay) {
  world.AddWord(1, "old", kDay1);
  auto failures = std::make_shared<test::WriteFailures>();
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  world.clock.Set(kDay1 + 1.25);
  std::vector<bool> mayClose;
  world.shell.onOpen = [&](WindowId) {
    EntryWindowLogic entry(world.P());
    entry.Created();
    entry.SetWord(Utf8ToGbk("bean"));
    entry.SetMeaning(Utf8ToGbk("豆"));
    entry.Submit();
    EXPECT_EQ(world.prompter.LastText(),
              "单词保存失败（磁盘空间不够），请再试！\n"
              "如果仍然无法保存，可以关闭本窗口退出程序，下次启动时再录入今天的单词。");
    EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
    EXPECT_EQ(entry.word(), Utf8ToGbk("bean"));
    world.prompter.answers = {false, true};
    for (int attempt = 0; attempt < 2; ++attempt) {
      mayClose.push_back(entry.QueryClose());
      EXPECT_EQ(world.prompter.LastText(),
                "今天的单词还没有保存。关闭窗口将退出程序，下次启动时再录入今天的单词。要退出吗？");
    }
    if (mayClose.back()) entry.Destroyed();
  };
  {
    // Every write fails as on a full disk, the settings file's too.
    test::UnwritableSettings unwritable(failures);
    failures->failWrites = 1 << 30;
    ComputeDayPlan(world.P());
    failures->failWrites = 0;
  }
  EXPECT_EQ(mayClose, std::vector<bool>({false, true}));
  EXPECT_TRUE(world.P().EndRequested());
  EXPECT_EQ(world.shell.events, std::vector<std::string>(
                                    {"open 窗口输入单词", "end program", "returned 窗口输入单词"}));
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "old", "old-义", kDay1, 1, 1}}));
  EXPECT_EQ(world.Config("groupnumber"), "1");

  world.Restart();
  world.OpenWordBook();
  world.shell.onOpen = [this](WindowId) { RunEntryWindow(); };
  typed = {{"bean", "豆"}};
  ComputeDayPlan(world.P());
  EXPECT_TRUE(closeAllowed);
  EXPECT_EQ(Stored().back(), (StoredWord{2, "bean", "豆", kDay1 + 1, 1, 2}));
  EXPECT_EQ(world.Config("groupnumber"), "2");
  EXPECT_EQ(world.Config("minus"), "false");
}

TEST_F(WordEntryTest, TextIsStoredExactlyAsTyped) {
  typed = {{" Hello World ", "  你好，世界！ "}, {"naïve", "天真的𠀀"}};
  OpenEntryGate(world.P());
  const auto words = Stored();
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].word, " Hello World ");
  EXPECT_EQ(words[0].meaning, "  你好，世界！ ");
  EXPECT_EQ(words[1].word, "naïve");
  EXPECT_EQ(words[1].meaning, "天真的𠀀");  // beyond GBK: kept through GB18030
}

TEST_F(WordEntryTest, IncompleteInputIsRefusedAndFocusGoesToTheEmptyBox) {
  EntryWindowLogic entry(world.P());
  entry.Created();
  entry.SetWord(Utf8ToGbk("apple"));
  entry.Submit();
  EXPECT_EQ(world.prompter.LastText(), "请将单词和释义录入完整！");
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_EQ(entry.focus(), EntryWindowLogic::Focus::Meaning);
  EXPECT_EQ(entry.word(), Utf8ToGbk("apple"));  // kept for the learner to finish

  entry.SetWord("");
  entry.SetMeaning(Utf8ToGbk("苹果"));
  entry.KeyDown(kKeyEnter);
  EXPECT_EQ(entry.focus(), EntryWindowLogic::Focus::Word);
  EXPECT_EQ(world.prompter.shown.size(), 2u);
  EXPECT_EQ(world.Db().RecordCount(), 0);

  entry.SetWord(Utf8ToGbk("apple"));
  entry.KeyDown(kKeyA);  // other keys do nothing
  EXPECT_EQ(world.Db().RecordCount(), 0);
  entry.KeyDown(kKeyEnter);
  EXPECT_EQ(world.Db().RecordCount(), 1);
  EXPECT_TRUE(entry.word().empty());
  EXPECT_TRUE(entry.meaning().empty());
  EXPECT_EQ(entry.focus(), EntryWindowLogic::Focus::Word);
}

TEST_F(WordEntryTest, TheWindowCannotCloseBeforeTodaysFirstWord) {
  world.AddWord(1, "old", kDay1);
  world.clock.Set(kDay1 + 1);
  EntryWindowLogic entry(world.P());
  EXPECT_FALSE(entry.QueryClose());
  EXPECT_EQ(world.prompter.LastText(), "您还没有录入今天的单词，窗口不能关闭！");
  entry.SetWord(Utf8ToGbk("new"));
  entry.SetMeaning(Utf8ToGbk("新"));
  entry.Submit();
  EXPECT_TRUE(entry.QueryClose());
  EXPECT_EQ(world.prompter.shown.size(), 1u);
}

// After idle days, or when the last entry lies after today (the clock was
// set back), the gate asks for a reset.
TEST_F(WordEntryTest, TheGateRefusesAfterIdleDaysOrAFutureEntry) {
  world.AddWord(1, "old", kDay1);
  for (const double offset : {2.0, 30.0, -1.0, -2.0}) {
    world.prompter.shown.clear();
    world.clock.Set(kDay1 + offset);
    OpenEntryGate(world.P());
    EXPECT_TRUE(world.shell.opened.empty()) << offset;
    EXPECT_EQ(world.prompter.LastText(), "您已多天没有学习单词，请重置单词数据库后重新学习！")
        << offset;
    EXPECT_EQ(world.prompter.LastCaption(), "提示") << offset;
  }
}

TEST_F(WordEntryTest, TheGateRefusesDuringTheReviewPhase) {
  world.AddWord(1, "old", kDay1);
  world.clock.Set(kDay1 + 88);
  ComputeDayPlan(world.P());  // learns the review phase start
  world.prompter.shown.clear();
  OpenEntryGate(world.P());
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_EQ(world.prompter.LastText(),
            "恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！");
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
}

TEST_F(WordEntryTest, TheGateOpensOnTheSameDayOnTheNextDayAndOnAnEmptyBook) {
  OpenEntryGate(world.P());  // empty book
  world.AddWord(1, "a", kDay1);
  OpenEntryGate(world.P());  // same day
  world.clock.Set(kDay1 + 1);
  OpenEntryGate(world.P());  // next day
  EXPECT_EQ(world.shell.opened.size(), 3u);
}

TEST_F(WordEntryTest, AFailedSaveKeepsTheTypedText) {
  // A word book that can only be read refuses the append.
  world.Restart();
  ASSERT_TRUE(world.Db().OpenDatabase(GBK("单词本"), Access::ReadOnly));
  EntryWindowLogic entry(world.P());
  entry.SetWord(Utf8ToGbk("apple"));
  entry.SetMeaning(Utf8ToGbk("苹果"));
  entry.Submit();
  EXPECT_EQ(world.prompter.LastCaption(), "出错了");
  EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Error);
  EXPECT_EQ(entry.word(), Utf8ToGbk("apple"));
  EXPECT_EQ(entry.meaning(), Utf8ToGbk("苹果"));
  EXPECT_EQ(world.Config("groupnumber"), "1");
}

// Two programs entering words into one word book at the same moment: each
// word gets the serial number after the last one, and no number twice.
TEST_F(WordEntryTest, TwoProgramsEnteringWordsAtOnceGiveEverySerialNumberOnce) {
  constexpr int kEach = 200;
  world.Restart();  // the book is closed here; the children open it
  // Fixed-length text: appends are quick, so the two programs interleave
  // often between reading the last number and appending.
  const std::string book = Utf8ToGbk(world.dir.File(test::WordBookUtf8Name()));
  std::filesystem::remove(world.dir.File(test::WordBookUtf8Name()));
  std::filesystem::remove(world.dir.File("单词本.EDT"));
  ASSERT_EQ(RecordFile::Create(book, WordRecordFields(24)), 0);
  const std::vector<int> statuses = test::RunInChildren(2, [&](int c) {
    Database db;
    db.SetLockTimeout(-1);  // back to back, one could keep the other out
    // A slow disk: every read takes a while, so that the other program has
    // time to append between this one's reading the last record and its
    // own append.
    db.SetFileSystem(testing::SlowReadsFileSystem());
    test::ScriptedPrompter prompter;
    test::ScriptedShell shell;
    Program program(db, *world.settings, world.clock, prompter, shell);
    if (!db.OpenDatabase(GBK("单词本"))) return 2;
    EntryWindowLogic entry(program);
    for (int i = 0; i < kEach; ++i) {
      entry.SetWord("p" + std::to_string(c) + "w" + std::to_string(i));
      entry.SetMeaning("m");
      entry.Submit();
      if (!entry.word().empty()) return 3;  // the save failed
    }
    return 0;
  });
  EXPECT_EQ(statuses, (std::vector<int>{0, 0}));
  world.OpenWordBook();
  const std::vector<StoredWord> words = Stored();
  ASSERT_EQ(words.size(), 2u * kEach);
  for (std::size_t i = 0; i < words.size(); ++i) {
    ASSERT_EQ(words[i].serial, static_cast<int32_t>(i) + 1) << "record " << i + 1;
  }
}

}  // namespace
}  // namespace cindral
