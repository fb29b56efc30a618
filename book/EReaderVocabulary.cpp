// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/EReaderVocabulary.h"

#include <sqlite3.h>

#include <cstdio>
#include <set>

#include "book/KnownWords.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr std::string_view kHeader("SQLite format 3\0", 16);

// A file crafted to keep SQLite busy (a view or a trigger that recurses
// without end) is stopped after about this many steps of its programs,
// which is far more than a reader's vocabulary of any size takes.
constexpr int kStepsPerCall = 10000;
constexpr int kCallLimit = 50000;

// The file's name as an SQLite URI: read-only, and immutable so that no
// lock is taken and no journal or write-ahead log is looked for or made.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (const unsigned char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '.' || c == '-' || c == '_' || c == '~';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri + "?mode=ro&immutable=1";
}

// What an SQLite result code says of the file.
EReaderRead Outcome(int code) {
  switch (code & 0xff) {
    case SQLITE_NOTADB:
      return EReaderRead::kNotSqlite;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_INTERRUPT:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG:
    case SQLITE_NOMEM:
      return EReaderRead::kDamaged;
    default:
      return EReaderRead::kFailed;
  }
}

class Connection {
 public:
  ~Connection() { sqlite3_close_v2(db_); }
  int Open(const std::string& path) {
    const int code = sqlite3_open_v2(ImmutableUri(path).c_str(), &db_,
                                     SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (code != SQLITE_OK) return code;
    // The file's own schema may run no functions with side effects.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_progress_handler(
        db_, kStepsPerCall,
        [](void* calls) { return ++*static_cast<int*>(calls) > kCallLimit ? 1 : 0; }, &calls_);
    return SQLITE_OK;
  }
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  int calls_ = 0;
};

// Runs `sql`, handing each row to `row`; an SQLite result code.
template <class Row>
int Query(sqlite3* db, const std::string& sql, Row&& row) {
  sqlite3_stmt* statement = nullptr;
  int code = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
  if (code != SQLITE_OK) return code;
  while ((code = sqlite3_step(statement)) == SQLITE_ROW) row(statement);
  sqlite3_finalize(statement);
  return code == SQLITE_DONE ? SQLITE_OK : code;
}

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

// A field of the device's file as one line of GBK text: line breaks and
// other control characters become spaces, blanks around it go.
std::string Line(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (const char c : utf8) {
    text += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
  }
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  return Utf8ToGbk(text);
}

// The tables (lower case) and, for the two readers' tables, their columns.
struct Schema {
  std::set<std::string> tables;
  std::set<std::string> Columns(sqlite3* db, const std::string& table, int* code) const {
    std::set<std::string> columns;
    *code = Query(db, "PRAGMA table_info(\"" + table + "\")",
                  [&](sqlite3_stmt* s) { columns.insert(Lower(Column(s, 1))); });
    return columns;
  }
  static std::string Lower(std::string text) {
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  }
};

class Collector {
 public:
  explicit Collector(std::vector<EReaderWord>* words) : words_(words) {}
  void Add(std::string_view word, std::string_view sentence, std::string_view book) {
    EReaderWord met{Line(word), Line(sentence), Line(book)};
    const std::string key = WordKey(met.word);
    if (key.empty() || !seen_.insert(key).second) return;
    words_->push_back(std::move(met));
  }

 private:
  std::vector<EReaderWord>* words_;
  std::set<std::string> seen_;
};

bool Has(const std::set<std::string>& set, const char* name) { return set.count(name) > 0; }

