// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The cindral-db tool as installers and power users run it.

#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "FileBytes.h"
#include "ForeignJournal.h"
#include "TestWorld.h"
#include "book/WordList.h"
#include "lookup/MeaningIndexWriter.h"
#include "store/Database.h"
#include "store/DatabaseErrors.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

using test::Slurp;

constexpr int kKilled = 128 + SIGKILL;

// Runs the tool with the arguments (each quoted for the shell), killed when
// it runs for longer than `seconds` (the status is then kKilled).
ToolRun Tool(const std::vector<std::string>& args, int seconds = 300) {
  std::string command =
      "timeout -s KILL " + std::to_string(seconds) + " '" + std::string(CINDRAL_DB_TOOL) + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " >tool.out 2>tool.err";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp("tool.out"), Slurp("tool.err")};
}

class CindralDbTest : public ::testing::Test {
 protected:
  test::TempWorkDir dir;
};

TEST_F(CindralDbTest, CreateMakesAnEmptyMemoWordBookAndNeverOverwrites) {
  const ToolRun created = Tool({"create", "单词本.EDB"});
  EXPECT_EQ(created.status, 0) << created.err;
  EXPECT_TRUE(std::filesystem::exists("单词本.EDT"));

  const ToolRun info = Tool({"info", "单词本.EDB"});
  EXPECT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("version 0x00010000\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("records 0\n"), std::string::npos);
  EXPECT_NE(info.out.find("next-record-id 1\n"), std::string::npos);
  EXPECT_NE(info.out.find("fields 6\n"), std::string::npos);
  for (const char* field : {"field 1 GroupNumber type 3 ", "field 2 Word type 12 ",
                            "field 3 Meaning type 12 ", "field 4 EntryDate type 8 ",
                            "field 5 Proficiency type 3 ", "field 6 SerialNumber type 3 "}) {
    EXPECT_NE(info.out.find(field), std::string::npos) << field;
  }
  EXPECT_NE(info.out.find("side-file blocks 1 free 0 first-free 0\n"), std::string::npos);

  // The program opens it and can store words in it.
  Database db;
  ASSERT_TRUE(db.OpenDatabase(GBK("单词本")));
  EXPECT_TRUE(db.AddRecord({Value::Int(1), Value::Text(GBK("苹果")), Value::Text(GBK("apple")),
                            Value::DateTime(45000), Value::Int(1), Value::Int(1)}));

  const std::string before = Slurp("单词本.EDB");
  const ToolRun again = Tool({"create", "单词本.EDB"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("already exists"), std::string::npos) << again.err;
  EXPECT_EQ(Slurp("单词本.EDB"), before);
}

TEST_F(CindralDbTest, CreateWithFixedTextHasNoSideFile) {
  ASSERT_EQ(Tool({"create", "fixed.EDB", "--text", "20"}).status, 0);
  EXPECT_FALSE(std::filesystem::exists("fixed.EDT"));
  const ToolRun info = Tool({"info", "fixed.EDB"});
  EXPECT_NE(info.out.find("field 2 Word type 10 offset 8 size 20\n"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("side-file none\n"), std::string::npos);
}

TEST_F(CindralDbTest, DumpPrintsEveryRecordWithItsIdAndTypedFields) {
  ASSERT_EQ(Tool({"create", "book.EDB"}).status, 0);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase("book"));
    const double day = MakeDateTime(2023, 3, 5);
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("apple"), Value::Text(GBK("苹果")),
                              Value::DateTime(day), Value::Int(35), Value::Int(1)}));
    // 嘰 ends in the byte of a backslash, which is not one.
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("tab\there"), Value::Text(GBK("嘰\\x")),
                              Value::DateTime(day + 0.5), Value::Int(2), Value::Int(2)}));
    ASSERT_TRUE(db.MarkDeleted());
  }
  const ToolRun dump = Tool({"dump", "book.EDB"});
  EXPECT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "1\t1\t1\tapple\t苹果\t2023年3月5日\t35\t1\n"
            "2\t-2\t1\ttab\\there\t嘰\\\\x\t2023年3月5日12时\t2\t2\n");
  // Dumping opens read-only: the file is not changed, and works on a
  // read-only copy.
  std::filesystem::permissions("book.EDB", std::filesystem::perms::owner_read);
  EXPECT_EQ(Tool({"dump", "book.EDB"}).out, dump.out);
}

