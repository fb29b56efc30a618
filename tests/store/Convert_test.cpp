// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Convert.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

TEST(ValueToText, Integers) {
  EXPECT_EQ(ValueToText(Value::Int(-5)), "-5");
  EXPECT_EQ(ValueToText(Value::Int(kIntMin)), "-2147483648");
  EXPECT_EQ(ValueToText(Value::Short(-32768)), "-32768");
  EXPECT_EQ(ValueToText(Value::Byte(255)), "255");
  EXPECT_EQ(ValueToText(Value::Long(std::numeric_limits<int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(ValueToText(Value::Long(123456789012345LL)), "123456789012345");
  EXPECT_EQ(ValueToText(Value::Subroutine(-7)), "-7");
}

TEST(ValueToText, FloatingValuesUseShortestSignificantDigits) {
  EXPECT_EQ(ValueToText(Value::Double(12.0)), "12");
  EXPECT_EQ(ValueToText(Value::Double(5.0)), "5");
  EXPECT_EQ(ValueToText(Value::Double(0.1)), "0.1");
  EXPECT_EQ(ValueToText(Value::Double(-2.5)), "-2.5");
  EXPECT_EQ(ValueToText(Value::Double(1.0 / 3)), "0.3333333333333");  // 13 digits
  EXPECT_EQ(ValueToText(Value::Double(1e20)), "1e+20");
  EXPECT_EQ(ValueToText(Value::Float(0.1f)), "0.1");
  EXPECT_EQ(ValueToText(Value::Float(1.0f / 3)), "0.333333");  // 6 digits
  EXPECT_FALSE(ValueToText(Value::Double(std::nan(""))).empty());
}

TEST(ValueToText, OtherKinds) {
  EXPECT_EQ(ValueToText(Value::Logical(true)), GBK("真"));
  EXPECT_EQ(ValueToText(Value::Logical(false)), GBK("假"));
  EXPECT_EQ(ValueToText(Value::DateTime(0.5)), GBK("1899年12月30日12时"));
  EXPECT_EQ(ValueToText(Value::DateTime(1e9)), GBK("9999年12月31日"));
  EXPECT_EQ(ValueToText(Value::Text(GBK("单词"))), GBK("单词"));
  EXPECT_EQ(ValueToText(Value::ByteSet(std::string("ab\0cd", 5))), "ab");
  EXPECT_EQ(ValueToText(Value::ByteSet("abc")), "abc");
  EXPECT_EQ(ValueToText(Value()), "");
}

TEST(ValueToInteger, TextTakesTheLeadingNumber) {
  EXPECT_EQ(ValueToInteger(Value::Text(GBK("１２"))), 12);
  EXPECT_EQ(ValueToInteger(Value::Text("12abc")), 12);
  EXPECT_EQ(ValueToInteger(Value::Text("")), 0);
  EXPECT_EQ(ValueToInteger(Value::Text("abc")), 0);
  EXPECT_EQ(ValueToInteger(Value::Text("  -42x")), -42);
  EXPECT_EQ(ValueToInteger(Value::Text("\t\r\n +7")), 7);
  EXPECT_EQ(ValueToInteger(Value::Text("- 5")), 0);
  EXPECT_EQ(ValueToInteger(Value::Text("3.9")), 3);
  EXPECT_EQ(ValueToInteger(Value::Text(GBK("－３"))), -3);
  EXPECT_EQ(ValueToInteger(Value::Text(GBK("　５"))), 5);  // full-width space
  EXPECT_EQ(ValueToInteger(Value::Text(GBK("五"))), 0);
  EXPECT_EQ(ValueToInteger(Value::Text("12\xB0")), 12);  // dangling lead byte
  EXPECT_EQ(ValueToInteger(Value::Text("\xB0")), 0);
}

TEST(ValueToInteger, TextBeyondThirtyTwoBitsWraps) {
  EXPECT_EQ(TextToInteger("2147483647"), kIntMax);
  EXPECT_EQ(TextToInteger("-2147483648"), kIntMin);
  EXPECT_EQ(TextToInteger("2147483648"), kIntMin);
  EXPECT_EQ(TextToInteger("4294967297"), 1);
  EXPECT_EQ(TextToInteger("-4294967295"), 1);
  // 99999999999 − 23 × 4294967296
  EXPECT_EQ(TextToInteger("99999999999"), 1215752191);
  // 10^500 is a multiple of 2^32, so 10^500 − 1 wraps to −1.
  EXPECT_EQ(TextToInteger(std::string(500, '9')), -1);
}

TEST(ValueToInteger, FloatingTruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(ValueToInteger(Value::Double(3.9)), 3);
  EXPECT_EQ(ValueToInteger(Value::Double(-3.9)), -3);
  EXPECT_EQ(ValueToInteger(Value::Double(-0.5)), 0);
  EXPECT_EQ(ValueToInteger(Value::Float(2.5f)), 2);
  EXPECT_EQ(ValueToInteger(Value::Double(2147483647.9)), kIntMax);
  EXPECT_EQ(ValueToInteger(Value::Double(-2147483648.9)), kIntMin);
  EXPECT_EQ(ValueToInteger(Value::Double(1e10)), kIntMax);
  EXPECT_EQ(ValueToInteger(Value::Double(-1e10)), kIntMin);
  EXPECT_EQ(ValueToInteger(Value::Float(3e38f)), kIntMax);
  EXPECT_EQ(ValueToInteger(Value::Double(std::numeric_limits<double>::infinity())), kIntMax);
  EXPECT_EQ(ValueToInteger(Value::Double(-std::numeric_limits<double>::infinity())), kIntMin);
  EXPECT_EQ(ValueToInteger(Value::Double(std::nan(""))), 0);
  EXPECT_EQ(TruncateToInteger(2147483646.5), 2147483646);
}

TEST(ValueToInteger, IntegerKinds) {
  EXPECT_EQ(ValueToInteger(Value::Byte(200)), 200);
  EXPECT_EQ(ValueToInteger(Value::Short(-2)), -2);
  EXPECT_EQ(ValueToInteger(Value::Short(-32768)), -32768);
  EXPECT_EQ(ValueToInteger(Value::Int(kIntMin)), kIntMin);
  EXPECT_EQ(ValueToInteger(Value::Long(0x100000005LL)), 5);
  EXPECT_EQ(ValueToInteger(Value::Long(-1)), -1);
  EXPECT_EQ(ValueToInteger(Value::Long(0x80000000LL)), kIntMin);
  EXPECT_EQ(ValueToInteger(Value::Long(std::numeric_limits<int64_t>::min())), 0);
  EXPECT_EQ(ValueToInteger(Value::Logical(true)), 1);
  EXPECT_EQ(ValueToInteger(Value::Logical(false)), 0);
}

TEST(ValueToInteger, OtherKindsGiveZero) {
  EXPECT_EQ(ValueToInteger(Value::DateTime(39877.0)), 0);
  EXPECT_EQ(ValueToInteger(Value()), 0);
  EXPECT_EQ(ValueToInteger(Value::ByteSet("12")), 0);
  EXPECT_EQ(ValueToInteger(Value::Subroutine(5)), 0);
}

TEST(IntegerToText, Decimal) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-17), "-17");
  EXPECT_EQ(IntegerToText(kIntMin), "-2147483648");
  EXPECT_EQ(TextToInteger(IntegerToText(kIntMax)), kIntMax);
}

