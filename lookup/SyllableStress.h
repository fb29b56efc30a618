// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stress marks where dictionaries put them. The speech engine writes a
// stress mark (ˈ primary, ˌ secondary) just before the stressed vowel
// ("wˈɔːɾɚ", "kəmpjˈuːɾɚ"); a dictionary writes it at the start of the
// stressed syllable ("ˈwɔːɾɚ", "kəmˈpjuːɾɚ"). The syllable takes as many of
// the consonants before its vowel as can begin an English syllable (the
// maximal onset: "ɛkˈstɹɔːɹ", "ɐˈbaʊt", "ɛɡˈzækt"); the first syllable of a
// word takes all of them. No Qt.

#include <string>
#include <string_view>

namespace cindral {

// `ipa` (UTF-8, words parted by spaces) with every stress mark moved to the
// start of its syllable. Text it does not understand around a mark (a
// letter outside English IPA) keeps the mark where it stands.
std::string StressAtSyllableStart(std::string_view ipa);

}  // namespace cindral
