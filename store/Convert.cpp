// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Convert.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>

#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr char kTrue[] = "\xD5\xE6";   // 真
constexpr char kFalse[] = "\xBC\xD9";  // 假

// A 32-bit pattern read as a signed value (the two's complement wrap).
int32_t FromBits(uint32_t u) {
  int64_t v = u;
  if (v > std::numeric_limits<int32_t>::max()) v -= int64_t{1} << 32;
  return static_cast<int32_t>(v);
}

std::string Format(const char* format, double v) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, v);
  if (n < 0) return std::string();
  return std::string(buffer, n < static_cast<int>(sizeof buffer) ? n : sizeof buffer - 1);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string FoldFullWidth(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (GbkCharLength(text, i) == 1) {
      out += text[i++];
      continue;
    }
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail & 0x7F);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out += '*';
    } else {
      out.append(text, i, 2);
    }
    i += 2;
  }
  return out;
}

int32_t TextToInteger(const std::string& text) {
  const std::string s = FoldFullWidth(text);
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // Digits beyond the 32-bit range wrap modulo 2^32, as the stored counters
  // always have; unsigned arithmetic keeps that defined.
  uint32_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10u + static_cast<uint32_t>(s[i] - '0');
  }
  return FromBits(negative ? 0u - value : value);
}

int32_t TruncateToInteger(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

std::string IntegerToText(int32_t v) { return std::to_string(v); }

std::string ValueToText(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Empty:
      return std::string();
    case Value::Kind::Byte:
    case Value::Kind::Short:
    case Value::Kind::Int:
    case Value::Kind::Long:
    case Value::Kind::Subroutine:
      return std::to_string(v.integer());
    case Value::Kind::Float:
      return Format("%.6g", v.real());  // the float, widened exactly
    case Value::Kind::Double:
      return Format("%.13g", v.real());
    case Value::Kind::Logical:
      return v.logical() ? kTrue : kFalse;
    case Value::Kind::DateTime:
      return DateToText(v.real(), 1);
    case Value::Kind::Text:
      return v.bytes();
    case Value::Kind::ByteSet: {
      const std::string& b = v.bytes();
      return b.substr(0, b.find('\0'));
    }
  }
  return std::string();
}

int32_t ValueToInteger(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Text:
      return TextToInteger(v.bytes());
    case Value::Kind::Float:
    case Value::Kind::Double:
      return TruncateToInteger(v.real());
    case Value::Kind::Byte:
      return static_cast<int32_t>(v.integer() & 0xFF);
    case Value::Kind::Short: {
      const int32_t bits = static_cast<int32_t>(v.integer() & 0xFFFF);
      return bits >= 0x8000 ? bits - 0x10000 : bits;
    }
    case Value::Kind::Int:
    case Value::Kind::Long:
      return FromBits(static_cast<uint32_t>(static_cast<uint64_t>(v.integer()) & 0xFFFFFFFFu));
    case Value::Kind::Logical:
      return v.logical() ? 1 : 0;
    default:
      return 0;
  }
}

std::vector<std::string> SplitText(const std::string& s, const std::string& delim,
                                   std::optional<int32_t> maxCount) {
  std::vector<std::string> parts;
  if (s.empty() || (maxCount && *maxCount <= 0)) return parts;
  if (delim.empty()) {
    parts.push_back(s);
    return parts;
  }
  size_t start = 0;
  size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, delim.size(), delim) == 0) {
      parts.push_back(s.substr(start, i - start));
      i += delim.size();
      start = i;
      if (maxCount && parts.size() >= static_cast<size_t>(*maxCount)) return parts;
    } else {
      i += GbkCharLength(s, i);
    }
  }
  if (start < s.size()) parts.push_back(s.substr(start));
  return parts;
}

void RandomGenerator::SeedRandom() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
  const auto tick = static_cast<uint32_t>(static_cast<uint64_t>(ms));
  state_ = tick + counter_;
  counter_ += ((tick + counter_) & 0xFFu) + 100u;
}

int32_t RandomGenerator::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int32_t>((state_ >> 16) & 0x7FFFu);
}

int32_t RandomGenerator::RandomInRange(int32_t min, int32_t max) {
  if (min < 0) min = 0;
  if (max < 0) max = 0;
  if (min > max) std::swap(min, max);
  if (min == max) return min;
  int64_t span = int64_t{max} - min;
  // The span plus one must stay a 32-bit count.
  if (span == std::numeric_limits<int32_t>::max()) span = std::numeric_limits<int32_t>::max() - 1;
  return static_cast<int32_t>(min + Next() % (span + 1));
}

}  // namespace cindral
