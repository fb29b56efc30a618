// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/MeaningIndex.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/Bytes.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

namespace cindral {
namespace {

uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(GetInt32(reinterpret_cast<const char*>(p)));
}
uint64_t U64(const unsigned char* p) {
  return static_cast<uint64_t>(GetInt64(reinterpret_cast<const char*>(p)));
}
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint64_t Rotate(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

// One step of the checksum over eight bytes.
uint64_t Mix(uint64_t hash, uint64_t word) {
  hash ^= word * 0x9E3779B185EBCA87ull;
  return Rotate(hash, 31) * 0xC2B2AE3D27D4EB4Full;
}

uint64_t MixBytes(uint64_t hash, std::string_view bytes) {
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8)
    hash = Mix(hash, U64(reinterpret_cast<const unsigned char*>(bytes.data() + i)));
  uint64_t tail = 0;
  for (std::size_t shift = 0; i < bytes.size(); ++i, shift += 8) {
    tail |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[i])) << shift;
  }
  return Mix(hash, tail ^ (static_cast<uint64_t>(bytes.size()) << 56));
}

}  // namespace

std::string MeaningKey(std::string_view word) {
  std::string key;
  bool space = false;
  for (std::size_t i = 0; i < word.size();) {
    const std::size_t length = GbkCharLength(word, i);
    const char c = word[i];
    if (length == 1 && (c == ' ' || c == '\t')) {
      space = !key.empty();
      ++i;
      continue;
    }
    if (space) key += ' ';
    space = false;
    if (length == 1 && c >= 'A' && c <= 'Z') {
      key += static_cast<char>(c - 'A' + 'a');  // a two-byte character's second byte stays
    } else {
      key.append(word.substr(i, length));
    }
    i += length;
  }
  return key;
}

MeaningIndex::~MeaningIndex() { Close(); }

void MeaningIndex::Close() {
  if (mapping_ != nullptr) ::munmap(mapping_, mappedSize_);
  mapping_ = nullptr;
  mappedSize_ = 0;
  bytes_ = {};
  notice_ = {};
  keyCount_ = 0;
  keys_ = postings_ = meanings_ = nullptr;
  text_ = {};
}

uint64_t MeaningIndex::Checksum(std::string_view bytes) {
  if (bytes.size() < kHeaderSize) return 0;
  const uint64_t hash = MixBytes(0x243F6A8885A308D3ull, bytes.substr(0, 48));
  return MixBytes(hash, bytes.substr(kHeaderSize));
}

MeaningIndexStatus MeaningIndex::Open(const std::string& path) {
  Close();
  bool notRegular = false;
  const int fd = OpenRegularFile(GbkToUtf8(path), O_RDONLY, &notRegular);
  if (fd < 0) {
    if (notRegular) return MeaningIndexStatus::kNotRegular;
    return errno == ENOENT || errno == ENOTDIR ? MeaningIndexStatus::kMissing
                                               : MeaningIndexStatus::kUnreadable;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return MeaningIndexStatus::kUnreadable;
  }
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size == 0) {  // nothing to map
    ::close(fd);
    return MeaningIndexStatus::kNotAnIndex;
  }
  void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (mapping == MAP_FAILED) return MeaningIndexStatus::kUnreadable;
  mapping_ = mapping;
  mappedSize_ = size;
  const MeaningIndexStatus status = Check({static_cast<const char*>(mapping), size});
  if (status != MeaningIndexStatus::kOpen) Close();
  return status;
}

MeaningIndexStatus MeaningIndex::OpenBytes(std::string_view bytes) {
  Close();
  const MeaningIndexStatus status = Check(bytes);
  if (status != MeaningIndexStatus::kOpen) Close();
  return status;
}

