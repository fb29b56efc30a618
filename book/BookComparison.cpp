// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/BookComparison.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "book/KnownWords.h"
#include "store/Convert.h"
#include "store/DatabaseErrors.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

struct BookWord {
  int32_t group = 0;
  std::string word;
  std::string meaning;
  int32_t proficiency = 0;
};

// Every word of the book in its order, and its figures.
bool ReadBook(Database& db, std::vector<BookWord>* words, BookSummary* summary) {
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  if (!scope.ok()) return false;
  const int32_t count = db.RecordCount();
  if (LastDatabaseError() != 0) return false;
  std::set<int32_t> groups;
  if (count > 0) db.GoFirst();
  if (LastDatabaseError() != 0) return false;
  for (int32_t i = 0; i < count; ++i) {
    BookWord w;
    double entered = 0;
    // Each read leaves its own code: every one is asked.
    const auto read = [](auto&& value) { return (value(), LastDatabaseError() == 0); };
    if (!read([&] { w.group = ReadIntegerField(db, kGroupNumber); }) ||
        !read([&] { w.word = ReadTextField(db, kWord); }) ||
        !read([&] { w.meaning = ReadTextField(db, kMeaning); }) ||
        !read([&] { w.proficiency = ReadIntegerField(db, kProficiency); }) ||
        !read([&] { entered = ReadDateField(db, kEntryDate); })) {
      return false;
    }
    groups.insert(w.group);
    summary->proficiencySum += w.proficiency;
    summary->lastEntry = std::max(summary->lastEntry, entered);
    words->push_back(std::move(w));
    if (i + 1 < count && !db.Skip(1)) return false;
  }
  summary->words = count;
  summary->groups = static_cast<int32_t>(groups.size());
  return scope.End();
}

}  // namespace

bool CompareBooks(Database& first, Database& second, BookComparison* out) {
  *out = BookComparison();
  std::vector<BookWord> a;
  std::vector<BookWord> b;
  if (!ReadBook(first, &a, &out->first) || !ReadBook(second, &b, &out->second)) return false;
  // The second copy's words by key, each key's in their order.
  std::unordered_map<std::string, std::vector<std::size_t>> inSecond;
  for (std::size_t i = b.size(); i-- > 0;) inSecond[WordKey(b[i].word)].push_back(i);
  std::vector<bool> paired(b.size(), false);
  using Kind = WordDifference::Kind;
  for (const BookWord& w : a) {
    auto found = inSecond.find(WordKey(w.word));
    if (found == inSecond.end() || found->second.empty()) {
      out->differences.push_back({Kind::kOnlyInFirst, w.word, IntegerToText(w.group), w.meaning});
      continue;
    }
    const BookWord& other = b[found->second.back()];
    paired[found->second.back()] = true;
    found->second.pop_back();
    if (w.group != other.group) {
      out->differences.push_back(
          {Kind::kGroup, w.word, IntegerToText(w.group), IntegerToText(other.group)});
    }
    if (w.meaning != other.meaning) {
      out->differences.push_back({Kind::kMeaning, w.word, w.meaning, other.meaning});
    }
    if (w.proficiency != other.proficiency) {
      out->differences.push_back({Kind::kProficiency, w.word, IntegerToText(w.proficiency),
                                  IntegerToText(other.proficiency)});
    }
  }
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (!paired[i]) {
      out->differences.push_back(
          {Kind::kOnlyInSecond, b[i].word, IntegerToText(b[i].group), b[i].meaning});
    }
  }
  return true;
}

}  // namespace cindral