// A dump whose reader is slow (a pager, a full pipe) must not keep the word
// book from the program: the records are read under the lock, printed after.
TEST_F(CindralDbTest, ADumpWaitingForItsReaderLetsOthersWriteTheBook) {
  ASSERT_EQ(Tool({"create", "book.EDB"}).status, 0);
  constexpr int kWords = 3000;  // far more output than a pipe holds
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase("book"));
    WholeFileScope scope(db);
    for (int i = 1; i <= kWords; ++i) {
      ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("word" + std::to_string(i)),
                                Value::Text(GBK("释义")), Value::DateTime(45000), Value::Int(1),
                                Value::Int(i)}));
    }
    ASSERT_TRUE(scope.End());
  }
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t tool = ::fork();
  if (tool == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::execl(CINDRAL_DB_TOOL, CINDRAL_DB_TOOL, "dump", "book.EDB", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  // Nobody reads yet: once the pipe is full the tool waits in its output.
  int buffered = 0;
  for (int i = 0; i < 500 && buffered < 60000; ++i) {
    ::usleep(10000);
    ::ioctl(out[0], FIONREAD, &buffered);
  }
  ASSERT_GE(buffered, 60000);
  {
    Database db;  // the program's lock time-out
    ASSERT_TRUE(db.OpenDatabase("book")) << LastDatabaseError();
    EXPECT_TRUE(db.AddRecord({Value::Int(2), Value::Text("later"), Value::Text("x"),
                              Value::DateTime(45001), Value::Int(1), Value::Int(kWords + 1)}))
        << LastDatabaseError();
  }
  std::string dumped;
  char buffer[65536];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) dumped.append(buffer, n);
  ::close(out[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(tool, &status, 0), tool);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(std::count(dumped.begin(), dumped.end(), '\n'), kWords);
  EXPECT_NE(dumped.find("\tword3000\t"), std::string::npos);
}

TEST_F(CindralDbTest, ADumpThatCannotBeWrittenOutFails) {
  ASSERT_EQ(Tool({"create", "book.EDB"}).status, 0);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase("book"));
    ASSERT_TRUE(
        db.AddRecord({Value::Int(1), Value::Text("apple"), Value::Text("a"),
                      Value::DateTime(MakeDateTime(2023, 3, 5)), Value::Int(1), Value::Int(1)}));
  }
  // A full disk takes nothing: the dump says so and does not end as done.
  const std::string command =
      std::string("'") + CINDRAL_DB_TOOL + "' dump book.EDB >/dev/full 2>tool.err";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  EXPECT_NE(Slurp("tool.err").find("could not be written"), std::string::npos);
}

TEST_F(CindralDbTest, FailuresToOpenPrintTheEngineError) {
  std::ofstream("junk.EDB") << "not a database at all, not even close to one; just text.";
  const ToolRun junk = Tool({"dump", "junk.EDB"});
  EXPECT_EQ(junk.status, 1);
  EXPECT_EQ(junk.err, "error -22 指定文件不是数据库文件\n");
  EXPECT_TRUE(junk.out.empty());

  const ToolRun missing = Tool({"info", "missing.EDB"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error -3 指定文件未找到\n");
}

TEST_F(CindralDbTest, BadUsageExitsWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"dump"},
                                             {"frobnicate", "x.EDB"},
                                             {"create", "x.EDB", "--fast"},
                                             {"create", "x.EDB", "--text"},
                                             {"dump", "a.EDB", "b.EDB"}}) {
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_EQ(run.err.rfind("usage: cindral-db", 0), 0u) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists("x.EDB"));
}

