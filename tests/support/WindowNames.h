// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name of each window of the window table (core/Windows.h), as the
// tests write down what the logic opened.

#include <string>

#include "core/Windows.h"

namespace cindral {

// The name of a window (UTF-8), which its layout carries too.
inline std::string WindowName(WindowId id) {
  switch (id) {
#define CINDRAL_WINDOW_NAME(id, window, name, owner) \
  case WindowId::id:                                 \
    return name;
    CINDRAL_WINDOWS(CINDRAL_WINDOW_NAME)
#undef CINDRAL_WINDOW_NAME
  }
  return "?";
}

}  // namespace cindral
