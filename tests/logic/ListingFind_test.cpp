// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The find bar's search over the listing: English and Chinese, case, whole
// words, never inside a character, both ways round with wrapping.

#include "logic/ListingFind.h"

#include <gtest/gtest.h>

#include "store/Gbk.h"

namespace cindral {
namespace {

// A listing as the window builds it.
constexpr const char* kListing =
    "1.  apple   苹果→35%\r\n"
    "2.  Apple pie   苹果派→10%\r\n"
    "3.  pineapple   菠萝→0%\r\n"
    "4.  APPLE   苹果树→5%\r\n";

// Characters whose bytes look like something else: 說 is D5 66 ("f" as its
// second byte), 門 is E9 54 ("T") and 閠 E9 74 ("t"); 苹果 is C6 BB B9 FB,
// with 还 (BB B9) across the two; ï is the four bytes 81 30 8A 37 ("0", "7").
constexpr const char* kTraps = "1.  說 門 閠 naïve   苹果→5%\r\n";

// The text in GBK with the marked spans' offsets: "[" opens a match, "]"
// closes it.
struct Marked {
  std::string text;
  std::vector<std::size_t> starts;
};

Marked Unmark(const std::string& utf8) {
  Marked marked;
  std::string plain;
  for (char c : utf8) {
    if (c == '[') {
      marked.starts.push_back(Utf8ToGbk(plain).size());
    } else if (c != ']') {
      plain += c;
    }
  }
  marked.text = Utf8ToGbk(plain);
  return marked;
}

struct Case {
  const char* marked;  // the text with every expected match in brackets
  const char* query;
  bool wholeWord;
  bool matchCase;
};

TEST(ListingFind, FindsEveryMatchForwardAndBackAndNothingInsideACharacter) {
  const Case cases[] = {
      {"1.  [apple]   苹果→35%\r\n2.  [Apple] pie   苹果派→10%\r\n3.  pine[apple]   菠萝→0%\r\n"
       "4.  [APPLE]   苹果树→5%\r\n",
       "apple", false, false},
      {"1.  [apple]   苹果→35%\r\n2.  Apple pie   苹果派→10%\r\n3.  pine[apple]   菠萝→0%\r\n"
       "4.  APPLE   苹果树→5%\r\n",
       "apple", false, true},
      {"1.  [apple]   苹果→35%\r\n2.  [Apple] pie   苹果派→10%\r\n3.  pineapple   菠萝→0%\r\n"
       "4.  [APPLE]   苹果树→5%\r\n",
       "apple", true, false},
      {"1.  apple   苹果→35%\r\n2.  [Apple] pie   苹果派→10%\r\n3.  pineapple   菠萝→0%\r\n"
       "4.  APPLE   苹果树→5%\r\n",
       "Apple", true, true},
      {"1.  apple   [苹果]→35%\r\n2.  Apple pie   [苹果]派→10%\r\n3.  pineapple   菠萝→0%\r\n"
       "4.  APPLE   [苹果]树→5%\r\n",
       "苹果", false, false},
      // Beside the arrow (a symbol) the meaning is a whole word; before 派 or 树 it is not.
      {"1.  apple   [苹果]→35%\r\n2.  Apple pie   苹果派→10%\r\n3.  pineapple   菠萝→0%\r\n"
       "4.  APPLE   苹果树→5%\r\n",
       "苹果", true, false},
      {"1.  apple   苹果→35%\r\n2.  Apple pie   苹果派→10%\r\n3.  pineapple   菠萝→0%\r\n"
       "4.  APPLE   苹果树→[5]%\r\n",
       "5", true, false},
      {kTraps, "f", false, true},
      {kTraps, "F", false, false},
      {kTraps, "t", false, false},
      {"1.  說 [門] 閠 naïve   苹果→5%\r\n", "門", false, false},
      {"1.  說 門 [閠] naïve   苹果→5%\r\n", "閠", false, false},
      {kTraps, "还", false, false},
      {kTraps, "7", false, false},
      {"1.  說 門 閠 naï[ve]   苹果→5%\r\n", "ve", false, false},
      {kTraps, "ve", true, false},
      {"1.  說 門 閠 [naïve]   苹果→5%\r\n", "NAïVE", true, false},
      {kTraps, "pear", false, false},
  };
  for (const Case& c : cases) {
    const Marked marked = Unmark(c.marked);
    const std::string query = Utf8ToGbk(c.query);
    const FindOptions options{c.wholeWord, c.matchCase};
    SCOPED_TRACE(std::string(c.query) + (c.wholeWord ? " whole" : "") +
                 (c.matchCase ? " case" : "") + " in " + c.marked);
    ListingFind find(marked.text);
    const std::size_t n = marked.starts.size();

    std::vector<std::size_t> forward;
    FindMatch m = find.Next(query, options, 0);
    for (std::size_t from = 0; m.found && !m.wrapped && forward.size() <= n;
         m = find.Next(query, options, from)) {
      EXPECT_EQ(m.length, query.size());
      EXPECT_EQ(m.count, n);
      EXPECT_EQ(m.number, forward.size() + 1);
      forward.push_back(m.offset);
      from = m.offset + m.length;
    }
    EXPECT_EQ(forward, marked.starts);

    std::vector<std::size_t> backward;
    m = find.Previous(query, options, marked.text.size());
    for (; m.found && !m.wrapped && backward.size() <= n;
         m = find.Previous(query, options, m.offset)) {
      backward.insert(backward.begin(), m.offset);
    }
    EXPECT_EQ(backward, marked.starts);
    EXPECT_EQ(m.found, n > 0);
  }
}

TEST(ListingFind, GoesOnFromTheOtherEndAndSaysSo) {
  const std::string text = Utf8ToGbk(kListing);
  const std::string apple = "apple";
  const FindOptions anyCase;
  ListingFind find(text);
  const std::size_t second = text.find("Apple");
  const std::size_t last = text.find("APPLE");
  struct Step {
    bool backward;
    std::size_t from;
    std::size_t offset;
    std::size_t number;
    bool wrapped;
  };
  const Step steps[] = {
      {false, 0, text.find("apple"), 1, false},
      {false, second, second, 2, false},  // a match at the position itself
      {false, last + 1, text.find("apple"), 1, true},
      {false, text.size(), text.find("apple"), 1, true},
      {true, second, text.find("apple"), 1, false},
      {true, text.find("apple"), last, 4, true},
      {true, 0, last, 4, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE((s.backward ? "before " : "from ") + std::to_string(s.from));
    const FindMatch m =
        s.backward ? find.Previous(apple, anyCase, s.from) : find.Next(apple, anyCase, s.from);
    EXPECT_TRUE(m.found);
    EXPECT_EQ(m.offset, s.offset);
    EXPECT_EQ(m.number, s.number);
    EXPECT_EQ(m.count, 4u);
    EXPECT_EQ(m.wrapped, s.wrapped);
  }
  for (const std::string& nothing : {std::string(), std::string("pear")}) {
    const FindMatch m = find.Next(nothing, anyCase, 0);
    EXPECT_FALSE(m.found);
    EXPECT_EQ(m.count, 0u);
    EXPECT_FALSE(find.Previous(nothing, anyCase, text.size()).found);
  }
  // A query that ends inside a character (苹 and the first byte of 果) finds nothing.
  EXPECT_FALSE(find.Next("\xC6\xBB\xB9", anyCase, 0).found);
}

// The text is scanned a window at a time (64 KiB): a match across a
// window's edge, after a window with none, is found too.
TEST(ListingFind, FindsAMatchAcrossTheEdgeOfTheScanWindow) {
  for (std::size_t at = 65530; at <= 65540; ++at) {
    const std::string text = std::string(at, ' ') + "apple" + std::string(70000, ' ');
    ListingFind find(text);
    const FindMatch m = find.Next("apple", FindOptions{}, 0);
    EXPECT_EQ(m.count, 1u) << at;
    EXPECT_EQ(m.offset, at);
  }
}

}  // namespace
}  // namespace cindral