int ReadKindle(sqlite3* db, const Schema& schema, EReaderVocabulary* out) {
  int code = SQLITE_OK;
  const std::set<std::string> words = schema.Columns(db, "WORDS", &code);
  if (code != SQLITE_OK) return code;
  const std::set<std::string> lookups = schema.Columns(db, "LOOKUPS", &code);
  if (code != SQLITE_OK) return code;
  if (!Has(words, "id") || (!Has(words, "word") && !Has(words, "stem")) ||
      !Has(lookups, "word_key")) {
    return SQLITE_ERROR;
  }
  // The base form where the reader knows it, else the word as met.
  const std::string word = Has(words, "stem") && Has(words, "word")
                               ? "coalesce(nullif(w.stem, ''), w.word)"
                               : (Has(words, "stem") ? "w.stem" : "w.word");
  const bool books = Has(schema.tables, "book_info") && Has(lookups, "book_key");
  std::string sql = "SELECT " + word + ", " + (Has(lookups, "usage") ? "l.usage" : "''") + ", " +
                    (books ? "b.title" : "''") +
                    " FROM LOOKUPS l JOIN WORDS w ON l.word_key = w.id" +
                    (books ? " LEFT JOIN BOOK_INFO b ON l.book_key = b.id" : "");
  if (Has(words, "lang")) {
    sql += " WHERE w.lang IS NULL OR w.lang = '' OR lower(w.lang) LIKE 'en%'";
  }
  if (Has(lookups, "timestamp")) sql += " ORDER BY l.timestamp, l.rowid";
  Collector collector(&out->words);
  return Query(db, sql,
               [&](sqlite3_stmt* s) { collector.Add(Column(s, 0), Column(s, 1), Column(s, 2)); });
}

int ReadKOReader(sqlite3* db, const Schema& schema, EReaderVocabulary* out) {
  int code = SQLITE_OK;
  const std::set<std::string> vocabulary = schema.Columns(db, "vocabulary", &code);
  if (code != SQLITE_OK) return code;
  if (!Has(vocabulary, "word")) return SQLITE_ERROR;
  std::set<std::string> title;
  if (Has(schema.tables, "title")) {
    title = schema.Columns(db, "title", &code);
    if (code != SQLITE_OK) return code;
  }
  const bool books = Has(vocabulary, "title_id") && Has(title, "id") && Has(title, "name");
  // The sentence is the text before the word, the word and the text after.
  std::string sentence = "v.word";
  if (Has(vocabulary, "prev_context")) sentence = "coalesce(v.prev_context, '') || " + sentence;
  if (Has(vocabulary, "next_context")) sentence += " || coalesce(v.next_context, '')";
  if (sentence == "v.word") sentence = "''";
  std::string sql = "SELECT v.word, " + sentence + ", " + (books ? "t.name" : "''") +
                    " FROM vocabulary v" + (books ? " LEFT JOIN title t ON v.title_id = t.id" : "");
  if (Has(vocabulary, "create_time")) sql += " ORDER BY v.create_time";
  Collector collector(&out->words);
  return Query(db, sql,
               [&](sqlite3_stmt* s) { collector.Add(Column(s, 0), Column(s, 1), Column(s, 2)); });
}

}  // namespace

bool IsSqliteHeader(std::string_view bytes) { return bytes.substr(0, kHeader.size()) == kHeader; }

EReaderRead ReadEReaderVocabulary(const std::string& path, EReaderVocabulary* out) {
  *out = {};
  Connection connection;
  int code = connection.Open(path);
  if (code != SQLITE_OK) return Outcome(code);
  sqlite3* db = connection.get();

  // Damage shows here rather than as words quietly missing.
  std::string check;
  code = Query(db, "PRAGMA quick_check(1)", [&](sqlite3_stmt* s) { check = Column(s, 0); });
  if (code != SQLITE_OK) return Outcome(code);
  if (check != "ok") return EReaderRead::kDamaged;

  // Only real tables: a view of the same name could be anything.
  Schema schema;
  code = Query(db, "SELECT name FROM sqlite_master WHERE type = 'table'",
               [&](sqlite3_stmt* s) { schema.tables.insert(Schema::Lower(Column(s, 0))); });
  if (code != SQLITE_OK) return Outcome(code);

  if (Has(schema.tables, "words") && Has(schema.tables, "lookups")) {
    out->kind = EReaderKind::kKindle;
    code = ReadKindle(db, schema, out);
  } else if (Has(schema.tables, "vocabulary")) {
    out->kind = EReaderKind::kKOReader;
    code = ReadKOReader(db, schema, out);
  } else {
    return EReaderRead::kNotVocabulary;
  }
  if (code == SQLITE_OK) return EReaderRead::kRead;
  out->words.clear();
  // A column the query needs is not there: some other program's tables.
  return (code & 0xff) == SQLITE_ERROR ? EReaderRead::kNotVocabulary : Outcome(code);
}

std::string EReaderName(EReaderKind kind) {
  return kind == EReaderKind::kKindle ? GBK("Kindle 生词本") : GBK("KOReader 生词本");
}

}  // namespace cindral
