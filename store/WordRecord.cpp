// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/WordRecord.h"

namespace cindral {

std::vector<FieldDescriptor> WordRecordFields(int32_t textBytes) {
  auto field = [](const char* name, int32_t type, int32_t size) {
    FieldDescriptor f;
    f.name = name;
    f.type = type;
    f.declaredSize = size;
    return f;
  };
  const int32_t textType = textBytes > 0 ? kTypeText : kTypeMemo;
  return {field("GroupNumber", kTypeInt, 0),     field("Word", textType, textBytes),
          field("Meaning", textType, textBytes), field("EntryDate", kTypeDateTime, 0),
          field("Proficiency", kTypeInt, 0),     field("SerialNumber", kTypeInt, 0)};
}

}  // namespace cindral
