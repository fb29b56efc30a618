// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Chinese meanings from a list the test gives (words UTF-8, as typed in
// lower case), counting the questions asked.

#include <map>
#include <string>
#include <vector>

#include "core/ChineseMeaningSource.h"
#include "store/Gbk.h"

namespace cindral::test {

class ListedMeanings : public ChineseMeaningSource {
 public:
  ListedMeanings(std::map<std::string, std::vector<std::string>> meanings)
      : meanings_(std::move(meanings)) {}

  std::vector<ChineseMeaning> Lookup(std::string_view word, std::size_t limit) override {
    ++asked;
    std::vector<ChineseMeaning> found;
    const auto it = meanings_.find(GbkToUtf8(word));
    if (it == meanings_.end()) return found;
    for (const std::string& m : it->second) {
      if (found.size() == limit) break;
      found.push_back({Utf8ToGbk(m), Utf8ToGbk("pinyin")});
    }
    return found;
  }
  std::string Reason() override { return {}; }

  int asked = 0;

 private:
  std::map<std::string, std::vector<std::string>> meanings_;
};

}  // namespace cindral::test
