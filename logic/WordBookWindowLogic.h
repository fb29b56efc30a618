// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the word book listing 窗口单词本: every record as one line of
// text, built once when the window opens, and the find bar under it.

#include <optional>
#include <string>

#include "logic/ListingFind.h"
#include "store/Database.h"

namespace cindral {

class WordBookWindowLogic {
 public:
  explicit WordBookWindowLogic(Database& db) : db_(db) {}

  // Builds the listing: one line per record, in record order,
  // "12.  apple   苹果→35%" followed by CR LF (GBK).
  void Opened();

  // The find bar: looks for `query` (GBK) in the listing from byte `from`
  // on, or backward before it, going on from the other end if need be.
  void Find(const std::string& query, FindOptions options, std::size_t from, bool backward);

  // What the box selects, in bytes of the listing: the match, or, when
  // there is none, nothing, the caret where the search started (so that
  // the query mended finds from there again).
  struct Selection {
    std::size_t offset = 0;
    std::size_t length = 0;
  };

  // Visible state: the text of the box.
  const std::string& text() const { return text_; }
  // The match to select (found is false when there is none) and the bar's
  // status line: which match of how many, or that there is none.
  const FindMatch& match() const { return match_; }
  const std::string& findStatus() const { return findStatus_; }
  const Selection& selection() const { return selection_; }

 private:
  Database& db_;
  std::string text_;
  std::optional<ListingFind> find_;
  FindMatch match_;
  std::string findStatus_;
  Selection selection_;
};

}  // namespace cindral
