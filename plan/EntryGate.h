// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Program.h"

namespace cindral {

// Why today's words cannot be entered now (GBK, shown with the caption
// "提示"), or empty when they can: the review-only phase has begun, or
// days were missed since the last entry.
std::string EntryRefusal(Program& program);

// The way into word entry, from the main window's button and from the day
// plan: refuses during the review-only phase and after idle days, otherwise
// opens the entry window (whose closing computes the plan again).
void OpenEntryGate(Program& program);

}  // namespace cindral
