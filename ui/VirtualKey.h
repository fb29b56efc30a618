// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns Qt's key numbers into the key codes the logic binds its shortcuts
// to (core/KeyCodes.h).

#include "core/KeyCodes.h"

namespace cindral {

// The code of a Qt key (Qt::Key), 0 for keys that have none. Keypad digits
// give the same codes as the digits of the main block, so that either picks
// a numbered choice.
int VirtualKeyCode(int qtKey);

}  // namespace cindral
