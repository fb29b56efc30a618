// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Word lists as text: the export of the book (header, quoting, line ends,
// byte order mark, encodings, marked records left out) and the reading of a
// list for the import (encodings told apart, TSV and CSV, quoted fields over
// several lines, the lines that cannot be taken and why, with their line
// numbers); and the round trip between the two.

#include "book/WordList.h"

#include <gtest/gtest.h>

#include <random>

#include "TestWorld.h"
#include "WholeConversion.h"
#include "store/RecordFile.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

using test::TestWorld;
using namespace std::string_literals;

constexpr double kDay = 45000.0;  // 2023-03-15
constexpr WordLimits kRoomy{100, 100};

std::string Export(Database& db, WordListFormat format,
                   WordListEncoding encoding = WordListEncoding::Utf8) {
  std::string out;
  EXPECT_TRUE(ExportWordList(db, format, encoding, &out));
  return out;
}

// The words and meanings read, in UTF-8, as "word=meaning@line".
std::vector<std::string> Read(const WordListFile& file) {
  std::vector<std::string> read;
  for (const ListedWord& w : file.words) {
    read.push_back(GbkToUtf8(w.word) + "=" + GbkToUtf8(w.meaning) + "@" + std::to_string(w.line));
  }
  return read;
}
std::vector<std::string> Problems(const WordListFile& file) {
  std::vector<std::string> problems;
  for (const ListProblem& p : file.problems) {
    problems.push_back(std::to_string(p.line) + ":" + GbkToUtf8(p.reason));
  }
  return problems;
}

class WordListExportTest : public ::testing::Test {
 protected:
  WordListExportTest() { world.OpenWordBook(); }
  TestWorld world{kDay};
};

TEST_F(WordListExportTest, TsvHasAHeaderAndOneLinePerWordWithTheDateAsText) {
  world.AddWord(1, "apple", kDay, 35, "苹果");
  world.AddWord(2, "pear", kDay + 1, 100, "梨");
  int32_t words = 0;
  std::string out;
  ASSERT_TRUE(
      ExportWordList(world.Db(), WordListFormat::Tsv, WordListEncoding::Utf8, &out, &words));
  EXPECT_EQ(out,
            "GroupNumber\tWord\tMeaning\tEntryDate\tProficiency\tSerialNumber\n"
            "1\tapple\t苹果\t2023-03-15\t35\t1\n"
            "2\tpear\t梨\t2023-03-16\t100\t2\n");
  EXPECT_EQ(words, 2);
}

TEST_F(WordListExportTest, FieldsWithTabsCommasQuotesOrLineBreaksAreQuotedInBothForms) {
  world.AddWord(1, "a\tb", kDay, 1, "x, y");
  world.AddWord(1, "say \"hi\"", kDay, 1, "line1\nline2");
  world.AddWord(1, "cr", kDay, 1, "a\rb");
  const std::string tsv = Export(world.Db(), WordListFormat::Tsv);
  EXPECT_NE(tsv.find("1\t\"a\tb\"\t\"x, y\"\t2023-03-15\t1\t1\n"), std::string::npos) << tsv;
  EXPECT_NE(tsv.find("1\t\"say \"\"hi\"\"\"\t\"line1\nline2\"\t"), std::string::npos) << tsv;
  EXPECT_NE(tsv.find("\tcr\t\"a\rb\"\t"), std::string::npos) << tsv;
  // CSV: CR LF line ends and a byte order mark for spreadsheets.
  const std::string csv = Export(world.Db(), WordListFormat::Csv);
  EXPECT_EQ(
      csv.rfind("\xEF\xBB\xBFGroupNumber,Word,Meaning,EntryDate,Proficiency,SerialNumber\r\n", 0),
      0u)
      << csv;
  EXPECT_NE(csv.find("\r\n1,\"a\tb\",\"x, y\",2023-03-15,1,1\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\n1,\"say \"\"hi\"\"\",\"line1\nline2\",2023-03-15,1,2\r\n"),
            std::string::npos);
}

