// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DateTime.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cmath>
#include <ctime>
#include <limits>

#include "ManualClock.h"
#include "store/FatalError.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kHour = 1.0 / 24;

// Serial days worked out from the calendar, independently of the code
// under test: 1 January 1900 is day 2, 2009 has 39813 days before it.
constexpr double k5Mar2009 = 39877;  // a Thursday
constexpr double k9Mar2009 = 39881;  // a Monday

void ExpectParts(double d, int y, int mo, int day, int h, int mi, int s) {
  const DateParts p = SplitDateTime(d);
  EXPECT_EQ(p.year, y) << d;
  EXPECT_EQ(p.month, mo) << d;
  EXPECT_EQ(p.day, day) << d;
  EXPECT_EQ(p.hour, h) << d;
  EXPECT_EQ(p.minute, mi) << d;
  EXPECT_EQ(p.second, s) << d;
}

int TestMonthLength(int y, int m) {
  if (m == 2) return ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0) ? 29 : 28;
  return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31;
}

TEST(DateTimeCalendar, RangeEndsAndKnownDays) {
  EXPECT_EQ(MakeDateTime(100, 1, 1), kMinDateTime);
  EXPECT_EQ(MakeDateTime(9999, 12, 31), kMaxDateTime);
  EXPECT_EQ(MakeDateTime(1899, 12, 30), 0.0);
  EXPECT_EQ(MakeDateTime(1900, 1, 1), 2.0);
  EXPECT_EQ(MakeDateTime(1900, 3, 1), 61.0);  // 1900 was no leap year
  EXPECT_EQ(MakeDateTime(1970, 1, 1), 25569.0);
  EXPECT_EQ(MakeDateTime(2000, 1, 1), 36526.0);
  EXPECT_EQ(MakeDateTime(2009, 3, 5), k5Mar2009);
  EXPECT_EQ(MakeDateTime(2009, 3, 5, 12), k5Mar2009 + 0.5);
}

