// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ListingFind.h"

#include <algorithm>
#include <cstring>

namespace cindral {
namespace {

using Byte = unsigned char;

constexpr std::size_t kWindow = 64 * 1024;

bool IsLead(Byte b) { return b >= 0x81 && b <= 0xFE; }
bool IsDigit(Byte b) { return b >= 0x30 && b <= 0x39; }
bool IsTrail(Byte b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Length of the character at s[i]: a lead byte and a trailing byte make two,
// a lead, a digit, a lead and a digit make four (GB18030); anything else is
// one byte.
std::size_t CharLength(std::string_view s, std::size_t i) {
  const std::size_t n = s.size();
  if (!IsLead(Byte(s[i])) || i + 1 >= n) return 1;
  const Byte second = Byte(s[i + 1]);
  if (IsTrail(second)) return 2;
  if (IsDigit(second) && i + 3 < n && IsLead(Byte(s[i + 2])) && IsDigit(Byte(s[i + 3]))) return 4;
  return 1;
}

// A byte that is never part of a longer character: a lead byte is 0x81 or
// above, the bytes after it 0x30..0x39 or 0x40 and above. Such a byte is a
// character start that can be found without walking from the text's start.
bool IsAnchor(Byte b) { return b < 0x30 || (b > 0x39 && b < 0x40); }

// ASCII letters and digits, and every multi-byte character but those of the
// punctuation and symbol rows A1..A9 (full-width signs, arrows, boxes...).
bool IsWordChar(std::string_view s, std::size_t i, std::size_t length) {
  const Byte b = Byte(s[i]);
  if (length == 1)
    return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
  return b < 0xA1 || b > 0xA9;
}

// ASCII letters that stand as characters of their own go to lower case;
// the bytes of longer characters stay as they are.
std::string FoldCase(std::string_view s) {
  std::string folded(s);
  for (std::size_t i = 0; i < s.size();) {
    const Byte b = Byte(s[i]);
    if (b < 0x80) {
      if (unsigned(b - 'A') < 26u) folded[i] = char(b | 0x20);
      ++i;
    } else {
      i += CharLength(s, i);
    }
  }
  return folded;
}

// Tells whether positions start characters, for positions asked in
// increasing order: it walks the characters from the last known start, or
// from the nearest anchor byte before the position, so a whole pass over the
// text walks each byte at most about twice.
class CharStarts {
 public:
  explicit CharStarts(std::string_view s) : s_(s) {}

  bool Starts(std::size_t p) {
    if (p < known_) return false;
    if (p > known_) {
      for (std::size_t a = p; a > known_; --a) {
        if (IsAnchor(Byte(s_[a - 1]))) {
          // The anchor is a one-byte character: the next one starts after it.
          if (a - 1 > known_) {
            previous_ = a - 1;
            known_ = a;
          }
          break;
        }
      }
      while (known_ < p) {
        previous_ = known_;
        known_ += CharLength(s_, known_);
      }
    }
    return known_ == p;
  }

  // After Starts(p) was true: where the character before p starts (p > 0).
  std::size_t Previous() const { return previous_; }

 private:
  std::string_view s_;
  std::size_t known_ = 0;     // a character starts here
  std::size_t previous_ = 0;  // and the one before it here
};

// Whether the match [p, p + length) ends on a character boundary and, for a
// whole-word search, has no word character beside it. `starts` has just said
// that p starts a character.
bool Accept(std::string_view s, std::size_t p, std::size_t length, bool wholeWord,
            const CharStarts& starts) {
  std::size_t end = p;
  while (end < p + length) end += CharLength(s, end);
  if (end != p + length) return false;
  if (!wholeWord) return true;
  if (p > 0) {
    const std::size_t before = starts.Previous();
    if (IsWordChar(s, before, p - before)) return false;
  }
  return end == s.size() || !IsWordChar(s, end, CharLength(s, end));
}

}  // namespace

void ListingFind::Search(const std::string& query, FindOptions options) {
  if (searched_ && query == query_ && options == options_) return;
  searched_ = true;
  query_ = query;
  options_ = options;
  matches_.clear();
  if (query.empty() || query.size() > text_.size()) return;
  std::string_view haystack = text_;
  std::string needle = query;
  if (!options.matchCase) {
    if (!haveFolded_) {
      folded_ = FoldCase(text_);
      haveFolded_ = true;
    }
    haystack = folded_;
    needle = FoldCase(query);
  }
  CharStarts starts(haystack);
  const char* const base = haystack.data();
  const std::size_t n = haystack.size();
  const std::size_t length = needle.size();
  std::size_t from = 0;
  while (from + length <= n) {
    // memmem is given a window of the text, not all the rest of it: a
    // checked build checks the whole range it is given on every call.
    const std::size_t window = std::min(n - from, kWindow + length - 1);
    const void* hit = memmem(base + from, window, needle.data(), length);
    if (hit == nullptr) {
      from += window - (length - 1);
      continue;
    }
    const std::size_t p = std::size_t(static_cast<const char*>(hit) - base);
    if (starts.Starts(p) && Accept(haystack, p, length, options.wholeWord, starts)) {
      matches_.push_back(p);
      from = p + length;
    } else {
      from = p + 1;
    }
  }
}

FindMatch ListingFind::At(std::size_t index, bool wrapped) const {
  FindMatch match;
  match.found = true;
  match.offset = matches_[index];
  match.length = query_.size();
  match.wrapped = wrapped;
  match.number = index + 1;
  match.count = matches_.size();
  return match;
}

FindMatch ListingFind::Next(const std::string& query, FindOptions options, std::size_t from) {
  Search(query, options);
  if (matches_.empty()) return {};
  const auto it = std::lower_bound(matches_.begin(), matches_.end(), from);
  if (it == matches_.end()) return At(0, true);
  return At(std::size_t(it - matches_.begin()), false);
}

FindMatch ListingFind::Previous(const std::string& query, FindOptions options, std::size_t before) {
  Search(query, options);
  if (matches_.empty()) return {};
  const auto it = std::lower_bound(matches_.begin(), matches_.end(), before);
  if (it == matches_.begin()) return At(matches_.size() - 1, true);
  return At(std::size_t(it - matches_.begin()) - 1, false);
}

ListingLine LineOf(std::string_view text, std::size_t offset, ListingLine known) {
  offset = std::min(offset, text.size());
  ListingLine line = known;
  for (;;) {
    const void* end = memchr(text.data() + line.start, '\n', offset - line.start);
    if (end == nullptr) return line;
    ++line.number;
    line.start = std::size_t(static_cast<const char*>(end) - text.data()) + 1;
  }
}

std::size_t LineStart(std::string_view text, std::size_t number) {
  std::size_t start = 0;
  for (; number > 0; --number) {
    const void* end = memchr(text.data() + start, '\n', text.size() - start);
    if (end == nullptr) return text.size();
    start = std::size_t(static_cast<const char*>(end) - text.data()) + 1;
  }
  return start;
}

}  // namespace cindral
