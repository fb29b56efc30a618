// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/LearnerSenses.h"

#include <algorithm>

namespace cindral {
namespace {

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLetter(char c) { return IsCapital(c) || (c >= 'a' && c <= 'z'); }

// Whether `part`'s letters appear in `whole` in order, `whole` starting
// with the first of them ("in" in "inch", "ft" in "foot").
bool IsShortFormOf(const std::string& part, const std::string& whole) {
  if (part.empty() || whole.empty() || part[0] != whole[0]) return false;
  size_t at = 0;
  for (const char c : whole) {
    if (at < part.size() && c == part[at]) ++at;
  }
  return at == part.size();
}

}  // namespace

SenseKind KindOf(const WordSense& sense) {
  std::string letters;
  std::copy_if(sense.form.begin(), sense.form.end(), std::back_inserter(letters), IsLetter);
  const auto capitals = std::count_if(letters.begin(), letters.end(), IsCapital);
  if (capitals > 0) {
    const bool allCapitals = static_cast<size_t>(capitals) == letters.size();
    return allCapitals || letters.size() <= 2 ? SenseKind::Symbol : SenseKind::Name;
  }
  if (letters.size() <= 2 && sense.form != sense.head && IsShortFormOf(sense.form, sense.head)) {
    return SenseKind::Abbreviation;
  }
  return SenseKind::Own;
}

std::optional<WordNetEntry> LearnerSenses(const WordNet& wordNet, const std::string& word,
                                          bool functionWord, std::size_t sensesPerPart) {
  if (functionWord) {
    return wordNet.Lookup(word, sensesPerPart, [](const WordSense& sense) {
      return sense.tagged && KindOf(sense) == SenseKind::Own;
    });
  }
  if (std::any_of(word.begin(), word.end(), IsCapital)) {
    // Symbols only as typed: "US" is the United States, not uranium's U.
    return wordNet.Lookup(word, sensesPerPart, [&word](const WordSense& sense) {
      return KindOf(sense) != SenseKind::Symbol || sense.form == word;
    });
  }
  if (auto own = wordNet.Lookup(word, sensesPerPart, [](const WordSense& sense) {
        return KindOf(sense) == SenseKind::Own;
      })) {
    return own;
  }
  return wordNet.Lookup(word, sensesPerPart, [](const WordSense& sense) {
    const SenseKind kind = KindOf(sense);
    return kind == SenseKind::Own || kind == SenseKind::Name;
  });
}

}  // namespace cindral
