// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a word list: refused where the entry gate refuses, a file
// picked (or not), the preview of what will be added and what cannot be,
// and the words added exactly as the entry window adds words typed — or,
// cancelled, nothing written at all.

#include "logic/ImportWindowLogic.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "Children.h"
#include "FailingFile.h"
#include "FileBytes.h"
#include "TestWorld.h"
#include "core/KeyCodes.h"
#include "logic/EntryWindowLogic.h"
#include "plan/DayPlan.h"

namespace cindral {
namespace {

using test::Slurp;
using test::StoredWord;
using test::TestWorld;

constexpr double kDay1 = 45000.0;


class ImportTest : public ::testing::Test {
 protected:
  ImportTest() {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
  }

  // A word list file in the world's folder; the file dialog picks it.
  void Pick(const std::string& bytes) {
    std::ofstream(world.dir.File("list.txt"), std::ios::binary) << bytes;
    world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("list.txt")), 0});
  }
  // Opens the import as the window does; returns whether it stayed open.
  bool Open() {
    import.Opened();
    return !import.closed();
  }
  std::vector<StoredWord> Stored() { return test::StoredWords(world.Db()); }

  TestWorld world{kDay1};
  ImportWindowLogic import{world.P()};
};

TEST_F(ImportTest, ThePreviewShowsTheWordsTheEncodingAndTheLinesThatCannotBeTaken) {
  Pick("apple\t苹果\n\t无词\npear\t梨\n");
  ASSERT_TRUE(Open());
  ASSERT_EQ(world.shell.fileDialogs.size(), 1u);
  EXPECT_FALSE(world.shell.fileDialogs[0].save);
  EXPECT_EQ(GbkToUtf8(import.encodingText()), "编码：UTF-8　　格式：制表符分隔");
  EXPECT_EQ(GbkToUtf8(import.fileText()), "文件：" + world.dir.File("list.txt"));
  ASSERT_EQ(import.words().size(), 2u);
  EXPECT_EQ(import.words()[1].line, 3);
  ASSERT_EQ(import.problems().size(), 1u);
  EXPECT_EQ(import.problems()[0].line, 2);
  EXPECT_EQ(GbkToUtf8(import.summaryText()), "将作为今天的单词添加 2 个；1 行有问题，不会导入。");
  EXPECT_TRUE(import.importEnabled());
  EXPECT_EQ(world.Db().RecordCount(), 0);  // nothing written by looking
}

TEST_F(ImportTest, ImportingAddsTodaysWordsAndThePlanFollows) {
  world.AddWord(1, "old", kDay1 - 1);
  world.clock.Set(kDay1 + 0.4);  // the next day: the list's words open group 2
  Pick("apple\t苹果\npear\t梨\n");
  ASSERT_TRUE(Open());
  const std::string book = Slurp(world.dir.File("单词本.EDB"));
  import.ImportButton();
  EXPECT_TRUE(import.closed());
  EXPECT_EQ(import.added(), 2);
  // A backup of the book as it was came first.
  const std::vector<std::string> backups = world.program->backups().List();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(Slurp(world.dir.File("backups/" + backups[0] + "/单词本.EDB")), book);
  EXPECT_EQ(world.prompter.LastText(), "已导入 2 个单词。");
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "old", "old-义", kDay1 - 1, 1, 1},
                                               {2, "apple", "苹果", kDay1, 1, 2},
                                               {2, "pear", "梨", kDay1, 1, 3}}));
  EXPECT_EQ(world.Config("groupnumber"), "2");
  import.Destroyed();  // the window gone: today's plan with the new words
  EXPECT_EQ(world.DueGroups(), (std::vector<int32_t>{1, 2, 2}));
}

TEST_F(ImportTest, ImportedWordsAreStoredExactlyAsTheEntryWindowStoresWordsTyped) {
  const std::vector<std::pair<std::string, std::string>> words{
      {"apple", "苹果"}, {" spaced ", "  两边有空格 "}, {"R&D", "<i>研发</i>"}};
  // One book gets the words typed, another the same words imported, on the
  // first day after an earlier group and again on the same day.
  TestWorld typed(kDay1);
  typed.WriteFreshConfig();
  typed.OpenWordBook();
  for (TestWorld* w : {&typed, &world}) {
    w->AddWord(1, "old", kDay1 - 1);
    w->clock.Set(kDay1 + 0.5);
  }
  for (int round = 0; round < 2; ++round) {
    EntryWindowLogic entry(typed.P());
    for (const auto& [word, meaning] : words) {
      entry.SetWord(Utf8ToGbk(word));
      entry.SetMeaning(Utf8ToGbk(meaning));
      entry.KeyDown(kKeyEnter);
    }
    std::string list;
    for (const auto& [word, meaning] : words) list += word + "\t" + meaning + "\n";
    Pick(list);
    ImportWindowLogic again(world.P());
    again.Opened();
    again.ImportButton();
  }
  EXPECT_EQ(test::StoredWords(world.Db()), test::StoredWords(typed.Db()));
  EXPECT_EQ(world.Config("groupnumber"), typed.Config("groupnumber"));
  EXPECT_EQ(world.Config("groupnumber"), "2");
}

