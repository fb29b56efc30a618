// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared date-time value: a double counting days since 30 December 1899
// with the time of day as the fraction; negative values count whole days
// backwards while the fraction still counts forwards within the day.

#include <cstdint>
#include <string>

#include "store/Clock.h"

namespace cindral {

constexpr double kMinDateTime = -657434.0;  // 1 January 100, 00:00:00
constexpr double kMaxDateTime = 2958465.0;  // 31 December 9999, 00:00:00
constexpr double kZeroDate = 0.0;           // 30 December 1899: "no date yet"

// Units of DateInterval and AddToDate; values below 1 act as 1, above 8 as 8.
enum DateUnit : int32_t {
  kUnitYear = 1,
  kUnitQuarter = 2,
  kUnitMonth = 3,
  kUnitWeek = 4,
  kUnitDay = 5,
  kUnitHour = 6,
  kUnitMinute = 7,
  kUnitSecond = 8,
};

// Parts of a date-time.
struct DateParts {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  int weekday = 7;  // 1 = Sunday … 7 = Saturday
};

double ClampDateTime(double d);
DateParts SplitDateTime(double d);  // clamps first
// The date-time as text: its parts go to `format` in the order year, month,
// day, hour, minute, second, as in "%04d-%02d-%02d" (a format may use the
// first few only).
std::string DateTimeText(double d, const char* format);
// Builds a date-time from parts already within their ranges.
double MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

double CurrentDateTime(const Clock& clock);
double DatePart(double d);
int32_t SecondOf(double d);
double DateInterval(double a, double b, int32_t unit);
double AddToDate(double d, int32_t unit, int32_t amount);
std::string DateToText(double d, int32_t format = 1);  // GBK
double TextToDate(const std::string& text);            // GBK; kMinDateTime on failure

// Two date-times are the same date-time when equal after clamping.
bool SameDateTime(double a, double b);

// Floating comparisons with the tolerance of 1e-7.
constexpr double kTolerance = 1e-7;
bool FloatEqual(double a, double b);
bool FloatGreater(double a, double b);
bool FloatGreaterEqual(double a, double b);

}  // namespace cindral