TEST(DateTimeCalendar, EveryDayOfTheRangeFollowsTheCalendar) {
  // Walks day by day from 1 January 100 to 31 December 9999 with a calendar
  // kept by the test itself: leap days, month ends and weekdays all line up.
  int y = 100, m = 1, d = 1;
  int weekday = 6;  // 1 January 100 was a Friday
  bool ok = true;
  for (double serial = kMinDateTime; serial <= kMaxDateTime && ok; serial += 1) {
    const DateParts p = SplitDateTime(serial);
    ok = p.year == y && p.month == m && p.day == d && p.weekday == weekday && p.hour == 0 &&
         MakeDateTime(y, m, d) == serial;
    EXPECT_TRUE(ok) << "serial " << serial << " expected " << y << "-" << m << "-" << d;
    weekday = weekday % 7 + 1;
    if (++d > TestMonthLength(y, m)) {
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
  EXPECT_EQ(y, 10000);
}

TEST(DateTimeCalendar, WeekdayCountsFromSunday) {
  EXPECT_EQ(SplitDateTime(0.0).weekday, 7);  // Saturday
  EXPECT_EQ(SplitDateTime(1.0).weekday, 1);  // Sunday
  EXPECT_EQ(SplitDateTime(k5Mar2009).weekday, 5);
  EXPECT_EQ(SplitDateTime(k9Mar2009).weekday, 2);
  EXPECT_EQ(SplitDateTime(-1.25).weekday, 6);  // Friday 29 December 1899
}

TEST(DateTimeNegative, WholePartCountsBackTimeCountsForward) {
  ExpectParts(-1.25, 1899, 12, 29, 6, 0, 0);
  ExpectParts(-1.75, 1899, 12, 29, 18, 0, 0);
  ExpectParts(-0.5, 1899, 12, 30, 12, 0, 0);  // same moment as 0.5
  ExpectParts(0.5, 1899, 12, 30, 12, 0, 0);
  EXPECT_EQ(MakeDateTime(1899, 12, 29, 6), -1.25);
  EXPECT_EQ(MakeDateTime(1899, 12, 29, 18), -1.75);
  EXPECT_EQ(DatePart(-1.25), -1.0);
  EXPECT_EQ(DatePart(-0.5), 0.0);
}

TEST(DateTimeClamp, OutOfRangeAndNonFiniteValues) {
  EXPECT_EQ(ClampDateTime(kNaN), kMinDateTime);
  EXPECT_EQ(ClampDateTime(-kInf), kMinDateTime);
  EXPECT_EQ(ClampDateTime(kInf), kMaxDateTime);
  EXPECT_EQ(ClampDateTime(1e300), kMaxDateTime);
  EXPECT_EQ(ClampDateTime(-657434.5), kMinDateTime);
  EXPECT_EQ(ClampDateTime(2958465.5), kMaxDateTime);  // 31 Dec 9999 12:00 is past the end
  EXPECT_EQ(ClampDateTime(k5Mar2009), k5Mar2009);
  ExpectParts(1e300, 9999, 12, 31, 0, 0, 0);
  ExpectParts(kNaN, 100, 1, 1, 0, 0, 0);
  ExpectParts(-kInf, 100, 1, 1, 0, 0, 0);
  EXPECT_EQ(DatePart(kInf), kMaxDateTime);
  EXPECT_EQ(SecondOf(kNaN), 0);
}

TEST(DateTimeParts, TimeOfDayRoundsToWholeSeconds) {
  ExpectParts(MakeDateTime(2009, 3, 5, 23, 59, 59), 2009, 3, 5, 23, 59, 59);
  // A hair before midnight is midnight of the next day.
  ExpectParts(k5Mar2009 + 1 - 1e-9, 2009, 3, 6, 0, 0, 0);
  ExpectParts(-1 - (1 - 1e-9), 1899, 12, 30, 0, 0, 0);
  EXPECT_EQ(SecondOf(MakeDateTime(2009, 3, 5, 1, 2, 3)), 3);
  EXPECT_EQ(SecondOf(k5Mar2009 + 59.4 / 86400), 59);
  EXPECT_EQ(DatePart(MakeDateTime(2009, 3, 5, 23, 59, 59)), k5Mar2009);
}

TEST(DateTimeClock, CurrentDateTimeReadsTheClock) {
  ManualClock clock(k5Mar2009 + 0.25);
  EXPECT_EQ(CurrentDateTime(clock), k5Mar2009 + 0.25);
  EXPECT_EQ(DatePart(CurrentDateTime(clock)), k5Mar2009);
}

TEST(DateTimeClock, AnUnreadableLocalTimeIsAFatalErrorNotTheZeroDate) {
  const SystemClock broken([](std::tm*) { return false; });
  try {
    broken.Now();
    FAIL() << "no error raised";
  } catch (const FatalError& error) {
    EXPECT_EQ(error.number, 0);
    EXPECT_EQ(GbkToUtf8(error.text), "无法读取本机的当前时间");
  }
}

TEST(DateTimeClock, SystemClockGivesLocalTimeInWholeSeconds) {
  const std::time_t before = std::time(nullptr);
  const double now = SystemClock().Now();
  std::tm local{};
  ASSERT_NE(localtime_r(&before, &local), nullptr);
  // Local seconds since 1970 turned into days since 30 December 1899.
  const double expected = 25569.0 + (static_cast<double>(before) + local.tm_gmtoff) / 86400.0;
  EXPECT_NEAR(now, expected, 2.0 / 86400);
  const DateParts p = SplitDateTime(now);
  EXPECT_EQ(MakeDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second), now);
}

TEST(DateIntervalDays, CountsDaysWithTheirFraction) {
  EXPECT_EQ(DateInterval(k5Mar2009, k5Mar2009, 5), 0.0);
  EXPECT_EQ(DateInterval(k5Mar2009, k5Mar2009 - 1, 5), 1.0);
  EXPECT_EQ(DateInterval(k5Mar2009 - 1, k5Mar2009, 5), -1.0);
  EXPECT_DOUBLE_EQ(DateInterval(k5Mar2009 + 0.5, k5Mar2009, 5), 0.5);
  // Both ends beyond the range clamp to the same day.
  EXPECT_EQ(DateInterval(1e9, 2e9, 5), 0.0);
  EXPECT_EQ(DateInterval(kMaxDateTime, kMinDateTime, 5), 3615899.0);
}

TEST(DateIntervalDays, AcrossDayZeroUsesTheContinuousValue) {
  // 29 December 06:00 to 30 December 06:00 is one day, not 1.5.
  EXPECT_DOUBLE_EQ(DateInterval(0.25, -1.25, 5), 1.0);
  EXPECT_DOUBLE_EQ(DateInterval(-1.25, 0.25, 5), -1.0);
  // 29 December 12:00 lies a quarter day after 29 December 06:00.
  EXPECT_DOUBLE_EQ(DateInterval(-1.5, -1.25, 5), 0.25);
  EXPECT_DOUBLE_EQ(DateInterval(-0.5, 0.5, 5), 0.0);  // the same moment
  EXPECT_DOUBLE_EQ(DateInterval(-2.0, -1.0, 5), -1.0);
}

TEST(DateIntervalCalendarUnits, YearsQuartersMonthsIgnoreDayAndTime) {
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 2, 1), MakeDateTime(2009, 1, 31), 3), 1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 1, 1), MakeDateTime(2008, 12, 31, 23, 59, 59), 1), 1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2008, 12, 31), MakeDateTime(2009, 1, 1), 1), -1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 12, 31), MakeDateTime(2009, 1, 1), 1), 0.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 4, 1), MakeDateTime(2009, 3, 31), 2), 1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 12, 31), MakeDateTime(2009, 1, 1), 2), 3.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2010, 1, 1), MakeDateTime(2008, 12, 31), 2), 5.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2010, 1, 15), MakeDateTime(2008, 3, 31), 3), 22.0);
  EXPECT_EQ(DateInterval(0.0, -1.0, 3), 0.0);
  EXPECT_EQ(DateInterval(2.0, 0.0, 1), 1.0);  // 1 January 1900 against 30 December 1899
  EXPECT_EQ(DateInterval(kMaxDateTime + 400, kMinDateTime - 400, 1), 9899.0);
}

