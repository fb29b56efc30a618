// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Chinese meanings index from fuzzed bytes. Their header's file size and
// checksum are made to fit first, so that the checks of the tables behind
// them are what decides; an index that opens answers lookups (of keys found
// in its own bytes and of made-up ones) without reading outside itself, and
// gives back texts that lie inside its bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "lookup/MeaningIndex.h"
#include "store/Bytes.h"

namespace {

bool Inside(std::string_view part, const std::string& bytes) {
  return part.empty() ||
         (part.data() >= bytes.data() && part.data() + part.size() <= bytes.data() + bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using cindral::MeaningIndex;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.size() >= MeaningIndex::kHeaderSize) {
    cindral::PutInt64(bytes.data() + 16, static_cast<int64_t>(bytes.size()));
    cindral::PutInt64(bytes.data() + 48, static_cast<int64_t>(MeaningIndex::Checksum(bytes)));
  }
  MeaningIndex index;
  if (index.OpenBytes(bytes) != cindral::MeaningIndexStatus::kOpen) return 0;
  if (!Inside(index.Notice(), bytes)) std::abort();
  // Keys cut from the bytes themselves, and some that no index holds.
  for (std::size_t at = MeaningIndex::kHeaderSize; at < bytes.size(); at += 1 + at / 4) {
    for (const std::size_t length : {std::size_t{1}, std::size_t{5}, std::size_t{13}}) {
      for (const MeaningIndex::Match& m : index.Find(std::string_view(bytes).substr(at, length))) {
        if (!Inside(m.word, bytes) || !Inside(m.pinyin, bytes)) std::abort();
      }
    }
  }
  for (const char* key : {"", "a", "apple", "\xff\xff"}) index.Find(key);
  return 0;
}
