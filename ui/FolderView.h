// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Showing a folder in the desktop's file manager. The desktop's opener
// (xdg-open) is asked and watched to its end: it starts whether or not any
// file manager will answer, and only its exit status tells (3: no method
// available). An opener still running after a while has handed the folder
// on (some stay until the file manager closes).

#include <QString>
#include <functional>

namespace cindral {

// Asks the desktop to show `folder` and returns at once; `failed` is called
// later, on this thread, when the opener is missing, cannot start, or ends
// with an error.
void ShowFolderOnDesktop(const QString& folder, std::function<void()> failed);

}  // namespace cindral
