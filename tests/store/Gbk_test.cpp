// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Gbk.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "WholeConversion.h"

namespace cindral {
namespace {

// Whether a text is well-formed UTF-8 (what the desktop is handed).
bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

TEST(Gbk, ChineseTextRoundTrips) {
  // The word book's name and the unit characters, as GBK bytes.
  EXPECT_EQ(Utf8ToGbk("单词本"), "\xB5\xA5\xB4\xCA\xB1\xBE");
  EXPECT_EQ(GbkToUtf8("\xB5\xA5\xB4\xCA\xB1\xBE"), "单词本");
  EXPECT_EQ(GBK("年月日"), "\xC4\xEA\xD4\xC2\xC8\xD5");
  const std::string mixed = "apple 苹果；熟练度：100（～）";
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk(mixed)), mixed);
  EXPECT_EQ(Utf8ToGbk(""), "");
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(Utf8ToGbk("plain ascii"), "plain ascii");
}

TEST(Gbk, LongTextsConvertWhole) {
  // Longer than any internal buffer: nothing may be lost at a boundary.
  std::string utf8;
  for (int i = 0; i < 3000; ++i) utf8 += i % 3 == 0 ? "a" : "词";
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk.size(), 1000u + 2000u * 2);
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(Gbk, FourByteCharacterRoundTrips) {
  // Characters outside GBK take four bytes in GB18030 and must survive.
  EXPECT_EQ(Utf8ToGbk("😀"), "\x94\x39\xFC\x36");
  EXPECT_EQ(GbkToUtf8("\x94\x39\xFC\x36"), "😀");
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk("a😀b€")), "a😀b€");
}

TEST(Gbk, InvalidGbkBecomesReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(GbkToUtf8("\x81"), replacement);  // dangling lead byte
  EXPECT_EQ(GbkToUtf8("abc\xB0"), "abc" + replacement);
  EXPECT_EQ(GbkToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  const std::string bad = GbkToUtf8("\xFF\xFF");
  EXPECT_NE(bad.find(replacement), std::string::npos);
  EXPECT_TRUE(IsValidUtf8(bad));
}

TEST(Gbk, EveryBytePairGivesValidUtf8) {
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string out = GbkToUtf8(std::string_view(pair, 2));
      ASSERT_FALSE(out.empty()) << lead << " " << trail;
      ASSERT_TRUE(IsValidUtf8(out)) << lead << " " << trail;
    }
  }
}

std::optional<std::string> ConverterUtf8(const std::string& gbk) {
  return testing::ConvertWhole("UTF-8", "GB18030", gbk);
}

TEST(Gbk, EveryCharacterDecodesAsTheConverterDoes) {
  // Characters are decoded from a table filled one lead byte at a time;
  // each one, between others, must come out as the converter gives it.
  int compared = 0;
  for (int lead = 0x80; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string text = std::string("\xB0\xA1") + static_cast<char>(lead) +
                               static_cast<char>(trail) + "a\xD7\xD6";
      const std::optional<std::string> expected = ConverterUtf8(text);
      if (!expected) continue;
      ASSERT_EQ(GbkToUtf8(text), *expected) << lead << " " << trail;
      ++compared;
    }
  }
  EXPECT_GT(compared, 126 * 190 - 1000);
  EXPECT_EQ(GbkToUtf8("\xB0\xA1\x94\x39\xFC\x36\xB0\xA1"), "啊😀啊");
}

TEST(Gbk, InvalidUtf8BecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(Utf8ToGbk("\xE4\xB8"), "??");  // cut-off three-byte sequence
  EXPECT_EQ(Utf8ToGbk("\xC0\xAF"), "??");  // overlong slash
}

TEST(Gbk, CharacterLengthStepsOverPairs) {
  const std::string s = "a\xB5\xA5\xB0";
  EXPECT_EQ(GbkCharLength(s, 0), 1u);
  EXPECT_EQ(GbkCharLength(s, 1), 2u);
  EXPECT_EQ(GbkCharLength(s, 3), 1u);  // a lead byte with nothing after it
}

}  // namespace
}  // namespace cindral
