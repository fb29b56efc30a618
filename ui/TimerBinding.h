// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's real timer bound to the timer of its Qt-free logic.

#include <functional>

#include "core/LogicTimer.h"

class QTimer;

namespace cindral {

// A window's timer control follows the logic's timer from now on (every
// change of interval is applied at once, 0 stops it), and each of its ticks
// runs `onTick`.
void BindTimer(QTimer* timer, LogicTimer& model, std::function<void()> onTick);

}  // namespace cindral
