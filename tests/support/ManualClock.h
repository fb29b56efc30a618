// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock that stands where the test tells it, so that days can be moved.

#include "store/Clock.h"

namespace cindral {

class ManualClock final : public Clock {
 public:
  explicit ManualClock(double now = 0) : now_(now) {}
  double Now() const override { return now_; }
  void Set(double now) { now_ = now; }
  void AdvanceDays(int days) { now_ += days; }

 private:
  double now_;
};

}  // namespace cindral
