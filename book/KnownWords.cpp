// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/KnownWords.h"

#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

// The longest meaning shown beside a known word, in bytes.
constexpr std::size_t kShownMeaningBytes = 60;

bool IsAsciiBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string WordKey(std::string_view word) {
  std::string key;
  std::size_t end = 0;  // past the last character that is no blank
  for (std::size_t i = 0; i < word.size();) {
    const std::size_t n = GbkCharLength(word, i);
    const std::string_view c = word.substr(i, n);
    i += n;
    const bool blank = (n == 1 && IsAsciiBlank(c[0])) || c == kFullWidthSpace;
    if (blank && key.empty()) continue;
    if (n == 1 && c[0] >= 'A' && c[0] <= 'Z') {
      key += static_cast<char>(c[0] - 'A' + 'a');
    } else {
      key += c;
    }
    if (!blank) end = key.size();
  }
  key.resize(end);
  return key;
}

std::unordered_map<std::string, std::vector<KnownWord>> FindKnownWords(
    Database& db, const std::unordered_set<std::string>& keys) {
  std::unordered_map<std::string, std::vector<KnownWord>> found;
  if (keys.empty()) return found;
  // One consistent book, read in large blocks; other readers may read on.
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i, db.Skip(1)) {
    std::string word = ReadTextField(db, kWord);
    const auto key = keys.find(WordKey(word));
    if (key == keys.end()) continue;
    found[*key].push_back(
        {ReadIntegerField(db, kGroupNumber), std::move(word), ReadTextField(db, kMeaning)});
  }
  return found;
}

std::vector<Repeat> FindRepeats(Database& db, const std::vector<ListedWord>& words) {
  std::vector<std::string> keys;
  keys.reserve(words.size());
  for (const ListedWord& w : words) keys.push_back(WordKey(w.word));
  const auto inBook = FindKnownWords(db, {keys.begin(), keys.end()});
  std::vector<Repeat> repeats(words.size());
  std::unordered_map<std::string, int32_t> firstLine;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (const auto found = inBook.find(keys[i]); found != inBook.end()) {
      repeats[i].inBook = found->second;
    }
    const auto [earlier, first] = firstLine.emplace(keys[i], words[i].line);
    if (!first) repeats[i].earlierLine = earlier->second;
  }
  return repeats;
}

std::string KnownWordText(const KnownWord& known, std::string_view typed) {
  std::string text = GBK("第 ") + IntegerToText(known.group) + GBK(" 组");
  if (known.word != typed) text += " " + known.word;
  std::string meaning;
  for (std::size_t i = 0; i < known.meaning.size();) {
    const std::size_t n = GbkCharLength(known.meaning, i);
    if (meaning.size() + n > kShownMeaningBytes) {
      meaning += GBK("…");
      break;
    }
    meaning.append(known.meaning, i, n);
    i += n;
  }
  return text + GBK("：") + meaning;
}

}  // namespace cindral
