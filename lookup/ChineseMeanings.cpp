// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/ChineseMeanings.h"

#include <algorithm>

#include "lookup/AccentFolding.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

bool HasCapital(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); i += GbkCharLength(word, i)) {
    if (GbkCharLength(word, i) == 1 && word[i] >= 'A' && word[i] <= 'Z') return true;
  }
  return false;
}

struct Found {
  std::string_view word, pinyin;
  int score;
};

}  // namespace

std::vector<std::string> ChineseMeanings::PlacesFor(const std::string& programDirectory) {
  std::vector<std::string> places{programDirectory + "/" + kFileName};
  const std::size_t slash = programDirectory.rfind('/');
  if (slash != std::string::npos) {
    places.push_back(programDirectory.substr(0, slash) + "/share/cindral/" + kFileName);
  }
  return places;
}

ChineseMeanings::ChineseMeanings(std::vector<std::string> places) : places_(std::move(places)) {
  if (!places_.empty()) path_ = places_.front();
}

ChineseMeanings::~ChineseMeanings() = default;

void ChineseMeanings::OpenOnce() {
  if (status_ != MeaningIndexStatus::kNotOpened) return;
  status_ = MeaningIndexStatus::kMissing;
  for (const std::string& place : places_) {
    status_ = index_.Open(place);
    if (status_ != MeaningIndexStatus::kMissing) {
      path_ = place;
      break;
    }
  }
}

bool ChineseMeanings::Available() {
  OpenOnce();
  return status_ == MeaningIndexStatus::kOpen;
}

std::string_view ChineseMeanings::Notice() {
  OpenOnce();
  return index_.Notice();
}

std::string ChineseMeanings::Reason() {
  OpenOnce();
  const std::string unavailable = GBK("汉语释义不可用：");
  switch (status_) {
    case MeaningIndexStatus::kOpen:
      return {};
    case MeaningIndexStatus::kNotOpened:
    case MeaningIndexStatus::kMissing:
      return unavailable + GBK("没有找到释义索引") + (path_.empty() ? "" : " " + path_);
    case MeaningIndexStatus::kNotRegular:
      return unavailable + path_ + GBK(" 不是普通文件");
    case MeaningIndexStatus::kUnreadable:
      return unavailable + GBK("无法读取释义索引 ") + path_;
    case MeaningIndexStatus::kNotAnIndex:
      return unavailable + path_ + GBK(" 不是释义索引");
    case MeaningIndexStatus::kOtherVersion:
      return unavailable + GBK("释义索引 ") + path_ + GBK(" 的版本与程序不符");
    case MeaningIndexStatus::kDamaged:
      break;
  }
  return unavailable + GBK("释义索引 ") + path_ + GBK(" 已损坏或不完整");
}

std::vector<std::string> ChineseMeanings::BaseForms(const std::string& key) const {
  // Regular endings, as WordNet takes them off: nouns, verbs, adjectives.
  static const std::pair<std::string_view, std::string_view> kEndings[] = {
      {"s", ""},   {"es", ""},   {"ies", "y"}, {"men", "man"}, {"ed", ""},
      {"ed", "e"}, {"ied", "y"}, {"ing", ""},  {"ing", "e"},   {"er", ""},
      {"er", "e"}, {"ier", "y"}, {"est", ""},  {"est", "e"},   {"iest", "y"}};
  std::vector<std::string> forms;
  for (const auto& [ending, replacement] : kEndings) {
    if (key.size() < ending.size() + 2 ||
        key.compare(key.size() - ending.size(), ending.size(), ending) != 0) {
      continue;
    }
    std::string base = key.substr(0, key.size() - ending.size());
    base += replacement;
    if (std::find(forms.begin(), forms.end(), base) != forms.end()) continue;
    // Only a word the index knows by a gloss of its own.
    const std::vector<MeaningIndex::Match> found = index_.Find(base);
    if (std::any_of(found.begin(), found.end(), [](const MeaningIndex::Match& m) {
          return !(m.flags & MeaningIndex::kInPhrase);
        })) {
      forms.push_back(std::move(base));
    }
  }
  return forms;
}

std::vector<ChineseMeaning> ChineseMeanings::Lookup(std::string_view word, std::size_t limit) {
  std::vector<ChineseMeaning> meanings;
  const std::string key = MeaningKey(word);
  if (key.empty() || limit == 0 || !Available()) return meanings;

  // Names and short forms are kept apart, so that a word typed in lower
  // case shows them only when it has no other meaning.
  std::vector<Found> found, names;
  auto take = [&](const std::string& k, int cost) {
    for (const MeaningIndex::Match& m : index_.Find(k)) {
      ((m.flags & MeaningIndex::kNameLike) ? names : found)
          .push_back({m.word, m.pinyin, m.score - cost});
    }
  };
  take(key, 0);
  // A word borrowed with its accents is read with plain letters as well,
  // as the English lookup reads it ("naïve" also finds naive); the
  // accented form's own meanings come first ("résumé": 简历 before 恢复).
  if (const std::string plain = FoldAccents(key); plain != key) {
    take(plain, MeaningIndex::kBaseFormCost);
  }
  for (const std::string& base : BaseForms(key)) take(base, MeaningIndex::kBaseFormCost);
  if (HasCapital(word) || found.empty()) found.insert(found.end(), names.begin(), names.end());

  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.score > b.score; });
  std::vector<std::string_view> shown;
  for (const Found& f : found) {
    if (meanings.size() == limit || f.score < found.front().score - kCutoff) break;
    if (std::find(shown.begin(), shown.end(), f.word) != shown.end()) continue;
    shown.push_back(f.word);
    meanings.push_back({std::string(f.word), std::string(f.pinyin)});
  }
  return meanings;
}

}  // namespace cindral