TEST_F(WordListExportTest, GbkKeepsTheBooksOwnBytesWithoutAByteOrderMark) {
  world.AddWord(1, "apple", kDay, 1, "苹果");
  const std::string gbk = Export(world.Db(), WordListFormat::Csv, WordListEncoding::Gbk);
  EXPECT_EQ(gbk, "GroupNumber,Word,Meaning,EntryDate,Proficiency,SerialNumber\r\n1,apple," +
                     Utf8ToGbk("苹果") + ",2023-03-15,1,1\r\n");
}

// What a reader that knows only GBK makes of bytes (glibc's GBK), in UTF-8;
// nothing when it refuses them.
std::optional<std::string> ReadAsGbk(const std::string& bytes) {
  return testing::ConvertWhole("UTF-8", "GBK", bytes);
}

TEST_F(WordListExportTest, AGbkListIsGbkProperOrRefusedNamingTheFirstWordGbkCannotHold) {
  struct Case {
    const char* word;
    const char* meaning;
    bool exported;
  } const cases[] = {
      {"apple", "苹果", true},
      {"euro", "欧元 €", true},  // GB18030 A2E3, GBK 80
      {"dash", "破折号 — 和省略号 …", true},
      {"naïve", "天真的", false},  // ï has no GBK code
      {"old", "𠀀", false},        // beyond the two-byte plane
      {"m", "ḿ", false},           // a GB18030 two-byte code GBK lacks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    TestWorld w(kDay);
    w.OpenWordBook();
    w.AddWord(1, "first", kDay, 1, "第一");
    w.AddWord(1, c.word, kDay, 1, c.meaning);
    std::string out = "untouched";
    std::string notInGbk;
    EXPECT_EQ(ExportWordList(w.Db(), WordListFormat::Csv, WordListEncoding::Gbk, &out, nullptr,
                             &notInGbk),
              c.exported);
    if (!c.exported) {
      EXPECT_EQ(GbkToUtf8(notInGbk), c.word);
      EXPECT_EQ(out, "untouched");
      continue;
    }
    EXPECT_EQ(ReadAsGbk(out),
              "GroupNumber,Word,Meaning,EntryDate,Proficiency,SerialNumber\r\n"
              "1,first,第一,2023-03-15,1,1\r\n1," +
                  std::string(c.word) + "," + c.meaning + ",2023-03-15,1,2\r\n");
  }
}

TEST_F(WordListExportTest, RecordsMarkedDeletedAreLeftOut) {
  world.AddWord(1, "keep", kDay);
  world.AddWord(1, "gone", kDay);
  world.AddWord(1, "stay", kDay);
  ASSERT_TRUE(world.Db().GoTo(2));
  ASSERT_TRUE(world.Db().MarkDeleted());
  int32_t words = 0;
  std::string out;
  ASSERT_TRUE(
      ExportWordList(world.Db(), WordListFormat::Tsv, WordListEncoding::Utf8, &out, &words));
  EXPECT_EQ(words, 2);
  EXPECT_EQ(out.find("gone"), std::string::npos);
  EXPECT_NE(out.find("\tstay\t"), std::string::npos);
}

TEST(WordListReadTest, TabSeparatedLinesGiveWordsWithTheirLineNumbers) {
  const WordListFile file =
      ReadWordList("apple\t苹果\n\npear\t梨；梨子\r\n  \nplum, prune\t李子, 梅\n", kRoomy);
  EXPECT_EQ(file.format, WordListFormat::Tsv);
  EXPECT_EQ(file.encoding, WordListEncoding::Utf8);
  EXPECT_FALSE(file.byteOrderMark);
  EXPECT_EQ(Read(file), (std::vector<std::string>{"apple=苹果@1", "pear=梨；梨子@3",
                                                  "plum, prune=李子, 梅@5"}));
  EXPECT_TRUE(file.problems.empty());
}