TEST_F(CindralDbTest, MeaningsPrintsEachWordsMeaningsWithPinyinOneWordALine) {
  auto meaning = [](const char* word, const char* pinyin, int score) {
    return IndexedMeaning{Utf8ToGbk(word), Utf8ToGbk(pinyin), score, 0};
  };
  std::ofstream("m.idx", std::ios::binary) << WriteMeaningIndex(
      {{"apple", {meaning("苹果", "píng guǒ", 700), meaning("苹果汁", "píng guǒ zhī", 400)}},
       {"goose", {meaning("鹅", "é", 600)}},
       {"ice cream", {meaning("冰淇淋", "bīng qí lín", 650)}}},
      "");
  const ToolRun run =
      Tool({"meanings", "--index", "m.idx", "apple", "Apples", "zzz", "ice cream", "苹果"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "apple\t苹果 (píng guǒ)\t苹果汁 (píng guǒ zhī)\n"
            "Apples\t苹果 (píng guǒ)\t苹果汁 (píng guǒ zhī)\n"  // through its base form
            "zzz\n"
            "ice cream\t冰淇淋 (bīng qí lín)\n"
            "苹果\n");
  EXPECT_EQ(run.err, "");

  std::ofstream("cut.idx", std::ios::binary) << Slurp("m.idx").substr(0, 100);
  std::ofstream("words.txt") << "apple\t苹果\n";
  const std::pair<const char*, const char*> unusable[] = {
      {"missing.idx",
       "cindral-db: no Chinese meanings: missing.idx is missing (make meanings-index makes it)\n"},
      {"cut.idx", "cindral-db: no Chinese meanings: cut.idx is damaged or cut short\n"},
      {"words.txt", "cindral-db: no Chinese meanings: words.txt is not a meanings index\n"},
  };
  for (const auto& [index, message] : unusable) {
    const ToolRun refused = Tool({"meanings", "--index", index, "apple"});
    EXPECT_EQ(refused.status, 1) << index;
    EXPECT_EQ(refused.err, message);
    EXPECT_EQ(refused.out, "");
  }
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"meanings"}, {"meanings", "--index", "m.idx"}}) {
    EXPECT_EQ(Tool(args).status, 2);
  }
}

// The words and meanings of an exported list, "word|meaning" each (UTF-8).
std::vector<std::string> WordsOf(const std::string& exported) {
  const WordListFile file = ReadWordList(exported, {kMemoTextLimit, kMemoTextLimit});
  EXPECT_TRUE(file.exported);
  EXPECT_TRUE(file.problems.empty());
  std::vector<std::string> rows;
  for (const ListedWord& w : file.words) {
    rows.push_back(GbkToUtf8(w.word) + "|" + GbkToUtf8(w.meaning));
  }
  return rows;
}

class CindralDbListTest : public CindralDbTest {
 protected:
  // A book with a few awkward words, entered on 5 March 2023.
  void MakeBook(const std::string& name) {
    ASSERT_EQ(Tool({"create", name}).status, 0);
    Database db;
    ASSERT_TRUE(db.OpenDatabase(Utf8ToGbk(name)));
    const double day = MakeDateTime(2023, 3, 5);
    int serial = 0;
    for (const auto& [word, meaning] : std::vector<std::pair<std::string, std::string>>{
             {"apple", "苹果"}, {"a\tb", "x, y"}, {"say \"hi\"", "line1\nline2"}, {"smile", "😀"}}) {
      ++serial;
      ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text(Utf8ToGbk(word)),
                                Value::Text(Utf8ToGbk(meaning)), Value::DateTime(day),
                                Value::Int(serial * 10), Value::Int(serial)}));
    }
  }
};

