// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/PendingWords.h"

#include <memory>

#include "store/CompanionFile.h"
#include "store/RecordFile.h"

namespace cindral {
namespace {

// A field on one line: tabs and line breaks become spaces (a GBK
// character's second byte is never one of them).
std::string Field(const std::string& text) {
  std::string field = text;
  for (char& c : field) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return field;
}

}  // namespace

std::string PendingWordsPath(Database& db) {
  return db.Current() == nullptr ? std::string() : db.Current()->path() + "-reading";
}

std::vector<EReaderWord> ReadPendingWords(Database& db) {
  std::vector<EReaderWord> words;
  std::string text;
  bool exists = false;
  if (db.Current() == nullptr ||
      ReadWholeFile(db.Files(), PendingWordsPath(db), &text, &exists) != 0 || !exists) {
    return words;
  }
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos || tab1 == 0) continue;  // not a line this program wrote
    words.push_back(
        {line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return words;
}

int32_t WritePendingWords(Database& db, const std::vector<EReaderWord>& words) {
  if (db.Current() == nullptr) return 0;
  std::string text;
  for (const EReaderWord& w : words) {
    if (w.word.empty()) continue;
    text += Field(w.word) + '\t' + Field(w.sentence) + '\t' + Field(w.book) + '\n';
  }
  const std::string path = PendingWordsPath(db);
  std::unique_ptr<HeldLock> lock;
  const int32_t code = db.Files().LockDirectoryOf(path, &lock);
  if (code != 0) return code;
  return ReplaceWholeFile(db.Files(), path, text.empty() ? nullptr : &text);
}

}  // namespace cindral
