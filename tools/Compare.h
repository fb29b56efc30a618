// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// cindral-db compare: what sets two copies of a word book apart.

#include <string>

namespace cindral {

// Prints, tab-separated on standard output (UTF-8), first each copy's
// figures and the counters of the settings file beside it:
//   words, groups, last-entry, proficiency-sum, and each counter of
//   "Config.ini" ("-" where a copy has none), each as NAME BOOK OTHER;
// then one line for each word that differs:
//   only-in-book WORD GROUP MEANING, only-in-other WORD GROUP MEANING,
//   group WORD BOOK OTHER, meaning WORD BOOK OTHER, proficiency WORD BOOK OTHER.
// Both copies are opened read-only and never changed. Exits as diff does:
// 0 when the copies hold the same words and counters, 1 when they differ,
// 2 when either cannot be read (the reason on standard error).
int Compare(const std::string& book, const std::string& other);

}  // namespace cindral
