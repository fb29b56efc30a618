// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The English → Chinese meanings index: a file made at build time from
// CC-CEDICT (tools/meanings), read in place through a read-only mapping.
// Every English key (lower case) lists its Chinese words best first, each
// with its pinyin, a score and flags, so a lookup is one binary search.
//
// Layout, little-endian, nothing between the parts:
//
//   header (64 bytes)
//      0  magic "CNDLMEAN"
//      8  u32 version (kVersion)
//     12  u32 header size (64)
//     16  u64 file size
//     24  u32 key count, u32 posting count, u32 meaning count, u32 text size
//     40  u32 notice offset, u32 notice length (in the text: the data's
//         source and licence)
//     48  u64 checksum of header bytes 0..47 and of every byte after the header
//     56  u64 zero
//   keys      12 bytes each, sorted by their text byte by byte, no two alike:
//             u32 text offset, u16 text length, u16 posting count,
//             u32 first posting
//   postings   8 bytes each: u32 meaning, i16 score (hundredths), u16 flags
//   meanings  12 bytes each: u32 word offset, u32 pinyin offset,
//             u16 word length, u16 pinyin length
//   text      the bytes the offsets point into: keys, words and pinyin in
//             GBK (GB18030 for the few characters GBK lacks)
//
// Open checks all of it, checksum included, before the first lookup: a
// file that is cut short, damaged, of another version or no index at all
// is refused, and nothing is ever read outside the mapping. The mapping is
// of the file that was opened; a package update replaces the file by a new
// one and leaves the mapped one alone. No Qt.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cindral {

enum class MeaningIndexStatus {
  kNotOpened,     // not tried yet
  kOpen,          // open and sound
  kMissing,       // no such file
  kNotRegular,    // a folder, a pipe or a device
  kUnreadable,    // it could not be opened or mapped
  kNotAnIndex,    // no meanings index (the magic is not there)
  kOtherVersion,  // an index of another version
  kDamaged,       // cut short or damaged (sizes, ranges, order or checksum)
};

// A word or phrase as the index files it: without surrounding spaces, its
// inner runs of spaces and tabs as one space, ASCII letters in lower case.
std::string MeaningKey(std::string_view word);

class MeaningIndex {
 public:
  static constexpr char kMagic[8] = {'C', 'N', 'D', 'L', 'M', 'E', 'A', 'N'};
  static constexpr uint32_t kVersion = 1;
  static constexpr std::size_t kHeaderSize = 64;
  static constexpr std::size_t kKeySize = 12;
  static constexpr std::size_t kPostingSize = 8;
  static constexpr std::size_t kMeaningSize = 12;

  // What a posting says about its meaning, besides its score.
  enum Flag : uint16_t {
    kProperName = 1,    // a name: its pinyin is capitalised (Píngguǒ, the company)
    kCapitalised = 2,   // a capitalised word of a phrase ("China" in "stationed in China")
    kAbbreviation = 4,  // the sense is an abbreviation of a longer word
    kInPhrase = 8,      // the key is one word of a longer gloss ("custard apple")
  };
  // What a word typed in lower case shows only when it has no other meaning.
  static constexpr uint16_t kNameLike = kProperName | kCapitalised | kAbbreviation;
  // What a meaning of a word's base form gives up against one of the word
  // itself (hundredths).
  static constexpr int kBaseFormCost = 100;

  struct Match {
    std::string_view word;    // GBK
    std::string_view pinyin;  // GBK, tone marks, syllables apart
    int score = 0;            // hundredths; higher is better
    uint16_t flags = 0;
  };

  MeaningIndex() = default;
  ~MeaningIndex();
  MeaningIndex(const MeaningIndex&) = delete;
  MeaningIndex& operator=(const MeaningIndex&) = delete;

  // Maps and checks the file (`path` GBK). A refused file leaves the index
  // closed.
  MeaningIndexStatus Open(const std::string& path);
  // Checks bytes already in memory (they must outlive the index).
  MeaningIndexStatus OpenBytes(std::string_view bytes);
  bool IsOpen() const { return !bytes_.empty(); }

  // The meanings filed under `key` (lower-case English, GBK), best first;
  // nothing for a key the index lacks or a closed index.
  std::vector<Match> Find(std::string_view key) const;
  std::size_t KeyCount() const { return keyCount_; }
  // The data's source and licence (GBK).
  std::string_view Notice() const { return notice_; }

  // The checksum the header carries, over `bytes` (a whole file).
  static uint64_t Checksum(std::string_view bytes);

 private:
  MeaningIndexStatus Check(std::string_view bytes);
  std::string_view KeyText(std::size_t key) const;
  void Close();

  void* mapping_ = nullptr;
  std::size_t mappedSize_ = 0;
  std::string_view bytes_;
  std::string_view notice_;
  std::size_t keyCount_ = 0;
  const unsigned char* keys_ = nullptr;
  const unsigned char* postings_ = nullptr;
  const unsigned char* meanings_ = nullptr;
  std::string_view text_;
};

}  // namespace cindral
