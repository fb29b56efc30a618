// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/meanings/Pinyin.h"

#include <algorithm>
#include <vector>

namespace cindral {
namespace {

// A letter of a syllable ('#' for ü), and whether it is a capital.
struct Letter {
  char c;
  bool capital;
};

const char* Marked(char vowel, bool capital, int tone) {
  // Tones 1 to 4 of a, e, i, o, u, ü, small and capital.
  static const char* const kSmall[6][4] = {{"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"},
                                           {"ī", "í", "ǐ", "ì"}, {"ō", "ó", "ǒ", "ò"},
                                           {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}};
  static const char* const kCapital[6][4] = {{"Ā", "Á", "Ǎ", "À"}, {"Ē", "É", "Ě", "È"},
                                             {"Ī", "Í", "Ǐ", "Ì"}, {"Ō", "Ó", "Ǒ", "Ò"},
                                             {"Ū", "Ú", "Ǔ", "Ù"}, {"Ǖ", "Ǘ", "Ǚ", "Ǜ"}};
  const auto row = std::string_view("aeiou#").find(vowel);
  return (capital ? kCapital : kSmall)[row][tone - 1];
}

bool IsVowel(char c) { return std::string_view("aeiou#").find(c) != std::string_view::npos; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Syllable(std::string_view token) {
  const char last = token.empty() ? '\0' : token.back();
  if (token.size() < 2 || last < '1' || last > '5') return std::string(token);
  std::vector<Letter> letters;
  for (std::size_t i = 0; i + 1 < token.size(); ++i) {
    const char c = token[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter) return std::string(token);  // no syllable
    const bool umlaut = Lower(c) == 'u' && i + 2 < token.size() && token[i + 1] == ':';
    letters.push_back({umlaut ? '#' : Lower(c), c >= 'A' && c <= 'Z'});
    if (umlaut) ++i;
  }
  // The mark goes on a or e; on the o of "ou"; else on the last vowel.
  std::size_t marked = letters.size();
  for (std::size_t i = 0; i < letters.size() && marked == letters.size(); ++i) {
    if (letters[i].c == 'a' || letters[i].c == 'e') marked = i;
  }
  for (std::size_t i = 0; i + 1 < letters.size() && marked == letters.size(); ++i) {
    if (letters[i].c == 'o' && letters[i + 1].c == 'u') marked = i;
  }
  for (std::size_t i = letters.size(); i-- > 0 && marked == letters.size();) {
    if (IsVowel(letters[i].c)) marked = i;
  }
  const int tone = last - '0';
  std::string out;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    const Letter& l = letters[i];
    if (i == marked && tone <= 4) {
      out += Marked(l.c, l.capital, tone);
    } else if (l.c == '#') {
      out += l.capital ? "Ü" : "ü";
    } else {
      out += l.capital ? static_cast<char>(l.c - 'a' + 'A') : l.c;
    }
  }
  return out;
}

}  // namespace

std::string PinyinWithToneMarks(std::string_view numbered) {
  std::string out;
  std::size_t i = 0;
  while (i < numbered.size()) {
    if (numbered[i] == ' ') {
      out += ' ';
      ++i;
      continue;
    }
    const std::size_t end = std::min(numbered.find(' ', i), numbered.size());
    out += Syllable(numbered.substr(i, end - i));
    i = end;
  }
  return out;
}

}  // namespace cindral
