// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/AccentFolding.h"

#include "store/Gbk.h"

namespace cindral {
namespace {

// The plain letters of U+00C0..U+017F, one per code point; '*' where it
// takes two letters (Folded below), '-' where there is none (× ÷ Þ þ).
constexpr std::string_view kLatin =
    // U+00C0..U+00FF
    "AAAAAA*CEEEEIIII"
    "DNOOOOO-OUUUUY-*"
    "aaaaaa*ceeeeiiii"
    "dnooooo-ouuuuy-y"
    // U+0100..U+017F
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "Ii**JjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "Oo**RrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";
// The pinyin letters with a caron or a dieresis: U+01CD..U+01DC.
constexpr std::string_view kPinyin = "AaIiOoUuUuUuUuUu";

// The plain letters for code point `c`, or empty when it is no accented
// Latin letter.
std::string_view Folded(char32_t c) {
  switch (c) {
    case 0xC6:
      return "AE";
    case 0xDF:
      return "ss";
    case 0xE6:
      return "ae";
    case 0x132:
      return "IJ";
    case 0x133:
      return "ij";
    case 0x152:
      return "OE";
    case 0x153:
      return "oe";
    case 0x1F8:
      return "N";
    case 0x1F9:
      return "n";
    case 0x1E3E:
      return "M";
    case 0x1E3F:
      return "m";
    case 0x251:
      return "a";  // ɑ, a pinyin letter in GBK
    case 0x261:
      return "g";  // ɡ, likewise
    default:
      break;
  }
  if (c >= 0xC0 && c < 0xC0 + kLatin.size()) {
    const std::string_view letter = kLatin.substr(c - 0xC0, 1);
    return letter == "-" ? std::string_view() : letter;
  }
  if (c >= 0x1CD && c < 0x1CD + kPinyin.size()) return kPinyin.substr(c - 0x1CD, 1);
  return {};
}

}  // namespace

std::string FoldAccents(std::string_view gbk) {
  // Only text with a character beyond ASCII can hold one.
  bool ascii = true;
  for (const char c : gbk) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(gbk);
  const std::string utf8 = GbkToUtf8(gbk);
  std::string folded;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + length > utf8.size()) length = 1;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    const std::string_view plain = length == 1 ? std::string_view() : Folded(c);
    if (plain.empty()) {
      folded.append(utf8, i, length);
    } else {
      folded += plain;
    }
    i += length;
  }
  return Utf8ToGbk(folded);
}

}  // namespace cindral