TEST_F(CindralDbListTest, ExportWritesEveryWordAsTsvCsvOrGbk) {
  MakeBook("book.EDB");
  const ToolRun tsv = Tool({"export", "book.EDB"});
  EXPECT_EQ(tsv.status, 0) << tsv.err;
  EXPECT_EQ(tsv.out.rfind("GroupNumber\tWord\tMeaning\tEntryDate\tProficiency\tSerialNumber\n"
                          "1\tapple\t苹果\t2023-03-05\t10\t1\n"
                          "1\t\"a\tb\"\t\"x, y\"\t2023-03-05\t20\t2\n",
                          0),
            0u)
      << tsv.out;
  EXPECT_NE(tsv.err.find("exported 4 words"), std::string::npos);
  const ToolRun csv = Tool({"export", "book.EDB", "--format", "csv"});
  EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBFGroupNumber,Word,", 0), 0u);
  EXPECT_NE(csv.out.find("\r\n1,\"say \"\"hi\"\"\",\"line1\nline2\",2023-03-05,30,3\r\n"),
            std::string::npos)
      << csv.out;
  // The book holds 😀, which GBK has no code for: nothing is written, and
  // the word that holds it is named.
  const ToolRun gbk = Tool({"export", "book.EDB", "--encoding", "gbk", "--format", "tsv"});
  EXPECT_EQ(gbk.status, 1);
  EXPECT_EQ(gbk.out, "");
  EXPECT_NE(gbk.err.find("\"smile\" holds a character GBK lacks"), std::string::npos) << gbk.err;
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"export"},
                                             {"export", "book.EDB", "--format", "xls"},
                                             {"export", "book.EDB", "--encoding"}}) {
    EXPECT_EQ(Tool(bad).status, 2);
  }
}

TEST_F(CindralDbListTest, ExportImportIntoAnEmptyBookAndExportAgainGiveTheSameWords) {
  MakeBook("old.EDB");
  const ToolRun first = Tool({"export", "old.EDB"});
  ASSERT_EQ(first.status, 0);
  std::ofstream("words.tsv", std::ios::binary) << first.out;
  std::filesystem::create_directory("new");
  ASSERT_EQ(Tool({"create", "new/单词本.EDB"}).status, 0);
  std::ofstream("new/Config.ini")
      << "[Config]\nreviewnumber=1\ngroupnumber=1\nplus=false\nminus=false\n";
  const ToolRun imported = Tool({"import", "new/单词本.EDB", "words.tsv"});
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_NE(imported.out.find("encoding UTF-8, tab-separated, exported by cindral"),
            std::string::npos)
      << imported.out;
  EXPECT_NE(imported.out.find("imported 4 words into group 1"), std::string::npos);
  const ToolRun again = Tool({"export", "new/单词本.EDB"});
  EXPECT_EQ(WordsOf(again.out), WordsOf(first.out));
  EXPECT_EQ(WordsOf(again.out).size(), 4u);
  // As today's new words: group 1, proficiency 1, serial numbers 1 to 4.
  EXPECT_NE(again.out.find("\t1\t4\n"), std::string::npos) << again.out;
  EXPECT_EQ(again.out.rfind("GroupNumber\tWord\tMeaning\tEntryDate\tProficiency\tSerialNumber\n"
                            "1\tapple\t苹果\t",
                            0),
            0u);
}

