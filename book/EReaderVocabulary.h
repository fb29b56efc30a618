// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words a learner looked up while reading on an e-reader, from the
// reader's vocabulary database: the Kindle's vocabulary builder (vocab.db:
// tables WORDS, LOOKUPS and BOOK_INFO) or KOReader's vocabulary builder
// (vocabulary_builder.sqlite3: tables vocabulary and title). Both are
// SQLite files. They are opened read-only and immutable, so SQLite never
// writes to them, locks them or leaves a journal beside them: the device's
// file stays exactly as it was. A file that is neither kind, or is damaged,
// gives no words and says so. No Qt.

#include <string>
#include <string_view>
#include <vector>

namespace cindral {

enum class EReaderKind { kKindle, kKOReader };

// A word met while reading.
struct EReaderWord {
  std::string word;      // GBK, as the reader gives its base form
  std::string sentence;  // GBK, the sentence it was met in; may be empty
  std::string book;      // GBK, the book's title; may be empty
};

enum class EReaderRead {
  kRead,           // the words are in `words` (perhaps none)
  kNotSqlite,      // not an SQLite database at all
  kNotVocabulary,  // an SQLite database, but neither reader's vocabulary
  kDamaged,        // a vocabulary database whose pages do not check out
  kFailed,         // it could not be opened or read (missing, no permission)
};

struct EReaderVocabulary {
  EReaderKind kind = EReaderKind::kKindle;
  // In the order they were first looked up, each word once (the first
  // sentence it was met in); words of other languages than English are
  // left out where the reader records the language.
  std::vector<EReaderWord> words;
};

// Whether a file beginning with these bytes is an SQLite database (its
// 16-byte header).
bool IsSqliteHeader(std::string_view bytes);

// Reads the vocabulary database at `path` (UTF-8, a file system name).
EReaderRead ReadEReaderVocabulary(const std::string& path, EReaderVocabulary* out);

// The reader's name as the preview shows it (GBK).
std::string EReaderName(EReaderKind kind);

}  // namespace cindral
