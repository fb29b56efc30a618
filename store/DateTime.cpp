// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DateTime.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>

#include "store/Convert.h"
#include "store/FatalError.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Serial day of 1 January 1970, the origin of DaysFromCivil.
constexpr int64_t kUnixEpochSerial = 25569;
// Absorbs the floating error of a difference before it is truncated to whole
// hours, minutes or seconds.
constexpr double kHalfSecondInDays = 5.787037037037037e-6;

// GBK bytes of the unit characters.
constexpr char kYear[] = "\xC4\xEA";    // 年
constexpr char kMonth[] = "\xD4\xC2";   // 月
constexpr char kDay[] = "\xC8\xD5";     // 日
constexpr char kHour[] = "\xCA\xB1";    // 时
constexpr char kMinute[] = "\xB7\xD6";  // 分
constexpr char kSecond[] = "\xC3\xEB";  // 秒

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Days since 1 January 1970 of a proleptic Gregorian date (any year; the
// month is taken as 1..12).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;                                    // 0..399
  const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // 0..365
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // 0..146096
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int* year, int* month, int* day) {
  z += 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  *month = static_cast<int>(m);
  *day = static_cast<int>(d);
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsLeapYear(y)) ? 29 : kLengths[m - 1];
}

int ClampInt(int64_t v, int lo, int hi) {
  return static_cast<int>(v < lo ? lo : (v > hi ? hi : v));
}

// The calendar day (serial day number) and the second of that day of a
// clamped date-time. A time that rounds up to midnight belongs to the next day.
void SplitDaySeconds(double d, int64_t* dayNumber, int64_t* secondOfDay) {
  const double whole = std::trunc(d);
  int64_t day = static_cast<int64_t>(whole);
  int64_t secs = std::llround(std::fabs(d - whole) * kSecondsPerDay);
  if (secs >= kSecondsPerDay) {
    ++day;
    secs -= kSecondsPerDay;
  }
  *dayNumber = day;
  *secondOfDay = secs;
}

double FromDaySeconds(int64_t dayNumber, int64_t secondOfDay) {
  const double t = static_cast<double>(secondOfDay) / kSecondsPerDay;
  const double day = static_cast<double>(dayNumber);
  // Before day 0 the whole part counts back while the fraction counts forward.
  return dayNumber >= 0 ? day + t : day - t;
}

// Weekday of a serial day number: day 0 was a Saturday (7).
int WeekdayOf(int64_t dayNumber) {
  int64_t r = dayNumber % 7;
  if (r < 0) r += 7;
  return static_cast<int>((r + 6) % 7 + 1);
}

// The continuous value: negative date-times turned into a count that grows
// with time, so that differences and sums work across day 0.
double Continuous(double v) {
  if (v >= 0) return v;
  const double c = std::ceil(v);
  return c - (v - c);
}

// Inverse of Continuous (applying Continuous again would turn −0.75 into
// 0.75 instead of back into −1.25).
double FromContinuous(double x) {
  if (x >= 0) return x;
  const double f = std::floor(x);
  return f - (x - f);
}

int32_t ClampUnit(int32_t unit) {
  return unit < kUnitYear ? kUnitYear : (unit > kUnitSecond ? kUnitSecond : unit);
}

bool MatchAt(const std::string& s, size_t pos, const char* token) {
  return s.compare(pos, std::char_traits<char>::length(token), token) == 0;
}

bool IsDigitAt(const std::string& s, size_t pos) {
  return pos < s.size() && s[pos] >= '0' && s[pos] <= '9';
}

// Reads at most `maxDigits` decimal digits; none read gives 0.
int ReadNumber(const std::string& s, size_t* pos, int maxDigits) {
  int value = 0;
  for (int n = 0; n < maxDigits && IsDigitAt(s, *pos); ++n, ++*pos) {
    value = value * 10 + (s[*pos] - '0');
  }
  return value;
}

