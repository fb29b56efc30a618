// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every handler that a widget event runs in the logic goes through
// RunGuarded: a fatal run-time error (FatalError from the store, or any
// other exception escaping the logic) shows the error box and ends the
// program with exit code -1. Exceptions never cross Qt's event loop.

#include <exception>
#include <functional>

#include "core/Prompter.h"
#include "store/Database.h"

namespace cindral {

using ExitFunction = std::function<void(int code)>;

// Replaces how the program ends (tests keep it running); returns the
// previous function. The default flushes the standard streams and calls
// std::exit.
ExitFunction SetExitFunction(ExitFunction exit);

// Shows the fatal error box for `error`, then ends the program with -1.
void EndWithFatalError(Prompter& prompter, const FatalError& error);

// Runs `handler`; on a fatal error shows the box and ends the program.
void RunGuarded(Prompter& prompter, const std::function<void()>& handler);

// The fatal error that an exception caught by a guard stands for: a
// FatalError as it is, anything else as an unnumbered error with its
// description. Call inside a catch block.
FatalError CurrentFatalError();

}  // namespace cindral
