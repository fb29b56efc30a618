// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A due entry: five values copied from one word record, the element of the
// due list, the forgotten list and the intensive list.

#include <cstdint>
#include <string>

namespace cindral {

// SerialNumber is the record number.
struct DueEntry {
  int32_t GroupNumber = 0;
  std::string Word;     // GBK
  std::string Meaning;  // GBK
  int32_t Proficiency = 0;
  int32_t SerialNumber = 0;

  bool operator==(const DueEntry& o) const {
    return GroupNumber == o.GroupNumber && Word == o.Word && Meaning == o.Meaning &&
           Proficiency == o.Proficiency && SerialNumber == o.SerialNumber;
  }
};

}  // namespace cindral
