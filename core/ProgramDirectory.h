// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace cindral {

// The directory of the running program (GBK, no trailing separator), from
// which the word book, the plan table and the settings file are found.
// Falls back to the current directory when the program's path is unknown.
std::string ProgramDirectory();

}  // namespace cindral
