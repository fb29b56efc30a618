// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit boxes that hold the keyboard focus for a window's shortcuts. They
// take every key press but keep no text and show nothing: a letter typed
// there is a shortcut, not input, and the input method stays out of the
// way so that "S" reaches the window as the S key.

#include <functional>

#include "core/LogicTimer.h"

class QLineEdit;
class QTimer;

namespace cindral {

class ModalWindow;

void MakeFocusHolder(QLineEdit* box);

// A study window's focus holder bound to its logic: the box takes the
// window's shortcut keys (`keyDown`, true when a key was used), the window's
// timer 时钟保证获取焦点 follows the logic's focus timer and runs `focusTick`
// at each tick, and Follow gives the box the keyboard whenever the logic has
// asked for it again. `handle` runs a step of the logic the way the window
// runs all its events.
class FocusHolder {
 public:
  using Handler = std::function<void(const std::function<void()>& step)>;
  FocusHolder(ModalWindow* window, QLineEdit* box, QTimer* timer, LogicTimer& focusTimer,
              Handler handle, std::function<bool(int key)> keyDown,
              std::function<void()> focusTick);

  // `focusRequests`: how often the logic has asked for the keyboard so far.
  void Follow(int focusRequests);

 private:
  QLineEdit* box_;
  int requestsDone_ = 0;
};

}  // namespace cindral
