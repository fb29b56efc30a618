// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// At start, before the book opens: the conflict copies that a sync tool
// left beside the book (see core/ConflictCopies.h). A choice that a crash
// cut short is finished first. A set that cannot stand in for the
// learner's files is moved aside and the learner told; for each whole set
// the learner sees both sides (words, groups, last entry, the sum of the
// proficiencies, the counters, and the words that differ) and keeps one,
// the other moving whole into backups/, or decides later.

#include "core/Program.h"

namespace cindral {

// False when the start must end: a choice could not be carried out (the
// message has been shown; the next start finishes it).
bool SettleConflictCopies(Program& program);

}  // namespace cindral
