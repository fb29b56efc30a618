// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The intensive review: the chooser's thresholds, refusals and selection
// walk, and the drill's cards and keys.

#include <gtest/gtest.h>

#include "TestWorld.h"
#include "core/KeyCodes.h"
#include "logic/IntensiveChooserWindowLogic.h"
#include "logic/IntensiveReviewWindowLogic.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay = 45000.0;
constexpr char kRefusal[] = "请您选择或输入正确的强化复习的单词熟练度！";
constexpr char kNothing[] = "没有要强化复习的单词！";

class IntensiveChooserTest : public ::testing::Test {
 protected:
  IntensiveChooserTest() {
    world.OpenWordBook();
    // Proficiencies across every edge of the thresholds, in record order.
    const int proficiencies[] = {1, 29, 30, 49, 50, 79, 80, 98, 99, 100};
    int group = 1;
    for (int p : proficiencies) {
      world.AddWord(group++ / 3 + 1, "w" + std::to_string(p), kDay, p, "义" + std::to_string(p));
    }
    // The drill, opened by the chooser, records what it was given.
    world.shell.onOpen = [this](WindowId id) {
      if (id == WindowId::IntensiveReview) drilled.push_back(Proficiencies());
    };
  }

  std::vector<int32_t> Proficiencies() const {
    std::vector<int32_t> list;
    for (const DueEntry& e : world.program->state().IntensiveList) list.push_back(e.Proficiency);
    return list;
  }

  // Starts with a list item (or none) and a typed value.
  IntensiveChooserWindowLogic& StartWith(int item, const std::string& utf8Text) {
    chooser.SelectItem(item);
    chooser.SetCustomText(Utf8ToGbk(utf8Text));
    chooser.Start();
    return chooser;
  }

  TestWorld world{kDay};
  IntensiveChooserWindowLogic chooser{world.P()};
  std::vector<std::vector<int32_t>> drilled;
};

TEST_F(IntensiveChooserTest, ListItemsSelectFromTheirThresholdUpInRecordOrder) {
  using Chooser = IntensiveChooserWindowLogic;
  const struct {
    int item;
    std::vector<int32_t> selected;
  } rows[] = {
      {0, {1, 29, 30, 49, 50, 79, 80, 98, 99, 100}},  // every word
      {1, {30, 49, 50, 79, 80, 98, 99, 100}},
      {2, {50, 79, 80, 98, 99, 100}},
      {3, {80, 98, 99, 100}},
  };
  for (const auto& row : rows) {
    IntensiveChooserWindowLogic fresh(world.P());
    fresh.SelectItem(row.item);
    fresh.Start();
    EXPECT_EQ(Proficiencies(), row.selected) << "item " << row.item;
    EXPECT_EQ(fresh.threshold(), *Chooser::ItemThreshold(row.item));
    EXPECT_TRUE(fresh.closed());
  }
  EXPECT_EQ(drilled.size(), 4u);
  EXPECT_FALSE(Chooser::ItemThreshold(4).has_value());  // "不选"
  EXPECT_FALSE(Chooser::ItemThreshold(Chooser::kNoItem).has_value());
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(IntensiveChooserTest, EachEntryCarriesTheRecordsFiveValues) {
  StartWith(3, "");
  const std::vector<DueEntry>& list = world.State().IntensiveList;
  ASSERT_EQ(list.size(), 4u);
  // The record with proficiency 98 is the eighth: group 8 / 3 + 1 = 3.
  EXPECT_EQ(list[1], (DueEntry{3, "w98", Utf8ToGbk("义98"), 98, 8}));
  EXPECT_EQ(list[3].SerialNumber, 10);
}

TEST_F(IntensiveChooserTest, TypedThresholdsFromOneToNinetyNine) {
  StartWith(IntensiveChooserWindowLogic::kNoItem, "99");
  EXPECT_EQ(Proficiencies(), (std::vector<int32_t>{99, 100}));
  EXPECT_EQ(chooser.threshold(), 99);
  // "不选" leaves the choice to the typed value too.
  IntensiveChooserWindowLogic second(world.P());
  second.SelectItem(4);
  second.SetCustomText("1");
  second.Start();
  EXPECT_EQ(Proficiencies().size(), 10u);
  // Leading digits count, also full-width ones.
  IntensiveChooserWindowLogic third(world.P());
  third.SetCustomText(Utf8ToGbk(" ５０%"));
  third.Start();
  EXPECT_EQ(third.threshold(), 50);
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(drilled.size(), 3u);
}

TEST_F(IntensiveChooserTest, ThresholdsOutsideOneToNinetyNineAreRefusedAndTheChooserStays) {
  for (const char* text : {"0", "100", "abc", "", "-5", "  ", "1000"}) {
    for (int item : {IntensiveChooserWindowLogic::kNoItem, 4}) {
      world.prompter.shown.clear();
      IntensiveChooserWindowLogic fresh(world.P());
      fresh.SelectItem(item);
      fresh.SetCustomText(text);
      fresh.Start();
      EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{kRefusal}) << "'" << text << "'";
      EXPECT_EQ(world.prompter.LastCaption(), "提示");
      EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Information);
      EXPECT_FALSE(fresh.closed());
    }
  }
  EXPECT_TRUE(drilled.empty());
}

