// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A timer as a window's logic sees it: the interval it was last set to, 0
// meaning stopped. The window runs the real timer and follows every change
// at once (a timer stopped before a nested window opens stays stopped while
// that window is open); its ticks come back to the logic as events.

#include <functional>
#include <utility>

namespace cindral {

class LogicTimer {
 public:
  explicit LogicTimer(int milliseconds = 0) : interval_(milliseconds > 0 ? milliseconds : 0) {}
  LogicTimer(const LogicTimer&) = delete;
  LogicTimer& operator=(const LogicTimer&) = delete;

  // 0 (or less) stops the timer; any other interval starts it afresh, also
  // when it was running already.
  void Set(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 0;
    if (follower_) follower_(interval_);
  }
  int interval() const { return interval_; }
  bool running() const { return interval_ > 0; }

  // The real timer's binding: called with the new interval on every change.
  void Follow(std::function<void(int milliseconds)> follower) { follower_ = std::move(follower); }

 private:
  int interval_;
  std::function<void(int)> follower_;
};

}  // namespace cindral
