// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The offline English dictionary: the WordNet database as the system
// installs it (/usr/share/wordnet: index.<part>, data.<part> and
// <part>.exc for nouns, verbs, adjectives and adverbs), read in place.
// The index files are sorted, so a word is found by a binary search of a
// few reads; its senses are read from the data files at the offsets the
// index gives. Inflected forms find their base words by the exception
// lists and WordNet's rules of detachment ("apples" → "apple", "ran" →
// "run", "boxes" → "box"). No Qt; the files stay open while it lives.
//
// Words and texts are ASCII in WordNet; what comes out is GBK, which holds
// ASCII as it is.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindral {

enum class PartOfSpeech { Noun, Verb, Adjective, Adverb };

struct WordSense {
  PartOfSpeech part = PartOfSpeech::Noun;
  std::string definition;             // the gloss without its examples
  std::vector<std::string> synonyms;  // the synset's other words
  std::vector<std::string> examples;  // the gloss's quoted phrases
  // The word as this sense spells it, in its case ("He" for helium, "in"
  // for inch); a lower-case spelling where the sense has one.
  std::string form;
  std::string head;     // the sense's first word ("inch" for "in")
  bool tagged = false;  // the sense occurs in the texts WordNet counted
};

struct WordNetEntry {
  std::string lemma;  // the base form the first senses belong to
  // Nouns first, then verbs, adjectives, adverbs; within each part the
  // most frequent sense first.
  std::vector<WordSense> senses;
};

class WordNet {
 public:
  static constexpr const char* kInstalledFolder = "/usr/share/wordnet";

  explicit WordNet(const std::string& folder = kInstalledFolder);
  ~WordNet();
  WordNet(const WordNet&) = delete;
  WordNet& operator=(const WordNet&) = delete;

  // Whether the database is there (at least one part's index and data).
  bool Available() const;

  // The word's senses, at most `sensesPerPart` of each part of speech;
  // nothing when WordNet does not know the word in any form (or holds no
  // database). Case and surrounding spaces do not matter; inner spaces
  // join a phrase ("ice cream"). With `keep`, only the senses it keeps
  // count and are given.
  using SenseFilter = std::function<bool(const WordSense&)>;
  std::optional<WordNetEntry> Lookup(std::string_view word, std::size_t sensesPerPart = 3,
                                     const SenseFilter& keep = {}) const;

 private:
  struct Part {
    int index = -1;
    int data = -1;
    int exceptions = -1;
    int64_t indexSize = 0;
    int64_t exceptionsSize = 0;
  };
  const Part& PartOf(PartOfSpeech part) const { return parts_[static_cast<int>(part)]; }
  // The base forms of `word` (normalised) that this part's index holds,
  // the word itself first.
  std::vector<std::string> BaseForms(PartOfSpeech part, const std::string& word) const;
  std::optional<WordSense> ReadSense(PartOfSpeech part, int64_t offset,
                                     const std::string& lemma) const;

  Part parts_[4];
};

}  // namespace cindral
