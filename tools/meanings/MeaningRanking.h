// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CC-CEDICT read in reverse: every English gloss of an entry files the
// entry's simplified word and pinyin under the gloss, ranked by
//  - how the gloss fits the key: the whole gloss ("apple"), a verb's
//    ("to run" under "run"), the gloss without its parenthesised words
//    ("hot (of weather)"), or one word of a short phrase ("custard apple"
//    under "apple", far behind);
//  - its place in the entry: the first sense before later ones, the first
//    of a sense's synonyms before the next;
//  - how common the Chinese word is: its count in jieba's dictionary, for a
//    single character only the share of its reading (了 counts as the
//    particle le, not as liǎo "to finish"; 区 the surname Ōu as a name);
//  - what marks the sense or the entry as rare: literary, archaic, dialect,
//    Taiwanese, slang, an old variant.
// Surnames, variants, classifiers, cross-references ("see", "used in") and
// entries of unknown reading file nothing.

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lookup/MeaningIndexWriter.h"
#include "tools/meanings/CedictEntries.h"

namespace cindral {

struct WordFrequency {
  long count = 0;
  std::string tag;  // jieba's part of speech: n, v, a, nr (a person's name), ns (a place)...
};
using WordFrequencies = std::unordered_map<std::string, WordFrequency>;  // UTF-8 word

// jieba's dict.txt: "word count tag" a line.
bool ReadWordFrequencies(std::string_view text, WordFrequencies* frequencies, std::string* error);

// One key a sense gives.
struct GlossKey {
  std::string key;         // UTF-8, case kept
  int synonym = 0;         // its place among the sense's glosses parted by "; "
  bool qualified = false;  // parenthesised words or a trailing particle were taken off
  int phraseWords = 0;     // 0: the whole gloss; else one word of a gloss of this many
  double rareness = 0;     // from the qualifiers (literary, dialect, ...)
};

// The keys of one sense of an entry; none for a surname, a variant, a
// classifier or a cross-reference.
std::vector<GlossKey> KeysOfSense(std::string_view sense);

// The index's keys (GBK, lower case) with their meanings, best first.
std::map<std::string, std::vector<IndexedMeaning>> RankMeanings(
    const std::vector<CedictEntry>& entries, const WordFrequencies& frequencies);

// WordNet's irregular forms with their base forms (UTF-8, spaces between
// words): "geese" → goose, "went" → go, "running" → run, "leaves" → leaf
// and leave.
using Inflections = std::vector<std::pair<std::string, std::string>>;
// From the exception lists of the WordNet database in `wordNetFolder`
// (noun.exc, verb.exc, adj.exc, adv.exc).
bool ReadInflections(const std::string& wordNetFolder, Inflections* inflections,
                     std::string* error);

// Files each irregular form under the meanings of its base forms, behind
// its own meanings by MeaningIndex::kBaseFormCost. (Regular endings are
// taken off when a word is looked up.)
void AddInflectedForms(const Inflections& inflections,
                       std::map<std::string, std::vector<IndexedMeaning>>* keys);

}  // namespace cindral
