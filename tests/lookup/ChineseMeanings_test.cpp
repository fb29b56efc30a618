// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// English words' Chinese meanings: how the meanings of a word, of its base
// form and of names are put together, over small indexes written here; and
// the ranking of the real index made from CC-CEDICT over a hundred common
// words (skipped, saying why, where the index has not been made).

#include "lookup/ChineseMeanings.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr uint16_t kName = MeaningIndex::kProperName;

// The meanings as "word word ...", UTF-8.
std::string Shown(const std::vector<ChineseMeaning>& meanings) {
  std::string words;
  for (const ChineseMeaning& m : meanings) words += (words.empty() ? "" : " ") + GbkToUtf8(m.word);
  return words;
}

IndexedMeaning M(const char* word, int score, uint16_t flags = 0) {
  return {Utf8ToGbk(word), Utf8ToGbk(std::string("pinyin of ") + word), score, flags};
}

class ChineseMeaningsTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_.File(name), std::ios::binary) << bytes;
    return Utf8ToGbk(dir_.File(name));
  }
  std::string WriteIndex(const std::string& name = "meanings.idx") {
    return Write(
        name,
        WriteMeaningIndex(
            {
                {"apple",
                 {M("苹果", 712), M("苹果汁", 400), M("番荔枝", 250, MeaningIndex::kInPhrase)}},
                {"beijing", {M("北京", 800, kName)}},
                {"china", {M("中国", 900, kName), M("瓷器", 500)}},
                {"cpu", {M("中央处理器", 600, MeaningIndex::kAbbreviation)}},
                {"goose", {M("鹅", 600)}},
                {"happy", {M("高兴", 800)}},
                {"make", {M("做", 800), M("制造", 700)}},
                {Utf8ToGbk("naïve"), {M("轻信", 500)}},
                {"naive", {M("天真", 700)}},
                {Utf8ToGbk("résumé"), {M("简历", 700)}},
                {"resume", {M("恢复", 760)}},
                {"many",
                 {M("多", 800), M("许多", 790), M("很多", 780), M("好多", 770), M("众多", 760),
                  M("大量", 750), M("无数", 740)}},
                {"new", {M("新", 900)}},
                {"news", {M("新闻", 850), M("消息", 700)}},
                {"run", {M("跑", 770), M("经营", 760)}},
                {"running", {M("营运", 700), M("跑", 300)}},
                {"study", {M("学习", 800)}},
                {"tie", {M("领带", 600, MeaningIndex::kInPhrase)}},
                {"woman", {M("女人", 800)}},
            },
            GBK("取自 CC-CEDICT")));
  }
  test::TempDir dir_{"cindral-meanings"};
};

TEST_F(ChineseMeaningsTest, TheWordTheWordsItsEndingsLeaveAndNamesMakeOneRanking) {
  ChineseMeanings meanings({WriteIndex()});
  const std::pair<const char*, const char*> cases[] = {
      {"apple", "苹果 苹果汁"},     // 番荔枝 lies too far behind
      {"  Apple ", "苹果 苹果汁"},  // case and spaces do not matter
      {"china", "瓷器"},            // a name is no meaning of a lower-case word...
      {"China", "中国 瓷器"},       // ...but of a capitalised one
      {"beijing", "北京"},          // ...or where nothing else is known
      {"cpu", "中央处理器"},        // an abbreviation likewise
      // Regular endings taken off.
      {"apples", "苹果 苹果汁"},
      {"studies", "学习"},
      {"studied", "学习"},
      {"making", "做 制造"},
      {"happier", "高兴"},
      {"women", "女人"},
      {"runs", "跑 经营"},
      {"news", "新闻 新 消息"},  // its own meanings before the base form's
      {"running", "营运 跑"},    // 跑 once, at its best
      {"ties", ""},              // "tie" is only part of a phrase
      {"geese", ""},             // irregular forms are filed in the index itself
      {"is", ""},
      {"many", "多 许多 很多 好多 众多"},  // at most five
      // Accents: the plain word's meanings too, the accented word's first.
      {GBK("naïve").c_str(), "天真 轻信"},
      {GBK("résumé").c_str(), "简历 恢复"},
      {"resume", "恢复"},
      {"banana", ""},
      {"", ""},
      {GBK("苹果").c_str(), ""},
  };
  for (const auto& [word, expected] : cases) {
    EXPECT_EQ(Shown(meanings.Lookup(word)), expected) << word;
  }
  const std::vector<ChineseMeaning> running = meanings.Lookup("running", 10);
  ASSERT_EQ(Shown(running), "营运 跑");
  EXPECT_EQ(GbkToUtf8(running[1].pinyin), "pinyin of 跑");
  EXPECT_EQ(Shown(meanings.Lookup("many", 2)), "多 许多");
  EXPECT_EQ(Shown(meanings.Lookup("many", 0)), "");
}

