// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "book/WordList.h"

#include <cstdio>
#include <map>

#include "book/ListDirectives.h"

#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/FieldCodec.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char Separator(WordListFormat format) { return format == WordListFormat::Tsv ? '\t' : ','; }

// RFC 4180: quoted when the field holds a tab, comma, quote or line break.
void AppendField(std::string& out, const std::string& field) {
  if (field.find_first_of("\t,\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string IsoDate(double date) {
  const DateParts p = SplitDateTime(date);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
  return text;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF).
bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      n = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + n >= s.size()) return false;  // cut short
    for (size_t k = 1; k <= n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (n == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    i += n + 1;
  }
  return true;
}

// Whether the bytes are well-formed GB18030 (GBK's two-byte characters and
// the four-byte ones beyond it).
bool IsGb18030(std::string_view s) {
  auto in = [](unsigned char c, int lo, int hi) { return c >= lo && c <= hi; };
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (!in(b, 0x81, 0xFE) || i + 1 >= s.size()) return false;
    const auto c = static_cast<unsigned char>(s[i + 1]);
    if (in(c, 0x40, 0x7E) || in(c, 0x80, 0xFE)) {
      i += 2;
    } else if (in(c, 0x30, 0x39) && i + 3 < s.size() &&
               in(static_cast<unsigned char>(s[i + 2]), 0x81, 0xFE) &&
               in(static_cast<unsigned char>(s[i + 3]), 0x30, 0x39)) {
      i += 4;
    } else {
      return false;
    }
  }
  return true;
}

// Whether the bytes read as GBK: GBK proper (a file of a program that
// knows only GBK), or its superset GB18030.
bool IsGbkText(std::string_view s) { return IsGb18030(s) || FromStrictGbk(s).has_value(); }

// A field of a GBK file as stored text.
std::string StoredFromGbk(const std::string& field) { return FromStrictGbk(field).value_or(field); }

// Why a line of well-formed UTF-8 (as read, or decoded from GBK) is no
// text: a control character (the tab, the line breaks and the file's own
// separator aside), or, from GBK, a code to which GBK gives no character:
// its user-defined areas and the codes it leaves unassigned decode into the
// private use areas, bytes that do not decode into U+FFFD. Empty for a line
// of text.
const char* NotText(std::string_view utf8, bool fromGbk, char separator) {
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      const bool allowed = b == '\t' || b == '\r' || b == '\n' || b == separator;
      if ((b < 0x20 || b == 0x7F) && !allowed) return "含有控制字符";
      ++i;
      continue;
    }
    const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    uint32_t cp = b & (0x7F >> n);
    for (size_t k = 1; k < n && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += n;
    if (cp >= 0x80 && cp <= 0x9F) return "含有控制字符";
    if (fromGbk && ((cp >= 0xE000 && cp <= 0xF8FF) || cp == 0xFFFD || cp >= 0xF0000)) {
      return "含有 GBK 中没有的字符（自定义区或未分配的编码）";
    }
  }
  return "";
}

bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsBlank(std::string_view s) {
  return s.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// One record of the file: its fields as raw bytes, where it starts, and
// whether a quote ran on to the end of the file.
struct RawRecord {
  int32_t line = 0;
  std::vector<std::string> fields;
  std::string raw;  // the record's bytes, for telling a blank line
  bool unclosedQuote = false;
};

// Splits the bytes into records. Separators, quotes and line breaks are
// ASCII bytes, which neither UTF-8 nor GBK uses inside a character, so the
// bytes are split before they are decoded.
std::vector<RawRecord> SplitRecords(std::string_view text, char separator, int32_t firstLine) {
  std::vector<RawRecord> records;
  size_t i = 0;
  int32_t line = firstLine;
  while (i < text.size()) {
    RawRecord record;
    record.line = line;
    const size_t start = i;
    std::string field;
    bool atFieldStart = true;
    bool ended = false;
    while (i < text.size() && !ended) {
      const char c = text[i];
      if (atFieldStart && c == '"') {
        // A quoted field: to the closing quote, doubled quotes kept once.
        ++i;
        bool closed = false;
        while (i < text.size()) {
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              field += '"';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          if (text[i] == '\n') ++line;
          field += text[i++];
        }
        if (!closed) record.unclosedQuote = true;
        atFieldStart = false;
        continue;
      }
      atFieldStart = false;
      if (c == separator) {
        record.fields.push_back(std::move(field));
        field.clear();
        atFieldStart = true;
        ++i;
      } else if (c == '\n' || c == '\r') {
        // LF, CR LF or a lone CR ends the record.
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        ++line;
        ended = true;
      } else {
        field += c;
        ++i;
      }
    }
    record.fields.push_back(std::move(field));
    record.raw = std::string(text.substr(start, i - start));
    records.push_back(std::move(record));
  }
  return records;
}

std::string TooLong(const char* what, size_t bytes, size_t limit) {
  return Utf8ToGbk(std::string(what) + "太长（" + std::to_string(bytes) + " 字节，最多 " +
                   std::to_string(limit) + " 字节）");
}

// Tab-separated or comma-separated: the first line that holds a tab or a
// comma outside quotes tells (a tab wins); TSV when none does.
WordListFormat DetectFormat(std::string_view text) {
  bool quoted = false;
  bool comma = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '\t') {
      return WordListFormat::Tsv;
    } else if (!quoted && c == ',') {
      comma = true;
    } else if (!quoted && (c == '\n' || c == '\r') && comma) {
      return WordListFormat::Csv;
    }
  }
  return comma ? WordListFormat::Csv : WordListFormat::Tsv;
}

