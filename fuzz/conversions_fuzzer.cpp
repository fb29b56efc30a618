// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The conversions every part of the program uses on text from files and
// from the learner: TextToDate, ValueToText and ValueToInteger on values of
// every kind, SplitText, and the GBK text conversions.
//
// Besides the sanitizers, it stops when a date read from text does not read
// back from its own text, or when splitting text loses or invents bytes.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "store/Bytes.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

// The value of each kind that the first bytes of `bytes` make.
Value ValueOf(uint8_t kind, const std::string& bytes) {
  char raw[8] = {};
  std::memcpy(raw, bytes.data(), std::min<std::size_t>(bytes.size(), sizeof raw));
  switch (kind % 12) {
    case 0:
      return Value::Byte(static_cast<uint8_t>(raw[0]));
    case 1:
      return Value::Short(static_cast<int16_t>(GetInt32(raw)));
    case 2:
      return Value::Int(GetInt32(raw));
    case 3:
      return Value::Long(GetInt64(raw));
    case 4:
      return Value::Float(GetFloat(raw));
    case 5:
      return Value::Double(GetDouble(raw));
    case 6:
      return Value::Logical(raw[0] != 0);
    case 7:
      return Value::DateTime(GetDouble(raw));
    case 8:
      return Value::Subroutine(GetInt32(raw));
    case 9:
      return Value::ByteSet(bytes);
    default:
      return Value::Text(bytes);
  }
}

void SplitChecked(const std::string& text, const std::string& delim) {
  const auto parts = SplitText(text, delim);
  if (delim.empty()) return;
  // Joined with the delimiter again, the pieces are the text without what a
  // trailing delimiter left behind.
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) joined += (i > 0 ? delim : "") + parts[i];
  if (text.compare(0, joined.size(), joined) != 0) std::abort();
  if (joined.size() < text.size() && text.compare(joined.size(), delim.size(), delim) != 0) {
    std::abort();
  }
}

}  // namespace
}  // namespace cindral

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace cindral;
  if (size < 1) return 0;
  const uint8_t kind = data[0];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const double date = TextToDate(text);
  // Times of the calendar's first day encode below its first midnight, and
  // of its last day beyond its last: outside the range of numbers whose
  // text is theirs.
  if (date > kMinDateTime && date <= kMaxDateTime) {
    // A date read from text reads back from its own text, in every format
    // that carries the time.
    if (TextToDate(DateToText(date, 1)) != date) std::abort();
    if (TextToDate(DateToText(date, 2) + DateToText(date, 3)) != date) std::abort();
  }
  const Value value = ValueOf(kind, text);
  (void)ValueToText(value);
  (void)ValueToInteger(value);
  (void)TextToInteger(text);
  (void)FoldFullWidth(text);
  (void)DateToText(GetDouble((text + std::string(8, '\0')).data()), kind % 5);

  // The delimiter is the text's first character or two.
  const std::size_t cut = std::min<std::size_t>(text.size(), 1 + kind % 2);
  SplitChecked(text.substr(cut), text.substr(0, cut));
  SplitChecked(text, " ");
  (void)SplitText(text, ",", kind % 7 - 2);

  (void)Utf8ToGbk(GbkToUtf8(text));
  return 0;
}
