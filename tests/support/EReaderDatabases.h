// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// E-readers' vocabulary databases made with SQLite for the tests: the
// tables of the Kindle's vocab.db and of KOReader's vocabulary builder,
// which a test fills with its own rows.

#include <sqlite3.h>

#include <string>

namespace cindral::test {

inline const char* const kKindleTables = R"(
CREATE TABLE WORDS (id TEXT PRIMARY KEY NOT NULL, word TEXT, stem TEXT, lang TEXT,
  category INTEGER DEFAULT 0, timestamp INTEGER DEFAULT 0, profileid TEXT);
CREATE TABLE LOOKUPS (id TEXT PRIMARY KEY NOT NULL, word_key TEXT, book_key TEXT, dict_key TEXT,
  pos TEXT, usage TEXT, timestamp INTEGER DEFAULT 0);
CREATE TABLE BOOK_INFO (id TEXT PRIMARY KEY NOT NULL, asin TEXT, guid TEXT, lang TEXT,
  title TEXT, authors TEXT);
CREATE TABLE METADATA (id TEXT PRIMARY KEY NOT NULL, dsname TEXT, sscnt INTEGER,
  profileid TEXT);
)";

inline const char* const kKOReaderTables = R"(
CREATE TABLE title (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT UNIQUE, filter INTEGER);
CREATE TABLE vocabulary (word TEXT NOT NULL UNIQUE PRIMARY KEY, title_id INTEGER,
  create_time INTEGER NOT NULL, review_time INTEGER, due_time INTEGER NOT NULL,
  review_count INTEGER NOT NULL DEFAULT 0, prev_context TEXT, next_context TEXT,
  streak_count INTEGER NOT NULL DEFAULT 0);
)";

// Makes the database `path` (UTF-8) with these statements; the error, or
// empty when all went in.
inline std::string BuildDatabase(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    return "cannot open " + path;
  }
  char* error = nullptr;
  const int code = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = code == SQLITE_OK ? "" : (error != nullptr ? error : "failed");
  sqlite3_free(error);
  sqlite3_close(db);
  return message;
}

// A Kindle database whose page headers after the first are overwritten:
// no b-tree page is one any more. Filled so that it has a dozen pages.
inline std::string BuildDamagedKindleDatabase(const std::string& path) {
  std::string sql = std::string("PRAGMA page_size=1024;") + kKindleTables;
  for (int i = 0; i < 300; ++i) {
    sql += "INSERT INTO LOOKUPS VALUES ('x" + std::to_string(i) +
           "', 'en:w', 'b', 'd', 'p', 'A sentence long enough to fill some pages.', 9);";
  }
  std::string error = BuildDatabase(path, sql);
  if (!error.empty()) return error;
  FILE* f = std::fopen(path.c_str(), "r+b");
  if (f == nullptr) return "cannot reopen " + path;
  const std::string garbage(12, '\xff');
  for (long page = 1; page < 12; ++page) {
    std::fseek(f, 1024 * page, SEEK_SET);
    std::fwrite(garbage.data(), 1, garbage.size(), f);
  }
  std::fclose(f);
  return {};
}

}  // namespace cindral::test
