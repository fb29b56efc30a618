// The cindral-db tool as installers and power users run it.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestWorld.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the tool with the arguments (each quoted for the shell).
ToolRun Tool(const std::vector<std::string>& args) {
  std::string command = std::string("'") + CINDRAL_DB_TOOL + "'";
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
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("tab\there"), Value::Text("x"),
                              Value::DateTime(day + 0.5), Value::Int(2), Value::Int(2)}));
    ASSERT_TRUE(db.MarkDeleted());
  }
  const ToolRun dump = Tool({"dump", "book.EDB"});
  EXPECT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out,
            "1\t1\t1\tapple\t苹果\t2023年3月5日\t35\t1\n"
            "2\t-2\t1\ttab\\there\tx\t2023年3月5日12时\t2\t2\n");
  // Dumping opens read-only: the file is not changed, and works on a
  // read-only copy.
  std::filesystem::permissions("book.EDB", std::filesystem::perms::owner_read);
  EXPECT_EQ(Tool({"dump", "book.EDB"}).out, dump.out);
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

}  // namespace
}  // namespace cindral