MeaningIndexStatus MeaningIndex::Check(std::string_view bytes) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return MeaningIndexStatus::kNotAnIndex;
  }
  if (bytes.size() < kHeaderSize) return MeaningIndexStatus::kDamaged;
  const auto* header = reinterpret_cast<const unsigned char*>(bytes.data());
  if (U32(header + 8) != kVersion) return MeaningIndexStatus::kOtherVersion;
  const uint64_t keys = U32(header + 24), postings = U32(header + 28), meanings = U32(header + 32),
                 text = U32(header + 36);
  const uint64_t expected =
      kHeaderSize + keys * kKeySize + postings * kPostingSize + meanings * kMeaningSize + text;
  if (U32(header + 12) != kHeaderSize || U64(header + 16) != bytes.size() ||
      expected != bytes.size() || U64(header + 56) != 0 || U64(header + 48) != Checksum(bytes)) {
    return MeaningIndexStatus::kDamaged;
  }
  const auto* base = header + kHeaderSize;
  const unsigned char* keyTable = base;
  const unsigned char* postingTable = keyTable + keys * kKeySize;
  const unsigned char* meaningTable = postingTable + postings * kPostingSize;
  const std::string_view textPart(
      reinterpret_cast<const char*>(meaningTable + meanings * kMeaningSize), text);
  auto inText = [&](uint64_t offset, uint64_t length) { return offset + length <= text; };

  // Every range inside its part, the keys in order: what a lookup relies on.
  std::string_view previous;
  for (uint64_t k = 0; k < keys; ++k) {
    const unsigned char* key = keyTable + k * kKeySize;
    const uint64_t offset = U32(key), length = U16(key + 4), count = U16(key + 6),
                   first = U32(key + 8);
    if (length == 0 || !inText(offset, length) || count == 0 || first + count > postings) {
      return MeaningIndexStatus::kDamaged;
    }
    const std::string_view current = textPart.substr(offset, length);
    if (k > 0 && !(previous < current)) return MeaningIndexStatus::kDamaged;
    previous = current;
  }
  for (uint64_t p = 0; p < postings; ++p) {
    if (U32(postingTable + p * kPostingSize) >= meanings) return MeaningIndexStatus::kDamaged;
  }
  for (uint64_t m = 0; m < meanings; ++m) {
    const unsigned char* meaning = meaningTable + m * kMeaningSize;
    if (!inText(U32(meaning), U16(meaning + 8)) || !inText(U32(meaning + 4), U16(meaning + 10))) {
      return MeaningIndexStatus::kDamaged;
    }
  }
  const uint64_t noticeOffset = U32(header + 40), noticeLength = U32(header + 44);
  if (!inText(noticeOffset, noticeLength)) return MeaningIndexStatus::kDamaged;

  bytes_ = bytes;
  keyCount_ = static_cast<std::size_t>(keys);
  keys_ = keyTable;
  postings_ = postingTable;
  meanings_ = meaningTable;
  text_ = textPart;
  notice_ = textPart.substr(noticeOffset, noticeLength);
  return MeaningIndexStatus::kOpen;
}

std::string_view MeaningIndex::KeyText(std::size_t key) const {
  const unsigned char* entry = keys_ + key * kKeySize;
  return text_.substr(U32(entry), U16(entry + 4));
}

std::vector<MeaningIndex::Match> MeaningIndex::Find(std::string_view key) const {
  std::vector<Match> found;
  std::size_t low = 0, high = keyCount_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (KeyText(middle) < key) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low == keyCount_ || KeyText(low) != key) return found;
  const unsigned char* entry = keys_ + low * kKeySize;
  const std::size_t count = U16(entry + 6), first = U32(entry + 8);
  found.reserve(count);
  for (std::size_t p = first; p < first + count; ++p) {
    const unsigned char* posting = postings_ + p * kPostingSize;
    const unsigned char* meaning = meanings_ + U32(posting) * kMeaningSize;
    Match match;
    match.word = text_.substr(U32(meaning), U16(meaning + 8));
    match.pinyin = text_.substr(U32(meaning + 4), U16(meaning + 10));
    match.score = static_cast<int16_t>(U16(posting + 4));
    match.flags = U16(posting + 6);
    found.push_back(match);
  }
  return found;
}

}  // namespace cindral
