// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Meanings the import window suggests from the meanings index: for the
// lines of a word list that have none, and for an e-reader's vocabulary,
// whose preview shows where each word was met; the learner's edits; only
// words with a meaning imported, an e-reader's others kept beside the book
// and offered at the next import; files that are no vocabulary refused.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EReaderDatabases.h"
#include "FileBytes.h"
#include "ListedMeanings.h"
#include "TestWorld.h"
#include "book/PendingWords.h"
#include "logic/ImportWindowLogic.h"

namespace cindral {
namespace {

using test::Slurp;
using test::StoredWord;
using test::TestWorld;

constexpr double kDay1 = 45000.0;

const std::string kKindle = std::string(test::kKindleTables) + R"(
INSERT INTO BOOK_INFO VALUES ('b1', 'A1', 'g1', 'en', 'Moby Dick', 'Herman Melville');
INSERT INTO WORDS VALUES ('en:whale', 'whales', 'whale', 'en', 0, 1, '');
INSERT INTO WORDS VALUES ('en:harpoon', 'harpoon', 'harpoon', 'en', 0, 2, '');
INSERT INTO WORDS VALUES ('en:leviathan', 'leviathan', 'leviathan', 'en', 0, 3, '');
INSERT INTO WORDS VALUES ('en:apple', 'apple', 'apple', 'en', 0, 4, '');
INSERT INTO LOOKUPS VALUES ('l1', 'en:whale', 'b1', 'd', '1', 'Call me Ishmael; the whales.', 1);
INSERT INTO LOOKUPS VALUES ('l2', 'en:harpoon', 'b1', 'd', '2', 'He threw the harpoon.', 2);
INSERT INTO LOOKUPS VALUES ('l3', 'en:leviathan', 'b1', 'd', '3', 'The leviathan rose.', 3);
INSERT INTO LOOKUPS VALUES ('l4', 'en:apple', 'b1', 'd', '4', 'An apple.', 4);
)";

const std::string kKOReader = std::string(test::kKOReaderTables) + R"(
INSERT INTO title (id, name, filter) VALUES (1, 'Walden', 1);
INSERT INTO vocabulary VALUES ('pond', 1, 1, 0, 0, 0, 'by the ', ' in the woods', 0);
)";

class EReaderImportTest : public ::testing::Test {
 protected:
  EReaderImportTest() {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.P().SetChineseMeanings(&meanings);
  }
  ~EReaderImportTest() override { world.P().SetChineseMeanings(nullptr); }

  // The database built in the world's folder, picked in the file dialog.
  std::string Pick(const std::string& name, const std::string& sql) {
    const std::string path = world.dir.File(name);
    EXPECT_EQ(test::BuildDatabase(path, sql), "");
    world.shell.chosenFiles.push_back({Utf8ToGbk(path), 0});
    return path;
  }
  // The preview's rows: word, meaning, suggested, sentence, book (UTF-8).
  std::vector<std::string> Rows(const ImportWindowLogic& import) {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < import.words().size(); ++i) {
      rows.push_back(GbkToUtf8(import.words()[i].word) + "|" +
                     GbkToUtf8(import.words()[i].meaning) + (import.Suggested(i) ? "*" : "") + "|" +
                     GbkToUtf8(import.met()[i].sentence) + "|" + GbkToUtf8(import.met()[i].book));
    }
    return rows;
  }
  std::vector<std::string> Pending() {
    std::vector<std::string> words;
    for (const EReaderWord& w : ReadPendingWords(world.Db())) words.push_back(GbkToUtf8(w.word));
    return words;
  }

  TestWorld world{kDay1};
  test::ListedMeanings meanings{{{"whale", {"鲸", "鲸鱼"}}, {"harpoon", {"鱼叉"}}}};
};

