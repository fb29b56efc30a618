// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word lists as text files, for other programs: the export of the whole
// word book as TSV or CSV, and the reading of a list of new words (word and
// meaning) for the import, with what it holds, what it cannot take and why.
//
// Quoting follows RFC 4180 in both forms: a field that holds a tab, a
// comma, a double quote or a line break is put in double quotes, with its
// quotes doubled. CSV lines end in CR LF, TSV lines in LF; both are read
// either way.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/Database.h"

namespace cindral {

enum class WordListFormat { Tsv, Csv };
enum class WordListEncoding { Utf8, Gbk };

// The header line's field names, in the order of the columns.
const std::vector<std::string>& WordListColumns();

// Every live record of the current database, one line each after the
// header: group, word, meaning, entry date (YYYY-MM-DD), proficiency and
// serial number. UTF-8 CSV begins with a byte order mark, so that
// spreadsheets take it for UTF-8. A GBK list is GBK proper, which readers
// that know only GBK take. False, with nothing given out: with
// LastDatabaseError() when a record could not be read; with `notInGbk` set
// to the word (GBK) of the first record whose word or meaning holds a
// character GBK lacks, when GBK was asked for.
bool ExportWordList(Database& db, WordListFormat format, WordListEncoding encoding,
                    std::string* out, int32_t* words = nullptr, std::string* notInGbk = nullptr);

// The longest word and meaning (in GBK bytes) a book's fields hold: a
// fixed-length text field its size; memo text up to kMemoTextLimit.
struct WordLimits {
  std::size_t word = 0;
  std::size_t meaning = 0;
};
constexpr std::size_t kMemoTextLimit = 32767;
WordLimits WordLimitsOf(Database& db);

// A word list read for the import.
struct ListedWord {
  int32_t line = 0;     // where its record starts, 1-based
  std::string word;     // GBK
  std::string meaning;  // GBK
};
struct ListProblem {
  int32_t line = 0;
  std::string reason;  // GBK
  // The word of a line that has no meaning (an empty meaning, or a line of
  // the word alone), for a meaning found elsewhere (GBK); empty otherwise.
  std::string word;
};
struct WordListFile {
  WordListEncoding encoding = WordListEncoding::Utf8;
  bool byteOrderMark = false;
  WordListFormat format = WordListFormat::Tsv;
  char separator = '\t';  // a tab, a comma, or what the file's directive names
  bool exported = false;  // a list this program exported: read by its header
  // Another flashcard program's directive lines ("#html:true", …), GBK,
  // and whether its fields are HTML (shown and imported as plain text).
  std::vector<std::string> directives;
  bool html = false;
  // The header line's fields (GBK), when the first line names the columns
  // ("word,meaning", "单词<TAB>释义", this program's export); not a word.
  std::vector<std::string> header;
  // The columns of each line, and the two that hold the word and meaning
  // (0-based).
  std::size_t columns = 2;
  std::size_t wordColumn = 0;
  std::size_t meaningColumn = 1;
  // The columns the file's directives give to other things than the
  // note's fields (0-based: guid, notetype, deck, tags).
  std::map<std::size_t, std::string> otherColumns;
  std::vector<ListedWord> words;
  std::vector<ListProblem> problems;
  // Most of its lines are not text (a program, a picture, random bytes):
  // not a word list, and `words` is empty.
  bool notText = false;
};

// Files larger than this are not read.
constexpr std::size_t kWordListFileLimit = 64u << 20;

// Reads lines of word<TAB>meaning, or CSV with two columns, or a list this
// program exported (by its Word and Meaning columns). The encoding is UTF-8
// (with or without a byte order mark) or GBK, whichever the file's lines
// are; the first line with a tab or a comma outside quotes tells TSV from
// CSV (a tab wins). Blank lines are skipped;
// a line with an empty word or meaning, a text longer than `limits`, bytes
// that are not text in the file's encoding, or the wrong number of columns
// is listed as a problem with its line number. A line is not text when its
// bytes do not decode, when it holds a control character (the tab and the
// line breaks aside), or, in GBK, a code GBK has no character for (its
// user-defined areas, the codes it leaves unassigned); a file most of whose
// lines are not text is `notText` and gives no words.
//
// A header line is recognised by its names (word, 单词, front, … and
// meaning, 释义, back, …) and picks the columns; so do "#columns:"
// directives. A file of more than two columns takes the first two that
// its directives do not give to other things ("#guid column:1", "#deck
// column:3", …) unless `choice` names others (word, meaning; 0-based,
// and not the same).
struct ColumnChoice {
  std::size_t word = 0;
  std::size_t meaning = 1;
};
WordListFile ReadWordList(std::string_view bytes, const WordLimits& limits,
                          const ColumnChoice* choice = nullptr);

// "UTF-8", "UTF-8（带 BOM）" or "GBK", as the preview names it (GBK).
std::string EncodingName(const WordListFile& file);

}  // namespace cindral
