// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files the program keeps the learner's work in. A file the learner
// exports or saves is never written over one of them, whatever name or
// link leads there: the word book would be lost with its only copy.

#include <string>

#include "core/Program.h"

namespace cindral {

// Whether `path` (GBK) is the word book (its data, side or journal file),
// the settings file or the plan table, by the file it names.
bool IsOwnFile(Program& program, const std::string& path);
// What the learner hears when the file chosen is one of them (GBK).
std::string OwnFileRefusal(const std::string& path);
// Whether anything of the name `path` (GBK) is there, links followed.
bool PathExists(const std::string& path);

}  // namespace cindral
