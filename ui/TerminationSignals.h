// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the desktop asks the program to end (the session logs out, `kill`,
// Ctrl+C in a terminal: SIGTERM, SIGHUP, SIGINT), every open window is
// closed from the innermost out, each message box answered as Escape would
// answer it, and the main window last, so the program ends through the same
// closing handlers as when the learner closes it.

namespace cindral {

// Call first thing in main: signals that arrive before the application
// object exists are kept and acted on once it does.
void CatchTerminationSignals();

// Call once the application object exists.
void CloseWindowsOnTerminationSignals();

}  // namespace cindral