TEST(FoldFullWidth, FoldsFullWidthFormsOnly) {
  EXPECT_EQ(FoldFullWidth(GBK("ＡＢｃ１２！～")), "ABc12!~");
  EXPECT_EQ(FoldFullWidth("\xA3\xA1\xA3\xFE"), "!~");  // both ends of the full-width block
  EXPECT_EQ(FoldFullWidth("\xA1\xA1"), " ");
  EXPECT_EQ(FoldFullWidth("\xA1\xAB"), "~");
  EXPECT_EQ(FoldFullWidth("\xA1\xEE\xA1\xEF"), "**");
  EXPECT_EQ(FoldFullWidth(GBK("中文")), GBK("中文"));
  EXPECT_EQ(FoldFullWidth("\xA3\x40"), "\xA3\x40");  // a GBK extension character
  EXPECT_EQ(FoldFullWidth("plain"), "plain");
  EXPECT_EQ(FoldFullWidth(""), "");
}

TEST(FoldFullWidth, StepsOverTwoByteCharacters) {
  // 0xB0 0xA3 is one character; the 0xA3 inside it must not pair with the
  // lead byte of the following full-width "1".
  EXPECT_EQ(FoldFullWidth("\xB0\xA3\xA3\xB1"),
            "\xB0\xA3"
            "1");
  EXPECT_EQ(FoldFullWidth("a\xA3"), "a\xA3");  // dangling lead byte kept
}

TEST(SplitText, AdjacentDelimitersGiveEmptyElementsTrailingOnesNothing) {
  EXPECT_THAT(SplitText("a  b", " "), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitText("a b ", " "), ElementsAre("a", "b"));
  EXPECT_THAT(SplitText("a b c", " ", 2), ElementsAre("a", "b"));
  EXPECT_THAT(SplitText("1 2 3 4", " "), ElementsAre("1", "2", "3", "4"));
}

TEST(SplitText, EmptyInputsAndLimits) {
  EXPECT_THAT(SplitText("", " "), IsEmpty());
  EXPECT_THAT(SplitText("a,b", ",", 0), IsEmpty());
  EXPECT_THAT(SplitText("a,b", ""), ElementsAre("a,b"));
  EXPECT_THAT(SplitText("a,b", ",", -1), IsEmpty());  // any maximum below 1 gives nothing
  EXPECT_THAT(SplitText("a,b", "", -1), IsEmpty());
  EXPECT_THAT(SplitText("a,b", ",", std::numeric_limits<int32_t>::min()), IsEmpty());
  EXPECT_THAT(SplitText("a,b", ",", std::nullopt), ElementsAre("a", "b"));
  EXPECT_THAT(SplitText("a,b,c"), ElementsAre("a", "b", "c"));
  EXPECT_THAT(SplitText("a,b,c", ",", 1), ElementsAre("a"));
  EXPECT_THAT(SplitText("a,b", ",", 5), ElementsAre("a", "b"));
  EXPECT_THAT(SplitText("a,b", ",", 2), ElementsAre("a", "b"));
  EXPECT_THAT(SplitText(",a"), ElementsAre("", "a"));
  EXPECT_THAT(SplitText(",,"), ElementsAre("", ""));
  EXPECT_THAT(SplitText(","), ElementsAre(""));
  EXPECT_THAT(SplitText("a", ",,,"), ElementsAre("a"));
  EXPECT_THAT(SplitText("a::b::", "::"), ElementsAre("a", "b"));
}