// Steps over one separator if there is one: an ASCII separator, a space when
// allowed, or the unit character of the part just read.
void SkipSeparator(const std::string& s, size_t* pos, const char* unit, bool spaceAllowed) {
  if (*pos >= s.size()) return;
  const char ch = s[*pos];
  if (ch == '-' || ch == '.' || ch == '/' || ch == ':' || (spaceAllowed && ch == ' ')) {
    ++*pos;
  } else if (MatchAt(s, *pos, unit)) {
    *pos += 2;
  }
}

}  // namespace

double ClampDateTime(double d) {
  if (std::isnan(d) || d < kMinDateTime) return kMinDateTime;
  if (d > kMaxDateTime) return kMaxDateTime;
  return d;
}

DateParts SplitDateTime(double d) {
  int64_t dayNumber = 0;
  int64_t secs = 0;
  SplitDaySeconds(ClampDateTime(d), &dayNumber, &secs);
  DateParts p;
  CivilFromDays(dayNumber - kUnixEpochSerial, &p.year, &p.month, &p.day);
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  p.weekday = WeekdayOf(dayNumber);
  return p;
}

double MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  const int64_t dayNumber = DaysFromCivil(year, ClampInt(month, 1, 12), day) + kUnixEpochSerial;
  const int64_t secs = int64_t{hour} * 3600 + int64_t{minute} * 60 + second;
  return FromDaySeconds(dayNumber, secs);
}

bool SystemClock::ReadLocalTime(std::tm* out) {
  const std::time_t now = std::time(nullptr);
  return now != static_cast<std::time_t>(-1) && localtime_r(&now, out) != nullptr;
}

double SystemClock::Now() const {
  std::tm local{};
  if (!reader_(&local)) throw FatalError{0, GBK("无法读取本机的当前时间")};
  return MakeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
}

double CurrentDateTime(const Clock& clock) { return clock.Now(); }

double DatePart(double d) {
  const DateParts p = SplitDateTime(d);
  return MakeDateTime(p.year, p.month, p.day);
}

int32_t SecondOf(double d) { return SplitDateTime(d).second; }

double DateInterval(double a, double b, int32_t unit) {
  if (a == b) return 0;
  a = ClampDateTime(a);
  b = ClampDateTime(b);
  unit = ClampUnit(unit);
  if (unit <= kUnitMonth) {
    const DateParts pa = SplitDateTime(a);
    const DateParts pb = SplitDateTime(b);
    const int years = pa.year - pb.year;
    if (unit == kUnitYear) return years;
    if (unit == kUnitQuarter) return (pa.month - 1) / 3 + 4 * years - (pb.month - 1) / 3;
    return 12 * years + pa.month - pb.month;
  }
  const double x = Continuous(a) - Continuous(b);
  switch (unit) {
    case kUnitDay:
      return x;
    case kUnitWeek: {
      // Whole calendar days between the two dates, so that a time of day never
      // hides a Sunday: the result is the number of Sundays after b up to and
      // including a (negated when a lies before b).
      int64_t dayA = 0, dayB = 0, secs = 0;
      SplitDaySeconds(a, &dayA, &secs);
      SplitDaySeconds(b, &dayB, &secs);
      const int64_t t = dayA - dayB;
      int64_t w = t / 7;
      const int weekdayA = WeekdayOf(dayA);
      const int weekdayB = WeekdayOf(dayB);
      if (t > 0 && weekdayA < weekdayB) {
        ++w;
      } else if (t < 0 && weekdayB < weekdayA) {
        --w;
      }
      return static_cast<double>(w);
    }
    default: {
      const double perDay = unit == kUnitHour ? 24.0 : (unit == kUnitMinute ? 1440.0 : 86400.0);
      // The tolerance goes away from zero: added to a negative difference it
      // would turn exactly one hour back into zero hours.
      const double scaled = x * perDay;
      return TruncateToInteger(scaled + std::copysign(kHalfSecondInDays, scaled));
    }
  }
}