// The words are in even when the note that lets the import be undone
// cannot be written (here a folder stands in its place); the learner hears
// that this import cannot be undone.
TEST_F(ImportTest, AnImportWhoseUndoNoteCannotBeKeptSaysSo) {
  std::filesystem::create_directory(world.dir.File("单词本.EDB-import"));
  std::ofstream(world.dir.File("单词本.EDB-import/x")) << "x";
  Pick("apple\t苹果\n");
  ASSERT_TRUE(Open());
  import.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 1);
  EXPECT_EQ(world.prompter.LastText(),
            "已导入 1 个单词。\n这次导入的记录没有保存成功，以后无法撤销。");
}

TEST_F(ImportTest, AnImportThatFailsHalfwayLeavesTheBookAsItWas) {
  // The book on a disk that fails its second write to the data file: by
  // then the first words have gone out, and the journal has to take them
  // back.
  auto failures = std::make_shared<test::WriteFailures>();
  // Counting starts once the book holds its first word (-1: not yet).
  auto dataWrites = std::make_shared<int>(-1);
  failures->failWhen = [dataWrites](const std::string& path, int64_t, std::size_t) {
    return *dataWrites >= 0 && path.size() > 4 && path.compare(path.size() - 4, 4, ".EDB") == 0 &&
           ++*dataWrites == 2;
  };
  world.Restart();
  world.Db().SetFileSystem(test::FailingFileSystem(failures));
  world.OpenWordBook();
  world.AddWord(1, "old", kDay1 - 1);
  world.clock.Set(kDay1);
  const std::vector<StoredWord> before = Stored();
  *dataWrites = 0;
  Pick("apple\t苹果\npear\t梨\nplum\t李子\n");
  ImportWindowLogic failing(world.P());
  failing.Opened();
  failing.ImportButton();
  ASSERT_GT(failures->failed, 0);
  EXPECT_EQ(world.prompter.LastText(), "导入失败，单词本没有改变，请再试！");
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(world.Config("groupnumber"), "1");
  // The window stays, so the learner can try again once the disk is well.
  EXPECT_FALSE(failing.closed());
  EXPECT_EQ(failing.added(), 0);
}

TEST_F(ImportTest, CancellingWritesNothing) {
  world.AddWord(1, "old", kDay1);
  Pick("apple\t苹果\n");
  ASSERT_TRUE(Open());
  const std::string book = Slurp(world.dir.File("单词本.EDB"));
  const std::string side = Slurp(world.dir.File("单词本.EDT"));
  const std::string config = Slurp(world.dir.File("Config.ini"));
  import.CancelButton();
  import.Destroyed();
  EXPECT_TRUE(import.closed());
  EXPECT_EQ(Slurp(world.dir.File("单词本.EDB")), book);
  EXPECT_EQ(Slurp(world.dir.File("单词本.EDT")), side);
  EXPECT_EQ(Slurp(world.dir.File("Config.ini")), config);
  EXPECT_TRUE(world.prompter.shown.empty());
}

TEST_F(ImportTest, NoFilePickedClosesAtOnce) {
  EXPECT_FALSE(Open());
  EXPECT_TRUE(world.prompter.shown.empty());
  EXPECT_EQ(world.Db().RecordCount(), 0);
}

TEST_F(ImportTest, AListWithoutAGoodLineCannotBeImported) {
  Pick("apple\n\npear\n");
  ASSERT_TRUE(Open());
  EXPECT_FALSE(import.importEnabled());
  EXPECT_EQ(GbkToUtf8(import.summaryText()), "没有可以导入的单词；2 行有问题，不会导入。");
  import.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 0);
}

