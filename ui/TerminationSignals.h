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

// Closes every open window the same way, from the next turn of the event
// loop on: the program ends.
void CloseAllWindows();

// Whether the windows are being closed for the end of the program (a
// termination signal or CloseAllWindows): no window should open any more,
// or closing one that opens another (the entry window of a new day, whose
// closing computes the plan) would never end.
bool ClosingAllWindows();

}  // namespace cindral
