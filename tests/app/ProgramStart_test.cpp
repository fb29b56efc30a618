// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, started as a learner starts it: from its own directory
// (wherever the current directory is), on the offscreen screen, and ended
// the way the desktop ends it (SIGTERM closes every window the normal way).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "RunningProgram.h"
#include "TestWorld.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::RunningProgram;
using test::Slurp;
using test::WaitFor;

class ProgramStartTest : public ::testing::Test {
 protected:
  // A portable program directory: the program, the plan table, the
  // settings file; the word book when asked.
  void LayOut(bool withWordBook) {
    fs::copy_file(CINDRAL_PROGRAM, program_);
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt",
                  dir_.File("艾宾浩斯.txt"));
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/core/Config.ini", config_);
    if (withWordBook) test::WriteEmptyWordBook(dir_.File("单词本.EDB"));
  }
  void SetConfig(const std::string& key, const std::string& value) {
    std::string text = Slurp(config_);
    const std::string line = key + "=";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << key;
    text.replace(at, text.find('\n', at) - at, line + value);
    std::ofstream(config_, std::ios::binary | std::ios::trunc) << text;
  }
  std::string Config() const { return Slurp(config_); }

  // The learner's configuration lies in the test's folder too.
  RunningProgram Start() {
    return test::StartProgram(program_,
                              test::ProgramEnvironment({{"XDG_CONFIG_HOME", dir_.File("config")}}));
  }

  test::TempDir dir_{"cindral-start"};
  const std::string program_ = dir_.File("cindral");
  const std::string config_ = dir_.File("Config.ini");
};

TEST_F(ProgramStartTest, AFreshProgramDirectoryStartsAndClosesLikeTheLearnerClosesIt) {
  LayOut(/*withWordBook=*/true);
  SetConfig("reviewnumber", "5");  // past today's (empty) list
  RunningProgram program = Start();
  // Start-up runs the day's decay, which marks it done.
  ASSERT_TRUE(WaitFor([&] { return Config().find("minus=true") != std::string::npos; }))
      << Config();
  // While it runs, a note beside the book names this computer, by the id
  // kept in the learner's configuration; the close removes it.
  const std::string note = Slurp(dir_.File("单词本.EDB-open"));
  const std::string id = Slurp(dir_.File("config/cindral/cindral.ini"));
  EXPECT_NE(id.find("[Computer]"), std::string::npos) << id;
  EXPECT_NE(note.find("id=" + id.substr(id.find("id=") + 3, 32) + "\r\n"), std::string::npos)
      << note << id;
  program.Terminate();
  EXPECT_EQ(program.Wait(), 0);
  EXPECT_FALSE(fs::exists(dir_.File("单词本.EDB-open")));
  // Closing the main window puts a position past the list back to 1.
  EXPECT_NE(Config().find("reviewnumber=1\n"), std::string::npos) << Config();
  EXPECT_NE(Config().find("plus=false"), std::string::npos) << Config();
}

TEST_F(ProgramStartTest, AFolderGivenWithDataIsUsedAndRememberedForLaterStarts) {
  LayOut(/*withWordBook=*/true);
  const std::string chosen = dir_.File("Sync/cindral");
  const auto note = [&] { return fs::exists(chosen + "/单词本.EDB-open"); };
  {
    RunningProgram program(
        [this, chosen](char** envp) {
          const char* argv[] = {"cindral", "--data", chosen.c_str(), nullptr};
          ::execve(program_.c_str(), const_cast<char**>(argv), envp);
        },
        test::ProgramEnvironment({{"XDG_CONFIG_HOME", dir_.File("config")}}));
    // The new folder gets the files to start from, and the book is open there.
    ASSERT_TRUE(WaitFor(note));
    EXPECT_TRUE(fs::exists(chosen + "/单词本.EDB"));
    EXPECT_TRUE(fs::exists(chosen + "/Config.ini"));
    program.Terminate();
    EXPECT_EQ(program.Wait(), 0);
  }
  EXPECT_NE(Slurp(dir_.File("config/cindral/cindral.ini")).find("folder=" + chosen + "\n"),
            std::string::npos)
      << Slurp(dir_.File("config/cindral/cindral.ini"));
  // A later start without the option opens the book there.
  RunningProgram later = Start();
  ASSERT_TRUE(WaitFor(note));
  EXPECT_FALSE(fs::exists(dir_.File("单词本.EDB-open")));
  later.Terminate();
  EXPECT_EQ(later.Wait(), 0);
}

