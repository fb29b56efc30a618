// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace cindral {

// Raised for the fatal run-time errors: field reads with no current
// database or at a field position that does not exist, the strict readings
// of field values, and a local time that cannot be read. The store never
// shows or exits: the application turns this into the error box and the
// exit code.
struct FatalError {
  int number;        // 0 when the error has no number
  std::string text;  // GBK
};

}  // namespace cindral