TEST_F(ChineseMeaningsTest, TheIndexIsOpenedAtTheFirstQuestionFromTheFirstPlaceThatHoldsOne) {
  const std::string first = Utf8ToGbk(dir_.File("none/meanings.idx"));
  const std::string second = WriteIndex("second.idx");
  const std::string third = Write("third.idx", "not an index at all");
  ChineseMeanings meanings({first, second, third});
  EXPECT_EQ(meanings.Status(), MeaningIndexStatus::kNotOpened);
  EXPECT_EQ(meanings.Path(), first);
  EXPECT_EQ(Shown(meanings.Lookup("goose")), "鹅");
  EXPECT_EQ(meanings.Status(), MeaningIndexStatus::kOpen);
  EXPECT_EQ(meanings.Path(), second);
  EXPECT_EQ(meanings.Reason(), "");
  EXPECT_EQ(GbkToUtf8(meanings.Notice()), "取自 CC-CEDICT");

  // A file that is there but refused is the one reported: a damaged index
  // beside the program does not quietly give way to another one.
  ChineseMeanings refused({third, second});
  EXPECT_FALSE(refused.Available());
  EXPECT_EQ(refused.Path(), third);
  EXPECT_EQ(Shown(refused.Lookup("goose")), "");
}

TEST_F(ChineseMeaningsTest, WhyNoMeaningsAreShownNamesTheFile) {
  std::string newer = WriteMeaningIndex({{"goose", {M("鹅", 600)}}}, "");
  newer[8] = 2;  // version 2
  std::string cut = WriteMeaningIndex({{"goose", {M("鹅", 600)}}}, "");
  cut.resize(cut.size() - 1);
  ASSERT_EQ(::mkdir(dir_.File("folder.idx").c_str(), 0700), 0);
  const std::pair<std::string, const char*> cases[] = {
      {Utf8ToGbk(dir_.File("missing.idx")), "汉语释义不可用：没有找到释义索引 "},
      {Utf8ToGbk(dir_.File("folder.idx")), " 不是普通文件"},
      {Write("text.idx", "apple\t苹果\n"), " 不是释义索引"},
      {Write("newer.idx", newer), " 的版本与程序不符"},
      {Write("cut.idx", cut), " 已损坏或不完整"},
  };
  for (const auto& [path, part] : cases) {
    ChineseMeanings meanings({path});
    const std::string reason = GbkToUtf8(meanings.Reason());
    EXPECT_NE(reason.find(part), std::string::npos) << reason;
    EXPECT_NE(reason.find(GbkToUtf8(path)), std::string::npos) << reason;
    EXPECT_TRUE(meanings.Lookup("goose").empty());
  }
}

TEST(ChineseMeaningsPlacesTest, BesideTheProgramThenInShareBesideItsFolder) {
  EXPECT_EQ(ChineseMeanings::PlacesFor("/usr/bin"),
            (std::vector<std::string>{"/usr/bin/meanings.idx", "/usr/share/cindral/meanings.idx"}));
  EXPECT_EQ(ChineseMeanings::PlacesFor("/home/learner/cindral"),
            (std::vector<std::string>{"/home/learner/cindral/meanings.idx",
                                      "/home/learner/share/cindral/meanings.idx"}));
}

// The index made from CC-CEDICT, as the build leaves it.
class RealIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    struct stat st;
    if (::stat(CINDRAL_MEANINGS_INDEX, &st) != 0) {
      GTEST_SKIP() << "no meanings index at " CINDRAL_MEANINGS_INDEX
                      ": it is made when the CC-CEDICT data has been fetched (make meanings-index)";
    }
  }
};