TEST(DateIntervalWeeks, CountsSundays) {
  const double saturday = k9Mar2009 - 2;
  EXPECT_EQ(DateInterval(k9Mar2009, saturday, 4), 1.0);
  EXPECT_EQ(DateInterval(saturday, k9Mar2009, 4), -1.0);
  EXPECT_EQ(DateInterval(k9Mar2009 + 5, k9Mar2009 - 1, 4), 0.0);  // Saturday after Sunday
  EXPECT_EQ(DateInterval(k9Mar2009 + 6, k9Mar2009 - 1, 4), 1.0);  // Sunday to Sunday
  EXPECT_EQ(DateInterval(k9Mar2009 + 13, k9Mar2009 - 1, 4), 2.0);
  EXPECT_EQ(DateInterval(k9Mar2009 - 1, k9Mar2009 + 13, 4), -2.0);
  // Day 1 (31 December 1899) is a Sunday; day -1 a Friday.
  EXPECT_EQ(DateInterval(1.0, -1.0, 4), 1.0);
  EXPECT_EQ(DateInterval(-1.0, 1.0, 4), -1.0);
}

TEST(DateIntervalWeeks, TimeOfDayDoesNotHideASunday) {
  // Sunday 23:00 to the next Sunday 01:00 is only 6 days and 2 hours apart,
  // yet one Sunday lies after the start up to and including the end.
  const double sundayLate = MakeDateTime(2009, 3, 8, 23);
  const double nextSundayEarly = MakeDateTime(2009, 3, 15, 1);
  EXPECT_EQ(DateInterval(nextSundayEarly, sundayLate, 4), 1.0);
  EXPECT_EQ(DateInterval(sundayLate, nextSundayEarly, 4), -1.0);
}