TEST_F(IntensiveChooserTest, AListItemWinsOverATypedValue) {
  StartWith(3, "1");
  EXPECT_EQ(Proficiencies(), (std::vector<int32_t>{80, 98, 99, 100}));
  // A typed value that would be refused does not matter either.
  IntensiveChooserWindowLogic second(world.P());
  second.SelectItem(0);
  second.SetCustomText("100");
  second.Start();
  EXPECT_TRUE(second.closed());
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(IntensiveChooserTest, NoWordAtTheThresholdKeepsTheChooserOpenUntilAnotherChoice) {
  world.database->ClearAll();
  world.AddWord(1, "low", kDay, 10);
  world.AddWord(1, "mid", kDay, 60);
  StartWith(3, "");
  EXPECT_EQ(world.prompter.Texts(), std::vector<std::string>{kNothing});
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_FALSE(chooser.closed());
  EXPECT_TRUE(drilled.empty());
  EXPECT_TRUE(world.State().IntensiveList.empty());
  // The learner picks a lower threshold in the same chooser.
  StartWith(2, "");
  EXPECT_TRUE(chooser.closed());
  EXPECT_EQ(drilled, (std::vector<std::vector<int32_t>>{{60}}));
}

TEST_F(IntensiveChooserTest, EnterStartsAndTheChooserClosesOnlyAfterTheDrillHasClosed) {
  bool closedDuringDrill = true;
  world.shell.onOpen = [&](WindowId id) {
    EXPECT_EQ(id, WindowId::IntensiveReview);
    closedDuringDrill = chooser.closed();
  };
  chooser.SetCustomText("80");
  chooser.KeyDown(kKeyA);
  EXPECT_TRUE(world.shell.opened.empty());
  chooser.KeyDown(kKeyEnter);
  EXPECT_EQ(world.shell.opened.size(), 1u);
  EXPECT_FALSE(closedDuringDrill);
  EXPECT_TRUE(chooser.closed());
}

TEST_F(IntensiveChooserTest, TheWalkStartsAtTheFirstRecordWhereverTheCursorStands) {
  world.Db().GoLast();
  world.Db().Skip(1);  // after the last record
  StartWith(0, "");
  EXPECT_EQ(Proficiencies().size(), 10u);
  // Each start builds the list anew.
  IntensiveChooserWindowLogic second(world.P());
  second.SelectItem(3);
  second.Start();
  EXPECT_EQ(Proficiencies().size(), 4u);
}

// ---- The drill.

class IntensiveDrillTest : public ::testing::Test {
 protected:
  void Select(std::initializer_list<const char*> words) {
    int serial = 0;
    for (const char* w : words) {
      world.State().IntensiveList.push_back(
          {1, w, Utf8ToGbk(std::string(w) + " 的释义"), 50, ++serial});
    }
    drill.Opened();
  }
  // "word meaning position/count" as the window shows it, in UTF-8.
  std::string Card() const {
    return drill.word() + " " + GbkToUtf8(drill.meaning()) + " " + drill.positionText() + "/" +
           drill.countText();
  }

  TestWorld world{kDay};
  IntensiveReviewWindowLogic drill{world.P()};
};

TEST_F(IntensiveDrillTest, TheFirstCardAsksWithAFullWidthMarkAndTheFocusTimerRuns) {
  Select({"apple", "pear", "plum"});
  EXPECT_EQ(Card(), "apple ？ 1/3");
  EXPECT_EQ(drill.meaning(), "\xA3\xBF");  // the GBK full-width question mark
  EXPECT_EQ(drill.focusTimerInterval(), 500);
  EXPECT_EQ(drill.focus(), IntensiveReviewWindowLogic::Focus::KeyBox);
}

TEST_F(IntensiveDrillTest, ArrowsAndTildeWalkAndWrapAtBothEndsAskingWithAnAsciiMark) {
  Select({"apple", "pear", "plum"});
  drill.KeyDown(kKeyRight);
  EXPECT_EQ(Card(), "pear ? 2/3");
  drill.KeyDown(kKeyTilde);
  EXPECT_EQ(Card(), "plum ? 3/3");
  drill.KeyDown(kKeyRight);
  EXPECT_EQ(Card(), "apple ? 1/3");
  drill.KeyDown(kKeyLeft);
  EXPECT_EQ(Card(), "plum ? 3/3");
  drill.KeyDown(kKeyLeft);
  EXPECT_EQ(Card(), "pear ? 2/3");
}

TEST_F(IntensiveDrillTest, SShowsTheMeaningUntilTheNextMove) {
  Select({"apple", "pear"});
  drill.KeyDown(kKeyS);
  EXPECT_EQ(Card(), "apple apple 的释义 1/2");
  drill.KeyDown(kKeyS);
  EXPECT_EQ(Card(), "apple apple 的释义 1/2");
  drill.KeyDown(kKeyRight);
  EXPECT_EQ(Card(), "pear ? 2/2");
  drill.KeyDown(kKeyS);
  EXPECT_EQ(Card(), "pear pear 的释义 2/2");
  // Other keys change nothing.
  for (int key : {kKeyUp, kKeyDown, kKeyEnter, kKeySpace, kKeyA, kKeyD, kKeyF}) drill.KeyDown(key);
  EXPECT_EQ(Card(), "pear pear 的释义 2/2");
}

// A dictionary that knows "apple" only.
struct AppleDictionary : OfflineDictionary {
  std::optional<std::string> Pronunciation(const std::string& word) override {
    if (word != "apple") return std::nullopt;
    return "/apple/";
  }
  std::string Text(const std::string& word) override {
    return word == "apple" ? "n. fruit\r\n" : "";
  }
};

TEST_F(IntensiveDrillTest, TheIpaStandsBesideTheWordAndWTogglesItsOfflineEntry) {
  AppleDictionary dictionary;
  world.program->SetOfflineDictionary(&dictionary);
  Select({"apple", "pear"});
  EXPECT_EQ(drill.pronunciation(), "/apple/");
  EXPECT_EQ(drill.entryText(), "");
  drill.KeyDown(kKeyW);
  EXPECT_EQ(drill.entryText(), "n. fruit\r\n");
  drill.KeyDown(kKeyW);
  EXPECT_EQ(drill.entryText(), "");
  drill.KeyDown(kKeyW);
  drill.KeyDown(kKeyRight);  // the next card starts without it
  EXPECT_EQ(Card(), "pear ? 2/2");
  EXPECT_EQ(drill.pronunciation(), "");
  EXPECT_EQ(drill.entryText(), "");
  drill.KeyDown(kKeyW);  // a word the dictionary lacks says so
  EXPECT_EQ(GbkToUtf8(drill.entryText()), "离线词典里没有这个单词。");
  world.program->SetOfflineDictionary(nullptr);
}

TEST_F(IntensiveDrillTest, OneSelectedWordStaysAndEachMoveAsksAgain) {
  Select({"solo"});
  drill.KeyDown(kKeyS);
  drill.KeyDown(kKeyLeft);
  EXPECT_EQ(Card(), "solo ? 1/1");
  drill.KeyDown(kKeyS);
  drill.KeyDown(kKeyRight);
  EXPECT_EQ(Card(), "solo ? 1/1");
  EXPECT_EQ(drill.position(), 1);
}

TEST_F(IntensiveDrillTest, AnEmptyListShowsNoCardAndTakesKeysSafely) {
  Select({});
  for (int key : {kKeyLeft, kKeyRight, kKeyTilde, kKeyS}) drill.KeyDown(key);
  EXPECT_EQ(drill.position(), 0);
  EXPECT_EQ(drill.word(), "");
}

}  // namespace
}  // namespace cindral
