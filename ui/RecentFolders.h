// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder a file dialog opens in: the one the learner last chose a file
// of that kind in (import, export, the saved picture, the game's
// background), while it is still there; else the home folder. Kept across
// runs in the user's configuration, $XDG_CONFIG_HOME/cindral/folders.ini
// (~/.config/cindral/folders.ini by default), never beside the word book.

#include <QString>

#include "core/Shell.h"

namespace cindral {

// The folder the dialog for `kind` opens in.
QString StartFolder(FileKind kind);
// The learner chose `file` in the dialog for `kind`: its folder is where
// that dialog opens next. The file they are kept in is replaced whole; false
// (and a warning on the error stream) when it could not be written; it is
// then as it was.
bool RememberFolder(FileKind kind, const QString& file);

// The file the folders are kept in.
QString RecentFoldersFile();

}  // namespace cindral
