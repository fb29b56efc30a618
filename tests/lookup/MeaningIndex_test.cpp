// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The meanings index file: what the writer stores is found again, and a
// file that is cut short, damaged, crafted or no index at all is refused
// whole at open without a read outside it (the sanitizers watch every
// case).

#include "lookup/MeaningIndex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "TempDir.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Bytes.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

using Keys = std::map<std::string, std::vector<IndexedMeaning>>;

Keys SmallIndex() {
  return {
      {"apple",
       {{GBK("苹果"), GBK("píng guǒ"), 712, 0},
        {GBK("苹果"), GBK("Píng guǒ"), 300, MeaningIndex::kProperName}}},
      {"although", {{GBK("虽然"), GBK("suī rán"), 840, 0}, {GBK("虽"), GBK("suī"), 740, 0}}},
      {"custard apple", {{GBK("番荔枝"), GBK("fān lì zhī"), 500, 0}}},
      {"ice cream", {{GBK("冰淇淋"), GBK("bīng qí lín"), 650, 0}}},
      {"pear",
       {{GBK("梨"), GBK("lí"), 620, 0}, {GBK("杜"), GBK("dù"), -150, MeaningIndex::kInPhrase}}},
      {"zucchini", {{GBK("西葫芦"), GBK("xī hú lu"), 400, MeaningIndex::kAbbreviation}}},
  };
}

std::string Written() { return WriteMeaningIndex(SmallIndex(), GBK("取自 CC-CEDICT")); }

void PutChecksum(std::string* bytes) {
  PutInt64(bytes->data() + 48, static_cast<int64_t>(MeaningIndex::Checksum(*bytes)));
}

std::string Words(const std::vector<MeaningIndex::Match>& matches) {
  std::string words;
  for (const MeaningIndex::Match& m : matches) {
    words += (words.empty() ? "" : " ") + GbkToUtf8(m.word) + "(" + GbkToUtf8(m.pinyin) + "," +
             std::to_string(m.score) + "," + std::to_string(m.flags) + ")";
  }
  return words;
}

TEST(MeaningIndexTest, FindsEveryKeyWithItsMeaningsInOrderAndNothingElse) {
  test::TempDir dir("cindral-meanings");
  std::ofstream(dir.File("meanings.idx"), std::ios::binary) << Written();
  MeaningIndex index;
  ASSERT_EQ(index.Open(Utf8ToGbk(dir.File("meanings.idx"))), MeaningIndexStatus::kOpen);
  EXPECT_EQ(index.KeyCount(), 6u);
  EXPECT_EQ(GbkToUtf8(index.Notice()), "取自 CC-CEDICT");
  const std::pair<const char*, const char*> cases[] = {
      {"apple", "苹果(píng guǒ,712,0) 苹果(Píng guǒ,300,1)"},
      {"although", "虽然(suī rán,840,0) 虽(suī,740,0)"},
      {"custard apple", "番荔枝(fān lì zhī,500,0)"},
      {"pear", "梨(lí,620,0) 杜(dù,-150,8)"},  // a negative score survives
      {"zucchini", "西葫芦(xī hú lu,400,4)"},  // the last key
      // Before the first key, after the last, between keys, prefixes and
      // longer words of a key, another case: nothing.
      {"", ""},
      {"aardvark", ""},
      {"zzz", ""},
      {"banana", ""},
      {"appl", ""},
      {"apples", ""},
      {"Apple", ""},
      {"ice", ""},
  };
  for (const auto& [key, expected] : cases) {
    EXPECT_EQ(Words(index.Find(key)), expected) << key;
  }
}

TEST(MeaningIndexTest, ManyKeysAreAllFoundByTheBinarySearch) {
  Keys keys;
  for (int i = 0; i < 3000; ++i) keys["k" + std::to_string(i * 7)] = {{GBK("词"), "c", i, 0}};
  const std::string bytes = WriteMeaningIndex(keys, "");
  MeaningIndex index;
  ASSERT_EQ(index.OpenBytes(bytes), MeaningIndexStatus::kOpen);
  for (int i = 0; i < 3000 * 7; ++i) {
    const std::vector<MeaningIndex::Match> found = index.Find("k" + std::to_string(i));
    if (i % 7 == 0) {
      ASSERT_EQ(found.size(), 1u) << i;
      EXPECT_EQ(found[0].score, i / 7);
    } else {
      EXPECT_TRUE(found.empty()) << i;
    }
  }
}

