// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Words the book holds already: which words count as the same, and where a
// list's words are found again, in the book or on an earlier line.

#include "book/KnownWords.h"

#include <gtest/gtest.h>

#include "TestWorld.h"

namespace cindral {
namespace {

constexpr double kDay = 45000.0;

TEST(WordKeyTest, CaseOfEnglishLettersAndBlanksAroundTheWordDoNotCount) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"apple", "Apple", true},
      {"apple", " APPLE\t", true},
      {"apple", "　apple　", true},  // full-width spaces, as a Chinese input method types them
      {"ice cream", "Ice Cream", true},
      {"ice cream", "ice  cream", false},  // inner blanks count
      {"ice cream", "icecream", false},
      {"naïve", "NAÏVE", false},  // only English letters fold
      {"苹果", "苹果 ", true},
      {"apple", "apples", false},
      // 癆 and 癮 differ only in a second byte that reads as "A" and "a":
      // a character is never folded as if it were a letter.
      {"癆", "癮", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WordKey(Utf8ToGbk(c.a)) == WordKey(Utf8ToGbk(c.b)), c.same) << c.a << " / " << c.b;
  }
}

TEST(FindRepeatsTest, AListsWordsAreFoundInTheBookAndOnEarlierLines) {
  test::TestWorld world(kDay);
  world.OpenWordBook();
  world.AddWord(1, "Apple", kDay - 2, 1, "苹果");
  world.AddWord(2, "pear", kDay - 1, 1, "梨");
  world.AddWord(2, "apple", kDay - 1, 1, "苹果树");
  std::vector<ListedWord> list;
  int32_t line = 0;
  for (const char* word : {"apple ", "plum", "PLUM", "pear", "kiwi"}) {
    list.push_back({++line, Utf8ToGbk(word), "x"});
  }
  const std::vector<Repeat> repeats = FindRepeats(world.Db(), list);
  ASSERT_EQ(repeats.size(), list.size());
  ASSERT_EQ(repeats[0].inBook.size(), 2u);
  EXPECT_EQ(repeats[0].inBook[0].group, 1);
  EXPECT_EQ(GbkToUtf8(repeats[0].inBook[0].meaning), "苹果");
  EXPECT_EQ(GbkToUtf8(KnownWordText(repeats[0].inBook[0], list[0].word)), "第 1 组 Apple：苹果");
  EXPECT_EQ(GbkToUtf8(KnownWordText(repeats[0].inBook[1], Utf8ToGbk("apple"))), "第 2 组：苹果树");
  EXPECT_FALSE(repeats[1].any());
  EXPECT_EQ(repeats[2].earlierLine, 2);  // PLUM repeats line 2
  EXPECT_TRUE(repeats[2].inBook.empty());
  EXPECT_EQ(repeats[3].inBook.size(), 1u);
  EXPECT_EQ(repeats[3].earlierLine, 0);
  EXPECT_FALSE(repeats[4].any());
}

TEST(KnownWordTextTest, ALongMeaningIsCutBetweenCharacters) {
  std::string meaning;
  for (int i = 0; i < 40; ++i) meaning += "义";
  const std::string text =
      GbkToUtf8(KnownWordText({3, Utf8ToGbk("a"), Utf8ToGbk("n" + meaning)}, Utf8ToGbk("a")));
  // "n" and 29 characters of two bytes fill 59 of the 60 bytes shown.
  EXPECT_EQ(text, "第 3 组：n" + meaning.substr(0, 29 * 3) + "…");
}

}  // namespace
}  // namespace cindral
