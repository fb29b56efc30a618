// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word's pronunciation in the International Phonetic Alphabet, from the
// installed speech engine's English rules (eSpeak NG). The engine's library
// is loaded when first asked for, not linked: where it is missing, nothing
// is shown and nothing breaks. No Qt.

#include <optional>
#include <string>

namespace cindral {

class Ipa {
 public:
  // `library`: the engine's shared library to load.
  explicit Ipa(std::string library = "libespeak-ng.so.1");
  ~Ipa();
  Ipa(const Ipa&) = delete;
  Ipa& operator=(const Ipa&) = delete;

  // The word (GBK) in IPA as American English reads it (GBK, which holds
  // every IPA letter), e.g. "ˈæpəl" for "apple", with each stress mark at
  // the start of its syllable ("ˈwɔːɾɚ", "kəmˈpjuːɾɚ"); nothing without the
  // engine or for a word it makes nothing of. The first call loads the
  // engine (tens of milliseconds); later ones take well under one.
  std::optional<std::string> Of(const std::string& word);

  // Whether the engine could be loaded (loads it when not tried yet).
  bool Available();

  struct Engine;

 private:
  bool Load();

  std::string library_;
  bool tried_ = false;
  const Engine* engine_ = nullptr;
};

}  // namespace cindral
