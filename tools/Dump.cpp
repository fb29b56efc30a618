#include "tools/Dump.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "store/Convert.h"
#include "store/Database.h"
#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/Value.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

// The dump's lines, made in one block of memory: a line takes a dozen
// small pieces, each put in with a few moves instead of a string's append.
class Lines {
 public:
  explicit Lines(std::size_t expected) { Grow(expected); }

  void Put(char c) {
    Room(1);
    bytes_[size_++] = c;
  }
  void Put(std::string_view s) {
    const std::size_t n = s.size();
    char* to = Room(n);
    const char* from = s.data();
    // Pieces of up to 16 bytes (most of them) in two overlapping moves.
    if (n >= 8 && n <= 16) {
      std::memcpy(to, from, 8);
      std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
      std::memcpy(to, from, 4);
      std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n > 16) {
      std::memcpy(to, from, n);
    } else {
      for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
    }
    size_ += n;
  }
  void PutNumber(int32_t n) {
    char* to = Room(12);
    size_ = static_cast<std::size_t>(std::to_chars(to, to + 12, n).ptr - bytes_.get());
  }

  void Clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  std::string_view view() const { return std::string_view(bytes_.get(), size_); }

 private:
  char* Room(std::size_t n) {
    if (capacity_ - size_ < n) Grow(std::max(capacity_ * 2, size_ + n));
    return bytes_.get() + size_;
  }
  // Throws std::bad_alloc when memory runs out.
  void Grow(std::size_t capacity) {
    capacity = std::max<std::size_t>(capacity, 4096);
    std::unique_ptr<char[]> bytes(new char[capacity]);
    if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// A value of a line: GBK text as UTF-8, with tabs and line breaks escaped.
// `scratch` keeps its memory from one value to the next.
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

void PutEscaped(Lines* lines, std::string_view gbk, std::string* scratch) {
  unsigned char asks = 0;
  for (const char c : gbk) asks |= kByteKinds.kind[static_cast<unsigned char>(c)];
  const bool special = (asks & kEscape) != 0;
  if (asks == 0) {
    lines->Put(gbk);
    return;
  }
  scratch->clear();
  AppendGbkAsUtf8(gbk, scratch);
  if (!special) {
    lines->Put(*scratch);
    return;
  }
  // A backslash may also be the second byte of a character: only the
  // converted text shows which ones stand alone.
  for (const char c : *scratch) {
    switch (c) {
      case '\\':
        lines->Put("\\\\");
        break;
      case '\t':
        lines->Put("\\t");
        break;
      case '\n':
        lines->Put("\\n");
        break;
      case '\r':
        lines->Put("\\r");
        break;
      default:
        lines->Put(c);
    }
  }
}

// Whether two values give the same text (0 and -0 do not).
bool SameValue(const Value& a, const Value& b) {
  if (!(a == b)) return false;
  return !a.IsFloating() || std::signbit(a.real()) == std::signbit(b.real());
}

int Fail(int32_t code) {
  std::fprintf(stderr, "error %d %s\n", static_cast<int>(code),
               GbkToUtf8(DatabaseErrorText(code)).c_str());
  return 1;
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
bool MakeLines(Database& db, Lines* lines, std::vector<Failure>* failures, int32_t* code) {
  RecordFile* records = db.Current();
  const auto fieldCount = records->fields().size();
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  const int32_t count = db.RecordCount();
  if ((*code = LastDatabaseError()) != 0) return false;
  std::vector<Value> values;
  // Neighbouring records often hold the same group, date or proficiency:
  // each field's last value and its text are kept, so a repeated value
  // is not converted again.
  std::vector<Value> lastValue(fieldCount);
  std::vector<std::string> lastText(fieldCount);
  std::string scratch;
  Lines text(64);
  for (int32_t i = 0; i < count; ++i) {
    int32_t id = 0;
    // Record by record; the count cannot change while the lock is held.
    const int32_t failed = records->ReadRecord(i, &id, &values);
    lines->PutNumber(i + 1);
    lines->Put('\t');
    lines->PutNumber(id);
    for (std::size_t f = 0; f < values.size(); ++f) {
      lines->Put('\t');
      const Value& value = values[f];
      if (value.kind() == Value::Kind::Text) {
        PutEscaped(lines, value.bytes(), &scratch);
        continue;
      }
      if (i == 0 || !SameValue(value, lastValue[f])) {
        lastValue[f] = value;
        text.Clear();
        PutEscaped(&text, ValueToText(value), &scratch);
        lastText[f].assign(text.view());
      }
      lines->Put(lastText[f]);
    }
    lines->Put('\n');
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
  std::unique_ptr<Lines> lines;
  try {
    int32_t count = 0;
    db.Current()->ReadCount(&count);
    // Room for short lines up front: growing copies them.
    lines = std::make_unique<Lines>(static_cast<std::size_t>(std::max(count, 0)) * 72);
    int32_t code = 0;
    if (!MakeLines(db, lines.get(), &failures, &code)) return Fail(code);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "the records do not fit in memory\n");
    return 1;
  }
  // The lines go out in large writes; a record's failure is told after its line.
  constexpr std::size_t kWriteBytes = 1 << 20;
  const std::string_view out = lines->view();
  bool written = true;
  std::size_t at = 0;
  for (const Failure& failure : failures) {
    written = WriteOut(out.substr(at, failure.lineEnd - at)) && written;
    at = failure.lineEnd;
    std::fflush(stdout);
    std::fprintf(stderr, "record %d: error %d %s\n", static_cast<int>(failure.record),
                 static_cast<int>(failure.code), GbkToUtf8(DatabaseErrorText(failure.code)).c_str());
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
