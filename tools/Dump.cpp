// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Dump.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "store/Convert.h"
#include "store/Database.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/Value.h"
#include "store/WholeFileScope.h"
#include "tools/CutShortGuard.h"
#include "tools/EngineError.h"

namespace cindral {
namespace {

// What a byte asks of a value: nothing, conversion, escaping.
constexpr unsigned char kConvert = 1;
constexpr unsigned char kEscape = 2;
struct ByteKinds {
  unsigned char kind[256] = {};
  constexpr ByteKinds() {
    for (int c = 0x80; c < 256; ++c) kind[c] = kConvert;
    for (const int c : {'\\', '\t', '\n', '\r'}) kind[c] = kEscape;
  }
};
constexpr ByteKinds kByteKinds;

}  // namespace

void AppendEscaped(std::string* out, std::string_view gbk, std::string* scratch) {
  unsigned char asks = 0;
  for (const char c : gbk) asks |= kByteKinds.kind[static_cast<unsigned char>(c)];
  if ((asks & kEscape) == 0) {
    AppendGbkAsUtf8(gbk, out);
    return;
  }
  // A backslash may also be the second byte of a character: only the
  // converted text shows which ones stand alone.
  scratch->clear();
  AppendGbkAsUtf8(gbk, scratch);
  for (const char c : *scratch) {
    switch (c) {
      case '\\':
        *out += "\\\\";
        break;
      case '\t':
        *out += "\\t";
        break;
      case '\n':
        *out += "\\n";
        break;
      case '\r':
        *out += "\\r";
        break;
      default:
        *out += c;
    }
  }
}

namespace {

void AppendNumber(std::string* out, int32_t n) {
  char digits[12];
  out->append(digits, static_cast<std::size_t>(
                          std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
}

// Whether two values give the same text (0 and -0 do not).
bool SameValue(const Value& a, const Value& b) {
  if (!(a == b)) return false;
  return !a.IsFloating() || std::signbit(a.real()) == std::signbit(b.real());
}

// Writes `text` to standard output; false when it cannot be written whole.
bool WriteOut(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

struct Failure {
  std::size_t lineEnd;  // in the lines
  int32_t record;
  int32_t code;
};

// Every record's line, made under one shared lock with each record read
// whole. False (with the code in `*code`) when the book cannot be walked.
bool MakeLines(Database& db, std::string* lines, std::vector<Failure>* failures, int32_t* code) {
  RecordFile* records = db.Current();
  const auto fieldCount = records->fields().size();
  // The walk uses a few bytes of each block of the side file: read in
  // place, not copied (the guard outlives the scope and its mappings).
  records->ReadThroughMappings();
  CutShortGuard guard;
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  const int32_t count = db.RecordCount();
  if ((*code = LastDatabaseError()) != 0) return false;
  // Room for short lines up front: growing copies them.
  lines->reserve(static_cast<std::size_t>(count) * 72);
  std::vector<Value> values;
  // Neighbouring records often hold the same group, date or proficiency:
  // each field's last value and its text are kept, so a repeated value
  // is not converted again.
  std::vector<Value> lastValue(fieldCount);
  std::vector<std::string> lastText(fieldCount);
  std::string scratch;
  for (int32_t i = 0; i < count; ++i) {
    int32_t id = 0;
    // Record by record; the count cannot change while the lock is held.
    const int32_t failed = records->ReadRecord(i, &id, &values);
    AppendNumber(lines, i + 1);
    *lines += '\t';
    AppendNumber(lines, id);
    for (std::size_t f = 0; f < values.size(); ++f) {
      *lines += '\t';
      const Value& value = values[f];
      if (value.kind() == Value::Kind::Text) {
        AppendEscaped(lines, value.bytes(), &scratch);
        continue;
      }
      if (i == 0 || !SameValue(value, lastValue[f])) {
        lastValue[f] = value;
        lastText[f].clear();
        AppendEscaped(&lastText[f], ValueToText(value), &scratch);
      }
      *lines += lastText[f];
    }
    *lines += '\n';
    if (failed != 0) failures->push_back({lines->size(), i + 1, failed});
  }
  return true;
}

}  // namespace

int Dump(const std::string& file) {
  Database db;
  if (!db.OpenDatabase(Utf8ToGbk(file), Access::ReadOnly, Share::DenyNone)) {
    return Fail(LastDatabaseError());
  }
  // The lines are made under the lock and written out once it is let go:
  // writers wait only for the reading, never for whoever reads the output.
  std::vector<Failure> failures;
  std::string lines;
  try {
    int32_t code = 0;
    if (!MakeLines(db, &lines, &failures, &code)) return Fail(code);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "the records do not fit in memory\n");
    return 1;
  }
  // The lines go out in large writes; a record's failure is told after its line.
  constexpr std::size_t kWriteBytes = 1 << 20;
  const std::string_view out = lines;
  bool written = true;
  std::size_t at = 0;
  for (const Failure& failure : failures) {
    written = WriteOut(out.substr(at, failure.lineEnd - at)) && written;
    at = failure.lineEnd;
    std::fflush(stdout);
    std::fprintf(stderr, "record %d: error %d %s\n", static_cast<int>(failure.record),
                 static_cast<int>(failure.code),
                 GbkToUtf8(DatabaseErrorText(failure.code)).c_str());
  }
  for (; at < out.size(); at += kWriteBytes) {
    written = WriteOut(out.substr(at, kWriteBytes)) && written;
  }
  if (std::fflush(stdout) != 0 || !written) {
    std::fprintf(stderr, "the records could not be written out\n");
    return 1;
  }
  // Every line is out, but not every value could be read.
  return failures.empty() ? 0 : 1;
}

}  // namespace cindral
