// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's commands on the whole word book: the backup, the change
// itself (book/WordBookChanges), the new day plan and what the learner is
// told.

#include "core/Program.h"

namespace cindral {

// Takes a backup, then shuffles the words (with their meanings) inside each
// group; group, entry date, proficiency and serial number stay with their
// records.
void ShuffleWordBook(Program& program);

// After the learner confirms: takes a backup (a failed one is asked about
// again), empties the word book and starts the course again from group 1.
void ResetWordBook(Program& program);

// After the learner confirms: takes a backup, then removes the words the
// last import added (book/LastImport), or says why it cannot.
void UndoLastImportCommand(Program& program);

}  // namespace cindral
