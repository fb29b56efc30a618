// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word's entry in the offline dictionary, for the pages shown where the
// dictionary services cannot be reached and for the drill: its IPA from the
// speech engine, its Chinese meanings with their pinyin from the meanings
// index (on the page only) and its senses from WordNet (parts of speech,
// definitions, synonyms and example phrases). Any may be missing; then that
// part is left out and nothing fails. No Qt.

#include <optional>
#include <string>
#include <vector>

#include "core/OfflineDictionary.h"
#include "lookup/ChineseMeanings.h"
#include "lookup/Ipa.h"
#include "lookup/WordNet.h"

namespace cindral {

class OfflineEntry : public OfflineDictionary {
 public:
  // `meaningPlaces`: where the meanings index may lie (GBK), by default
  // where the running program finds it; opened at the first page.
  explicit OfflineEntry(const std::string& wordNetFolder = WordNet::kInstalledFolder,
                        const std::string& engineLibrary = "libespeak-ng.so.1",
                        std::vector<std::string> meaningPlaces = ProgramMeaningPlaces());

  // Where the running program finds the meanings index.
  static std::vector<std::string> ProgramMeaningPlaces();

  // The word (GBK) in IPA between slashes ("/ˈæpəl/", GBK); nothing
  // without the engine.
  std::optional<std::string> Pronunciation(const std::string& word) override;

  // The entry as an HTML fragment (UTF-8, every text escaped): the IPA,
  // the Chinese meanings with their pinyin (or, without a usable index,
  // why there are none), then, where WordNet knows the word or its base
  // form, the base form it found and up to three senses of each part of
  // speech. Empty when none knows the word.
  std::string Html(const std::string& word);

  // The entry as plain lines (GBK) for a text control: the IPA, the base
  // form, then "n. definition" lines with their synonyms and examples
  // (no Chinese meanings: the drill asks for them).
  std::string Text(const std::string& word) override;

 private:
  WordNet wordNet_;
  Ipa ipa_;
  ChineseMeanings chinese_;
};

}  // namespace cindral
