// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Today's words entering the word book. One rule for every way in: the
// entry window for each word typed, the import for the words of a list
// (in the program and in cindral-db).

#include <cstdint>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "store/Database.h"

namespace cindral {

// The learning phase lasts 88 days from the first entry of group 1; the
// review-only phase follows it.
constexpr int32_t kLearningPhaseDays = 88;

// Whether a date-time is the zero date ("no date yet").
bool IsZeroDate(double d);

// The first day of the review-only phase as the book tells it: the entry
// date of its first record + 88 days, when that record is of group 1. False
// (and `start` untouched) when the first record is of another group or the
// book is empty.
bool ReviewPhaseStartOf(Database& db, double* start);

// Why today's words cannot be entered now (GBK, shown with the caption
// "提示"), or empty when they can: the review-only phase that began on
// `reviewPhaseStart` (zero: not known) has begun by `today`, or days were
// missed since the book's last entry.
std::string TodaysWordsRefusal(Database& db, double today, double reviewPhaseStart);

struct NewWord {
  std::string word;     // GBK
  std::string meaning;  // GBK
};

// Where AddTodaysWords put the words.
struct AddedWords {
  int32_t firstRecord = 0;  // the record number of the first (1-based)
  int32_t count = 0;
  int32_t groupBefore = 0;  // groupnumber before and after the change
  int32_t groupAfter = 0;
  uint64_t digest = 0;  // RecordsDigest of the records as stored
};

// Appends the words, in order, as today's words: dated `today`, proficiency
// 1, serial numbers following the last record's (1 for an empty book), all
// in the newest group (groupnumber) — or, on the first day after the last
// entry, in a new group one above it, which groupnumber then holds. The
// words and the new groupnumber go in as one change, all or none, while no
// other program writes the book. True when every word is in the book;
// `*added` (when given) then tells where they went.
bool AddTodaysWords(Database& db, const Settings& settings, double today,
                    const std::vector<NewWord>& words, AddedWords* added = nullptr);

// A fingerprint of records first..first+count-1 (1-based), every field of
// each: equal digests mean the records were not changed in between. Reads
// inside the caller's scope; leaves the cursor anywhere.
uint64_t RecordsDigest(Database& db, int32_t first, int32_t count);

}  // namespace cindral
