#pragma once
// Today's words entering the word book. One rule for every way in: the
// entry window for each word typed, the import for the words of a list
// (in the program and in cindral-db).

#include <string>
#include <vector>

#include "core/Settings.h"
#include "store/Database.h"

namespace cindral {

struct NewWord {
  std::string word;     // GBK
  std::string meaning;  // GBK
};

// Appends the words, in order, as today's words: dated `today`, proficiency
// 1, serial numbers following the last record's (1 for an empty book), all
// in the newest group (groupnumber) — or, on the first day after the last
// entry, in a new group one above it, which groupnumber then holds. The
// words and the new groupnumber go in as one change, all or none, while no
// other program writes the book. True when every word is in the book.
bool AddTodaysWords(Database& db, const Settings& settings, double today,
                    const std::vector<NewWord>& words);

}  // namespace cindral
