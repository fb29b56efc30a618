// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal of another book, as a sync tool might bring it from another
// computer: a whole header naming a book 5000 bytes long, and one entry
// that would write 64 bytes 'Z' over the first bytes of any book it is
// played back onto. Its salt is kForeignJournalSalt.

#include <cstdint>
#include <string>

namespace cindral::test {

constexpr uint32_t kForeignJournalSalt = 0x5eed;

inline std::string ForeignJournal() {
  const auto crc = [](const std::string& bytes) {
    uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
      c ^= static_cast<unsigned char>(ch);
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
  };
  const auto le = [](uint64_t v, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
  };
  std::string journal =
      "CINDRALJ" + le(1, 4) + le(kForeignJournalSalt, 4) + le(5000, 8) + le(77, 4);
  journal += le(crc(journal), 4);
  const std::string junk(64, 'Z');
  const std::string head = le(1, 4) + le(0, 4) + le(0, 8) + le(junk.size(), 4);
  journal += head + le(crc(le(kForeignJournalSalt, 4) + head + junk), 4) + junk;
  return journal;
}

}  // namespace cindral::test
