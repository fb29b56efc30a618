// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes the meanings index that MeaningIndex reads (its layout is described
// there): the generator in tools/meanings uses it, and so do the tests that
// need an index of their own. No Qt.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cindral {

struct IndexedMeaning {
  std::string word;    // GBK
  std::string pinyin;  // GBK
  int score = 0;       // hundredths, within the range of a 16-bit integer
  uint16_t flags = 0;  // MeaningIndex::Flag
};

// The whole file: each key (lower-case English, GBK, 1 to 65535 bytes) with
// its meanings in the order given (best first; at most 65535 of them).
// Identical texts are stored once. Keys or meanings out of range are left
// out.
std::string WriteMeaningIndex(const std::map<std::string, std::vector<IndexedMeaning>>& keys,
                              const std::string& notice);

}  // namespace cindral
