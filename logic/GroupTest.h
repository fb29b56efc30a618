// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What holds the group test together across its nested windows: the
// spelling window 窗口拼写 opens the choice window 窗口选择, which opens the
// learning card in test mode. When the card closes, the test goes on with
// the next word or ends; the forgotten-word review that may follow ends the
// whole test when it closes.

#include "core/Program.h"

namespace cindral {

// Runs when the card of the group test closes. With words left, the spelling
// window comes back and the choice window closes, which returns the
// spelling window's call that opened it (the spelling window then shows the
// word at ReviewPosition). At the list's end: "恭喜你，已经复习完毕！", the
// position back to 1, then the forgotten-word review when words were
// forgotten, otherwise both test windows close.
void ContinueGroupTest(Program& program);

// Runs when the forgotten-word review closes: both positions back to 1, the
// forgotten words dropped, the main window to the front and both test
// windows closed.
void EndGroupTest(Program& program);

}  // namespace cindral