TEST(DateIntervalClockUnits, HoursMinutesSecondsTruncate) {
  const double t = MakeDateTime(2009, 3, 5, 10, 0, 0);
  EXPECT_EQ(DateInterval(t + kHour, t, 6), 1.0);
  EXPECT_EQ(DateInterval(t + 1.5 * kHour, t, 6), 1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 3, 5, 11, 30), t, 7), 90.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 3, 5, 10, 0, 1), t, 8), 1.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 3, 6, 10), t, 8), 86400.0);
  // Units beyond the ends: below 1 is years, above 8 is seconds.
  EXPECT_EQ(DateInterval(MakeDateTime(2011, 1, 1), MakeDateTime(2009, 12, 31), 0), 2.0);
  EXPECT_EQ(DateInterval(MakeDateTime(2009, 3, 5, 10, 0, 7), t, 99), 7.0);
}

TEST(DateIntervalClockUnits, NegativeDifferencesAreWholeUnitsToo) {
  const double t = MakeDateTime(2009, 3, 5, 10, 0, 0);
  EXPECT_EQ(DateInterval(t, t + kHour, 6), -1.0);
  EXPECT_EQ(DateInterval(t, MakeDateTime(2009, 3, 5, 10, 1), 7), -1.0);
  EXPECT_EQ(DateInterval(t, MakeDateTime(2009, 3, 5, 10, 0, 1), 8), -1.0);
  EXPECT_EQ(DateInterval(t, t + 1.5 * kHour, 6), -1.0);
}

TEST(DateIntervalClockUnits, AcrossDayZeroAndSaturating) {
  // 29 December 07:00 against 29 December 06:00 (raw values −1.2917 and −1.25).
  EXPECT_EQ(DateInterval(MakeDateTime(1899, 12, 29, 7), -1.25, 6), 1.0);
  EXPECT_EQ(DateInterval(0.25, -1.25, 6), 24.0);
  EXPECT_EQ(DateInterval(kMaxDateTime, kMinDateTime, 6), 86781576.0);
  EXPECT_EQ(DateInterval(kMaxDateTime, kMinDateTime, 8), 2147483647.0);
  EXPECT_EQ(DateInterval(kMinDateTime, kMaxDateTime, 8), -2147483648.0);
}

TEST(AddToDate, MonthEndsLeapDaysAndZeroAmount) {
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 1, 31), 3, 1), MakeDateTime(2009, 2, 28));
  EXPECT_EQ(AddToDate(MakeDateTime(2008, 2, 29), 1, 1), MakeDateTime(2009, 2, 28));
  EXPECT_EQ(AddToDate(MakeDateTime(2008, 2, 29), 1, 4), MakeDateTime(2012, 2, 29));
  EXPECT_EQ(AddToDate(k5Mar2009 + 0.3, 5, 0), k5Mar2009 + 0.3);
  EXPECT_EQ(AddToDate(k5Mar2009, 5, 88), k5Mar2009 + 88);
}

TEST(AddToDate, MonthsCarryIntoYearsAndKeepTheTime) {
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 3, 31), 3, -1), MakeDateTime(2009, 2, 28));
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 1, 15), 3, -13), MakeDateTime(2007, 12, 15));
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 11, 30), 2, 1), MakeDateTime(2010, 2, 28));
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 12, 31), 3, 2), MakeDateTime(2010, 2, 28));
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 1, 31, 13, 14, 15), 3, 1),
            MakeDateTime(2009, 2, 28, 13, 14, 15));
  EXPECT_EQ(AddToDate(-1.25, 3, 1), MakeDateTime(1900, 1, 29, 6));
}

TEST(AddToDate, HugeAmountsClampToTheRange) {
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 3, 5), 1, 100000), MakeDateTime(9999, 3, 5));
  // The month follows from the amount (−2147483648 months is 178956970
  // years and 8 months back; 3 × 2147483647 months is 9 months short of a
  // whole number of years) and only the year is held at the range end.
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 3, 5), 3, std::numeric_limits<int32_t>::min()),
            MakeDateTime(100, 7, 5));
  EXPECT_EQ(AddToDate(MakeDateTime(2009, 3, 5), 2, std::numeric_limits<int32_t>::max()),
            MakeDateTime(9999, 12, 5));
  EXPECT_EQ(AddToDate(kMaxDateTime, 5, 1), kMaxDateTime);
  EXPECT_EQ(AddToDate(kMinDateTime, 5, -1), kMinDateTime);
  EXPECT_EQ(AddToDate(k5Mar2009, 4, std::numeric_limits<int32_t>::max()), kMaxDateTime);
  EXPECT_EQ(AddToDate(kNaN, 5, 1), kMinDateTime + 1);
}

