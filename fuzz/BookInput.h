// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How one fuzzer input becomes the files of a word book, and back (for the
// seeds): a flags byte, the data file's length and the side file's length
// (two bytes each, little-endian; 0xFFFF = no side file), then the data
// file, the side file, and whatever follows as the journal beside them
// (none when nothing follows).

#include <cstdint>
#include <string>

#include "MemoryFileSystem.h"

namespace cindral::fuzz {

constexpr const char* kDataPath = "/fuzz/book.EDB";
constexpr const char* kSidePath = "/fuzz/book.EDT";
constexpr const char* kJournalPath = "/fuzz/book.EDB-journal";
constexpr uint16_t kNoSide = 0xFFFF;

struct BookInput {
  uint8_t flags = 0;
  std::string data;
  bool hasSide = false;
  std::string side;
  std::string journal;
};

inline bool Parse(const uint8_t* bytes, std::size_t size, BookInput* in) {
  if (size < 5) return false;
  in->flags = bytes[0];
  const std::size_t dataLength = bytes[1] | (bytes[2] << 8);
  const std::size_t sideLength = bytes[3] | (bytes[4] << 8);
  std::size_t at = 5;
  const auto take = [&](std::size_t n) {
    n = std::min(n, size - at);
    std::string out(reinterpret_cast<const char*>(bytes) + at, n);
    at += n;
    return out;
  };
  in->data = take(dataLength);
  in->hasSide = sideLength != kNoSide;
  if (in->hasSide) in->side = take(sideLength);
  in->journal = take(size - at);
  return true;
}

inline std::string Serialize(const BookInput& in) {
  std::string out(5, '\0');
  out[0] = static_cast<char>(in.flags);
  out[1] = static_cast<char>(in.data.size() & 0xFF);
  out[2] = static_cast<char>((in.data.size() >> 8) & 0xFF);
  const std::size_t side = in.hasSide ? in.side.size() : kNoSide;
  out[3] = static_cast<char>(side & 0xFF);
  out[4] = static_cast<char>((side >> 8) & 0xFF);
  return out + in.data + (in.hasSide ? in.side : std::string()) + in.journal;
}

inline void Install(const BookInput& in, testing::MemoryFileSystem& fs) {
  fs.Clear();
  fs.Bytes(kDataPath) = in.data;
  if (in.hasSide) fs.Bytes(kSidePath) = in.side;
  if (!in.journal.empty()) fs.Bytes(kJournalPath) = in.journal;
}

}  // namespace cindral::fuzz
