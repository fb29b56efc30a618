// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program-wide lists and values that live in memory only. The values
// mirrored in the settings file (the review position, the newest group and
// the daily flags) are kept by Program, which writes them through.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/DueEntry.h"
#include "store/DateTime.h"

namespace cindral {

// A word handed to the program from the desktop (cindral --add), GBK.
struct HandedWord {
  std::string word;
  std::string meaning;
};

struct AppState {
  std::vector<DueEntry> DueList;        // today's words
  double ReviewPhaseStart = kZeroDate;  // first day of the review-only phase, zero = unknown
  std::vector<DueEntry> ForgottenList;  // words marked forgotten in a group test
  int32_t ForgottenPosition = 1;        // 1-based in ForgottenList
  std::vector<DueEntry> IntensiveList;  // words of the intensive review, in record order
  int32_t BackgroundIndex = 0;          // game background shown last (1..6), 0 = none yet
  // A word handed over for the entry window that opens next.
  std::optional<HandedWord> EntryPrefill;
};

}  // namespace cindral