TEST_F(EReaderImportTest, AListsLinesWithoutAMeaningTakeTheIndexsSuggestions) {
  std::ofstream(world.dir.File("list.txt"), std::ios::binary)
      << "whale\nkiwi\t\npear\t梨\nharpoon\t\nthree\tcol\tumns\n";
  world.shell.chosenFiles.push_back({Utf8ToGbk(world.dir.File("list.txt")), 0});
  ImportWindowLogic import(world.P());
  import.Opened();
  ASSERT_FALSE(import.closed());
  ASSERT_EQ(import.words().size(), 3u);
  const std::pair<const char*, const char*> expected[] = {
      {"whale", "鲸；鲸鱼"}, {"pear", "梨"}, {"harpoon", "鱼叉"}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(GbkToUtf8(import.words()[i].word), expected[i].first);
    EXPECT_EQ(GbkToUtf8(import.words()[i].meaning), expected[i].second);
    EXPECT_EQ(import.Suggested(i), i != 1) << i;
    EXPECT_EQ(import.Editable(i), i != 1) << i;
  }
  EXPECT_EQ(import.words()[2].line, 4);
  ASSERT_EQ(import.problems().size(), 2u);  // kiwi: nothing known; three columns
  EXPECT_EQ(import.problems()[0].line, 2);
  import.EditMeaning(1, Utf8ToGbk("n. 梨子"));  // a meaning the list gave stays
  // A meaning longer than the book holds is not cut short.
  import.EditMeaning(0, std::string(40000, 'x'));
  EXPECT_EQ(GbkToUtf8(import.words()[0].meaning), "鲸；鲸鱼");
  EXPECT_EQ(world.prompter.LastText().find("释义太长（40000 字节，最多 "), 0u)
      << world.prompter.LastText();
  import.EditMeaning(2, "");
  EXPECT_EQ(GbkToUtf8(import.summaryText()),
            "将作为今天的单词添加 2 个；没有释义的 1 个不导入；2 行有问题，不会导入。");
  import.ImportButton();
  EXPECT_EQ(test::StoredWords(world.Db()),
            (std::vector<StoredWord>{{1, "whale", "鲸；鲸鱼", kDay1, 1, 1},
                                     {1, "pear", "梨", kDay1, 1, 2}}));
  EXPECT_FALSE(std::filesystem::exists(world.dir.File("单词本.EDB-reading")));
}

