// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word's entry in the offline dictionary, for the pages shown where the
// dictionary services cannot be reached and for the drill: its IPA from the
// speech engine, the word class of a word of grammar ("pron. 代词" for
// "I"), and its senses from WordNet (parts of speech, definitions, synonyms
// and example phrases). Any part may be missing; then it is left out and
// nothing fails. No Qt.

#include <optional>
#include <string>
#include <vector>

#include "core/OfflineDictionary.h"
#include "lookup/FunctionWords.h"
#include "lookup/Ipa.h"
#include "lookup/WordNet.h"

namespace cindral {

class OfflineEntry : public OfflineDictionary {
 public:
  // What the entry shows of a word, in the order shown: each part is
  // shown in its own section, above the ones that follow it.
  struct Content {
    std::optional<std::string> ipa;      // "/ˈæpəl/" (GBK)
    std::vector<WordClass> wordClasses;  // a word of grammar's classes
    std::optional<WordNetEntry> senses;  // WordNet's English senses
    // The base form the senses are of, where it is not the word as asked
    // ("mouse" for "mice"); empty otherwise.
    std::string baseForm;
  };

  explicit OfflineEntry(const std::string& wordNetFolder = WordNet::kInstalledFolder,
                        const std::string& engineLibrary = "libespeak-ng.so.1");

  // The word (GBK) in IPA between slashes ("/ˈæpəl/", GBK); nothing
  // without the engine. An article looked up alone is said weak ("/ə/").
  std::optional<std::string> Pronunciation(const std::string& word) override;

  // What the entry shows of the word (GBK); accents do not matter
  // ("naïve" finds naive).
  Content Find(const std::string& word);

  // The entry as an HTML fragment (UTF-8, every text escaped): the IPA,
  // then a word of grammar's classes, then, where WordNet knows the word
  // or its base form, the base form it found and up to three senses of
  // each part of speech. Empty when nothing knows the word.
  std::string Html(const std::string& word);

  // The entry as plain lines (GBK) for a text control: the IPA, the word
  // classes, the base form, then "n. definition" lines with their synonyms
  // and examples.
  std::string Text(const std::string& word) override;

 private:
  WordNet wordNet_;
  Ipa ipa_;
};

}  // namespace cindral
