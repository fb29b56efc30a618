// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing and copying files so that a process killed at any instant leaves
// either the old state or the whole new file, never a part: the bytes go to
// a temporary file beside the target, are synced, and only then take the
// target's name. Paths are UTF-8 (file system names).

#include <string>
#include <string_view>

namespace cindral {

// Writes `bytes` as the file `path`, replacing a file of that name. False
// (errno set) when anything fails; the target is then as it was. The file
// is the learner's, made as any program makes one: a file replaced keeps
// its permission bits, a new one gets 0666 less the umask.
bool WriteFileWhole(const std::string& path, std::string_view bytes);

// Copies `from` to `to`, readable by its owner only (the copies are of the
// word book and its settings). With `replace` false an existing `to` is
// kept as it is (and counts as done).
bool CopyFileWhole(const std::string& from, const std::string& to, bool replace);

// Makes the names in a directory (new, renamed, removed) survive a crash.
void SyncDirectory(const std::string& path);

}  // namespace cindral
