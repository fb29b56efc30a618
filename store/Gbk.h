// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GBK is the text of the core and of every stored file. These are the only
// conversions to and from UTF-8 (the desktop, the terminal, file names on
// disk). GB18030 is used both ways: it is GBK's superset, so whatever a
// learner types survives, and its extra characters still scan as byte pairs.

#include <optional>
#include <string>
#include <string_view>

namespace cindral {

// Bytes that are not valid GB18030 come out as U+FFFD; never fails.
std::string GbkToUtf8(std::string_view gbk);
// The same, appended to `out`.
void AppendGbkAsUtf8(std::string_view gbk, std::string* out);
// Bytes that are not valid UTF-8 come out as "?"; never fails.
std::string Utf8ToGbk(std::string_view utf8);
// Stored text as GBK proper, the bytes a reader that knows only GBK takes:
// nothing when it holds a character GBK has no code for (those GB18030
// writes as four bytes, "ï" among them) or bytes that are not text.
std::optional<std::string> ToStrictGbk(std::string_view text);
// Text written by a program that knows only GBK (0x80 is its "€") as stored
// text; nothing when the bytes are not GBK.
std::optional<std::string> FromStrictGbk(std::string_view gbk);

// Length in bytes of the character that starts at s[i]: 2 for a lead byte
// (0x80 or above) followed by another byte, otherwise 1. A dangling lead
// byte at the end counts as one byte.
inline std::size_t GbkCharLength(std::string_view s, std::size_t i) {
  return (static_cast<unsigned char>(s[i]) >= 0x80 && i + 1 < s.size()) ? 2 : 1;
}

}  // namespace cindral

// A GBK copy of a UTF-8 string literal, converted once on first use.
#define GBK(literal)                                                    \
  ([]() -> const std::string& {                                         \
    static const std::string converted = ::cindral::Utf8ToGbk(literal); \
    return converted;                                                   \
  }())