TEST(MeaningIndexTest, AFileCutShortAnywhereIsRefused) {
  const std::string whole = Written();
  for (std::size_t length = 0; length < whole.size(); ++length) {
    MeaningIndex index;
    const MeaningIndexStatus status = index.OpenBytes(std::string_view(whole).substr(0, length));
    EXPECT_EQ(status, length < 8 ? MeaningIndexStatus::kNotAnIndex : MeaningIndexStatus::kDamaged)
        << length;
    EXPECT_FALSE(index.IsOpen());
    EXPECT_TRUE(index.Find("apple").empty());
  }
  // And on disk, where the file is mapped: a few lengths.
  test::TempDir dir("cindral-meanings");
  for (const std::size_t length :
       {std::size_t{0}, std::size_t{7}, std::size_t{63}, std::size_t{64}, whole.size() - 1}) {
    const std::string path = dir.File("cut.idx");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, length);
    MeaningIndex index;
    EXPECT_EQ(index.Open(Utf8ToGbk(path)),
              length < 8 ? MeaningIndexStatus::kNotAnIndex : MeaningIndexStatus::kDamaged)
        << length;
  }
}

TEST(MeaningIndexTest, AnyByteChangedIsRefused) {
  const std::string whole = Written();
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (const unsigned char flip : {0x01, 0x80}) {
      std::string damaged = whole;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      MeaningIndex index;
      const MeaningIndexStatus status = index.OpenBytes(damaged);
      const MeaningIndexStatus expected = at < 8    ? MeaningIndexStatus::kNotAnIndex
                                          : at < 12 ? MeaningIndexStatus::kOtherVersion
                                                    : MeaningIndexStatus::kDamaged;
      EXPECT_EQ(status, expected) << "byte " << at;
    }
  }
}

// Files whose checksum fits their bytes but whose tables do not hold
// together, as a careless or hostile writer could make them: refused by
// the checks of the structure, not only by the checksum.
TEST(MeaningIndexTest, ATableThatPointsOutsideItsPartOrOutOfOrderIsRefused) {
  const std::string whole = Written();
  const std::size_t keys = 64, postings = keys + 6 * 12;
  const std::size_t meanings = postings + 9 * 8;
  struct Case {
    const char* what;
    std::function<void(std::string*)> change;
  } const cases[] = {
      {"a key's text beyond the text",
       [&](std::string* b) { PutInt32(b->data() + keys, 0x7FFFFF00); }},
      {"a key's length of zero", [&](std::string* b) { (*b)[keys + 4] = 0, (*b)[keys + 5] = 0; }},
      {"a key with no postings", [&](std::string* b) { (*b)[keys + 6] = 0, (*b)[keys + 7] = 0; }},
      {"postings beyond the table", [&](std::string* b) { PutInt32(b->data() + keys + 8, 1000); }},
      {"keys out of order",
       [&](std::string* b) {
         // The first two keys' entries swapped.
         std::string first = b->substr(keys, 12);
         b->replace(keys, 12, b->substr(keys + 12, 12));
         b->replace(keys + 12, 12, first);
       }},
      {"two keys alike", [&](std::string* b) { b->replace(keys + 12, 12, b->substr(keys, 12)); }},
      {"a posting of a meaning that is not there",
       [&](std::string* b) { PutInt32(b->data() + postings, 99); }},
      {"a word beyond the text", [&](std::string* b) { PutInt32(b->data() + meanings, 0x10000); }},
      {"pinyin longer than the text",
       [&](std::string* b) { (*b)[meanings + 11] = static_cast<char>(0xFF); }},
      {"a notice beyond the text", [&](std::string* b) { PutInt32(b->data() + 44, 0x7FFFFFFF); }},
      {"more keys than the file holds", [&](std::string* b) { PutInt32(b->data() + 24, 7); }},
      {"counts that overflow 32 bits together",
       [&](std::string* b) {
         PutInt32(b->data() + 24, -1), PutInt32(b->data() + 28, -1), PutInt32(b->data() + 32, -1);
       }},
      {"a file size that is not the file's", [&](std::string* b) { PutInt64(b->data() + 16, 64); }},
      {"another header size", [&](std::string* b) { PutInt32(b->data() + 12, 65); }},
      {"bytes after the text",
       [&](std::string* b) {
         b->append("x");
         PutInt64(b->data() + 16, static_cast<int64_t>(b->size()));
       }},
      {"the reserved field used", [&](std::string* b) { (*b)[56] = 1; }},
  };
  for (const Case& c : cases) {
    std::string crafted = whole;
    c.change(&crafted);
    PutChecksum(&crafted);
    MeaningIndex index;
    EXPECT_EQ(index.OpenBytes(crafted), MeaningIndexStatus::kDamaged) << c.what;
  }
  // The same change without a new checksum is no index either, and the
  // untouched file opens.
  MeaningIndex index;
  EXPECT_EQ(index.OpenBytes(whole), MeaningIndexStatus::kOpen);
}