TEST_F(EReaderImportTest, OnlyWordsWithAMeaningGoInTheRestWaitForTheNextImport) {
  world.AddWord(1, "apple", kDay1, 1, "苹果");
  const std::string device = Pick("vocab.db", kKindle);
  const std::string deviceBytes = Slurp(device);
  ImportWindowLogic import(world.P());
  import.Opened();
  ASSERT_FALSE(import.closed()) << world.prompter.LastText();
  EXPECT_TRUE(import.fromEReader());
  EXPECT_EQ(GbkToUtf8(import.encodingText()),
            "来源：Kindle 生词本，4 个单词；释义可以修改，没有释义的单词不导入");
  EXPECT_EQ(Rows(import), (std::vector<std::string>{
                              "whale|鲸；鲸鱼*|Call me Ishmael; the whales.|Moby Dick",
                              "harpoon|鱼叉*|He threw the harpoon.|Moby Dick",
                              "leviathan||The leviathan rose.|Moby Dick",
                              "apple||An apple.|Moby Dick",
                          }));
  EXPECT_FALSE(GbkToUtf8(import.marks()[3]).empty());  // in the book already
  EXPECT_EQ(GbkToUtf8(import.summaryText()),
            "将作为今天的单词添加 2 个；已有的 1 个不导入；没有释义的 1 个留到下次。");

  // The learner edits: a meaning of their own, a suggestion taken away.
  import.EditMeaning(1, "");
  import.EditMeaning(0, Utf8ToGbk("n. 鲸"));
  EXPECT_FALSE(import.Suggested(0));
  EXPECT_FALSE(import.Takes(1));
  EXPECT_EQ(GbkToUtf8(import.summaryText()),
            "将作为今天的单词添加 1 个；已有的 1 个不导入；没有释义的 2 个留到下次。");
  import.ImportButton();
  EXPECT_EQ(world.prompter.LastText(), "已导入 1 个单词。");
  EXPECT_EQ(test::StoredWords(world.Db()).back(), (StoredWord{1, "whale", "n. 鲸", kDay1, 1, 2}));
  EXPECT_EQ(Pending(), (std::vector<std::string>{"harpoon", "leviathan"}));
  EXPECT_EQ(Slurp(device), deviceBytes);

  // The next import of an e-reader's words offers them after its own.
  ImportWindowLogic next(world.P());
  Pick("vocabulary_builder.sqlite3", kKOReader);
  next.Opened();
  ASSERT_FALSE(next.closed()) << world.prompter.LastText();
  EXPECT_EQ(GbkToUtf8(next.encodingText()),
            "来源：KOReader 生词本，1 个单词，另有上次没有释义的 2 "
            "个；释义可以修改，没有释义的单词不导入");
  EXPECT_EQ(Rows(next), (std::vector<std::string>{
                            "pond||by the pond in the woods|Walden",
                            "harpoon|鱼叉*|He threw the harpoon.|Moby Dick",
                            "leviathan||The leviathan rose.|Moby Dick",
                        }));
  // Cancelled, the list stays as it was.
  next.CancelButton();
  EXPECT_EQ(Pending(), (std::vector<std::string>{"harpoon", "leviathan"}));

  ImportWindowLogic last(world.P());
  Pick("vocabulary_builder.sqlite3.2", kKOReader);
  last.Opened();
  last.EditMeaning(0, Utf8ToGbk("池塘"));
  last.EditMeaning(2, Utf8ToGbk("海怪"));
  last.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 5);
  EXPECT_TRUE(Pending().empty());
  EXPECT_FALSE(std::filesystem::exists(world.dir.File("单词本.EDB-reading")));
}

TEST_F(EReaderImportTest, AListThatCannotBeKeptLeavesTheImportInPlaceAndSaysSo) {
  std::filesystem::create_directory(world.dir.File("单词本.EDB-reading"));
  std::ofstream(world.dir.File("单词本.EDB-reading/x")) << "x";
  Pick("vocab.db", kKindle);
  ImportWindowLogic import(world.P());
  import.Opened();
  import.ImportButton();
  EXPECT_EQ(world.Db().RecordCount(), 2);
  EXPECT_EQ(world.prompter.LastText(),
            "已导入 2 个单词。\n没有释义的单词未能保存，下次导入时不会再列出。");
}

TEST_F(EReaderImportTest, ADatabaseThatIsNoVocabularyOrIsDamagedIsRefused) {
  const std::string foreign = Pick("notes.sqlite", "CREATE TABLE notes (id INTEGER, text TEXT);");
  ImportWindowLogic import(world.P());
  import.Opened();
  EXPECT_TRUE(import.closed());
  EXPECT_EQ(world.prompter.LastText(),
            "“" + foreign + "”是一个数据库文件，但不是 Kindle 或 KOReader 的生词本，没有导入。");

  const std::string damaged = world.dir.File("damaged.db");
  ASSERT_EQ(test::BuildDamagedKindleDatabase(damaged), "");
  world.shell.chosenFiles.push_back({Utf8ToGbk(damaged), 0});
  ImportWindowLogic second(world.P());
  second.Opened();
  EXPECT_TRUE(second.closed());
  EXPECT_EQ(world.prompter.LastText(),
            "生词本“" + damaged + "”已损坏，无法读取，没有导入。\n请从阅读器重新复制一份再试。");
  EXPECT_EQ(world.Db().RecordCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(world.dir.File("单词本.EDB-reading")));
}

}  // namespace
}  // namespace cindral
