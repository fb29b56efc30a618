// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns Qt's key numbers into the key codes the logic binds its shortcuts
// to (core/KeyCodes.h).

#include "core/KeyCodes.h"

namespace cindral {

// The code of a Qt key (Qt::Key), 0 for a key no window binds: the letters,
// the digits 1 to 4 (with Shift too, and those of the keypad, so that either
// picks a numbered choice), Enter, Escape, Left, Right and the `~ key.
int VirtualKeyCode(int qtKey);

}  // namespace cindral
