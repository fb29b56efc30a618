// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The purge: the records marked deleted leave the file, and the side-file
// values they point to are freed. The records after them move down in
// chunks, in their order; nothing moves before the first marked record.
// Runs inside a change under the whole-file lock, so a kill anywhere leaves
// every record as it was, marked ones included.

#include <cstdint>

#include "store/FileAccess.h"
#include "store/RecordLayout.h"
#include "store/SideFile.h"

namespace cindral {

class RecordPurge {
 public:
  // Records are read and moved at most this many bytes at a time.
  static constexpr int32_t kChunkBytes = 163840;

  RecordPurge(FileAccess& file, const RecordLayout& layout, SideFile* side)
      : file_(file), layout_(layout), side_(side) {}

  // `*started` turns true once the count is read and compaction begins
  // (whatever its outcome, the cursor then no longer points where it did).
  int32_t Run(bool* started);

 private:
  // Frees the side-file values a record's bytes point to.
  int32_t FreeSideValues(const char* record);

  FileAccess& file_;
  const RecordLayout& layout_;
  SideFile* side_;
};

}  // namespace cindral