// What a header calls the word's and the meaning's columns (UTF-8, lower
// case).
bool NamesWord(const std::string& name) {
  static const char* const kNames[] = {"word", "words", "term", "front", "english", "单词",
                                       "英文", "英语", "词汇", "生词"};
  for (const char* n : kNames) {
    if (name == n) return true;
  }
  return false;
}

bool NamesMeaning(const std::string& name) {
  static const char* const kNames[] = {"meaning", "meanings", "definition", "translation", "back",
                                       "chinese", "释义", "词义", "意思", "解释", "中文", "翻译"};
  for (const char* n : kNames) {
    if (name == n) return true;
  }
  return false;
}

// The word's and the meaning's columns, when `names` (UTF-8) name both.
std::optional<ColumnChoice> NamedColumns(const std::vector<std::string>& names) {
  std::optional<size_t> word, meaning;
  for (size_t i = 0; i < names.size(); ++i) {
    std::string name;
    for (const char c : names[i]) {
      if (c == ' ' || c == '\t') continue;
      name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (!word && NamesWord(name)) {
      word = i;
    } else if (!meaning && NamesMeaning(name)) {
      meaning = i;
    }
  }
  if (!word || !meaning) return std::nullopt;
  return ColumnChoice{*word, *meaning};
}

// The first two columns that hold the note's fields: the first two the
// directives give to nothing else (a guid, a note type, a deck, tags).
ColumnChoice FieldColumns(const WordListFile& file) {
  std::vector<size_t> fields;
  for (size_t c = 0; c < file.columns && fields.size() < 2; ++c) {
    if (file.otherColumns.count(c) == 0) fields.push_back(c);
  }
  return fields.size() == 2 ? ColumnChoice{fields[0], fields[1]} : ColumnChoice{};
}

// Drops a UTF-8 byte order mark from the front of `bytes`; whether there
// was one.
bool TakeByteOrderMark(std::string_view* bytes) {
  if (bytes->substr(0, kByteOrderMark.size()) != kByteOrderMark) return false;
  bytes->remove_prefix(kByteOrderMark.size());
  return true;
}

// TSV or CSV and the separator: what the directives name, else what the
// lines show.
void ChooseFormat(std::string_view bytes, const ListDirectives& directives, WordListFile* file) {
  file->format = DetectFormat(bytes);
  file->separator = directives.separator.value_or(Separator(file->format));
  if (directives.separator) {
    file->format = *directives.separator == '\t' ? WordListFormat::Tsv : WordListFormat::Csv;
  }
}

// The encoding the lines speak: UTF-8 unless more of the lines that are
// not plain ASCII read as GBK than as UTF-8.
WordListEncoding VoteEncoding(const std::vector<RawRecord>& records) {
  int utf8 = 0, gbk = 0;
  for (const RawRecord& r : records) {
    if (IsAscii(r.raw)) continue;
    utf8 += IsUtf8(r.raw) ? 1 : 0;
    gbk += IsGbkText(r.raw) ? 1 : 0;
  }
  return gbk > utf8 ? WordListEncoding::Gbk : WordListEncoding::Utf8;
}

// A field as stored (GBK), and as UTF-8 text; fields of HTML as their
// plain text, and sound references of other programs' lists dropped.
struct FieldText {
  bool utf8;     // the file's encoding is UTF-8, else GBK
  bool html;     // its fields are HTML
  bool foreign;  // another program's list (it has directives)

  std::string Text(const std::string& field) const {
    const std::string asUtf8 = utf8 ? field : GbkToUtf8(StoredFromGbk(field));
    if (html) return TextOfHtml(asUtf8);
    return foreign ? WithoutSoundReferences(asUtf8) : asUtf8;
  }
  std::string Stored(const std::string& field) const {
    if (!html && !foreign) return utf8 ? Utf8ToGbk(field) : StoredFromGbk(field);
    return Utf8ToGbk(Text(field));
  }
};

// The header and the columns: a first line that names the word's and the
// meaning's columns (or is this program's export) is the header; else the
// directives may name the columns; else the columns most lines have (the
// fewer of two as common; two at least). The learner's `choice` wins where
// it fits the columns. Returns the index of the first record after the
// header.
size_t ReadHeaderAndColumns(const std::vector<RawRecord>& records, const ListDirectives& directives,
                            const FieldText& text, const ColumnChoice* choice, WordListFile* file) {
  size_t first = 0;
  while (first < records.size() && IsBlank(records[first].raw)) ++first;
  std::optional<ColumnChoice> named;
  if (first < records.size() && records[first].fields == WordListColumns()) {
    // A list this program exported is read by its header's columns.
    file->exported = true;
    named = ColumnChoice{1, 2};
    file->columns = WordListColumns().size();
  } else if (first < records.size()) {
    std::vector<std::string> names;
    for (const std::string& f : records[first].fields) names.push_back(text.Text(f));
    named = NamedColumns(names);
    if (named) file->columns = names.size();
  }
  if (named) {
    for (const std::string& f : records[first].fields) file->header.push_back(text.Stored(f));
    ++first;
  } else if (!directives.columns.empty() && (named = NamedColumns(directives.columns))) {
    file->columns = directives.columns.size();
  } else {
    std::map<size_t, int> counts;
    for (size_t k = first; k < records.size(); ++k) {
      if (!IsBlank(records[k].raw)) ++counts[records[k].fields.size()];
    }
    int most = 0;
    for (const auto& [columns, lines] : counts) {
      if (lines > most && columns >= 2) {
        most = lines;
        file->columns = columns;
      }
    }
  }
  const ColumnChoice chosen = choice != nullptr && choice->word < file->columns &&
                                      choice->meaning < file->columns &&
                                      choice->word != choice->meaning
                                  ? *choice
                                  : named.value_or(FieldColumns(*file));
  file->wordColumn = chosen.word;
  file->meaningColumn = chosen.meaning;
  return first;
}

// Checks each line from `first` on: a line that is not text, has an
// unclosed quote, the wrong number of columns, an empty or too long word or
// meaning is a problem; the others are the words. A file most of whose
// lines are not text (a program, a picture, random bytes) is no word list.
void CheckLines(const std::vector<RawRecord>& records, size_t first, const WordLimits& limits,
                const FieldText& text, WordListFile* file) {
  const bool utf8 = text.utf8;
  const size_t columns = file->columns;
  int32_t lines = 0, notText = 0;
  for (size_t k = first; k < records.size(); ++k) {
    const RawRecord& r = records[k];
    if (IsBlank(r.raw)) continue;
    ++lines;
    auto problem = [&](const std::string& utf8Reason) {
      file->problems.push_back({r.line, Utf8ToGbk(utf8Reason)});
    };
    if (!(utf8 ? IsUtf8(r.raw) : IsGbkText(r.raw))) {
      ++notText;
      problem("含有无法识别的字符（不是 " + std::string(utf8 ? "UTF-8" : "GBK") + " 文字）");
      continue;
    }
    if (const std::string why =
            NotText(utf8 ? r.raw : GbkToUtf8(StoredFromGbk(r.raw)), !utf8, file->separator);
        !why.empty()) {
      ++notText;
      problem(why + "，不是文字");
      continue;
    }
    if (r.unclosedQuote) {
      problem("引号没有配对，从这一行起到文件末尾都读不出来");
      continue;
    }
    if (r.fields.size() != columns) {
      problem(columns == 2
                  ? "应为两列（单词和释义），这一行有 " + std::to_string(r.fields.size()) + " 列"
                  : "应为 " + std::to_string(columns) + " 列，这一行有 " +
                        std::to_string(r.fields.size()) + " 列");
      // A word alone on its line has no meaning.
      if (r.fields.size() == 1 && columns == 2) {
        std::string alone = text.Stored(r.fields[0]);
        if (alone.size() <= limits.word) file->problems.back().word = std::move(alone);
      }
      continue;
    }
    ListedWord word;
    word.line = r.line;
    word.word = text.Stored(r.fields[file->wordColumn]);
    word.meaning = text.Stored(r.fields[file->meaningColumn]);
    if (word.word.empty() || word.meaning.empty()) {
      problem(word.word.empty() ? "单词为空" : "释义为空");
      if (!word.word.empty() && word.word.size() <= limits.word) {
        file->problems.back().word = word.word;
      }
      continue;
    }
    if (word.word.size() > limits.word) {
      file->problems.push_back({r.line, TooLong("单词", word.word.size(), limits.word)});
      continue;
    }
    if (word.meaning.size() > limits.meaning) {
      file->problems.push_back({r.line, TooLong("释义", word.meaning.size(), limits.meaning)});
      continue;
    }
    file->words.push_back(std::move(word));
  }
  if (notText * 2 > lines) {
    file->notText = true;
    file->words.clear();
  }
}

}  // namespace

