// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line, read before anything else starts: no window,
// no display and no word book are needed to answer --help and --version,
// and a mistake is named before the program ends. The options every Qt
// program takes (-platform NAME, -style NAME, -reverse, -session ID, ...)
// are stepped over with their values; the toolkit reads them itself.
// An option of the program's own is a row of the options table in
// CommandLine.cpp, with the number of values that follow it.

#include <cstdio>
#include <string>
#include <vector>

namespace cindral {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kMistake };

  // `args`: the arguments after the program's name. Read in order: the
  // first that answers (--help, --version) or is wrong decides.
  static CommandLine Read(const std::vector<std::string>& args);

  // Prints the answer on `out`, or the mistake and a hint on `err`; returns
  // the exit status: 0, 1 when the answer could not be written, 2 for a
  // mistake. For kRun it prints nothing.
  int Answer(std::FILE* out, std::FILE* err) const;

  Action action = Action::kRun;
  std::string mistake;  // kMistake: what is wrong, one line
};

}  // namespace cindral