TEST_F(RealIndexTest, CommonWordsFindTheirCommonMeaningsFirst) {
  ChineseMeanings meanings({CINDRAL_MEANINGS_INDEX});
  ASSERT_TRUE(meanings.Available()) << GbkToUtf8(meanings.Reason());
  struct Case {
    const char* word;
    const char* first;          // one of these comes first ("|" between them)
    const char* notShown = "";  // none of these is among the five shown
  } const cases[] = {
      // The ones a learner tried, and the ones that went wrong.
      {"apple", "苹果"},
      {"pear", "梨", "杜"},
      {"computer", "计算机|电脑"},
      {"although", "虽然"},
      {"environment", "环境"},
      {"happy", "高兴|快乐"},
      {"beautiful", "美丽|漂亮|美", "那"},  // 那 nuó is archaic for "beautiful"
      {"run", "跑"},                        // not 走, whose "to run" is its third sense
      // Inflected forms through their base form.
      {"geese", "鹅"},
      {"went", "去|走"},
      {"running", "跑|跑步|奔跑|营运"},
      {"children", "孩子|儿童|子女"},
      {"mice", "老鼠|鼠"},
      {"ran", "跑"},
      {"bought", "买"},
      {"apples", "苹果"},
      {"studies", "学习|研究|学业"},
      {"women", "女人|妇女|女子"},
      {"feet", "脚|英尺|足"},
      {"knives", "刀|刀子|小刀"},
      // Nouns.
      {"book", "书"},
      {"water", "水"},
      {"house", "房子|房屋|房"},
      {"car", "汽车|车"},
      {"school", "学校"},
      {"teacher", "老师|教师|先生"},
      {"student", "学生"},
      {"friend", "朋友"},
      {"time", "时间|时候"},
      {"day", "天|日|日子"},
      {"night", "夜|晚上|夜晚"},
      {"eye", "眼睛|眼"},
      {"hand", "手"},
      {"head", "头"},
      {"dog", "狗"},
      {"cat", "猫"},
      {"bird", "鸟"},
      {"fish", "鱼"},
      {"horse", "马"},
      {"tree", "树|树木"},
      {"flower", "花"},
      {"sun", "太阳|日"},
      {"moon", "月亮|月球|月"},
      {"rain", "雨"},
      {"snow", "雪|白雪"},
      {"wind", "风"},
      {"river", "河|江|河流"},
      {"mountain", "山"},
      {"sea", "海|大海"},
      {"city", "城市"},
      {"country", "国家"},
      {"world", "世界"},
      {"family", "家庭|家"},
      {"mother", "母亲|妈妈"},
      {"father", "父亲|爸爸"},
      {"child", "孩子|儿童"},
      {"money", "钱|银子|金钱"},
      {"question", "问题"},
      {"language", "语言"},
      {"food", "食物|食品"},
      {"hospital", "医院"},
      {"doctor", "医生|大夫"},
      {"goose", "鹅"},
      // Verbs.
      {"go", "去|走"},
      {"walk", "走|步行|散步"},
      {"eat", "吃"},
      {"drink", "喝|饮料"},
      {"love", "爱"},
      {"work", "工作"},
      {"study", "学习|研究"},
      {"learn", "学习|学"},
      {"read", "读|阅读|看"},
      {"write", "写"},
      {"speak", "说|讲"},
      {"listen", "听"},
      {"see", "看见|看|看到|见"},
      {"look", "看"},
      {"think", "想|认为|思考"},
      {"know", "知道"},
      {"buy", "买"},
      {"sell", "卖|出售|销售"},
      {"help", "帮助|帮|帮忙|援助"},
      {"begin", "开始"},
      {"finish", "完成|结束|完"},
      // Adjectives and adverbs.
      {"good", "好", "娥"},
      {"bad", "坏|不好|不良"},
      {"big", "大", "京"},
      {"small", "小"},
      {"important", "重要"},
      {"difficult", "困难|难"},
      {"easy", "容易"},
      {"new", "新"},
      {"old", "老|旧"},
      {"young", "年轻|少"},
      {"cold", "冷"},
      {"slow", "慢|缓慢"},
      {"red", "红|红色"},
      {"white", "白|白色"},
      {"black", "黑|黑色"},
      {"green", "绿|绿色"},
      {"because", "因为"},
      {"however", "但是|然而|不过|但|可是"},
      {"usually", "通常|往往|一般"},
      {"always", "总是|一直|常|从来"},
      {"today", "今天"},
      {"tomorrow", "明天"},
      {"yesterday", "昨天"},
      // A name only for a capitalised word.
      {"China", "中国"},
      {"china", "瓷器|瓷", "中国"},
      {"English", "英语|英文"},
  };
  static_assert(sizeof cases / sizeof cases[0] >= 100, "a hundred common words at least");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    const std::vector<ChineseMeaning> found = meanings.Lookup(c.word);
    const std::string shown = Shown(found);
    ASSERT_FALSE(found.empty());
    const std::string first = "|" + std::string(c.first) + "|";
    EXPECT_NE(first.find("|" + GbkToUtf8(found[0].word) + "|"), std::string::npos) << shown;
    for (const ChineseMeaning& m : found) {
      EXPECT_NE(std::string(c.notShown), GbkToUtf8(m.word)) << shown;
      EXPECT_FALSE(m.pinyin.empty()) << shown;
    }
  }
}

TEST_F(RealIndexTest, SurnamesVariantsAndClassifiersAreNoMeanings) {
  ChineseMeanings meanings({CINDRAL_MEANINGS_INDEX});
  const std::pair<const char*, const char*> cases[] = {
      {"zhang", "张"},  // "surname Zhang"
      {"goose", "䳘"},  // "variant of 鵝|鹅[e2]"
      {"goose", "鵞"},
      {"book", "本"},  // "classifier for books, periodicals, files etc"
  };
  for (const auto& [word, never] : cases) {
    for (const ChineseMeaning& m : meanings.Lookup(word, 100)) {
      EXPECT_NE(GbkToUtf8(m.word), never) << word;
    }
  }
  // The pinyin has its tone marks.
  const std::vector<ChineseMeaning> apple = meanings.Lookup("apple");
  ASSERT_FALSE(apple.empty());
  EXPECT_EQ(GbkToUtf8(apple[0].pinyin), "píng guǒ");
}

}  // namespace
}  // namespace cindral