TEST_F(ImportTest, TheReviewPhaseAndMissedDaysRefuseAsTheEntryGateDoes) {
  world.AddWord(1, "old", kDay1);
  world.clock.Set(kDay1 + 3);  // days missed
  EXPECT_FALSE(Open());
  EXPECT_EQ(world.prompter.LastText(), "您已多天没有学习单词，请重置单词数据库后重新学习！");
  EXPECT_TRUE(world.shell.fileDialogs.empty());

  world.clock.Set(kDay1 + 88);  // the review phase
  ComputeDayPlan(world.P());
  ImportWindowLogic review(world.P());
  review.Opened();
  EXPECT_TRUE(review.closed());
  EXPECT_EQ(world.prompter.LastText(),
            "恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！");
  EXPECT_EQ(world.Db().RecordCount(), 1);
}

TEST_F(ImportTest, AFileThatCannotBeReadIsReported) {
  world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("no-such-list.txt")), 0});
  EXPECT_FALSE(Open());
  EXPECT_EQ(world.prompter.LastCaption(), "出错了");
  EXPECT_NE(world.prompter.LastText().find("无法读取文件"), std::string::npos);
}

// What is no regular file, or no word list, is refused with a message
// that says so; the window closes and nothing is written. A pipe that
// nobody writes must not keep the window waiting.
TEST_F(ImportTest, WhatIsNoRegularFileOrNoWordListIsRefusedWithAMessage) {
  const std::string list = world.dir.File("list.txt");
  std::mt19937 random(34);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string notRegular = "”不是普通文件（而是文件夹、管道或设备），没有导入。";
  const std::string notAList =
      "这个文件不是单词表：它的大部分行不是文字（含有控制字符或无法识别的编码），没有导入。";
  const struct {
    std::function<void()> make;
    std::string path;
    std::string message;  // the start of it, or from "”" on
  } cases[] = {
      {[&] { ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0); }, list, "“" + list + notRegular},
      {[&] { std::filesystem::create_directory(list); }, list, "“" + list + notRegular},
      {[] {}, "/dev/null", "“/dev/null" + notRegular},
      {[&] { std::ofstream(list, std::ios::binary) << noise; }, list, notAList},
      {[&] { std::ofstream(list, std::ios::binary) << "bell\t\x07\x07\n"; }, list, notAList},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::filesystem::remove_all(list);
    c.make();
    world.shell.chosenFiles.push_back({Utf8ToGbk(c.path), 0});
    ImportWindowLogic odd(world.P());
    const std::optional<int> refused = test::RunInChildWithin(std::chrono::seconds(10), [&] {
      odd.Opened();
      return odd.closed() && !odd.importEnabled() ? 0 : 1;
    });
    ASSERT_TRUE(refused.has_value()) << "the window waited on " << c.path;
    EXPECT_EQ(*refused, 0);
    odd.Opened();
    EXPECT_TRUE(odd.closed());
    EXPECT_EQ(world.prompter.LastCaption(), "提示");
    EXPECT_EQ(world.prompter.LastText().rfind(c.message, 0), 0u) << world.prompter.LastText();
    EXPECT_EQ(world.Db().RecordCount(), 0);
  }
}

TEST_F(ImportTest, AFileOfThreeColumnsOffersTheChoiceAndImportsTheColumnsChosen) {
  Pick("Id\tFront\tBack\n1\tapple\t苹果\n2\tpear\t梨\n");
  ASSERT_TRUE(Open());
  EXPECT_NE(GbkToUtf8(import.encodingText()).find("首行是表头"), std::string::npos);
  std::vector<std::string> names;
  for (const std::string& n : import.columnNames()) names.push_back(GbkToUtf8(n));
  EXPECT_EQ(names, (std::vector<std::string>{"第 1 列：Id", "第 2 列：Front", "第 3 列：Back"}));
  EXPECT_EQ(import.wordColumn(), 1u);  // by the header's names
  EXPECT_EQ(import.meaningColumn(), 2u);
  import.ChooseColumns(0, 1);
  ASSERT_EQ(import.words().size(), 2u);
  EXPECT_EQ(import.words()[0].word, "1");
  import.ChooseColumns(1, 2);
  import.ImportButton();
  const std::vector<StoredWord> stored = Stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].word, "apple");
  EXPECT_EQ(stored[1].meaning, "梨");
}

