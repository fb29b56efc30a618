// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of WordNet's senses belong to the word a learner typed. WordNet
// files a spelling's every use together: "he" is also helium (He), "in" an
// inch and indium (In), "us" the United States (US), "a" an angstrom (A).
// A word typed in lower case means none of those: a sense that spells it
// with a capital (a symbol, an acronym, a name) or that has it as the short
// form of its first word ("in" for "inch") is another word's. A small word
// of grammar ("I", "in", "does") shows only senses WordNet counted in its
// texts: its rare namesakes (the Hebrew letter "he", the Laotian coin "at",
// the female deer behind "does") are not what a learner looks up. No Qt.

#include <cstddef>
#include <optional>
#include <string>

#include "lookup/WordNet.h"

namespace cindral {

enum class SenseKind {
  Own,          // the word itself
  Name,         // a name spelt with a capital ("China", "May")
  Symbol,       // a symbol or an acronym ("He", "In", "US", "DNA")
  Abbreviation  // the short form of the sense's first word ("in" of "inch")
};

SenseKind KindOf(const WordSense& sense);

// The senses of `word` (accents folded) a learner means, at most
// `sensesPerPart` of each part of speech; `functionWord`: it is a word of
// grammar. A word typed with capitals ("China", "US") keeps every sense
// its spelling has, symbols only as typed. One typed in lower case keeps
// its own senses, or, with none, the names it stands for ("monday" for
// Monday), never symbols or abbreviations.
std::optional<WordNetEntry> LearnerSenses(const WordNet& wordNet, const std::string& word,
                                          bool functionWord, std::size_t sensesPerPart);

}  // namespace cindral
