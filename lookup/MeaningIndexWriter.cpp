// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/MeaningIndexWriter.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "lookup/MeaningIndex.h"
#include "store/Bytes.h"

namespace cindral {
namespace {

void Put16(std::string* out, uint16_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>(v >> 8));
}
void Put32(std::string* out, uint32_t v) {
  char bytes[4];
  PutInt32(bytes, static_cast<int32_t>(v));
  out->append(bytes, 4);
}

// The text part, each distinct string once.
class TextPart {
 public:
  uint32_t Add(const std::string& s) {
    const auto [at, added] = offsets_.emplace(s, static_cast<uint32_t>(text_.size()));
    if (added) text_ += s;
    return at->second;
  }
  const std::string& bytes() const { return text_; }

 private:
  std::unordered_map<std::string, uint32_t> offsets_;
  std::string text_;
};

bool Fits16(std::size_t n) { return n <= 0xFFFF; }

}  // namespace

std::string WriteMeaningIndex(const std::map<std::string, std::vector<IndexedMeaning>>& keys,
                              const std::string& notice) {
  TextPart text;
  std::string keyTable, postingTable, meaningTable;
  std::map<std::pair<std::string, std::string>, uint32_t> meaningIds;
  uint32_t keyCount = 0, postingCount = 0;
  for (const auto& [key, meanings] : keys) {
    if (key.empty() || !Fits16(key.size())) continue;
    const uint32_t first = postingCount;
    uint16_t count = 0;
    for (const IndexedMeaning& m : meanings) {
      if (count == 0xFFFF || !Fits16(m.word.size()) || !Fits16(m.pinyin.size())) continue;
      auto [at, added] = meaningIds.emplace(std::make_pair(m.word, m.pinyin),
                                            static_cast<uint32_t>(meaningIds.size()));
      if (added) {
        Put32(&meaningTable, text.Add(m.word));
        Put32(&meaningTable, text.Add(m.pinyin));
        Put16(&meaningTable, static_cast<uint16_t>(m.word.size()));
        Put16(&meaningTable, static_cast<uint16_t>(m.pinyin.size()));
      }
      Put32(&postingTable, at->second);
      Put16(&postingTable, static_cast<uint16_t>(static_cast<int16_t>(
                               std::clamp(m.score, int{INT16_MIN}, int{INT16_MAX}))));
      Put16(&postingTable, m.flags);
      ++postingCount;
      ++count;
    }
    if (count == 0) continue;
    Put32(&keyTable, text.Add(key));
    Put16(&keyTable, static_cast<uint16_t>(key.size()));
    Put16(&keyTable, count);
    Put32(&keyTable, first);
    ++keyCount;
  }
  const uint32_t noticeOffset = text.Add(notice);

  std::string file(MeaningIndex::kHeaderSize, '\0');
  std::memcpy(file.data(), MeaningIndex::kMagic, sizeof MeaningIndex::kMagic);
  char* h = file.data();
  PutInt32(h + 8, static_cast<int32_t>(MeaningIndex::kVersion));
  PutInt32(h + 12, static_cast<int32_t>(MeaningIndex::kHeaderSize));
  PutInt32(h + 24, static_cast<int32_t>(keyCount));
  PutInt32(h + 28, static_cast<int32_t>(postingCount));
  PutInt32(h + 32, static_cast<int32_t>(meaningIds.size()));
  PutInt32(h + 36, static_cast<int32_t>(text.bytes().size()));
  PutInt32(h + 40, static_cast<int32_t>(noticeOffset));
  PutInt32(h + 44, static_cast<int32_t>(notice.size()));
  file += keyTable;
  file += postingTable;
  file += meaningTable;
  file += text.bytes();
  PutInt64(file.data() + 16, static_cast<int64_t>(file.size()));
  PutInt64(file.data() + 48, static_cast<int64_t>(MeaningIndex::Checksum(file)));
  return file;
}

}  // namespace cindral
