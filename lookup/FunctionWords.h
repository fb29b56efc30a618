// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small words of English grammar (pronouns, articles, prepositions,
// conjunctions, auxiliary and modal verbs) that WordNet, a dictionary of
// nouns, verbs, adjectives and adverbs, leaves out or knows only as other
// words ("I" as iodine, "us" as the United States). The offline entry shows
// their word class from here. No Qt.

#include <string_view>
#include <vector>

namespace cindral {

enum class WordClass { Pronoun, Article, Preposition, Conjunction, Auxiliary, Modal, Adverb };

struct FunctionWord {
  std::string_view word;           // lower case ("i" for "I")
  std::vector<WordClass> classes;  // the commonest first
  // How the word is said when looked up alone, where that differs from
  // the speech engine's reading (UTF-8 IPA, no slashes); empty otherwise.
  std::string_view alone;
};

// The function word `word` is, or null: `word` in lower case, or with a
// capital first letter as at the start of a sentence ("The", "I"). A word
// all in capitals ("US", "IT") is an abbreviation, no function word.
const FunctionWord* FindFunctionWord(std::string_view word);

// How the entry names a word class: the short English name and the
// Chinese one (UTF-8), as it names WordNet's parts of speech ("n." "名词").
struct WordClassNames {
  const char* abbreviation;
  const char* chinese;
};
WordClassNames NamesOf(WordClass wordClass);

}  // namespace cindral
