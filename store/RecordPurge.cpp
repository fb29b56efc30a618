// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordPurge.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "store/Bytes.h"
#include "store/DatabaseErrors.h"

namespace cindral {

int32_t RecordPurge::FreeSideValues(const char* record) {
  if (!side_) return 0;
  for (const FieldDescriptor& fd : layout_.fields()) {
    if (!fd.InSideFile()) continue;
    const int32_t first = GetInt32(record + fd.offset);
    int32_t none = 0;
    // A damaged chain is left alone (Store does not follow it): only space
    // is lost. A failing file fails the purge.
    const int32_t code = first != 0 ? side_->Store(first, std::string(), &none) : 0;
    if (code != 0 && code != kErrSideFileAccess) return code;
  }
  return 0;
}

int32_t RecordPurge::Run(bool* started) {
  char raw[4];
  std::size_t got = 0;
  if (file_.ReadAt(RecordLayout::kCountOffset, raw, sizeof raw, &got) != 0 || got < sizeof raw) {
    return kErrRecordCount;
  }
  int32_t count = GetInt32(raw);
  if (count < 0) return kErrRecordCount;
  // Only whole records take part, so no chunk ever reads short halfway
  // through the compaction.
  int64_t length = 0;
  if (file_.Size(&length) != 0) return kErrRecordRead;
  count = static_cast<int32_t>(std::min<int64_t>(count, layout_.WholeRecords(length)));
  // Nothing to move: no record buffer, whatever size the header declares.
  if (count == 0) {
    *started = true;
    return 0;
  }

  const int32_t recordSize = layout_.recordSize();
  const int32_t perChunk = std::max(1, kChunkBytes / recordSize);
  std::string chunk;
  try {
    chunk.resize(static_cast<std::size_t>(std::min(perChunk, count)) *
                 static_cast<std::size_t>(recordSize));
  } catch (const std::bad_alloc&) {
    return kErrOutOfMemory;
  }
  *started = true;
  const auto size = static_cast<std::size_t>(recordSize);
  int32_t code = 0;
  int32_t read = 0;
  int32_t write = 0;
  while (read < count && code == 0) {
    const int32_t n = std::min(perChunk, count - read);
    const std::size_t bytes = static_cast<std::size_t>(n) * size;
    if (file_.ReadAt(layout_.RecordOffset(read), &chunk[0], bytes, &got) != 0 || got < bytes) {
      code = kErrRecordRead;
      break;
    }
    int32_t kept = 0;
    for (int32_t j = 0; j < n && code == 0; ++j) {
      char* record = &chunk[static_cast<std::size_t>(j) * size];
      if (GetInt32(record) < 0) {
        code = FreeSideValues(record);
        continue;
      }
      if (kept != j) std::memmove(&chunk[static_cast<std::size_t>(kept) * size], record, size);
      ++kept;
    }
    // Until the first marked record nothing moves.
    if (code == 0 && (write != read || kept != n) && kept > 0) {
      if (file_.WriteAt(layout_.RecordOffset(write), chunk.data(),
                        static_cast<std::size_t>(kept) * size) != 0) {
        code = kErrFieldWrite;
      }
    }
    write += kept;
    read += n;
  }
  if (code == 0) {
    PutInt32(raw, write);
    if (file_.WriteAt(RecordLayout::kCountOffset, raw, sizeof raw) != 0) code = kErrFieldWrite;
  }
  if (code == 0 && file_.Truncate(layout_.RecordOffset(write)) != 0) code = kErrFieldWrite;
  return code;
}

}  // namespace cindral
