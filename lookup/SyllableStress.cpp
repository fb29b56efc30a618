// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/SyllableStress.h"

#include <algorithm>
#include <set>
#include <vector>

namespace cindral {
namespace {

// The characters of UTF-8 text, each as its bytes.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    length = std::min(length, text.size() - i);
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

bool IsStressMark(std::string_view c) { return c == "ˈ" || c == "ˌ"; }

// The consonants of English IPA as the speech engine writes it.
bool IsConsonant(std::string_view c) {
  static const std::set<std::string_view> kConsonants{
      "p", "b", "t", "d", "k", "ɡ", "g", "f", "v", "θ", "ð", "s", "z", "ʃ", "ʒ", "h",
      "m", "n", "ŋ", "l", "ɹ", "r", "j", "w", "ɾ", "ʔ", "x", "ç", "ʍ", "ɫ", "ɬ"};
  return kConsonants.count(c) != 0;
}

// What ends a syllable's onset on its left: a vowel, a length mark, or a
// mark that makes the consonant before it a syllable of its own ("n̩").
bool IsNucleus(std::string_view c) {
  static const std::set<std::string_view> kNuclei{
      "a", "e", "i", "o", "u", "y", "æ", "ɑ", "ɐ",      "ɒ",      "ɔ",     "ə", "ɚ",
      "ɛ", "ɜ", "ɝ", "ɞ", "ɘ", "ɤ", "ɪ", "ʊ", "ʌ",      "ᵻ",      "ᵿ",     "ɨ", "ʉ",
      "ø", "œ", "ɶ", "ɯ", "ɵ", "ʏ", "ː", "ˑ", "\u0329", "\u032F", "\u0303"};
  return kNuclei.count(c) != 0;
}

// The consonant clusters that begin English syllables ("tʃ" and "dʒ" are
// one sound each); any single consonant but "ŋ" does too.
bool IsOnset(const std::string& cluster) {
  static const std::set<std::string> kClusters{
      "pl", "pɹ", "pj", "bl", "bɹ",  "bj",  "tɹ",  "tw",  "tj",  "dɹ",  "dw",  "dj",  "kl", "kɹ",
      "kw", "kj", "ɡl", "ɡɹ", "ɡw",  "ɡj",  "gl",  "gɹ",  "gw",  "fl",  "fɹ",  "fj",  "vj", "θɹ",
      "θw", "θj", "ʃɹ", "sp", "st",  "sk",  "sm",  "sn",  "sl",  "sw",  "sf",  "sj",  "mj", "nj",
      "hj", "lj", "tʃ", "dʒ", "spl", "spɹ", "spj", "stɹ", "stj", "skɹ", "skw", "skj", "skl"};
  if (kClusters.count(cluster) != 0) return true;
  const std::vector<std::string_view> characters = Characters(cluster);
  return characters.size() == 1 && IsConsonant(characters[0]) && characters[0] != "ŋ";
}

}  // namespace

std::string StressAtSyllableStart(std::string_view ipa) {
  std::vector<std::string_view> characters = Characters(ipa);
  for (size_t mark = 0; mark < characters.size(); ++mark) {
    if (!IsStressMark(characters[mark])) continue;
    // The consonants just before the mark.
    size_t first = mark;
    while (first > 0 && IsConsonant(characters[first - 1])) --first;
    if (first == mark) continue;
    size_t start = first;
    const bool wordStart = first == 0 || characters[first - 1] == " ";
    if (!wordStart) {
      if (!IsNucleus(characters[first - 1])) continue;  // not English IPA: leave it
      // The longest tail of the consonants that can begin a syllable.
      start = mark;
      for (size_t from = first; from < mark; ++from) {
        std::string cluster;
        for (size_t c = from; c < mark; ++c) cluster += characters[c];
        if (IsOnset(cluster)) {
          start = from;
          break;
        }
      }
    }
    const std::string_view stress = characters[mark];
    characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(mark));
    characters.insert(characters.begin() + static_cast<std::ptrdiff_t>(start), stress);
  }
  std::string out;
  out.reserve(ipa.size());
  for (std::string_view c : characters) out += c;
  return out;
}

}  // namespace cindral