// A list imported twice, or holding words the book has: the preview marks
// them with the group and meaning stored (or the line they repeat), and
// the import leaves them out unless the learner takes them too.
TEST_F(ImportTest, WordsTheBookHoldsAndRepeatsOfTheListAreMarkedAndLeftOutUnlessTaken) {
  world.AddWord(1, "apple", kDay1, 1, "苹果");
  const std::string list = "Apple\t苹果\npear\t梨\n pear\t梨子\nplum\t李\n";
  const auto marks = [](const ImportWindowLogic& logic) {
    std::vector<std::string> utf8;
    for (const std::string& m : logic.marks()) utf8.push_back(GbkToUtf8(m));
    return utf8;
  };
  Pick(list);
  ASSERT_TRUE(Open());
  EXPECT_EQ(marks(import), (std::vector<std::string>{"第 1 组 apple：苹果", "", "同第 2 行", ""}));
  EXPECT_TRUE(import.knownWordsChoice());
  EXPECT_FALSE(import.takeKnownWords());
  EXPECT_EQ(GbkToUtf8(import.summaryText()), "将作为今天的单词添加 2 个；已有的 2 个不导入。");
  import.ImportButton();
  EXPECT_EQ(world.prompter.LastText(), "已导入 2 个单词。");
  EXPECT_EQ(Stored(), (std::vector<StoredWord>{{1, "apple", "苹果", kDay1, 1, 1},
                                               {1, "pear", "梨", kDay1, 1, 2},
                                               {1, "plum", "李", kDay1, 1, 3}}));

  // The same list again: nothing new, and the preview says so.
  Pick(list);
  ImportWindowLogic again(world.P());
  again.Opened();
  EXPECT_EQ(marks(again), (std::vector<std::string>{"第 1 组 apple：苹果", "第 1 组：梨",
                                                    "第 1 组 pear：梨", "第 1 组：李"}));
  EXPECT_EQ(GbkToUtf8(again.summaryText()), "没有可以导入的单词；已有的 4 个不导入。");
  EXPECT_FALSE(again.importEnabled());
  again.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 3);

  // Taken on purpose, they all go in.
  again.TakeKnownWords(true);
  EXPECT_EQ(GbkToUtf8(again.summaryText()), "将作为今天的单词添加 4 个。");
  again.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 7);
}

// All the words of one import make one day's group, which comes back on
// the same review days: a long list hears so before it goes in.
TEST_F(ImportTest, ALongListHearsThatItsWordsMakeOneGroup) {
  world.AddWord(1, "word1", kDay1, 1, "义");
  const struct {
    int words;        // word1 … wordN; word1 is in the book
    bool takeKnown;
    std::string note;
  } cases[] = {
      {101, false, ""},
      {102, false, "这 101 个单词都会成为今天的一组，以后在同样的日子一起复习，每次 101 个。"},
      {101, true, "这 101 个单词都会成为今天的一组，以后在同样的日子一起复习，每次 101 个。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    std::string list;
    for (int i = 1; i <= c.words; ++i) list += "word" + std::to_string(i) + "\t义\n";
    Pick(list);
    ImportWindowLogic big(world.P());
    big.Opened();
    big.TakeKnownWords(c.takeKnown);
    EXPECT_EQ(GbkToUtf8(big.groupText()), c.note);
  }
}

// A full export of notes with their ids, note types, decks and tags: the
// word and meaning are the note's fields, and the picker names the other
// columns; it refuses one column for both and says why.
TEST_F(ImportTest, AnotherProgramsFullExportTakesTheNotesFieldsAndThePickerSaysWhyItRefuses) {
  Pick("#separator:tab\n#html:true\n#guid column:1\n#notetype column:2\n#deck column:3\n"
       "#tags column:6\nAb1{x\tBasic\t英语\tapple\t苹果\tfruit\n");
  ASSERT_TRUE(Open());
  EXPECT_EQ(import.wordColumn(), 3u);
  EXPECT_EQ(import.meaningColumn(), 4u);
  ASSERT_EQ(import.columnNames().size(), 6u);
  EXPECT_EQ(GbkToUtf8(import.columnNames()[0]), "第 1 列：guid");
  EXPECT_EQ(GbkToUtf8(import.columnNames()[3]), "第 4 列");
  ASSERT_EQ(import.words().size(), 1u);
  EXPECT_EQ(GbkToUtf8(import.words()[0].word), "apple");
  import.ChooseColumns(4, 4);
  EXPECT_EQ(world.prompter.LastText(), "单词列和释义列不能是同一列（第 5 列）：请为单词和释义各选一列。");
  EXPECT_EQ(world.prompter.LastCaption(), "提示");
  EXPECT_EQ(import.wordColumn(), 3u);
  EXPECT_EQ(import.meaningColumn(), 4u);
}

}  // namespace
}  // namespace cindral