TEST_F(CindralDbListTest, ImportListsTheBadLinesAndTakesTheRest) {
  ASSERT_EQ(Tool({"create", "单词本.EDB"}).status, 0);
  std::ofstream("Config.ini") << "[Config]\ngroupnumber=1\n";
  std::ofstream("list.txt", std::ios::binary) << Utf8ToGbk("apple\t苹果\n\t没有单词\npear\t梨\n");
  const ToolRun run = Tool({"import", "单词本.EDB", "list.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("encoding GBK"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("line 2 skipped: 单词为空"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("imported 2 words"), std::string::npos);
  // The tool's import is undone as the program's is, once.
  const ToolRun undo = Tool({"undo-import", "单词本.EDB"});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_NE(undo.out.find("removed the 2 words of the last import"), std::string::npos);
  EXPECT_EQ(Tool({"dump", "单词本.EDB"}).out.find("apple"), std::string::npos);
  const ToolRun again = Tool({"undo-import", "单词本.EDB"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("no import to undo"), std::string::npos) << again.err;

  // Words the book holds, or the list holds twice, go in all the same, and
  // the tool says which.
  ASSERT_EQ(Tool({"import", "单词本.EDB", "list.txt"}).status, 0);
  std::ofstream("list.txt", std::ios::binary) << Utf8ToGbk("Apple\t苹果\nkiwi\t猕猴桃\nKIWI\tx\n");
  const ToolRun twice = Tool({"import", "单词本.EDB", "list.txt"});
  EXPECT_EQ(twice.status, 0) << twice.err;
  EXPECT_NE(twice.out.find("line 1: already in the book, 第 1 组 apple：苹果\n"), std::string::npos)
      << twice.out;
  EXPECT_NE(twice.out.find("line 3: the word of line 2 again\n"), std::string::npos) << twice.out;
  EXPECT_NE(twice.out.find("imported 3 words"), std::string::npos);
}

TEST_F(CindralDbListTest, ImportRefusesWhereTheEntryWindowWouldAndWritesNothing) {
  MakeBook("单词本.EDB");  // group 1 long ago: the review phase has begun
  std::ofstream("Config.ini") << "[Config]\ngroupnumber=1\n";
  std::ofstream("list.txt") << "kiwi\t猕猴桃\n";
  const std::string book = Slurp("单词本.EDB");
  const ToolRun run = Tool({"import", "单词本.EDB", "list.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("复习攻坚阶段"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nothing imported"), std::string::npos);
  EXPECT_EQ(Slurp("单词本.EDB"), book);
  EXPECT_EQ(Tool({"import", "单词本.EDB", "no-such-list.txt"}).status, 1);
  EXPECT_EQ(Tool({"import", "单词本.EDB"}).status, 2);
}

// Whatever is not a regular file (a pipe that nobody writes, a folder, a
// device) given for the list or the book, or lying in the place of one of
// the book's companion files, is refused with a message, and nothing waits
// on it: each run is killed after a few seconds.
TEST_F(CindralDbListTest, OddFilesAreRefusedAndNothingWaitsOnThem) {
  const auto fifo = [](const std::string& name) {
    return [name] {
      std::filesystem::remove(name);
      ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0);
    };
  };
  const std::string notRegular = "is not a regular file (a folder, a pipe or a device)";
  const struct {
    std::function<void()> make;
    std::vector<std::string> args;
    std::string message;  // on standard error
  } cases[] = {
      {fifo("list.txt"), {"import", "单词本.EDB", "list.txt"}, "list.txt " + notRegular},
      {[] { std::filesystem::create_directory("list.txt"); },
       {"import", "单词本.EDB", "list.txt"},
       "list.txt " + notRegular},
      {[] {}, {"import", "单词本.EDB", "/dev/zero"}, "/dev/zero " + notRegular},
      {fifo("pipe.EDB"), {"dump", "pipe.EDB"}, "pipe.EDB " + notRegular},
      {fifo("pipe.EDB"), {"info", "pipe.EDB"}, "pipe.EDB " + notRegular},
      {fifo("pipe.EDB"), {"check", "pipe.EDB"}, "pipe.EDB " + notRegular},
      {fifo("pipe.EDB"), {"export", "pipe.EDB"}, "pipe.EDB " + notRegular},
      {fifo("pipe.EDB"), {"import", "pipe.EDB", "list.txt"}, "pipe.EDB " + notRegular},
      {fifo("pipe.EDB"), {"undo-import", "pipe.EDB"}, "pipe.EDB " + notRegular},
      // The book's own files in the place of a pipe: the book cannot be
      // opened, or the import has nothing to undo.
      {fifo("单词本.EDT"), {"dump", "单词本.EDB"}, "error -35 "},
      {fifo("单词本.EDB-journal"), {"info", "单词本.EDB"}, "error -21 "},
      {fifo("单词本.EDB-journal"), {"import", "单词本.EDB", "words.txt"}, "error -21 "},
      {fifo("单词本.EDB-import"), {"undo-import", "单词本.EDB"}, "no import to undo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    test::TempWorkDir here("cindral-odd");
    ASSERT_EQ(Tool({"create", "单词本.EDB"}).status, 0);
    std::ofstream("Config.ini") << "[Config]\ngroupnumber=1\n";
    std::ofstream("words.txt") << "apple\t苹果\n";
    c.make();
    const std::string book = Slurp("单词本.EDB");
    const ToolRun run = Tool(c.args, 10);
    EXPECT_NE(run.status, kKilled) << "the tool waited on the odd file";
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Slurp("单词本.EDB"), book);
  }
}

// A megabyte of random bytes is no word list: refused whole, with a
// message, and the book is left as it was.
TEST_F(CindralDbListTest, RandomBytesAreNoWordListAndNothingIsImported) {
  ASSERT_EQ(Tool({"create", "单词本.EDB"}).status, 0);
  std::ofstream("Config.ini") << "[Config]\ngroupnumber=1\n";
  std::mt19937 random(34);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::ofstream("noise.txt", std::ios::binary) << noise;
  const std::string book = Slurp("单词本.EDB");
  const ToolRun run = Tool({"import", "单词本.EDB", "noise.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("noise.txt is not a word list"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nothing imported"), std::string::npos) << run.err;
  EXPECT_EQ(Slurp("单词本.EDB"), book);
  EXPECT_FALSE(std::filesystem::exists("单词本.EDB-import"));
}

// Bytes of a book's files, as the checks below damage them.
int32_t Int32At(const std::string& path, int64_t offset) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(offset);
  int32_t v = 0;
  in.read(reinterpret_cast<char*>(&v), 4);
  return v;
}
void PutInt32At(const std::string& path, int64_t offset, int32_t v) {
  std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(offset);
  out.write(reinterpret_cast<const char*>(&v), 4);
}

// The record layout of the books the tool creates: six fields, 32-byte
// records after the header and descriptors; the meaning's first side-file
// block at byte 12 of a record. Side-file header: free count at 20.
constexpr int64_t kFirstRecord = 116 + 72 * 6;
constexpr int64_t kRecordSize = 32;
constexpr int64_t kMeaningPointer = 12;

TEST_F(CindralDbListTest, CheckFindsASoundBookSound) {
  MakeBook("book.EDB");
  const ToolRun run = Tool({"check", "book.EDB"});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("records 4 (live 4, marked deleted 0)\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("fields 6\n"), std::string::npos);
  EXPECT_NE(run.out.find("side-file blocks "), std::string::npos);
  EXPECT_EQ(run.out.substr(run.out.size() - 6), "sound\n");
  // An empty book, and one with a word marked deleted, are sound too.
  ASSERT_EQ(Tool({"create", "empty.EDB"}).status, 0);
  EXPECT_EQ(Tool({"check", "empty.EDB"}).status, 0);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase("book"));
    ASSERT_TRUE(db.GoTo(2));
    ASSERT_TRUE(db.MarkDeleted());
  }
  const ToolRun marked = Tool({"check", "book.EDB"});
  EXPECT_EQ(marked.status, 0) << marked.out;
  EXPECT_NE(marked.out.find("(live 3, marked deleted 1)"), std::string::npos);
}

