// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The find bar's search over the word book listing: GBK (GB18030) bytes,
// searched byte-wise and fast, yet by whole characters. A match never starts
// or ends inside a two- or four-byte character, even where the query's bytes
// equal a character's trailing bytes; case is folded for ASCII letters only.
//
// All matches of a query are found in one pass (non-overlapping, from the
// start) and kept, so stepping through them and counting them is cheap; the
// pass runs again only when the query or an option changes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cindral {

struct FindOptions {
  bool wholeWord = false;  // the characters beside a match are not word characters
  bool matchCase = false;  // otherwise ASCII letters match either case

  bool operator==(const FindOptions& o) const {
    return wholeWord == o.wholeWord && matchCase == o.matchCase;
  }
};

struct FindMatch {
  bool found = false;
  std::size_t offset = 0;  // in bytes of the listing
  std::size_t length = 0;  // in bytes
  bool wrapped = false;    // went past the end (or the start) and on from the other side
  std::size_t number = 0;  // 1-based among all matches
  std::size_t count = 0;   // all matches of the query
};

class ListingFind {
 public:
  // The text is not copied: it outlives this object and does not change.
  explicit ListingFind(std::string_view text) : text_(text) {}

  // The first match that starts at or after `from`, else the first one.
  FindMatch Next(const std::string& query, FindOptions options, std::size_t from);
  // The last match that starts before `before`, else the last one.
  FindMatch Previous(const std::string& query, FindOptions options, std::size_t before);

 private:
  void Search(const std::string& query, FindOptions options);
  FindMatch At(std::size_t index, bool wrapped) const;

  std::string_view text_;
  std::string folded_;  // the text with ASCII letters in lower case, made on first need
  bool haveFolded_ = false;
  bool searched_ = false;
  std::string query_;
  FindOptions options_;
  std::vector<std::size_t> matches_;
};

// Where a byte of the listing lies: the number of the line (lines end in
// LF) and the byte offset at which that line starts. The count of line ends
// goes on from `known`, a line that starts at or before the offset.
struct ListingLine {
  std::size_t number = 0;
  std::size_t start = 0;
};
ListingLine LineOf(std::string_view text, std::size_t offset, ListingLine known = {});
// The byte offset at which line `number` starts (the text's size when it has
// fewer lines).
std::size_t LineStart(std::string_view text, std::size_t number);

}  // namespace cindral
