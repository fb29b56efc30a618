// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The word game: the deal, pairing by position, the selection and the
// background cycle.

#include "logic/GameWindowLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestWorld.h"

namespace cindral {
namespace {

using test::TestWorld;

constexpr double kDay = 45000.0;

class GameTest : public ::testing::Test {
 protected:
  GameTest() { world.OpenWordBook(); }

  void AddWords(std::initializer_list<std::pair<const char*, const char*>> words) {
    for (const auto& [word, meaning] : words) world.AddWord(1, word, kDay, 1, meaning);
  }

  // The button showing item `item` of the deal.
  static int ButtonOf(const GameWindowLogic& game, int item) {
    for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
      if (game.order()[static_cast<size_t>(i)] == item) return i;
    }
    return 0;
  }
  static int VisibleCount(const GameWindowLogic& game) {
    int n = 0;
    for (int i = 1; i <= GameWindowLogic::kButtons; ++i) n += game.visible(i) ? 1 : 0;
    return n;
  }

  TestWorld world{kDay};
};

TEST_F(GameTest, TheDealDrawsRecordsAndOrderFromTheSeededGenerator) {
  for (int i = 1; i <= 12; ++i) {
    world.AddWord(1, "w" + std::to_string(i), kDay, 1, "m" + std::to_string(i));
  }
  for (uint32_t seed : {0u, 7u, 59u, 12345u}) {
    world.P().random().SeedRandom(seed);
    // The same draws made by hand from a generator with the same seed.
    RandomGenerator expected;
    expected.SeedRandom(seed);
    std::vector<int32_t> records;
    while (records.size() < 4) {
      const int32_t r = expected.RandomInRange(1, 12);
      if (std::find(records.begin(), records.end(), r) == records.end()) records.push_back(r);
    }
    std::vector<int> pool{1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<int> order;
    while (!pool.empty()) {
      const int32_t j = expected.RandomInRange(1, static_cast<int32_t>(pool.size()));
      order.push_back(pool[static_cast<size_t>(j - 1)]);
      pool.erase(pool.begin() + (j - 1));
    }

    GameWindowLogic game(world.P());
    game.Opened();
    ASSERT_FALSE(game.closed());
    EXPECT_EQ(std::vector<int32_t>(game.drawn().begin(), game.drawn().end()), records);
    EXPECT_EQ(std::vector<int>(game.order().begin() + 1, game.order().end()), order);
    for (int k = 1; k <= 4; ++k) {
      const std::string n = std::to_string(records[static_cast<size_t>(k - 1)]);
      EXPECT_EQ(game.texts()[static_cast<size_t>(2 * k - 1)], "w" + n);
      EXPECT_EQ(game.texts()[static_cast<size_t>(2 * k)], "m" + n);
    }
    for (int i = 1; i <= 8; ++i) {
      EXPECT_EQ(game.caption(i),
                game.texts()[static_cast<size_t>(order[static_cast<size_t>(i - 1)])]);
      EXPECT_TRUE(game.visible(i));
    }
    EXPECT_EQ(game.selection(), 0);
    EXPECT_EQ(game.countText(), "12");
  }
}

TEST_F(GameTest, AFourWordBookDealsAllFourWordsEveryTime) {
  AddWords({{"apple", "苹果"}, {"pear", "梨"}, {"plum", "李子"}, {"fig", "无花果"}});
  std::set<std::vector<int32_t>> drawOrders;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    world.P().random().SeedRandom(seed);
    GameWindowLogic game(world.P());
    game.Opened();
    std::vector<int32_t> drawn(game.drawn().begin(), game.drawn().end());
    drawOrders.insert(drawn);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, (std::vector<int32_t>{1, 2, 3, 4}));
    std::vector<std::string> captions;
    for (int i = 1; i <= 8; ++i) captions.push_back(GbkToUtf8(game.caption(i)));
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"apple", "fig", "pear", "plum", "无花果", "李子",
                                                  "梨", "苹果"}));
  }
  // In random order, not always the same one.
  EXPECT_GT(drawOrders.size(), 5u);
}

TEST_F(GameTest, FewerThanFourWordsRefuseTheGame) {
  for (int words = 0; words < 4; ++words) {
    world.prompter.shown.clear();
    GameWindowLogic game(world.P());
    game.Opened();
    EXPECT_TRUE(game.closed()) << words;
    EXPECT_EQ(world.prompter.Texts(),
              std::vector<std::string>{"单词库单词数目不够，请积累一些单词再玩吧！"});
    EXPECT_EQ(world.prompter.LastCaption(), "提示");
    EXPECT_EQ(world.prompter.shown.back().icon, MessageIcon::Information);
    world.AddWord(1, "w", kDay);
  }
  GameWindowLogic game(world.P());
  game.Opened();
  EXPECT_FALSE(game.closed());
}

