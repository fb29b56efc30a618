// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting the real program as a learner starts it, for the tests that run
// it whole: its environment (offscreen, no leak report, and whatever the
// test changes), a child process that starts from "/" so the program must
// find its own files, waiting for it with a limit, and ending it the way
// the desktop does (SIGTERM closes every window the normal way).

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FileBytes.h"

namespace cindral::test {

// This process's environment with the program's settings: offscreen, no
// leak report (the toolkit keeps some memory until the process is gone),
// and a configuration folder of the tests'.
// `changes` sets variables, or removes those mapped to nullopt.
inline std::vector<std::string> ProgramEnvironment(
    const std::map<std::string, std::optional<std::string>>& changes = {}) {
  std::map<std::string, std::optional<std::string>> all = changes;
  all.emplace("QT_QPA_PLATFORM", "offscreen");
  all.emplace("ASAN_OPTIONS", "detect_leaks=0");
  // The learner's configuration of the tests' own, never the real one.
  all.emplace("XDG_CONFIG_HOME",
              (std::filesystem::temp_directory_path() / "cindral-test-config").string());
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (all.count(entry.substr(0, entry.find('='))) != 0) continue;
    env.push_back(entry);
  }
  for (const auto& [name, value] : all) {
    if (value) env.push_back(name + "=" + *value);
  }
  return env;
}

// A started program; `exec` gets envp in the child.
class RunningProgram {
 public:
  template <typename Exec>
  explicit RunningProgram(Exec exec, std::vector<std::string> env = ProgramEnvironment()) {
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      // The current directory is somewhere else: the program finds its files
      // itself.
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
  RunningProgram(RunningProgram&& other) noexcept
      : pid_(std::exchange(other.pid_, -1)), status_(other.status_) {}

  // Ends the program as the desktop does, once it has set up its answer
  // to SIGTERM (a signal before that would end it at once, whatever it
  // would have done); at once when it does not within the limit.
  void Terminate(std::chrono::seconds limit = std::chrono::seconds(60)) const {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!CatchesTermination() && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid_, SIGTERM);
  }

  // The exit status, or nullopt when the program has not ended in time.
  std::optional<int> Wait(std::chrono::seconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      int raw = 0;
      if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
  }

 private:
  // Whether the process has a handler for SIGTERM: its "SigCgt" mask.
  bool CatchesTermination() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("SigCgt:", 0) != 0) continue;
      const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
      return (caught >> (SIGTERM - 1) & 1) != 0;
    }
    return false;
  }

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Starts the program file at `path` with `env`.
inline RunningProgram StartProgram(const std::string& path,
                                   std::vector<std::string> env = ProgramEnvironment()) {
  return RunningProgram(
      [path](char** envp) {
        char* argv[] = {const_cast<char*>("cindral"), nullptr};
        ::execve(path.c_str(), argv, envp);
      },
      std::move(env));
}

// Waits until `done` holds; false after the limit.
template <typename Condition>
bool WaitFor(Condition done, std::chrono::seconds limit = std::chrono::seconds(60)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace cindral::test