TEST_F(CindralDbListTest, CheckFindsBlocksOwnedTwiceAndLeavesTheBookAsItIs) {
  MakeBook("book.EDB");
  // The second word's meaning points at the first word's blocks.
  PutInt32At("book.EDB", kFirstRecord + kRecordSize + kMeaningPointer,
             Int32At("book.EDB", kFirstRecord + kMeaningPointer));
  const std::string book = Slurp("book.EDB");
  const std::string side = Slurp("book.EDT");
  const ToolRun run = Tool({"check", "book.EDB"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("values share side-file blocks with other values"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("damaged: "), std::string::npos);
  EXPECT_EQ(Slurp("book.EDB"), book);
  EXPECT_EQ(Slurp("book.EDT"), side);
}

TEST_F(CindralDbListTest, CheckFindsAFreeListThatDoesNotHoldTogether) {
  MakeBook("book.EDB");
  PutInt32At("book.EDT", 20, Int32At("book.EDT", 20) + 3);  // free blocks that are not there
  const ToolRun run = Tool({"check", "book.EDB"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("side-file blocks are lost or owned twice"), std::string::npos) << run.out;
}

TEST_F(CindralDbListTest, CheckNamesTheRecordWhoseValueCannotBeRead) {
  MakeBook("book.EDB");
  // The third word's meaning starts in a block far past the file's end.
  PutInt32At("book.EDB", kFirstRecord + 2 * kRecordSize + kMeaningPointer, 100000);
  const ToolRun run = Tool({"check", "book.EDB"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("record 3 field 3: error "), std::string::npos) << run.out;
}

TEST_F(CindralDbListTest, DumpNamesTheRecordThatCannotBeReadAfterItsLineAndFails) {
  MakeBook("book.EDB");
  PutInt32At("book.EDB", kFirstRecord + 2 * kRecordSize + kMeaningPointer, 100000);
  const std::string command = std::string("'") + CINDRAL_DB_TOOL + "' dump book.EDB >both.out 2>&1";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
  EXPECT_EQ(Slurp("both.out"),
            "1\t1\t1\tapple\t苹果\t2023年3月5日\t10\t1\n"
            "2\t2\t1\ta\\tb\tx, y\t2023年3月5日\t20\t2\n"
            "3\t3\t1\tsay \"hi\"\t\t2023年3月5日\t30\t3\n"
            "record 3: error " +
                std::to_string(kErrSideFileAccess) + " " +
                GbkToUtf8(DatabaseErrorText(kErrSideFileAccess)) +
                "\n"
                "4\t4\t1\tsmile\t😀\t2023年3月5日\t40\t4\n");
}

TEST_F(CindralDbListTest, CheckReportsABookThatLacksCountedRecords) {
  MakeBook("book.EDB");
  std::filesystem::resize_file("book.EDB", kFirstRecord + 2 * kRecordSize + 5);
  const ToolRun run = Tool({"check", "book.EDB"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("cannot be opened: error "), std::string::npos) << run.out;
  EXPECT_EQ(Tool({"check", "missing.EDB"}).status, 1);
}

TEST_F(CindralDbListTest, AnotherBooksJournalIsNamedAndNeverPlayedBack) {
  ASSERT_EQ(Tool({"create", "book.EDB"}).status, 0);
  std::ofstream("Config.ini") << "[Config]\nreviewnumber=1\ngroupnumber=1\n";
  std::ofstream("book.EDB-journal", std::ios::binary) << test::ForeignJournal();
  std::ofstream("words.txt") << "pear\t梨\n";
  const ToolRun run = Tool({"import", "book.EDB", "words.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("the journal beside the book was another book's; it was kept as /"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("/book.EDB-journal-other-00005eed and not played back"), std::string::npos)
      << run.err;
  EXPECT_EQ(Slurp("book.EDB").find(std::string(64, 'Z')), std::string::npos);
  EXPECT_TRUE(Slurp("book.EDB-journal-other-00005eed") == test::ForeignJournal());
}

// Two copies of a book, as a sync tool leaves them after a conflict: the
// tool shows what differs and changes neither.
TEST_F(CindralDbListTest, CompareShowsWhatSetsTwoCopiesApartAndChangesNeither) {
  std::filesystem::create_directory("a");
  std::filesystem::create_directory("b");
  MakeBook("a/单词本.EDB");
  std::filesystem::copy_file("a/单词本.EDB", "b/单词本.EDB");
  std::filesystem::copy_file("a/单词本.EDT", "b/单词本.EDT");
  std::ofstream("a/Config.ini") << "[Config]\nreviewnumber=3\ngroupnumber=1\n";
  std::ofstream("b/Config.ini") << "[Config]\nreviewnumber=3\ngroupnumber=1\n";
  const ToolRun same = Tool({"compare", "a/单词本.EDB", "b/单词本.EDB"});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out,
            "words\t4\t4\ngroups\t1\t1\nlast-entry\t2023-03-05\t2023-03-05\n"
            "proficiency-sum\t100\t100\nreviewnumber\t3\t3\ngroupnumber\t1\t1\n"
            "plus\t-\t-\nminus\t-\t-\n");
  {
    // The other copy studied on: apple's proficiency, a meaning, a new
    // group with " Smile " (the same word, typed again) and "pear".
    Database db;
    ASSERT_TRUE(db.OpenDatabase(Utf8ToGbk("b/单词本.EDB")));
    ASSERT_TRUE(db.GoTo(1) && db.WriteField(kProficiency, Value::Int(55)));
    ASSERT_TRUE(db.GoTo(2) && db.WriteField(kMeaning, Value::Text(Utf8ToGbk("x\ty"))));
    ASSERT_TRUE(db.GoTo(4) && db.MarkDeleted() && db.PurgeDeleted());
    const double day = MakeDateTime(2023, 3, 6);
    for (const auto& [word, serial] : {std::pair<const char*, int>{" Smile ", 5}, {"pear", 6}}) {
      ASSERT_TRUE(db.AddRecord({Value::Int(2), Value::Text(word), Value::Text(Utf8ToGbk("梨")),
                                Value::DateTime(day), Value::Int(1), Value::Int(serial)}));
    }
  }
  std::ofstream("b/Config.ini") << "[Config]\nreviewnumber=4\ngroupnumber=2\n";
  const std::string before = Slurp("a/单词本.EDB") + Slurp("b/单词本.EDB");
  const ToolRun differ = Tool({"compare", "a/单词本.EDB", "b/单词本.EDB"});
  EXPECT_EQ(differ.status, 1) << differ.err;
  EXPECT_EQ(differ.out,
            "words\t4\t5\ngroups\t1\t2\nlast-entry\t2023-03-05\t2023-03-06\n"
            "proficiency-sum\t100\t107\nreviewnumber\t3\t4\ngroupnumber\t1\t2\n"
            "plus\t-\t-\nminus\t-\t-\n"
            "proficiency\tapple\t10\t55\n"
            "meaning\ta\\tb\tx, y\tx\\ty\n"
            "group\tsmile\t1\t2\n"
            "meaning\tsmile\t😀\t梨\n"
            "proficiency\tsmile\t40\t1\n"
            "only-in-other\tpear\t2\t梨\n")
      << differ.out;
  EXPECT_TRUE(Slurp("a/单词本.EDB") + Slurp("b/单词本.EDB") == before);
  // A copy that cannot be read, or that is no word book, is named.
  std::ofstream("junk.EDB") << std::string(300, 'j');
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"compare", "a/单词本.EDB", "missing.EDB"},
                                             {"compare", "junk.EDB", "b/单词本.EDB"},
                                             {"compare", "a/单词本.EDB", "a"}}) {
    const ToolRun refused = Tool(args);
    EXPECT_EQ(refused.status, 2) << args[2];
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find(args[2] == "a" ? "a is not a regular file" : "cannot be read"),
              std::string::npos)
        << refused.err;
  }
  EXPECT_EQ(Tool({"compare", "a/单词本.EDB"}).status, 2);
}

}  // namespace
}  // namespace cindral
