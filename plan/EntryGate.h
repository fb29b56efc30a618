#pragma once

#include "app/core/Program.h"

namespace cindral {

// The way into word entry, from the main window's button and from the day
// plan: refuses during the review-only phase and after idle days, otherwise
// opens the entry window (whose closing computes the plan again).
void OpenEntryGate(Program& program);

}  // namespace cindral
