// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `cindral --add WORD [MEANING]` from the desktop, with the real program:
// the word goes to the program already running on the data folder (which
// answers, so the caller ends at once), or the caller becomes that program;
// a socket file left by a killed program does not stand in the way, and a
// refused entry is told to the caller.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TestWorld.h"
#include "app/HandOver.h"
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

// Whether a program answers a connection at `socket`.
bool Listens(const std::string& socket) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socket.copy(address.sun_path, sizeof address.sun_path - 1);
  const bool connected =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

class HandOverTest : public ::testing::Test {
 protected:
  // A portable program directory with a word book whose last word is
  // `lastEntry` days old (none: an empty book).
  void LayOut(std::optional<int> lastEntry) {
    fs::copy_file(CINDRAL_PROGRAM, program_);
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt",
                  dir_.File("艾宾浩斯.txt"));
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/core/Config.ini", dir_.File("Config.ini"));
    test::WriteEmptyWordBook(dir_.File("单词本.EDB"));
    if (!lastEntry) return;
    Database db;
    ASSERT_TRUE(db.OpenDatabase(Utf8ToGbk(dir_.File("单词本.EDB"))));
    const double day = DatePart(CurrentDateTime(SystemClock())) - *lastEntry;
    ASSERT_TRUE(db.AddRecord({Value::Int(1), Value::Text("old"), Value::Text("old"),
                              Value::DateTime(day), Value::Int(1), Value::Int(1)}));
  }

  std::vector<std::string> Environment() const {
    return test::ProgramEnvironment({{"XDG_RUNTIME_DIR", runtime_.path()}});
  }
  RunningProgram Start() { return test::StartProgram(program_, Environment()); }

  // `cindral --add ...`, its standard error into a file of its own.
  RunningProgram Add(const std::vector<std::string>& args, const std::string& name = "err") {
    const std::string errPath = out_.File(name);
    return RunningProgram(
        [this, args, errPath](char** envp) {
          const int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
          if (e < 0 || ::dup2(e, 2) < 0) return;
          std::vector<char*> argv = {const_cast<char*>("cindral"), const_cast<char*>("--add")};
          for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
          argv.push_back(nullptr);
          ::execve(program_.c_str(), argv.data(), envp);
        },
        Environment());
  }
  std::string Err(const std::string& name = "err") const { return Slurp(out_.File(name)); }

  HandOverPlace Place() const { return HandOverPlaceFor(dir_.path(), runtime_.path().c_str()); }
  bool Listening() const { return Listens(Place().socket); }

  test::TempDir dir_{"cindral-hand-over"};
  test::TempDir runtime_{"cindral-runtime"};
  test::TempDir out_{"cindral-hand-over-out"};
  const std::string program_ = dir_.File("cindral");
};

// A word entered today: the program starts without a message, and the
// entry gate lets the word in.
TEST_F(HandOverTest, WordsGoToTheRunningProgramOneAfterAnotherAndTwoAtOnce) {
  LayOut(0);
  RunningProgram program = Start();
  ASSERT_TRUE(WaitFor([&] { return Listening(); })) << "the program does not listen";
  // The first opens the entry window; the second comes while it is up.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"apple"}, std::vector<std::string>{"pear", "梨"}}) {
    RunningProgram add = Add(args);
    EXPECT_EQ(add.Wait(20s), 0) << args[0] << ": " << Err();
    EXPECT_EQ(Err(), "");
  }
  RunningProgram first = Add({"plum"}, "first");
  RunningProgram second = Add({"peach", "桃"}, "second");
  EXPECT_EQ(first.Wait(20s), 0) << Err("first");
  EXPECT_EQ(second.Wait(20s), 0) << Err("second");
  // All of them went to the one program, which still runs.
  EXPECT_EQ(program.Wait(1s), std::nullopt) << "the program ended";
  program.Terminate();
  EXPECT_EQ(program.Wait(30s), 0);
  // The program that ended leaves no socket and no lock behind.
  EXPECT_TRUE(fs::is_empty(runtime_.path()));
}

