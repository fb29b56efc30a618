// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 更换单词本文件夹…: the learner puts the word book in another folder (a
// synced one, say), which later starts use (see core/UserConfiguration.h).
// A folder that holds a word book already is never written to: the learner
// may use that book instead. Otherwise, after the day's usual backup, the
// book, its side file and the settings file are copied there as one backup
// (backups/YYYY-MM-DD_HHMMSS/, whole or absent, see core/Backups.h), and
// from it, file by file, each whole, beside it, with the plan table and the
// note of the last import, the book last; only then is the new folder kept. The old
// folder is left as it is. The program then ends; the next start opens the
// book in its new folder.

#include "core/Program.h"

namespace cindral {

void ChangeDataFolder(Program& program);

}  // namespace cindral