TEST(WordListReadTest, CsvTakesQuotedFieldsAcrossLinesAndCountsTheLines) {
  const WordListFile file = ReadWordList(
      "\xEF\xBB\xBF"
      "apple,苹果\r\n\"say \"\"hi\"\"\",\"line1\r\nline2\"\r\npear,\"梨, 梨子\"\rplum,李子",
      kRoomy);
  EXPECT_EQ(file.format, WordListFormat::Csv);
  EXPECT_TRUE(file.byteOrderMark);
  EXPECT_EQ(GbkToUtf8(EncodingName(file)), "UTF-8（带 BOM）");
  EXPECT_EQ(Read(file), (std::vector<std::string>{"apple=苹果@1", "say \"hi\"=line1\r\nline2@2",
                                                  "pear=梨, 梨子@4", "plum=李子@5"}));
}

TEST(WordListReadTest, AGbkFileIsToldFromUtf8ByItsLines) {
  const std::string gbk = Utf8ToGbk("apple\t苹果\nwater\t水\n");
  const WordListFile file = ReadWordList(gbk, kRoomy);
  EXPECT_EQ(file.encoding, WordListEncoding::Gbk);
  EXPECT_EQ(GbkToUtf8(EncodingName(file)), "GBK");
  EXPECT_EQ(Read(file), (std::vector<std::string>{"apple=苹果@1", "water=水@2"}));
  // Characters beyond GBK (four bytes in GB18030) come through from UTF-8.
  const WordListFile rare = ReadWordList("smile\t😀 𠀀\n", kRoomy);
  ASSERT_EQ(rare.words.size(), 1u);
  EXPECT_EQ(GbkToUtf8(rare.words[0].meaning), "😀 𠀀");
}

TEST(WordListReadTest, LinesThatCannotBeTakenAreListedWithWhy) {
  const std::string text =
      "apple\t苹果\n"       // 1 fine
      "\t空的\n"            // 2 empty word
      "pear\t\n"            // 3 empty meaning
      "plum\t李子\t多余\n"  // 4 three columns
      "bad\t\xFF\xFE\n"     // 5 not UTF-8
      "verylongword\t长\n"  // 6 word over the limit
      "nul\tn\0ul\n"        // 7 a zero byte
      "kiwi\t猕猴桃\n"s;    // 8 fine
  const WordListFile file = ReadWordList(text, {10, 100});
  EXPECT_EQ(Read(file), (std::vector<std::string>{"apple=苹果@1", "kiwi=猕猴桃@8"}));
  const std::vector<std::string> problems = Problems(file);
  ASSERT_EQ(problems.size(), 6u);
  EXPECT_EQ(problems[0], "2:单词为空");
  EXPECT_EQ(problems[1], "3:释义为空");
  EXPECT_EQ(problems[2], "4:应为两列（单词和释义），这一行有 3 列");
  EXPECT_EQ(problems[3], "5:含有无法识别的字符（不是 UTF-8 文字）");
  EXPECT_EQ(problems[4], "6:单词太长（12 字节，最多 10 字节）");
  EXPECT_EQ(problems[5], "7:含有控制字符，不是文字");
}