TEST(AddToDate, DaysAndClockUnitsAcrossDayZero) {
  EXPECT_EQ(AddToDate(k5Mar2009, 4, -2), k5Mar2009 - 14);
  EXPECT_EQ(AddToDate(-1.25, 5, 1), 0.25);
  EXPECT_EQ(AddToDate(0.25, 5, -1), -1.25);
  EXPECT_EQ(AddToDate(-1.25, 5, -1), -2.25);
  ExpectParts(AddToDate(-1.25, 6, 1), 1899, 12, 29, 7, 0, 0);
  ExpectParts(AddToDate(-1.25, 6, 24), 1899, 12, 30, 6, 0, 0);
  ExpectParts(AddToDate(0.25, 6, -12), 1899, 12, 29, 18, 0, 0);
  ExpectParts(AddToDate(-1.25, 7, -361), 1899, 12, 28, 23, 59, 0);
  ExpectParts(AddToDate(-1.25, 8, 86399), 1899, 12, 30, 5, 59, 59);
  ExpectParts(AddToDate(MakeDateTime(2009, 12, 31, 23, 59, 59), 8, 1), 2010, 1, 1, 0, 0, 0);
}

TEST(DateToText, Formats) {
  EXPECT_EQ(DateToText(0.0, 2), GBK("1899年12月30日"));
  EXPECT_EQ(DateToText(0.0), GBK("1899年12月30日"));
  EXPECT_EQ(DateToText(0.5, 1), GBK("1899年12月30日12时"));
  EXPECT_EQ(DateToText(0.5, 2), GBK("1899年12月30日"));
  EXPECT_EQ(DateToText(MakeDateTime(2009, 3, 5, 13, 14), 1), GBK("2009年3月5日13时14分"));
  EXPECT_EQ(DateToText(MakeDateTime(2009, 3, 5, 0, 5), 1), GBK("2009年3月5日0时5分"));
  EXPECT_EQ(DateToText(MakeDateTime(2009, 3, 5, 0, 0, 9), 1), GBK("2009年3月5日0时0分9秒"));
  EXPECT_EQ(DateToText(MakeDateTime(2009, 3, 5, 13, 14, 15), 3), GBK("13时14分15秒"));
  EXPECT_EQ(DateToText(0.0, 3), GBK("0时0分0秒"));
  EXPECT_EQ(DateToText(-1.25, 1), GBK("1899年12月29日6时"));
  // Formats beyond the ends act as the nearest one.
  EXPECT_EQ(DateToText(0.5, 0), GBK("1899年12月30日12时"));
  EXPECT_EQ(DateToText(0.5, 9), GBK("12时0分0秒"));
  EXPECT_EQ(DateToText(kNaN, 2), GBK("100年1月1日"));
  EXPECT_EQ(DateToText(1e12, 1), GBK("9999年12月31日"));
}

