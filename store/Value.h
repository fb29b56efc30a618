// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The typed value that database fields carry and that the conversions take.

#include <cstdint>
#include <string>
#include <utility>

namespace cindral {

class Value {
 public:
  // One kind per field type of the record file (memo text reads as Text).
  enum class Kind : std::uint8_t {
    Empty,
    Byte,    // unsigned 8-bit
    Short,   // signed 16-bit
    Int,     // signed 32-bit
    Long,    // signed 64-bit
    Float,   // IEEE 32-bit
    Double,  // IEEE 64-bit
    Logical,
    DateTime,    // days since 30 December 1899, time of day as the fraction
    Subroutine,  // a 32-bit subroutine address, kept as stored
    Text,        // GBK bytes
    ByteSet,     // raw bytes
  };

  Value() = default;

  static Value Byte(std::uint8_t v) { return Value(Kind::Byte, v, 0); }
  static Value Short(std::int16_t v) { return Value(Kind::Short, v, 0); }
  static Value Int(std::int32_t v) { return Value(Kind::Int, v, 0); }
  static Value Long(std::int64_t v) { return Value(Kind::Long, v, 0); }
  static Value Float(float v) { return Value(Kind::Float, 0, v); }
  static Value Double(double v) { return Value(Kind::Double, 0, v); }
  static Value Logical(bool v) { return Value(Kind::Logical, v ? 1 : 0, 0); }
  static Value DateTime(double v) { return Value(Kind::DateTime, 0, v); }
  static Value Subroutine(std::int32_t v) { return Value(Kind::Subroutine, v, 0); }
  static Value Text(std::string v) { return Value(Kind::Text, std::move(v)); }
  static Value ByteSet(std::string v) { return Value(Kind::ByteSet, std::move(v)); }

  Kind kind() const { return kind_; }
  bool IsNumeric() const { return kind_ >= Kind::Byte && kind_ <= Kind::Double; }
  bool IsFloating() const { return kind_ == Kind::Float || kind_ == Kind::Double; }

  // Payloads. integer(): Byte, Short, Int, Long, Logical (0/1), Subroutine.
  // real(): Float, Double, DateTime. bytes(): Text, ByteSet.
  std::int64_t integer() const { return i_; }
  double real() const { return d_; }
  const std::string& bytes() const { return s_; }
  // The bytes moved out, the value left empty: their room can hold the next
  // value read in its place.
  std::string TakeBytes() {
    kind_ = Kind::Empty;
    i_ = 0;
    d_ = 0;
    return std::move(s_);
  }
  bool logical() const { return i_ != 0; }

  bool operator==(const Value& o) const {
    return kind_ == o.kind_ && i_ == o.i_ && d_ == o.d_ && s_ == o.s_;
  }
  bool operator!=(const Value& o) const { return !(*this == o); }

 private:
  Value(Kind k, std::int64_t i, double d) : kind_(k), i_(i), d_(d) {}
  Value(Kind k, std::string&& s) : kind_(k), s_(std::move(s)) {}

  Kind kind_ = Kind::Empty;
  std::int64_t i_ = 0;
  double d_ = 0;
  std::string s_;
};

}  // namespace cindral
