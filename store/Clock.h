// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local clock, behind an interface so that tests and the day plan can
// run on any chosen day (tests/support/ManualClock.h).

#include <ctime>

namespace cindral {

class Clock {
 public:
  virtual ~Clock() = default;
  // Now in local time as a date-time value, in whole seconds.
  virtual double Now() const = 0;
};

// The system's local clock.
class SystemClock final : public Clock {
 public:
  // Reads the local time; false when it cannot be read.
  using LocalTimeReader = bool (*)(std::tm* out);
  static bool ReadLocalTime(std::tm* out);

  explicit SystemClock(LocalTimeReader reader = &ReadLocalTime) : reader_(reader) {}
  // Raises FatalError when the local time cannot be read: a made-up date
  // would send the day plan down a wrong path and could reset the
  // learner's counters.
  double Now() const override;

 private:
  LocalTimeReader reader_;
};

}  // namespace cindral
