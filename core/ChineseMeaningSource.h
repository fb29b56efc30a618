// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// English words' Chinese meanings as the windows' logic asks for them:
// ranked, best first, each with its pinyin. The desktop gives one that
// reads the meanings index (lookup/ChineseMeanings), opened at the first
// question. No Qt.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cindral {

struct ChineseMeaning {
  std::string word;    // GBK (GB18030 for the few characters GBK lacks)
  std::string pinyin;  // GBK, with tone marks, syllables apart: "píng guǒ"
};

class ChineseMeaningSource {
 public:
  static constexpr std::size_t kShown = 5;

  virtual ~ChineseMeaningSource() = default;
  // The meanings of `word` (GBK), best first, at most `limit`; nothing when
  // none are known.
  virtual std::vector<ChineseMeaning> Lookup(std::string_view word, std::size_t limit = kShown) = 0;
  // Why no meanings can be shown, for the learner (GBK); empty when they can.
  virtual std::string Reason() = 0;
};

// Where no index is given: no meanings, and nothing to explain.
class NoChineseMeanings final : public ChineseMeaningSource {
 public:
  std::vector<ChineseMeaning> Lookup(std::string_view, std::size_t = kShown) override { return {}; }
  std::string Reason() override { return {}; }
};

}  // namespace cindral
