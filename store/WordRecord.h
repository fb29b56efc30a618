// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word record: six fields that the program addresses by position.

#include <cstdint>
#include <vector>

#include "store/FieldCodec.h"

namespace cindral {

enum WordField : int32_t {
  kGroupNumber = 1,
  kWord = 2,
  kMeaning = 3,
  kEntryDate = 4,
  kProficiency = 5,
  kSerialNumber = 6,
};

// The fields of a new word database: GroupNumber, Word, Meaning, EntryDate,
// Proficiency, SerialNumber. Word and Meaning are fixed-length text of
// `textBytes` bytes, or memo text (no length limit) when `textBytes` is 0.
std::vector<FieldDescriptor> WordRecordFields(int32_t textBytes = 0);

}  // namespace cindral
