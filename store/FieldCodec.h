// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Field descriptors and the bytes a field occupies in a record: which values
// a field takes, how they are converted and stored, and how they read back.

#include <cstdint>
#include <string>

#include "store/Value.h"

namespace cindral {

// Field type codes of the record file.
enum FieldType : int32_t {
  kTypeByte = 1,
  kTypeShort = 2,
  kTypeInt = 3,
  kTypeLong = 4,
  kTypeFloat = 5,
  kTypeDouble = 6,
  kTypeLogical = 7,
  kTypeDateTime = 8,
  kTypeSubroutine = 9,
  kTypeText = 10,
  kTypeByteSet = 11,
  kTypeMemo = 12,
};

struct FieldDescriptor {
  std::string name;  // GBK, at most 16 bytes
  int32_t type = 0;
  int32_t offset = 0;        // inside the record
  int32_t declaredSize = 0;  // used by fixed-length text only
  // Bytes the field occupies in the record.
  int32_t Width() const;
  // Byte sets and memo texts keep their bytes in the side file.
  bool InSideFile() const { return type == kTypeByteSet || type == kTypeMemo; }
};

// Bytes a field of this type occupies (the declared size for text; 0 for an
// unknown type).
int32_t FieldWidth(int32_t type, int32_t declaredSize);

// Whether a value may be stored in a field of this type: the same kind, or
// both numeric.
bool ValueFitsField(const Value& value, int32_t type);

// Writes a value that fits into the field's bytes (`dest` has Width() bytes).
// Numbers are converted to the field's type (integers wrap to a narrower
// field, floating values are truncated and held within its range); fixed-length text is cut to the
// field (never inside a two-byte character) and padded with zero bytes.
// Not for side-file fields.
void EncodeField(const FieldDescriptor& field, const Value& value, char* dest);

// The value held in the field's bytes (`src` has Width() bytes); date-times
// are clamped to the valid range. Not for side-file fields.
Value DecodeField(const FieldDescriptor& field, const char* src);

// The zero value of a field's type: 0, false, the zero date, empty text.
Value ZeroValue(int32_t type);

// A numeric value as a 32-bit integer: 8-bit zero-extended, 16-bit
// sign-extended, 64-bit cut to its low 32 bits, floating truncated toward
// zero (saturated at the int32 range; NaN gives 0).
int32_t NumericToInt32(const Value& value);

// The length of `text` cut to at most `limit` bytes without splitting a
// two-byte character.
std::size_t CutLength(const std::string& text, std::size_t limit);

}  // namespace cindral
