// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Words the book holds already. A learner takes "Apple", "apple" and
// "apple " for one word: the comparison ignores the case of English
// letters and the blanks around the word; every other character (Chinese,
// accented letters, inner spaces) counts as it is. Entering a word twice is
// allowed, so a false alarm costs one answer; a word stored twice unawares
// comes back twice on every review day.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "book/WordList.h"
#include "store/Database.h"

namespace cindral {

// The word as it is compared (GBK in, GBK out): without the blanks around
// it (ASCII blanks and the full-width space), English letters in lower
// case. Two-byte characters are stepped over whole, so their second byte
// is never taken for a letter.
std::string WordKey(std::string_view word);

// A word of the book.
struct KnownWord {
  int32_t group = 0;
  std::string word;     // GBK, as stored
  std::string meaning;  // GBK
};

// The book's words whose WordKey is one of `keys`, in record order, by
// key; one walk over the book under a shared lock.
std::unordered_map<std::string, std::vector<KnownWord>> FindKnownWords(
    Database& db, const std::unordered_set<std::string>& keys);

// Where a word of a list is already: in the book, or on an earlier line of
// the list itself.
struct Repeat {
  std::vector<KnownWord> inBook;
  int32_t earlierLine = 0;  // the list's first line with the word; 0: none
  bool any() const { return !inBook.empty() || earlierLine != 0; }
};
// One for each word of the list, in its order.
std::vector<Repeat> FindRepeats(Database& db, const std::vector<ListedWord>& words);

// How a known word is shown to the learner (GBK): "第 3 组：苹果", with the
// stored word when it is written otherwise than `typed` ("第 3 组 Apple：苹
// 果"); a long meaning cut short.
std::string KnownWordText(const KnownWord& known, std::string_view typed);

}  // namespace cindral