TEST(MeaningIndexTest, WhatIsNoIndexOrNoFileIsToldApart) {
  test::TempDir dir("cindral-meanings");
  std::string otherVersion = Written();
  PutInt32(otherVersion.data() + 8, 2);
  PutChecksum(&otherVersion);
  std::ofstream(dir.File("v2.idx"), std::ios::binary) << otherVersion;
  std::ofstream(dir.File("text.idx"), std::ios::binary) << "apple\t苹果\npear\t梨\n"
                                                        << std::string(100, 'x');
  std::ofstream(dir.File("short.idx"), std::ios::binary) << "apple\t苹果\n";
  ASSERT_EQ(::mkfifo(dir.File("pipe.idx").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(dir.File("folder.idx").c_str(), 0700), 0);
  const std::pair<const char*, MeaningIndexStatus> cases[] = {
      {"v2.idx", MeaningIndexStatus::kOtherVersion},
      {"text.idx", MeaningIndexStatus::kNotAnIndex},
      {"short.idx", MeaningIndexStatus::kNotAnIndex},  // shorter than a header
      {"pipe.idx", MeaningIndexStatus::kNotRegular},   // opened without waiting for a writer
      {"folder.idx", MeaningIndexStatus::kNotRegular},
      {"missing.idx", MeaningIndexStatus::kMissing},
      {"missing/meanings.idx", MeaningIndexStatus::kMissing},
  };
  for (const auto& [name, status] : cases) {
    MeaningIndex index;
    EXPECT_EQ(index.Open(Utf8ToGbk(dir.File(name))), status) << name;
    EXPECT_FALSE(index.IsOpen());
  }
  // A refused file leaves an index opened before closed, not half open.
  std::ofstream(dir.File("good.idx"), std::ios::binary) << Written();
  MeaningIndex index;
  ASSERT_EQ(index.Open(Utf8ToGbk(dir.File("good.idx"))), MeaningIndexStatus::kOpen);
  EXPECT_EQ(index.Open(Utf8ToGbk(dir.File("text.idx"))), MeaningIndexStatus::kNotAnIndex);
  EXPECT_TRUE(index.Find("apple").empty());
}

TEST(MeaningIndexTest, KeysAreTrimmedJoinedAndLowerCasedWithoutTouchingChinese) {
  const std::pair<std::string, std::string> cases[] = {
      {"  Apple ", "apple"},
      {"Ice \t  Cream", "ice cream"},
      {"\tHELLO", "hello"},
      {"", ""},
      {" \t ", ""},
      // 丅 is 81 42 in GBK: its second byte is a "B" and stays one.
      {GBK("丅") + "B", GBK("丅") + "b"},
      {"Caf" + Utf8ToGbk("É"), "caf" + Utf8ToGbk("É")},
  };
  for (const auto& [word, key] : cases) EXPECT_EQ(MeaningKey(word), key) << word;
}

}  // namespace
}  // namespace cindral