// A line holding a control character (the tab, the line breaks and the
// file's separator aside), or in GBK a code GBK has no character for, is
// no text: it is listed, and the lines around it are taken.
TEST(WordListReadTest, ALineWithControlCharactersOrCodesWithoutACharacterIsNoText) {
  const std::string control = "2:含有控制字符，不是文字";
  const std::string noCharacter = "2:含有 GBK 中没有的字符（自定义区或未分配的编码），不是文字";
  const std::string apple = "apple\t苹果\n", pear = "\npear\t梨\n";
  const struct {
    std::string text;
    std::string problem;  // empty: every line is taken
    std::size_t words;
  } cases[] = {
      {apple + "bell\t响\x07铃" + pear, control, 2},
      {apple + "del\tx\x7Fy" + pear, control, 2},
      {apple + "nel\tx\xC2\x85y" + pear, control, 2},  // a C1 control, U+0085
      {apple + "esc\t\x1B[31m红" + pear, control, 2},
      {Utf8ToGbk(apple) + "esc\t\x1B" + Utf8ToGbk("红" + pear), control, 2},
      {Utf8ToGbk(apple) + "user\t\xAA\xA1" + Utf8ToGbk(pear), noCharacter, 2},  // user-defined
      {Utf8ToGbk(apple) + "user\t\xF8\xA1" + Utf8ToGbk(pear), noCharacter, 2},  // user-defined
      {Utf8ToGbk(apple) + "user\t\xA1\x40" + Utf8ToGbk(pear), noCharacter, 2},  // user-defined
      {Utf8ToGbk(apple) + "gap\t\xD7\xFA" + Utf8ToGbk(pear), noCharacter, 2},   // unassigned
      {Utf8ToGbk(apple) + "gap\t\xA2\xAB" + Utf8ToGbk(pear), noCharacter, 2},   // unassigned
      {Utf8ToGbk(apple) + "euro\t\x80" + Utf8ToGbk(pear), "", 3},               // GBK's euro sign
      {"apple,苹果\r\n\"tab\tin\",\"cr\rlf\r\nx\"\r\npear,梨\r\n", "", 3},
      {"#separator:\x1F\napple\x1F苹果\npear\x1F梨\n", "", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const WordListFile file = ReadWordList(c.text, kRoomy);
    EXPECT_FALSE(file.notText);
    EXPECT_EQ(Problems(file),
              c.problem.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.problem});
    EXPECT_EQ(file.words.size(), c.words);
  }
}