TEST(SplitText, StepsOverTwoByteCharacters) {
  // "\x81\x40" is one character whose second byte is "@".
  EXPECT_THAT(SplitText("\x81\x40@b", "@"), ElementsAre("\x81\x40", "b"));
  EXPECT_THAT(SplitText(GBK("甲，乙，"), GBK("，")), ElementsAre(GBK("甲"), GBK("乙")));
  // The bytes of the delimiter across a character boundary are no delimiter.
  EXPECT_THAT(SplitText("\xB0\xA3\xAC\xA1", "\xA3\xAC"), ElementsAre("\xB0\xA3\xAC\xA1"));
  EXPECT_THAT(SplitText("a,\xB0", ","), ElementsAre("a", "\xB0"));
}

TEST(RandomGenerator, FollowsTheLinearCongruentialFormula) {
  // state = state × 214013 + 2531011 (mod 2^32), value = bits 16..30. Seed 1
  // gives the well-known C library sequence 41, 18467, 6334, 26500, 19169.
  RandomGenerator g;
  g.SeedRandom(1);
  EXPECT_EQ(g.Next(), 41);
  EXPECT_EQ(g.Next(), 18467);
  EXPECT_EQ(g.Next(), 6334);
  EXPECT_EQ(g.Next(), 26500);
  EXPECT_EQ(g.Next(), 19169);
  EXPECT_EQ(g.state(), 3403800452u);
  // Seed 0: the first state is 2531011 = 0x00269EC3, so the first value is 0x26.
  g.SeedRandom(0);
  EXPECT_EQ(g.Next(), 38);
  EXPECT_EQ(g.Next(), 7719);
  EXPECT_EQ(g.Next(), 21238);
  g.SeedRandom(59);
  EXPECT_EQ(g.Next(), 231);
  EXPECT_EQ(g.Next(), 19283);
}

TEST(RandomGenerator, ValuesStayWithinFifteenBits) {
  RandomGenerator g;
  g.SeedRandom(0xFFFFFFFFu);
  for (int i = 0; i < 100000; ++i) {
    const int32_t v = g.Next();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}

TEST(RandomInRange, EqualBoundsDrawNothing) {
  RandomGenerator g;
  g.SeedRandom(1234);
  EXPECT_EQ(g.RandomInRange(5, 5), 5);
  EXPECT_EQ(g.state(), 1234u);
  EXPECT_EQ(g.RandomInRange(-5, -1), 0);  // both negative: both 0
  EXPECT_EQ(g.state(), 1234u);
}

TEST(RandomInRange, ReducesTheDrawIntoTheRange) {
  RandomGenerator g;
  g.SeedRandom(1);
  EXPECT_EQ(g.RandomInRange(10, 20), 18);  // 10 + 41 mod 11
  EXPECT_EQ(g.RandomInRange(), 18467);     // 0 + 18467 mod 2147483647
  EXPECT_EQ(g.RandomInRange(0, 9), 4);     // 6334 mod 10
  EXPECT_EQ(g.RandomInRange(-3, 2), 1);    // 0 + 26500 mod 3
}

TEST(RandomInRange, SwappedBoundsStayInside) {
  RandomGenerator g;
  g.SeedRandom(7);
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 2000; ++i) {
    const int32_t v = g.RandomInRange(9, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 9);
    sawLow = sawLow || v == 1;
    sawHigh = sawHigh || v == 9;
  }
  EXPECT_TRUE(sawLow);
  EXPECT_TRUE(sawHigh);
  for (int i = 0; i < 1000; ++i) {
    const int32_t v = g.RandomInRange(kIntMax - 3, kIntMax);
    ASSERT_GE(v, kIntMax - 3);
  }
  for (int i = 0; i < 1000; ++i) ASSERT_GE(g.RandomInRange(kIntMin, kIntMax), 0);
}

TEST(RandomGenerator, SeedingFromTheClockNeverRepeatsAtOnce) {
  // Two seeds taken in the same millisecond still differ: the counter added
  // to the tick grows by 100 to 355 each time.
  RandomGenerator g;
  g.SeedRandom();
  const uint32_t first = g.state();
  g.SeedRandom();
  const uint32_t second = g.state();
  const uint32_t gap = second - first;
  EXPECT_GE(gap, 100u);
  EXPECT_LE(gap, 355u + 10000u);  // plus at most ten seconds of ticks
}

}  // namespace
}  // namespace cindral
