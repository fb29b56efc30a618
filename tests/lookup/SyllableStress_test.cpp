// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Stress marks moved from before the stressed vowel, where the speech
// engine writes them, to the start of the syllable, taking the consonants
// that can begin an English syllable.

#include "lookup/SyllableStress.h"

#include <gtest/gtest.h>

namespace cindral {
namespace {

TEST(SyllableStressTest, AMarkGoesToTheStartOfItsSyllable) {
  const struct {
    const char* engine;  // as the engine writes it
    const char* shown;   // as a dictionary writes it
  } cases[] = {
      // The first syllable takes every consonant before its vowel.
      {"wˈɔːɾɚ", "ˈwɔːɾɚ"},
      {"lˈaɪbɹɛɹi", "ˈlaɪbɹɛɹi"},
      {"ɹˈʌnɪŋ", "ˈɹʌnɪŋ"},
      {"stɹˈɛŋθ", "ˈstɹɛŋθ"},
      {"tʃˈɪldɹən", "ˈtʃɪldɹən"},
      // Already at the start.
      {"ˈɛkstɹə", "ˈɛkstɹə"},
      {"ˈæbstɹækt", "ˈæbstɹækt"},
      // Inside a word: the longest run that can begin a syllable.
      {"kəmpjˈuːɾɚ", "kəmˈpjuːɾɚ"},
      {"ˌʌndɚstˈænd", "ˌʌndɚˈstænd"},
      {"æbstɹˈækʃən", "æbˈstɹækʃən"},
      {"ɛkstɹˈɔːɹdᵻnɛɹi", "ɛkˈstɹɔːɹdᵻnɛɹi"},
      {"ɛksplˈeɪn", "ɛkˈspleɪn"},
      {"ɛɡzˈækt", "ɛɡˈzækt"},
      {"ɐbˈaʊt", "ɐˈbaʊt"},
      {"bᵻtwˈiːn", "bᵻˈtwiːn"},
      {"ɑːɹtˈɪstɪk", "ɑːɹˈtɪstɪk"},
      {"kənɡɹˈætʃʊleɪt", "kənˈɡɹætʃʊleɪt"},
      {"ˈætməsfˌɪɹ", "ˈætməˌsfɪɹ"},
      {"ɪŋɡˈeɪdʒ", "ɪŋˈɡeɪdʒ"},
      // Each word of a phrase; a vowel right after the mark moves nothing.
      {"ˈaɪs kɹˈiːm", "ˈaɪs ˈkɹiːm"},
      {"ɐɡˈɛn ænd ɐɡˈɛn", "ɐˈɡɛn ænd ɐˈɡɛn"},
      {"ˈaɪ", "ˈaɪ"},
      {"ə", "ə"},
      {"", ""},
      // "ŋ" begins no syllable; a letter outside English IPA stops the move.
      {"sɪŋˈɑː", "sɪŋˈɑː"},
      {"ʁkˈa", "ʁkˈa"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StressAtSyllableStart(c.engine), c.shown) << c.engine;
  }
}

}  // namespace
}  // namespace cindral