double AddToDate(double d, int32_t unit, int32_t amount) {
  if (amount == 0) return d;
  unit = ClampUnit(unit);
  const double clamped = ClampDateTime(d);
  if (unit <= kUnitMonth) {
    const DateParts p = SplitDateTime(clamped);
    const int64_t months = unit == kUnitYear      ? int64_t{amount} * 12
                           : unit == kUnitQuarter ? int64_t{amount} * 3
                                                  : int64_t{amount};
    const int64_t total = int64_t{p.year} * 12 + (p.month - 1) + months;
    const int year = ClampInt(FloorDiv(total, 12), 100, 9999);
    const int month = static_cast<int>(total - FloorDiv(total, 12) * 12) + 1;
    const int day = ClampInt(p.day, 1, DaysInMonth(year, month));
    return MakeDateTime(year, month, day, p.hour, p.minute, p.second);
  }
  double step = 0;
  switch (unit) {
    case kUnitWeek:
      step = 7.0 * amount;
      break;
    case kUnitDay:
      step = amount;
      break;
    case kUnitHour:
      step = amount / 24.0;
      break;
    case kUnitMinute:
      step = amount / 1440.0;
      break;
    default:
      step = amount / 86400.0;
      break;
  }
  return ClampDateTime(FromContinuous(Continuous(clamped) + step));
}

std::string DateToText(double d, int32_t format) {
  if (format < 1) format = 1;
  if (format > 3) format = 3;
  const DateParts p = SplitDateTime(d);
  const std::string date = std::to_string(p.year) + kYear + std::to_string(p.month) + kMonth +
                           std::to_string(p.day) + kDay;
  const std::string hours = std::to_string(p.hour) + kHour;
  const std::string minutes = std::to_string(p.minute) + kMinute;
  const std::string seconds = std::to_string(p.second) + kSecond;
  if (format == 2) return date;
  if (format == 3) return hours + minutes + seconds;
  if (p.second != 0) return date + hours + minutes + seconds;
  if (p.minute != 0) return date + hours + minutes;
  if (p.hour != 0) return date + hours;
  return date;
}

double TextToDate(const std::string& text) {
  const std::string s = FoldFullWidth(text);
  size_t pos = 0;
  const int year = ReadNumber(s, &pos, 4);
  SkipSeparator(s, &pos, kYear, false);
  const int month = ReadNumber(s, &pos, 2);
  SkipSeparator(s, &pos, kMonth, false);
  const int day = ReadNumber(s, &pos, 2);
  SkipSeparator(s, &pos, kDay, true);
  const int hour = ReadNumber(s, &pos, 2);
  SkipSeparator(s, &pos, kHour, false);
  const int minute = ReadNumber(s, &pos, 2);
  SkipSeparator(s, &pos, kMinute, false);
  const int second = ReadNumber(s, &pos, 2);
  if (pos < s.size() && !MatchAt(s, pos, kSecond)) return kMinDateTime;

  // Any part that is out of its range (a missing year or month, 31 April,
  // hour 24) makes the text no date at all.
  const int clampedYear = ClampInt(year, 100, 9999);
  const int clampedMonth = ClampInt(month, 1, 12);
  const int clampedDay = ClampInt(ClampInt(day, 1, 31), 1, DaysInMonth(clampedYear, clampedMonth));
  if (clampedYear != year || clampedMonth != month || clampedDay != day || hour > 23 ||
      minute > 59 || second > 59) {
    return kMinDateTime;
  }
  return MakeDateTime(year, month, day, hour, minute, second);
}

bool SameDateTime(double a, double b) { return ClampDateTime(a) == ClampDateTime(b); }

bool FloatEqual(double a, double b) { return std::fabs(a - b) <= kTolerance; }
bool FloatGreater(double a, double b) { return a - b > kTolerance; }
bool FloatGreaterEqual(double a, double b) { return a - b >= -kTolerance; }

std::string DateTimeText(double d, const char* format) {
  const DateParts p = SplitDateTime(d);
  char text[64];
  const int n =
      std::snprintf(text, sizeof text, format, p.year, p.month, p.day, p.hour, p.minute, p.second);
  return n < 0 ? std::string() : std::string(text, std::min<std::size_t>(n, sizeof text - 1));
}

}  // namespace cindral
