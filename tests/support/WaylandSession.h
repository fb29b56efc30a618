// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Wayland desktop of the test's own: weston on its headless backend,
// drawing with its software renderer into an output of the given size,
// with its desktop shell on a plain background of one colour (no panel, no
// animations), in a runtime folder of its own. What the compositor shows
// is taken with weston's screenshooter (the debug mode lets any client ask
// for it), and what clients ask of it is logged (the "proto" scope).
//
// Weston runs in a process group of its own with its helper clients; the
// group is ended with the object, and weston gets SIGTERM when the test
// process dies however it ends (a crash, a kill by ctest), which ends its
// clients as their connection goes.

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "FileBytes.h"
#include "OnPath.h"
#include "TempDir.h"

namespace cindral::test {

class WaylandSession {
 public:
  // The colour of the background, 0xRRGGBB: neither black nor white, so
  // that a window's black or white edge stands out against it.
  static constexpr unsigned kBackground = 0x3060A0;

  WaylandSession(int width, int height) {
    for (const char* program : {"weston", "weston-screenshooter"}) {
      if (!OnPath(program)) {
        error_ = std::string(program) + " is missing: scripts/install-deps.sh installs weston";
        return;
      }
    }
    std::ofstream(runtime_.File("weston.ini"))
        << "[core]\nidle-time=0\n"
        << "[shell]\npanel-position=none\nlocking=false\nbackground-color=0xff" << std::hex
        << kBackground << std::dec
        << "\nanimation=none\nclose-animation=none\nstartup-animation=none\n"
           "focus-animation=none\n";
    socket_ = "cindral-test-" + std::to_string(::getpid());
    Start({"weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
           "--width=" + std::to_string(width), "--height=" + std::to_string(height),
           "--socket=" + socket_, "--config=" + runtime_.File("weston.ini"), "--idle-time=0",
           "--logger-scopes=log,proto", "--log=" + runtime_.File("weston.log")});
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(runtime_.File(socket_))) {
      if (::waitpid(weston_, nullptr, WNOHANG) == weston_ ||
          std::chrono::steady_clock::now() > until) {
        weston_ = -1;
        error_ = "weston did not start:\n" + Log();
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~WaylandSession() {
    if (weston_ <= 0) return;
    // The whole group: weston and the shell and input method it started.
    ::kill(-weston_, SIGTERM);
    for (int i = 0; i < 300 && ::waitpid(weston_, nullptr, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(-weston_, SIGKILL);
    ::waitpid(weston_, nullptr, 0);
  }
  WaylandSession(const WaylandSession&) = delete;
  WaylandSession& operator=(const WaylandSession&) = delete;

  // Empty when the compositor is up; otherwise what went wrong.
  const std::string& error() const { return error_; }
  // For the clients: WAYLAND_DISPLAY and XDG_RUNTIME_DIR.
  const std::string& display() const { return socket_; }
  const std::string& runtimeDir() const { return runtime_.path(); }

  // What weston has logged so far, the requests of its clients among it.
  std::string Log() const { return Slurp(runtime_.File("weston.log")); }

  // A PNG file of what the compositor shows now, whole; empty when none
  // could be taken. The file is the caller's.
  std::string Screenshot() const {
    const TempDir shots("cindral-wayland-shot");
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::chdir(shots.path().c_str()) != 0) ::_exit(126);
      Quiet();
      Exec({"weston-screenshooter"});
    }
    int status = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > until) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return {};
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    for (const auto& e : std::filesystem::directory_iterator(shots.path())) {
      if (e.path().extension() != ".png") continue;
      const std::string kept = runtime_.File("shot-" + std::to_string(++shots_) + ".png");
      std::filesystem::rename(e.path(), kept);
      return kept;
    }
    return {};
  }

 private:
  // In a child: no input, output thrown away, the session's environment.
  void Quiet() const {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (int fd = 3; fd < 1024; ++fd) ::close(fd);
    ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    ::setenv("WAYLAND_DISPLAY", socket_.c_str(), 1);
    ::unsetenv("DISPLAY");
  }

  [[noreturn]] static void Exec(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }

  void Start(const std::vector<std::string>& argv) {
    const pid_t parent = ::getpid();
    weston_ = ::fork();
    if (weston_ != 0) {
      // Set on both sides, so that the group exists whichever runs first.
      if (weston_ > 0) ::setpgid(weston_, weston_);
      return;
    }
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(126);
    Quiet();
    // Weston's own socket is named; it must not find a display to nest in.
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("WAYLAND_SOCKET");
    Exec(argv);
  }

  std::string error_;
  TempDir runtime_{"cindral-wayland"};
  std::string socket_;
  pid_t weston_ = -1;
  mutable int shots_ = 0;
};

}  // namespace cindral::test
