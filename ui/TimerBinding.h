// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's real timer bound to the timer of its Qt-free logic.

#include <functional>

#include "core/LogicTimer.h"

class QWidget;

namespace cindral {

// The window's timer control `name` follows the logic's timer from now on
// (every change of interval is applied at once, 0 stops it), and each of its
// ticks runs `onTick`.
void BindTimer(QWidget* window, const char* name, LogicTimer& model, std::function<void()> onTick);

}  // namespace cindral
