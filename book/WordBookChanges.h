// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Changes to the whole word book: the main window's shuffle and reset, the
// rewrite of one word, and the renumbering after a record is deleted.

#include <cstdint>
#include <string>

#include "core/Settings.h"
#include "store/Convert.h"
#include "store/Database.h"

namespace cindral {

// Shuffles the words (with their meanings) inside each of groups 1 to
// `groups`; group, entry date, proficiency and serial number stay with their
// records. One change: the book is shuffled whole or not at all. False when
// it could not be stored (then the book is as it was).
bool ShuffleGroups(Database& db, int32_t groups, RandomGenerator& random);

// Empties the book and sets reviewnumber and groupnumber to "1", plus to
// "false" and, unless today's decay has been taken already, minus to
// "false", in one change of the book and the settings file. False when that
// could not be stored: then neither file changed.
bool ClearWordBook(Database& db, const Settings& settings, bool decayTakenToday);

// Gives record `record` (1-based) a new word and meaning: both or, when
// either cannot be stored, neither. False when they were not stored.
bool RewriteWord(Database& db, int32_t record, const std::string& word, const std::string& meaning);

// Swaps the words and meanings of records `a` and `b` (1-based), the
// shuffle's one step; the rest of each record stays.
void SwapWords(Database& db, int32_t a, int32_t b);

// Every record's SerialNumber becomes its record number again, closing the
// gap a deleted record left (the due lists find records by these numbers).
// Called inside the caller's change of the book; false when a write failed.
bool RenumberWords(Database& db);

}  // namespace cindral