TEST_F(ProgramStartTest, WithoutAWordBookItSaysSoEndsWithStatus1AndCreatesNothing) {
  LayOut(/*withWordBook=*/false);
  const std::string before = Config();
  RunningProgram program = Start();
  // The message box waits for the learner; the end request answers it.
  std::this_thread::sleep_for(1s);
  program.Terminate();
  EXPECT_EQ(program.Wait(), 1);
  EXPECT_FALSE(fs::exists(dir_.File("单词本.EDB")));
  EXPECT_FALSE(fs::exists(dir_.File("单词本.EDT")));
  EXPECT_EQ(Config(), before);
}

// Pipes that nobody writes in the places of the plan table and of the
// book's notes beside it: the start reads past them as past missing or
// unreadable files, runs the day's decay and closes as usual.
TEST_F(ProgramStartTest, PipesInTheDataFolderNeverKeepTheStartWaiting) {
  LayOut(/*withWordBook=*/true);
  {
    // A word entered today: the start plans the day from the plan table.
    Database db;
    ASSERT_TRUE(db.OpenDatabase(Utf8ToGbk(dir_.File("单词本.EDB"))));
    SystemClock clock;
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("apple"), Value::Text("a"),
                              Value::DateTime(DatePart(CurrentDateTime(clock))), Value::Int(5),
                              Value::Int(1)}));
  }
  for (const char* name : {"艾宾浩斯.txt", "单词本.EDB-clean", "单词本.EDB-import"}) {
    fs::remove(dir_.File(name));
    ASSERT_EQ(::mkfifo(dir_.File(name).c_str(), 0600), 0) << name;
  }
  RunningProgram program = Start();
  // The decay, the start's last step, marks the day's decay done.
  const bool started =
      WaitFor([&] { return Config().find("minus=true") != std::string::npos; }, 30s);
  program.Terminate();
  ASSERT_TRUE(started) << "the start waited on a pipe";
  EXPECT_EQ(program.Wait(30s), 0);
}

// Ended by the desktop on a new day while the entry window waits for the
// day's first word: closing the window computes the plan, which would open
// the window again; the program ends all the same.
TEST_F(ProgramStartTest, EndingOnANewDayWhileTheEntryWindowWaitsEndsTheProgram) {
  LayOut(/*withWordBook=*/true);
  {
    Database db;
    ASSERT_TRUE(db.OpenDatabase(Utf8ToGbk(dir_.File("单词本"))));
    const double yesterday = DatePart(CurrentDateTime(SystemClock())) - 1;
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("old"), Value::Text("old"),
                              Value::DateTime(yesterday), Value::Int(1), Value::Int(1)}));
  }
  SetConfig("reviewnumber", "5");
  SetConfig("minus", "true");
  RunningProgram program = Start();
  // The new day's flags are written just before its message, which the
  // entry window follows.
  ASSERT_TRUE(WaitFor([&] { return Config().find("minus=false") != std::string::npos; }))
      << Config();
  program.Terminate();
  EXPECT_EQ(program.Wait(20s), 0);
}

TEST_F(ProgramStartTest, AProgramDirectoryThatCannotBeEnteredIsAFatalError) {
  LayOut(/*withWordBook=*/true);
  // Start the program from a file whose directory is gone: its own
  // directory cannot be entered.
  const int fd = ::open(program_.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  fs::remove_all(dir_.path());
  RunningProgram program([fd](char** envp) {
    char* argv[] = {const_cast<char*>("cindral"), nullptr};
    ::fexecve(fd, argv, envp);
  });
  ::close(fd);
  std::this_thread::sleep_for(1s);
  program.Terminate();
  // The fatal error box, then the exit code -1.
  EXPECT_EQ(program.Wait(), 255);
}

}  // namespace
}  // namespace cindral
