// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard of a study window whose shortcut keys go to a hidden
// focus-holder box: the window's 500 ms timer 时钟保证获取焦点 sends the
// keyboard back to the box at each tick, and stops while a window opened
// over this one is open, so that the keyboard stays there.

#include "core/LogicTimer.h"
#include "core/Shell.h"

namespace cindral {

class FocusKeeper {
 public:
  static constexpr int kInterval = 500;

  // `running`: whether the timer runs from the start, or only once Start()
  // is called.
  explicit FocusKeeper(bool running = true) : timer_(running ? kInterval : 0) {}

  // Sends the keyboard to the box: when the window shows a word, and at each
  // tick of the timer.
  void Request() { ++requests_; }
  void Start() { timer_.Set(kInterval); }
  // Opens `id` over the window, the timer stopped until it has closed.
  void OpenAbove(Shell& shell, WindowId id) {
    timer_.Set(0);
    shell.OpenWindow(id);
    timer_.Set(kInterval);
  }

  // How many times the keyboard was sent to the box.
  int requests() const { return requests_; }
  LogicTimer& timer() { return timer_; }
  const LogicTimer& timer() const { return timer_; }

 private:
  int requests_ = 0;
  LogicTimer timer_;
};

}  // namespace cindral
