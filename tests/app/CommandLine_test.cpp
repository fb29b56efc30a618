// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, as a shell runs it: in a portable program
// directory with its word book, with no display at all (no DISPLAY, no
// WAYLAND_DISPLAY, no QT_QPA_PLATFORM). --help and --version answer on
// standard output and end with 0; a mistake is named on standard error and
// ends with 2. None of them opens a window or touches a file beside the
// program.

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TempDir.h"
#include "TestWorld.h"
#include "app/CommandLine.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using test::Slurp;

// Every file of the directory but the program, with its bytes and its time
// of change.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const std::string& dir) {
  std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.path().filename() == "cindral") continue;
    files[e.path()] = {e.is_regular_file() ? Slurp(e.path()) : std::string(),
                       fs::last_write_time(e.path())};
  }
  return files;
}

struct Row {
  std::vector<std::string> args;
  int status;
  std::vector<std::string> out;  // lines standard output holds; none: it stays empty
  std::vector<std::string> err;  // the same for standard error
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << "cindral";
  for (const std::string& a : row.args) {
    *os << " '" << a.substr(0, 40) << (a.size() > 40 ? "...'" : "'");
  }
}

const std::string kVersion = "cindral " CINDRAL_VERSION "\n";
const std::string kLicence =
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n";
const std::string kUsage = "Usage: cindral [OPTION]...\n";
const std::string kHint = "Try 'cindral --help' for more information.\n";

const Row kRows[] = {
    {{"--help"}, 0, {kUsage, "  -h, --help ", "      --version "}, {}},
    {{"-h"}, 0, {kUsage}, {}},
    {{"--version"}, 0, {kVersion, kLicence}, {}},
    // The first that answers or is wrong decides.
    {{"--version", "--help"}, 0, {kVersion}, {}},
    {{"--help", "--frobnicate"}, 0, {kUsage}, {}},
    {{"--frobnicate", "--help"}, 2, {}, {"cindral: unknown option '--frobnicate'\n", kHint}},
    {{"-x"}, 2, {}, {"cindral: unknown option '-x'\n", kHint}},
    {{"--help=yes"}, 2, {}, {"cindral: unknown option '--help=yes'\n"}},
    {{"--Help"}, 2, {}, {"cindral: unknown option '--Help'\n"}},
    {{"apple"}, 2, {}, {"cindral: unexpected argument 'apple'\n", kHint}},
    {{"--", "--help"}, 2, {}, {"cindral: unexpected argument '--help'\n"}},
    {{"-"}, 2, {}, {"cindral: unexpected argument '-'\n"}},
    {{""}, 2, {}, {"cindral: unexpected argument ''\n"}},
    // The toolkit's options are stepped over with their values.
    {{"-platform", "offscreen", "--version"}, 0, {kVersion}, {}},
    {{"--style", "fusion", "-reverse", "--help"}, 0, {kUsage}, {}},
    {{"-style"}, 2, {}, {"cindral: option '-style' needs a value\n", kHint}},
    // What --add cannot take is named before anything starts.
    {{"--add"}, 2, {}, {"cindral: option '--add' needs a word\n", kHint}},
    {{"--add", ""}, 2, {}, {"cindral: the word is empty\n"}},
    {{"--add", " \n\t\r\n"}, 2, {}, {"cindral: the word is empty\n"}},
    {{"--add", "caf\xe9"}, 2, {}, {"cindral: the word is not UTF-8 text\n"}},
    {{"--add", "\xc0\xaf"}, 2, {}, {"cindral: the word is not UTF-8 text\n"}},
    {{"--add", "\xed\xa0\x80"}, 2, {}, {"cindral: the word is not UTF-8 text\n"}},
    {{"--add", "\xe8\x8b"}, 2, {}, {"cindral: the word is not UTF-8 text\n"}},
    {{"--add", "a\x1b[31mb"}, 2, {}, {"cindral: the word holds a control character\n"}},
    {{"--add", "a\xc2\x85"}, 2, {}, {"cindral: the word holds a control character\n"}},
    {{"--add", std::string(201, 'a')},
     2,
     {},
     {"cindral: the word is too long (201 bytes, at most 200)\n"}},
    // The longest argument the system passes on.
    {{"--add", std::string(131071, 'a')},
     2,
     {},
     {"cindral: the word is too long (131071 bytes, at most 200)\n"}},
    {{"--add", "apple", "\xff"}, 2, {}, {"cindral: the meaning is not UTF-8 text\n"}},
    {{"--add", "apple", std::string(2001, 'x')},
     2,
     {},
     {"cindral: the meaning is too long (2001 bytes, at most 2000)\n"}},
    {{"--add", "apple", "--add", "pear"}, 2, {}, {"cindral: option '--add' given twice\n"}},
    {{"--add", "apple", "苹果", "fruit"}, 2, {}, {"cindral: unexpected argument 'fruit'\n"}},
    {{"--add", "apple", "--help"}, 0, {kUsage}, {}},
    {{"--data"}, 2, {}, {"cindral: option '--data' needs a folder\n", kHint}},
    {{"--data", ""}, 2, {}, {"cindral: option '--data' needs a folder\n", kHint}},
    {{"--data", "a", "--data", "b"}, 2, {}, {"cindral: option '--data' given twice\n"}},
};

