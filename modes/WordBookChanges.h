#pragma once
// Changes to the whole word book from the main window.

#include <cstdint>
#include <string>

#include "core/Program.h"
#include "store/Database.h"

namespace cindral {

// Takes a backup, then shuffles the words (with their meanings) inside each
// group; group, entry date, proficiency and serial number stay with their
// records.
void ShuffleWordBook(Program& program);

// After the learner confirms: takes a backup (a failed one is asked about
// again), empties the word book and starts the course again from group 1.
void ResetWordBook(Program& program);

// Empties the book and sets reviewnumber and groupnumber to "1", plus and
// minus to "false", in one change of the book and the settings file. False
// when that could not be stored: then neither file changed.
bool ClearWordBook(Database& db, const Settings& settings);

// Gives record `record` (1-based) a new word and meaning: both or, when
// either cannot be stored, neither. False when they were not stored.
bool RewriteWord(Database& db, int32_t record, const std::string& word,
                 const std::string& meaning);

// Swaps the words and meanings of records `a` and `b` (1-based), the
// shuffle's one step; the rest of each record stays.
void SwapWords(Database& db, int32_t a, int32_t b);

}  // namespace cindral
