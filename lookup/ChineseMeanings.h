// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An English word's Chinese meanings, best first, each with its pinyin,
// from the meanings index made of CC-CEDICT (see MeaningIndex). The index
// is opened at the first lookup, never before, so that a start-up never
// waits for it; once open, a word costs a few binary searches in the
// mapped index (a few microseconds).
//
// The ranking lies in the index, which also files WordNet's irregular
// forms under their base words ("geese" → goose, "went" → go, "running" →
// run). Here the meanings of the word as typed and of the words its
// regular endings leave ("apples" → apple, "studied" → study) are put
// together with those of the word in plain letters where it has accents
// ("naïve" → naive); a name or an abbreviation counts only for a word
// typed with a capital (or when nothing else is found), and meanings far
// behind the best are left out. No Qt.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/ChineseMeaningSource.h"
#include "lookup/MeaningIndex.h"

namespace cindral {

class ChineseMeanings : public ChineseMeaningSource {
 public:
  static constexpr const char* kFileName = "meanings.idx";
  // Meanings scored this much below the best one are left out (hundredths).
  static constexpr int kCutoff = 400;

  // Where a program in `programDirectory` (GBK) finds the index, in order:
  // beside itself (a portable directory) and in share/cindral beside its
  // folder (an installed program: /usr/bin → /usr/share/cindral).
  static std::vector<std::string> PlacesFor(const std::string& programDirectory);

  // Opens nothing yet. The first place that holds a file is the one used.
  explicit ChineseMeanings(std::vector<std::string> places);
  ~ChineseMeanings() override;
  ChineseMeanings(const ChineseMeanings&) = delete;
  ChineseMeanings& operator=(const ChineseMeanings&) = delete;

  // The meanings of `word` (GBK; surrounding spaces and the case of an
  // all-lower-case word do not matter), best first, at most `limit`;
  // nothing when the index is unavailable or knows no meaning.
  std::vector<ChineseMeaning> Lookup(std::string_view word, std::size_t limit = kShown) override;

  // Whether the index is open and sound (opens it on the first call).
  bool Available();
  MeaningIndexStatus Status() const { return status_; }
  // The index file used, or the first place looked at when none is there.
  const std::string& Path() const { return path_; }
  // Why no meanings are shown, for the learner (GBK); empty when the index
  // is available.
  std::string Reason() override;
  // The data's source and licence (GBK); empty without an index.
  std::string_view Notice();

 private:
  void OpenOnce();
  // The words the regular endings of `key` leave, that the index knows.
  std::vector<std::string> BaseForms(const std::string& key) const;

  std::vector<std::string> places_;
  MeaningIndex index_;
  MeaningIndexStatus status_ = MeaningIndexStatus::kNotOpened;
  std::string path_;
};

}  // namespace cindral