TEST_F(HandOverTest, TheRefusedEntryIsToldToTheCaller) {
  // The first word of group 1, 88 days ago: the review-only phase begins
  // today, and no word goes in.
  LayOut(88);
  RunningProgram program = Start();
  ASSERT_TRUE(WaitFor([&] { return Listening(); }));
  RunningProgram add = Add({"apple"});
  EXPECT_EQ(add.Wait(20s), 1);
  EXPECT_EQ(Err(), "cindral: 恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！\n");
  EXPECT_EQ(program.Wait(1s), std::nullopt) << "the program ended";
  program.Terminate();
  EXPECT_EQ(program.Wait(30s), 0);
}

// Without a running program, --add is the program; a socket file left by a
// killed one is replaced, whoever comes first.
TEST_F(HandOverTest, WithoutARunningProgramAddStartsOneEvenOverALeftSocket) {
  for (const bool leftBehind : {false, true}) {
    SCOPED_TRACE(leftBehind ? "a socket file left behind" : "no socket file");
    fs::remove_all(dir_.path());
    fs::create_directory(dir_.path());
    LayOut(std::nullopt);
    if (leftBehind) {
      // A program killed while listening leaves its socket file and its
      // lock file; nobody answers at the socket.
      const HandOverPlace place = Place();
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      place.socket.copy(address.sun_path, sizeof address.sun_path - 1);
      ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
      ASSERT_EQ(::listen(fd, 1), 0);
      ::close(fd);
      std::ofstream(place.lock).put('\n');
      ASSERT_TRUE(fs::exists(place.socket));
      ASSERT_FALSE(Listening());
    }
    // Two at once: one becomes the program, the other hands its word to it.
    RunningProgram first = Add({"apple"}, "first");
    RunningProgram second = Add({"pear"}, "second");
    ASSERT_TRUE(WaitFor([&] { return Listening(); }, 30s)) << Err("first") << Err("second");
    std::optional<int> firstEnded;
    std::optional<int> secondEnded;
    auto poll = [&] {
      if (!firstEnded) firstEnded = first.Wait(1s);
      if (!secondEnded) secondEnded = second.Wait(1s);
      return firstEnded || secondEnded;
    };
    ASSERT_TRUE(WaitFor(poll, 30s)) << "neither caller ended";
    poll();  // the other is the program, and goes on
    EXPECT_NE(firstEnded.has_value(), secondEnded.has_value()) << "one program, one caller";
    EXPECT_EQ(firstEnded.value_or(secondEnded.value_or(-1)), 0) << Err("first") << Err("second");
    RunningProgram& program = firstEnded ? second : first;
    program.Terminate();
    EXPECT_EQ(program.Wait(30s), 0);
  }
}

TEST(HandOverPlaceTest, EachDataFolderHasItsOwnPlaceInAPrivateRuntimeFolder) {
  test::TempDir runtime("cindral-runtime");
  test::TempDir data("cindral-data");
  fs::create_directory(data.File("a"));
  fs::create_directory(data.File("b"));
  fs::create_directory_symlink(data.File("a"), data.File("link"));
  const HandOverPlace a = HandOverPlaceFor(data.File("a"), runtime.path().c_str());
  EXPECT_EQ(a.socket.rfind(runtime.path() + "/cindral-", 0), 0u) << a.socket;
  EXPECT_NE(a.socket, a.lock);
  EXPECT_NE(HandOverPlaceFor(data.File("b"), runtime.path().c_str()).socket, a.socket);
  EXPECT_EQ(HandOverPlaceFor(data.File("link"), runtime.path().c_str()).socket, a.socket);
  // A runtime folder others may enter, or none: the user's own in /tmp.
  fs::permissions(runtime.path(), fs::perms::others_exec, fs::perm_options::add);
  for (const char* folder : {runtime.path().c_str(), static_cast<const char*>(nullptr), "run"}) {
    const HandOverPlace own = HandOverPlaceFor(data.File("a"), folder);
    EXPECT_EQ(own.socket.rfind("/tmp/cindral-" + std::to_string(::geteuid()) + "/", 0), 0u)
        << own.socket;
  }
}

}  // namespace
}  // namespace cindral
