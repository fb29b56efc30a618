#pragma once

#include "app/Program.h"

namespace cindral {

// The way into word entry, from the main window's button and from the day
// plan: refuses during the review-only phase and after idle days, otherwise
// opens the entry window.
void OpenEntryGate(Program& program);

}  // namespace cindral