class CommandLineTest : public ::testing::TestWithParam<Row> {
 protected:
  // A portable program directory, as a learner has it after some use.
  static void SetUpTestSuite() {
    dir_ = new test::TempDir("cindral-command-line");
    fs::copy_file(CINDRAL_PROGRAM, dir_->File("cindral"));
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt",
                  dir_->File("艾宾浩斯.txt"));
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/core/Config.ini", dir_->File("Config.ini"));
    test::WriteEmptyWordBook(dir_->File("单词本.EDB"));
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  // Runs the program with `args`, its output into files of `out_`; the
  // exit status, or -1 when it did not end by itself within the limit.
  int Run(const std::vector<std::string>& args, const std::string& stdoutPath) {
    const std::string program = dir_->File("cindral");
    const std::string errPath = out_.File("err");
    test::RunningProgram running(
        [&](char** envp) {
          const int o = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
          const int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
          if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0) return;
          std::vector<char*> argv = {const_cast<char*>("cindral")};
          for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
          argv.push_back(nullptr);
          ::execve(program.c_str(), argv.data(), envp);
        },
        test::ProgramEnvironment({{"QT_QPA_PLATFORM", std::nullopt},
                                  {"DISPLAY", std::nullopt},
                                  {"WAYLAND_DISPLAY", std::nullopt}}));
    return running.Wait(std::chrono::seconds(30)).value_or(-1);
  }

  static test::TempDir* dir_;
  test::TempDir out_{"cindral-command-line-out"};
};

test::TempDir* CommandLineTest::dir_ = nullptr;

TEST_P(CommandLineTest, AnswersOrNamesTheMistakeWithoutADisplayOrTheBook) {
  const Row& row = GetParam();
  const auto before = Snapshot(dir_->path());
  EXPECT_EQ(Run(row.args, out_.File("out")), row.status);
  const std::string out = Slurp(out_.File("out"));
  const std::string err = Slurp(out_.File("err"));
  for (const auto& [stream, text, lines] :
       {std::tuple("stdout", out, row.out), std::tuple("stderr", err, row.err)}) {
    if (lines.empty()) {
      EXPECT_EQ(text, "") << stream;
    }
    for (const std::string& line : lines) {
      EXPECT_NE(text.find(line), std::string::npos) << stream << " lacks: " << line << text;
    }
  }
  EXPECT_EQ(Snapshot(dir_->path()), before) << "a file beside the program changed";
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLineTest, ::testing::ValuesIn(kRows));

// An answer that cannot be written is a failure, not a success.
TEST_F(CommandLineTest, AnAnswerThatCannotBeWrittenEndsWithStatus1) {
  for (const char* option : {"--help", "--version"}) {
    EXPECT_EQ(Run({option}, "/dev/full"), 1) << option;
    EXPECT_NE(Slurp(out_.File("err")).find("could not be written"), std::string::npos) << option;
  }
}

// The word and the meaning as --add takes them from a selection: one line
// each, the spaces of its ends gone, the runs inside one space.
TEST(AddOptionTest, TakesTheWordAndTheMeaningAsOneLineEach) {
  const struct {
    std::vector<std::string> args;
    std::string word;
    std::string meaning;
  } rows[] = {
      {{"--add", "apple"}, "apple", ""},
      {{"--add", "  take \n\n off\t", " 脱下；\r\n起飞 "}, "take off", "脱下； 起飞"},
      {{"--add", "-ism", "主义"}, "-ism", "主义"},
      {{"-platform", "xcb", "--add", "pear", "-style", "fusion"}, "pear", ""},
      {{"--add", "naïve", ""}, "naïve", ""},
  };
  for (const auto& row : rows) {
    const CommandLine line = CommandLine::Read(row.args);
    EXPECT_EQ(line.action, CommandLine::Action::kRun) << line.mistake;
    EXPECT_TRUE(line.add);
    EXPECT_EQ(line.word, row.word);
    EXPECT_EQ(line.meaning, row.meaning);
  }
  EXPECT_FALSE(CommandLine::Read({"-reverse"}).add);
}

}  // namespace
}  // namespace cindral