TEST(TextToDate, AcceptsDatesAndTimes) {
  EXPECT_EQ(TextToDate(GBK("1899年12月30日")), 0.0);
  EXPECT_EQ(TextToDate("2009-3-5"), k5Mar2009);
  EXPECT_EQ(TextToDate("2009/03/05"), k5Mar2009);
  EXPECT_EQ(TextToDate("2009.3.5"), k5Mar2009);
  EXPECT_EQ(TextToDate("2008-2-29"), MakeDateTime(2008, 2, 29));
  EXPECT_EQ(TextToDate("100-1-1"), kMinDateTime);
  EXPECT_EQ(TextToDate("9999-12-31"), kMaxDateTime);
  const double t = MakeDateTime(2009, 3, 5, 13, 14, 15);
  EXPECT_EQ(TextToDate("2009-3-5 13:14:15"), t);
  EXPECT_EQ(TextToDate(GBK("2009年3月5日13时14分15秒")), t);
  EXPECT_EQ(TextToDate(GBK("2009年3月5日13时14分15秒以后")), t);
  EXPECT_EQ(TextToDate(GBK("2009年3月5日13时")), MakeDateTime(2009, 3, 5, 13));
  EXPECT_EQ(TextToDate("2009-3-5 13:14"), MakeDateTime(2009, 3, 5, 13, 14));
  EXPECT_EQ(TextToDate("2009-3-5 23:59:59"), MakeDateTime(2009, 3, 5, 23, 59, 59));
  // Separators may be left out: each part takes its own number of digits.
  EXPECT_EQ(TextToDate("20090305"), k5Mar2009);
  EXPECT_EQ(TextToDate("200903051314"), MakeDateTime(2009, 3, 5, 13, 14));
}

TEST(TextToDate, FoldsFullWidthCharacters) {
  EXPECT_EQ(TextToDate(GBK("２００９年３月５日")), k5Mar2009);
  EXPECT_EQ(TextToDate(GBK("２００９－３－５")), k5Mar2009);
  // The full-width space separates the day from the time.
  EXPECT_EQ(TextToDate(GBK("2009-3-5　13：14")), MakeDateTime(2009, 3, 5, 13, 14));
}

TEST(TextToDate, RejectsWhatIsNoDate) {
  EXPECT_EQ(TextToDate(GBK("2009年2月30日")), kMinDateTime);
  EXPECT_EQ(TextToDate(GBK("2009年13月1日")), kMinDateTime);
  EXPECT_EQ(TextToDate(""), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-2-29"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-4-31"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-0"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-5abc"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-5 13:14:15x"), kMinDateTime);
  EXPECT_EQ(TextToDate(GBK("2009年")), kMinDateTime);     // no month
  EXPECT_EQ(TextToDate(GBK("2009年3月")), kMinDateTime);  // no day
  EXPECT_EQ(TextToDate("3-5"), kMinDateTime);             // year 3
  EXPECT_EQ(TextToDate("2009-3-5 24:00"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-5 12:60"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-5 12:00:60"), kMinDateTime);
  EXPECT_EQ(TextToDate(" 2009-3-5"), kMinDateTime);
  EXPECT_EQ(TextToDate("2009-3-5\xC4"), kMinDateTime);  // dangling lead byte
  EXPECT_EQ(TextToDate("\xC4"), kMinDateTime);
}

TEST(DateComparison, SameDateTimeClampsFirst) {
  EXPECT_TRUE(SameDateTime(3e6, 4e6));
  EXPECT_TRUE(SameDateTime(kNaN, -1e7));
  EXPECT_TRUE(SameDateTime(kInf, kMaxDateTime));
  EXPECT_TRUE(SameDateTime(k5Mar2009, k5Mar2009));
  EXPECT_FALSE(SameDateTime(1.0, 1.0 + 1e-9));
  EXPECT_FALSE(SameDateTime(kMinDateTime, kMaxDateTime));
}

TEST(FloatComparison, ToleranceOfOneTenMillionth) {
  EXPECT_TRUE(FloatEqual(1.0, 1.0 + 5e-8));
  EXPECT_TRUE(FloatEqual(1.0 + 5e-8, 1.0));
  EXPECT_FALSE(FloatEqual(1.0, 1.0 + 2e-7));
  EXPECT_TRUE(FloatGreater(1.0 + 2e-7, 1.0));
  EXPECT_FALSE(FloatGreater(1.0 + 5e-8, 1.0));
  EXPECT_FALSE(FloatGreater(1.0, 1.0));
  EXPECT_TRUE(FloatGreaterEqual(1.0 - 5e-8, 1.0));
  EXPECT_TRUE(FloatGreaterEqual(2.0, 1.0));
  EXPECT_FALSE(FloatGreaterEqual(1.0 - 2e-7, 1.0));
  EXPECT_FALSE(FloatEqual(kNaN, kNaN));
}

}  // namespace
}  // namespace cindral