const std::vector<std::string>& WordListColumns() {
  static const std::vector<std::string> columns{"GroupNumber", "Word",        "Meaning",
                                                "EntryDate",   "Proficiency", "SerialNumber"};
  return columns;
}

bool ExportWordList(Database& db, WordListFormat format, WordListEncoding encoding,
                    std::string* out, int32_t* words, std::string* notInGbk) {
  const char separator = Separator(format);
  const char* lineEnd = format == WordListFormat::Csv ? "\r\n" : "\n";
  std::string text;
  if (encoding == WordListEncoding::Utf8 && format == WordListFormat::Csv) text += kByteOrderMark;
  for (size_t i = 0; i < WordListColumns().size(); ++i) {
    if (i > 0) text += separator;
    text += WordListColumns()[i];
  }
  text += lineEnd;

  RecordFile* file = db.Current();
  int32_t exported = 0;
  // One consistent book: no writer comes between the records.
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  if (!scope.ok()) return false;
  db.GoFirst();
  const int32_t count = db.RecordCount();
  if (file == nullptr || LastDatabaseError() != 0) return false;
  for (int32_t i = 0; i < count; ++i, db.Skip(1)) {
    int32_t id = 0;
    if (file->ReadRecordId(file->cursor(), &id) != 0) return false;
    if (id <= 0) continue;  // marked deleted
    std::string line;
    const std::vector<std::string> fields{IntegerToText(ReadIntegerField(db, kGroupNumber)),
                                          ReadTextField(db, kWord),
                                          ReadTextField(db, kMeaning),
                                          IsoDate(ReadDateField(db, kEntryDate)),
                                          IntegerToText(ReadIntegerField(db, kProficiency)),
                                          IntegerToText(ReadIntegerField(db, kSerialNumber))};
    if (LastDatabaseError() != 0) return false;
    for (size_t f = 0; f < fields.size(); ++f) {
      if (f > 0) line += separator;
      if (encoding == WordListEncoding::Utf8) {
        AppendField(line, GbkToUtf8(fields[f]));
        continue;
      }
      const std::optional<std::string> gbk = ToStrictGbk(fields[f]);
      if (!gbk) {
        if (notInGbk != nullptr) *notInGbk = fields[1];
        return false;
      }
      AppendField(line, *gbk);
    }
    text += line;
    text += lineEnd;
    ++exported;
  }
  *out = std::move(text);
  if (words != nullptr) *words = exported;
  return true;
}