// Random bytes are no word list, whatever a few of their lines look like:
// refused whole, no word taken; so is a file most of whose lines are no
// text, while one with fewer such lines keeps its good ones.
TEST(WordListReadTest, AFileMostOfWhoseLinesAreNoTextIsNoWordList) {
  std::mt19937 random(34);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string good = "apple\t苹果\n", bad = "bell\t\x07\n";
  const struct {
    std::string text;
    bool notText;
  } cases[] = {
      {noise, true},
      {good + bad + bad, true},
      {good + bad + good + bad, false},
      {good + bad + good, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    const WordListFile file = ReadWordList(c.text, {kMemoTextLimit, kMemoTextLimit});
    EXPECT_EQ(file.notText, c.notText);
    EXPECT_EQ(file.words.empty(), c.notText) << file.words.size();
  }
}

TEST(WordListReadTest, AMeaningTooLongForAFixedTextFieldIsListedByItsGbkBytes) {
  // "苹果" is 4 bytes in GBK (6 in UTF-8): it fits 4 bytes, "苹果树" does not.
  const WordListFile file = ReadWordList("a\t苹果\nb\t苹果树\n", {100, 4});
  EXPECT_EQ(Read(file), std::vector<std::string>{"a=苹果@1"});
  EXPECT_EQ(Problems(file), std::vector<std::string>{"2:释义太长（6 字节，最多 4 字节）"});
}

TEST(WordListReadTest, AQuoteThatNeverClosesSpoilsOnlyWhatFollowsIt) {
  const WordListFile file = ReadWordList("apple,苹果\npear,\"梨\nplum,李子\n", kRoomy);
  EXPECT_EQ(Read(file), std::vector<std::string>{"apple=苹果@1"});
  ASSERT_EQ(file.problems.size(), 1u);
  EXPECT_EQ(file.problems[0].line, 2);
}

TEST(WordListReadTest, AListWithOneColumnIsRefusedLineByLine) {
  const WordListFile file = ReadWordList("apple\npear\n", kRoomy);
  EXPECT_TRUE(file.words.empty());
  EXPECT_EQ(Problems(file), (std::vector<std::string>{"1:应为两列（单词和释义），这一行有 1 列",
                                                      "2:应为两列（单词和释义），这一行有 1 列"}));
}

TEST(WordListReadTest, AHeaderLineNamesTheColumnsAndIsNoWord) {
  const struct {
    const char* text;
    const char* header;  // its fields joined by "|"
    std::vector<std::string> words;
  } cases[] = {
      {"word,meaning\r\napple,苹果\r\n", "word|meaning", {"apple=苹果@2"}},
      {"单词\t释义\napple\t苹果\n", "单词|释义", {"apple=苹果@2"}},
      {"\n Meaning \t WORD\n苹果\tapple\n", " Meaning | WORD", {"apple=苹果@3"}},
      {"Front\tBack\tTags\napple\t苹果\tfruit\n", "Front|Back|Tags", {"apple=苹果@2"}},
      // Not a header: only one of the two names.
      {"word\tapple\npear\t梨\n", "", {"word=apple@1", "pear=梨@2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const WordListFile file = ReadWordList(c.text, kRoomy);
    std::string header;
    for (const std::string& f : file.header) header += (header.empty() ? "" : "|") + GbkToUtf8(f);
    EXPECT_EQ(header, c.header);
    EXPECT_EQ(Read(file), c.words);
    EXPECT_TRUE(file.problems.empty());
  }
}

TEST(WordListReadTest, AnotherProgramsDirectivesAndHtmlFieldsReadAsPlainText) {
  const std::string text =
      "#separator:Semicolon\n"
      "#html:true\n"
      "#columns:Back;Front;Tags\n"
      "#deck:英语\n"
      // Fields that hold the separator (as entities do) are quoted.
      "\"苹果<br>一种水果 &amp; 树[sound:apple.mp3]\";<b>apple</b>;fruit\n"
      "\"<div>梨</div><div>&#x6CB3;&#21271;</div>\";\"pear&nbsp;\";\n";
  const WordListFile file = ReadWordList(text, kRoomy);
  EXPECT_EQ(Problems(file), std::vector<std::string>{});
  EXPECT_EQ(file.directives.size(), 4u);
  EXPECT_TRUE(file.html);
  EXPECT_EQ(file.separator, ';');
  EXPECT_EQ(file.columns, 3u);
  EXPECT_EQ(Read(file),
            (std::vector<std::string>{"apple=苹果; 一种水果 & 树@5", "pear=梨; 河北@6"}));
  // Without #html the markup is the text, but sound references still go.
  const WordListFile plain = ReadWordList("#separator:tab\n<b>a</b>\tb[sound:x.mp3]\n", kRoomy);
  EXPECT_EQ(Read(plain), std::vector<std::string>{"<b>a</b>=b@2"});
}

TEST(WordListReadTest, AFileOfMoreColumnsTakesTheTwoChosen) {
  const std::string text = "1\tapple\t苹果\n2\tpear\t梨\n3\tplum\n";
  const WordListFile first = ReadWordList(text, kRoomy);
  EXPECT_EQ(first.columns, 3u);
  EXPECT_EQ(Read(first), (std::vector<std::string>{"1=apple@1", "2=pear@2"}));
  EXPECT_EQ(Problems(first), std::vector<std::string>{"3:应为 3 列，这一行有 2 列"});
  const ColumnChoice choice{1, 2};
  EXPECT_EQ(Read(ReadWordList(text, kRoomy, &choice)),
            (std::vector<std::string>{"apple=苹果@1", "pear=梨@2"}));
  // A choice beyond the columns, or of one column twice, is not taken.
  for (const ColumnChoice bad : {ColumnChoice{1, 3}, ColumnChoice{2, 2}}) {
    EXPECT_EQ(Read(ReadWordList(text, kRoomy, &bad)), Read(first));
  }
}

// A full export of notes in plain text puts a note's id, its type, its deck
// and its tags into columns of their own, and says which by directives:
// the word and the meaning are the first two columns left.
TEST(WordListReadTest, ColumnsTheDirectivesGiveToOtherThingsAreNotTheWordOrMeaning) {
  const struct {
    std::string directives;
    std::string line;
    std::size_t word, meaning;
  } cases[] = {
      {"#guid column:1\n#notetype column:2\n#deck column:3\n#tags column:6\n",
       "Ab1{x\tBasic\t英语\tapple\t苹果\tfruit", 3, 4},
      {"#GUID column: 1\n#tags column:2\n", "Ab1{x\tfruit\tapple\t苹果", 2, 3},
      {"#tags column:3\n", "apple\t苹果\tfruit", 0, 1},
      // A column past the end, or a number that is none, names nothing.
      {"#deck column:9\n#guid column:x\n#notetype column:0\n", "apple\t苹果\tBasic", 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.directives);
    const WordListFile file =
        ReadWordList("#separator:tab\n#html:true\n" + c.directives + c.line + "\n", kRoomy);
    EXPECT_EQ(file.wordColumn, c.word);
    EXPECT_EQ(file.meaningColumn, c.meaning);
    ASSERT_EQ(file.words.size(), 1u);
    EXPECT_EQ(GbkToUtf8(file.words[0].word), "apple");
    EXPECT_EQ(GbkToUtf8(file.words[0].meaning), "苹果");
  }
  // The learner may still take any two columns.
  const ColumnChoice choice{0, 1};
  const WordListFile chosen = ReadWordList(
      "#guid column:1\n#notetype column:2\nAb1{x\tBasic\tapple\t苹果\n", kRoomy, &choice);
  EXPECT_EQ(Read(chosen), std::vector<std::string>{"Ab1{x=Basic@3"});
  EXPECT_EQ(chosen.otherColumns,
            (std::map<std::size_t, std::string>{{0, "guid"}, {1, "notetype"}}));
}

TEST(WordListRoundTripTest, ExportedWordsReadBackTheSameInEveryFormAndEncoding) {
  TestWorld world(kDay);
  world.OpenWordBook();
  std::vector<std::pair<std::string, std::string>> words{
      {"apple", "苹果"},      {"a\tb", "x, y"},        {"say \"hi\"", "line1\nline2"},
      {"R&D", "<b>研究</b>"}, {"trailing ", " 空格 "}, {"comma,", "\"quoted\""},
      {"crlf", "a\r\nb"},     {"euro", "欧元 € 和 …"},
  };
  for (const auto& [w, m] : words) world.AddWord(1, w, kDay, 1, m);
  // GBK first; then a word GBK cannot hold, which only UTF-8 carries.
  for (WordListEncoding encoding : {WordListEncoding::Gbk, WordListEncoding::Utf8}) {
    if (encoding == WordListEncoding::Utf8) {
      words.emplace_back("smile", "😀 微笑");
      world.AddWord(1, "smile", kDay, 1, "😀 微笑");
    }
    for (WordListFormat format : {WordListFormat::Tsv, WordListFormat::Csv}) {
      const WordListFile file = ReadWordList(Export(world.Db(), format, encoding), kRoomy);
      EXPECT_TRUE(file.exported);
      EXPECT_EQ(file.format, format);
      EXPECT_TRUE(file.problems.empty()) << Problems(file).front();
      ASSERT_EQ(file.words.size(), words.size());
      for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(GbkToUtf8(file.words[i].word), words[i].first);
        EXPECT_EQ(GbkToUtf8(file.words[i].meaning), words[i].second);
      }
    }
  }
}

TEST(WordLimitsTest, FixedTextFieldsLimitByTheirSizeMemoTextByTheImportsCap) {
  test::TempWorkDir dir("cindral-limits");
  ASSERT_EQ(RecordFile::Create(Utf8ToGbk(dir.File("fixed.EDB")), WordRecordFields(20)), 0);
  Database fixed;
  ASSERT_TRUE(fixed.OpenDatabase(Utf8ToGbk(dir.File("fixed.EDB"))));
  EXPECT_EQ(WordLimitsOf(fixed).word, 20u);
  EXPECT_EQ(WordLimitsOf(fixed).meaning, 20u);
  TestWorld world(kDay);
  world.OpenWordBook();
  EXPECT_EQ(WordLimitsOf(world.Db()).word, kMemoTextLimit);
}

}  // namespace
}  // namespace cindral