TEST_F(GameTest, AWordPairsOnlyWithTheMeaningOfItsOwnRecord) {
  // Two records share a word, two others share a meaning.
  AddWords({{"spring", "春天"}, {"spring", "弹簧"}, {"big", "大"}, {"large", "大"}});
  world.P().random().SeedRandom(3);
  GameWindowLogic game(world.P());
  game.Opened();
  // Items by record: the deal uses all four; find each record's items.
  auto itemOf = [&](int record, bool meaning) {
    for (int k = 1; k <= 4; ++k) {
      if (game.drawn()[static_cast<size_t>(k - 1)] == record) return meaning ? 2 * k : 2 * k - 1;
    }
    return 0;
  };
  auto button = [&](int record, bool meaning) { return ButtonOf(game, itemOf(record, meaning)); };

  // "spring" of record 1 with the meaning of record 2: same word, no pair.
  game.Click(button(1, false));
  game.Click(button(2, true));
  EXPECT_EQ(VisibleCount(game), 8);
  EXPECT_EQ(game.selection(), button(2, true));
  // "big" with the "大" of "large": same meaning text, no pair.
  game.Click(button(3, false));
  game.Click(button(4, true));
  EXPECT_EQ(VisibleCount(game), 8);
  // The "大" of "large" selected; its own word completes the pair.
  game.Click(button(4, false));
  EXPECT_FALSE(game.visible(button(4, false)));
  EXPECT_FALSE(game.visible(button(4, true)));
  EXPECT_EQ(game.selection(), 0);
  // Meaning first, then the word, pairs too.
  game.Click(button(2, true));
  game.Click(button(2, false));
  EXPECT_FALSE(game.visible(button(2, true)));
  EXPECT_EQ(VisibleCount(game), 4);
}

TEST_F(GameTest, ClickingTheSelectedButtonKeepsItSelected) {
  AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
  GameWindowLogic game(world.P());
  game.Opened();
  game.Click(5);
  game.Click(5);
  EXPECT_EQ(game.selection(), 5);
  EXPECT_EQ(VisibleCount(game), 8);
}

TEST_F(GameTest, ASecondWordTakesOverTheSelectionAndPairsWithItsMeaning) {
  AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
  GameWindowLogic game(world.P());
  game.Opened();
  const int firstWord = ButtonOf(game, 1);
  const int secondWord = ButtonOf(game, 3);
  const int secondMeaning = ButtonOf(game, 4);
  game.Click(firstWord);
  game.Click(secondWord);
  game.Click(secondMeaning);
  EXPECT_FALSE(game.visible(secondWord));
  EXPECT_FALSE(game.visible(secondMeaning));
  EXPECT_TRUE(game.visible(firstWord));
  EXPECT_EQ(game.selection(), 0);
}

TEST_F(GameTest, EveryButtonCanStartAPair) {
  AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
  for (int first = 1; first <= 8; ++first) {
    GameWindowLogic game(world.P());
    game.Opened();
    const int item = game.order()[static_cast<size_t>(first)];
    const int partner = ButtonOf(game, item % 2 == 1 ? item + 1 : item - 1);
    game.Click(first);
    EXPECT_EQ(game.selection(), first);
    game.Click(partner);
    EXPECT_FALSE(game.visible(first)) << first;
    EXPECT_FALSE(game.visible(partner)) << first;
    EXPECT_EQ(VisibleCount(game), 6);
  }
}

TEST_F(GameTest, DealingAgainShowsEveryButtonWithNothingSelected) {
  AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}});
  world.P().random().SeedRandom(11);
  GameWindowLogic game(world.P());
  game.Opened();
  game.Click(ButtonOf(game, 1));
  game.Click(ButtonOf(game, 2));
  game.Click(ButtonOf(game, 5));
  ASSERT_EQ(VisibleCount(game), 6);
  // A vanished button takes no clicks.
  game.Click(ButtonOf(game, 1));
  EXPECT_EQ(game.selection(), ButtonOf(game, 5));
  const auto before = game.drawn();
  game.DealAgain();
  EXPECT_EQ(VisibleCount(game), 8);
  EXPECT_EQ(game.selection(), 0);
  EXPECT_NE(game.drawn(), before);  // this seed draws other words
  game.Click(0);
  game.Click(9);
  EXPECT_EQ(game.selection(), 0);
}

TEST_F(GameTest, TheBackgroundsCycleOneToSixAndTheCountGoesOnAcrossOpenings) {
  AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
  std::vector<int32_t> shown;
  {
    GameWindowLogic game(world.P());
    game.Opened();
    EXPECT_EQ(game.background(), 0);  // none yet in this run
    for (int press = 0; press < 8; ++press) {
      game.NextBackground();
      shown.push_back(game.background());
    }
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 1, 2}));
  GameWindowLogic reopened(world.P());
  reopened.Opened();
  EXPECT_EQ(reopened.background(), 2);
  reopened.NextBackground();
  EXPECT_EQ(reopened.background(), 3);
  // A new run starts again from none.
  world.Restart();
  EXPECT_EQ(world.State().BackgroundIndex, 0);
}

}  // namespace
}  // namespace cindral
