// The real program, started as a learner starts it: from its own directory
// (wherever the current directory is), on the offscreen screen, and ended
// the way the desktop ends it (SIGTERM closes every window the normal way).

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TestWorld.h"

namespace cindral {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The environment of the started program: offscreen, and no leak report
// (the toolkit keeps some memory until the process is gone).
std::vector<std::string> ProgramEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("ASAN_OPTIONS=", 0) == 0) continue;
    env.push_back(entry);
  }
  env.push_back("QT_QPA_PLATFORM=offscreen");
  env.push_back("ASAN_OPTIONS=detect_leaks=0");
  return env;
}

// A started program; `run` gets argv and envp in the child.
class RunningProgram {
 public:
  template <typename Exec>
  explicit RunningProgram(Exec exec) {
    std::vector<std::string> env = ProgramEnvironment();
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      // The current directory is somewhere else: the program finds its files
      // beside itself.
      if (::chdir("/") != 0) ::_exit(120);
      exec(envp.data());
      ::_exit(121);
    }
  }
  ~RunningProgram() {
    if (pid_ > 0 && !status_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  void Terminate() const { ::kill(pid_, SIGTERM); }

  // The exit status, or nullopt when the program has not ended in time.
  std::optional<int> Wait(std::chrono::seconds limit = 60s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      int raw = 0;
      if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
      }
      std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Waits until `done` holds; false after the limit.
template <typename Condition>
bool WaitFor(Condition done, std::chrono::seconds limit = 60s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

class ProgramStartTest : public ::testing::Test {
 protected:
  // A program directory as installed: the program, the plan table, the
  // settings file; the word book when asked.
  void LayOut(bool withWordBook) {
    fs::copy_file(CINDRAL_PROGRAM, program_);
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt",
                  dir_.File("艾宾浩斯.txt"));
    fs::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/app/core/Config.ini", config_);
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

  RunningProgram Start() {
    const std::string path = program_;
    return RunningProgram([path](char** envp) {
      char* argv[] = {const_cast<char*>("cindral"), nullptr};
      ::execve(path.c_str(), argv, envp);
    });
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
  program.Terminate();
  EXPECT_EQ(program.Wait(), 0);
  // Closing the main window puts a position past the list back to 1.
  EXPECT_NE(Config().find("reviewnumber=1\n"), std::string::npos) << Config();
  EXPECT_NE(Config().find("plus=false"), std::string::npos) << Config();
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
