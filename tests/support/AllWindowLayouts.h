// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of every window of the window table (core/Windows.h), for the
// tests that walk them all.

#include <vector>

#include "core/Windows.h"
#include "ui/Layouts.h"

namespace cindral {

inline std::vector<const WindowLayout*> AllWindowLayouts() {
#define CINDRAL_WINDOW_LAYOUT(id, window, name, owner) &window##Layout(),
  return {CINDRAL_WINDOWS(CINDRAL_WINDOW_LAYOUT)};
#undef CINDRAL_WINDOW_LAYOUT
}

}  // namespace cindral
