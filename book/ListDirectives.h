// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What other flashcard programs write into their text exports besides the
// cards: "#key:value" lines at the top of the file (#separator:tab,
// #html:true, #columns:Front<TAB>Back, #deck:…, #tags column:3, …), and,
// with HTML on, fields of markup, entities and sound references. No Qt.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cindral {

struct ListDirectives {
  // The directive lines as they stand, in order, without their line breaks.
  std::vector<std::string> lines;
  std::optional<char> separator;     // #separator:tab|comma|semicolon|space|pipe|<one character>
  bool html = false;                 // #html:true
  std::vector<std::string> columns;  // #columns:…, split by the separator
  // The columns given to other things than the note's fields, 0-based, by
  // the name of their directive: #guid column:1, #notetype column:2,
  // #deck column:3, #tags column:6 give {0: guid, 1: notetype, 2: deck,
  // 5: tags}.
  std::map<std::size_t, std::string> otherColumns;
};

// Takes the directive lines off the front of `text` (UTF-8 or GBK; the
// directives are ASCII). Lines that begin with "#" and hold a ":" count;
// anything else ends them.
ListDirectives TakeListDirectives(std::string_view& text);

// A field's text without its markup (UTF-8 in, UTF-8 out): tags removed,
// "<br>" and the ends of block elements as "; ", entities decoded,
// "[sound:…]" references dropped, runs of spaces made one, and no "; "
// at either end or twice in a row.
std::string TextOfHtml(std::string_view html);

// The field without its "[sound:…]" references, for lists whose fields
// are not HTML.
std::string WithoutSoundReferences(std::string_view field);

}  // namespace cindral
