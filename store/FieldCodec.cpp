// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FieldCodec.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "store/Bytes.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

// Floating to a 64-bit integer, truncated toward zero; the range is
// saturated and NaN gives 0 so that no value from a file is undefined here.
int64_t TruncateToInt64(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  if (d <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(d);
}

// A number for an integer field of [low, high]: an integer keeps its low
// bits (it wraps, as integer conversions do); a floating value is truncated
// toward zero and held within the field's range.
int64_t ForIntegerField(const Value& v, int64_t low, int64_t high) {
  if (!v.IsFloating()) return v.integer();
  const int64_t t = TruncateToInt64(v.real());
  return t < low ? low : (t > high ? high : t);
}

double AsDouble(const Value& v) {
  return v.IsFloating() ? v.real() : static_cast<double>(v.integer());
}

float AsFloat(const Value& v) {
  const double d = AsDouble(v);
  // A double beyond float's range would be undefined as a cast; the IEEE
  // answer is infinity.
  if (d > static_cast<double>(FLT_MAX)) return std::numeric_limits<float>::infinity();
  if (d < -static_cast<double>(FLT_MAX)) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(d);
}

}  // namespace

int32_t FieldWidth(int32_t type, int32_t declaredSize) {
  switch (type) {
    case kTypeByte:
    case kTypeLogical:
      return 1;
    case kTypeShort:
      return 2;
    case kTypeInt:
    case kTypeFloat:
    case kTypeSubroutine:
    case kTypeByteSet:
    case kTypeMemo:
      return 4;
    case kTypeLong:
    case kTypeDouble:
    case kTypeDateTime:
      return 8;
    case kTypeText:
      return declaredSize;
    default:
      return 0;
  }
}

int32_t FieldDescriptor::Width() const { return FieldWidth(type, declaredSize); }

bool ValueFitsField(const Value& value, int32_t type) {
  switch (type) {
    case kTypeByte:
    case kTypeShort:
    case kTypeInt:
    case kTypeLong:
    case kTypeFloat:
    case kTypeDouble:
      return value.IsNumeric();
    case kTypeLogical:
      return value.kind() == Value::Kind::Logical;
    case kTypeDateTime:
      return value.kind() == Value::Kind::DateTime;
    case kTypeSubroutine:
      return value.kind() == Value::Kind::Subroutine;
    case kTypeText:
    case kTypeMemo:
      return value.kind() == Value::Kind::Text;
    case kTypeByteSet:
      return value.kind() == Value::Kind::ByteSet;
    default:
      return false;
  }
}

std::size_t CutLength(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t next = i + GbkCharLength(text, i);
    if (next > limit) break;
    i = next;
  }
  return i;
}

void EncodeField(const FieldDescriptor& field, const Value& value, char* dest) {
  switch (field.type) {
    case kTypeByte:
      dest[0] = static_cast<char>(
          static_cast<uint8_t>(static_cast<uint64_t>(ForIntegerField(value, 0, 255))));
      break;
    case kTypeShort: {
      const auto u =
          static_cast<uint16_t>(static_cast<uint64_t>(ForIntegerField(value, -32768, 32767)));
      dest[0] = static_cast<char>(u & 0xFF);
      dest[1] = static_cast<char>(u >> 8);
      break;
    }
    case kTypeInt:
      PutInt32(dest, static_cast<int32_t>(static_cast<uint32_t>(
                         ForIntegerField(value, -2147483647 - 1, 2147483647))));
      break;
    case kTypeLong:
      PutInt64(dest, ForIntegerField(value, std::numeric_limits<int64_t>::min(),
                                     std::numeric_limits<int64_t>::max()));
      break;
    case kTypeFloat:
      PutFloat(dest, AsFloat(value));
      break;
    case kTypeDouble:
      PutDouble(dest, AsDouble(value));
      break;
    case kTypeLogical:
      dest[0] = value.logical() ? 1 : 0;
      break;
    case kTypeDateTime:
      PutDouble(dest, value.real());
      break;
    case kTypeSubroutine:
      PutInt32(dest, static_cast<int32_t>(value.integer()));
      break;
    case kTypeText: {
      const auto width = static_cast<std::size_t>(field.declaredSize);
      const std::size_t n = CutLength(value.bytes(), width);
      std::memcpy(dest, value.bytes().data(), n);
      std::memset(dest + n, 0, width - n);
      break;
    }
    default:
      break;
  }
}

Value DecodeField(const FieldDescriptor& field, const char* src) {
  switch (field.type) {
    case kTypeByte:
      return Value::Byte(static_cast<uint8_t>(src[0]));
    case kTypeShort: {
      const auto u = static_cast<uint16_t>(static_cast<unsigned char>(src[0]) |
                                           static_cast<unsigned char>(src[1]) << 8);
      return Value::Short(static_cast<int16_t>(u));
    }
    case kTypeInt:
      return Value::Int(GetInt32(src));
    case kTypeLong:
      return Value::Long(GetInt64(src));
    case kTypeFloat:
      return Value::Float(GetFloat(src));
    case kTypeDouble:
      return Value::Double(GetDouble(src));
    case kTypeLogical:
      return Value::Logical(src[0] != 0);
    case kTypeDateTime: {
      const double d = GetDouble(src);
      // NaN has no place in the calendar: it reads as the zero date.
      return Value::DateTime(std::isnan(d) ? kZeroDate : ClampDateTime(d));
    }
    case kTypeSubroutine:
      return Value::Subroutine(GetInt32(src));
    case kTypeText: {
      const auto width = static_cast<std::size_t>(field.declaredSize);
      const void* zero = std::memchr(src, 0, width);
      const std::size_t n =
          zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - src) : width;
      return Value::Text(std::string(src, n));
    }
    default:
      return Value();
  }
}

Value ZeroValue(int32_t type) {
  switch (type) {
    case kTypeByte:
      return Value::Byte(0);
    case kTypeShort:
      return Value::Short(0);
    case kTypeInt:
      return Value::Int(0);
    case kTypeLong:
      return Value::Long(0);
    case kTypeFloat:
      return Value::Float(0);
    case kTypeDouble:
      return Value::Double(0);
    case kTypeLogical:
      return Value::Logical(false);
    case kTypeDateTime:
      return Value::DateTime(kZeroDate);
    case kTypeSubroutine:
      return Value::Subroutine(0);
    case kTypeText:
    case kTypeMemo:
      return Value::Text(std::string());
    case kTypeByteSet:
      return Value::ByteSet(std::string());
    default:
      return Value();
  }
}

int32_t NumericToInt32(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::Float:
    case Value::Kind::Double: {
      const double d = value.real();
      if (std::isnan(d)) return 0;
      if (d >= 2147483647.0) return std::numeric_limits<int32_t>::max();
      if (d <= -2147483648.0) return std::numeric_limits<int32_t>::min();
      return static_cast<int32_t>(d);
    }
    default:
      // Byte is stored zero-extended and Short sign-extended already; Long
      // keeps its low 32 bits.
      return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value.integer())));
  }
}

}  // namespace cindral