WordLimits WordLimitsOf(Database& db) {
  WordLimits limits{kMemoTextLimit, kMemoTextLimit};
  RecordFile* file = db.Current();
  if (file == nullptr) return limits;
  const auto& fields = file->fields();
  auto limitOf = [&](int32_t position) {
    if (position > static_cast<int32_t>(fields.size())) return kMemoTextLimit;
    const FieldDescriptor& field = fields[static_cast<size_t>(position - 1)];
    return field.type == kTypeText ? static_cast<size_t>(field.Width()) : kMemoTextLimit;
  };
  limits.word = limitOf(kWord);
  limits.meaning = limitOf(kMeaning);
  return limits;
}

WordListFile ReadWordList(std::string_view bytes, const WordLimits& limits,
                          const ColumnChoice* choice) {
  WordListFile file;
  file.byteOrderMark = TakeByteOrderMark(&bytes);
  const ListDirectives directives = TakeListDirectives(bytes);
  file.directives = directives.lines;
  file.otherColumns = directives.otherColumns;
  file.html = directives.html;
  ChooseFormat(bytes, directives, &file);
  const std::vector<RawRecord> records =
      SplitRecords(bytes, file.separator, 1 + static_cast<int32_t>(directives.lines.size()));
  if (!file.byteOrderMark) file.encoding = VoteEncoding(records);
  const FieldText text{file.encoding == WordListEncoding::Utf8, file.html,
                       !directives.lines.empty()};
  const size_t first = ReadHeaderAndColumns(records, directives, text, choice, &file);
  CheckLines(records, first, limits, text, &file);
  return file;
}

std::string EncodingName(const WordListFile& file) {
  if (file.encoding == WordListEncoding::Gbk) return "GBK";
  return file.byteOrderMark ? Utf8ToGbk("UTF-8（带 BOM）") : "UTF-8";
}

}  // namespace cindral
