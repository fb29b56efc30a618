// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What sets two copies of a word book apart, for a learner who has to choose
// between them: each copy in a few figures, and every word that one holds
// and the other lacks or holds otherwise. Words are paired by their key
// (see KnownWords.h); a word entered twice pairs in the order of the books.

#include <cstdint>
#include <string>
#include <vector>

#include "store/Database.h"

namespace cindral {

struct BookSummary {
  int32_t words = 0;
  int32_t groups = 0;    // how many groups hold words
  double lastEntry = 0;  // the latest entry date; 0 for an empty book
  int64_t proficiencySum = 0;
};

struct WordDifference {
  enum class Kind { kOnlyInFirst, kOnlyInSecond, kGroup, kMeaning, kProficiency };
  Kind kind;
  std::string word;  // GBK, as the first copy spells it (the second for kOnlyInSecond)
  // The differing values, numbers as decimal text; for a word only in one
  // copy, its group in `first` and its meaning in `second`.
  std::string first;
  std::string second;
};

struct BookComparison {
  BookSummary first;
  BookSummary second;
  std::vector<WordDifference> differences;  // the first copy's order, then the second's
};

// Reads both books whole, each under a shared lock. False, with
// LastDatabaseError() telling why, when either cannot be read.
bool CompareBooks(Database& first, Database& second, BookComparison* out);

}  // namespace cindral
