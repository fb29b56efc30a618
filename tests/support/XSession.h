// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An X desktop of the test's own: an Xvfb on a free display, with openbox
// as its window manager or bare, and a connection of its own to read what
// the window manager says about a window (_NET_WM_STATE) or to stand in
// for a compositing manager (owning _NET_WM_CM_S0). Both servers end with
// the object, and with the test process however it ends (a crash, a kill
// by ctest): they get SIGTERM when their parent dies.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "OnPath.h"

namespace cindral::test {

class XSession {
 public:
  enum class Manager { kNone, kOpenbox };

  explicit XSession(Manager manager) {
    for (const char* program : {"Xvfb", manager == Manager::kOpenbox ? "openbox" : nullptr}) {
      if (program != nullptr && !OnPath(program)) {
        error_ = std::string(program) + " is missing: scripts/install-deps.sh installs it";
        return;
      }
    }
    if (!StartServer()) return;
    if (manager == Manager::kOpenbox && !StartOpenbox()) return;
  }
  ~XSession() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
    End(openbox_);
    End(server_);
  }
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // Empty when the desktop is up; otherwise what went wrong.
  const std::string& error() const { return error_; }
  const std::string& display() const { return display_; }

  // The atoms in the window's _NET_WM_STATE, by name.
  std::vector<std::string> WindowState(uint32_t window) {
    std::vector<std::string> names;
    auto* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
        nullptr);
    if (reply == nullptr) return names;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    for (int i = 0; i < count; ++i) names.push_back(AtomName(atoms[i]));
    std::free(reply);
    return names;
  }

  // Takes (or gives up) the selection a compositing manager owns, so that
  // the desktop reads as composited: nothing blends windows all the same.
  void ClaimCompositorSelection(bool claim) {
    if (claim && standIn_ == 0) {
      standIn_ = xcb_generate_id(connection_);
      xcb_create_window(connection_, XCB_COPY_FROM_PARENT, standIn_, root_, 0, 0, 1, 1, 0,
                        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    }
    xcb_set_selection_owner(connection_, claim ? standIn_ : XCB_NONE, Atom("_NET_WM_CM_S0"),
                            XCB_CURRENT_TIME);
    Sync();
  }

 private:
  // A child that gets SIGTERM when this process dies, its output thrown away.
  static pid_t Spawn(const std::vector<std::string>& argv, const std::string& display, int keep) {
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(126);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (int fd = 3; fd < 1024; ++fd) {
      if (fd != keep) ::close(fd);
    }
    if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }

  static void End(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 300 && ::waitpid(pid, nullptr, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (::waitpid(pid, nullptr, WNOHANG) == 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    pid = -1;
  }

  bool StartServer() {
    int ready[2];
    if (::pipe(ready) != 0) {
      error_ = "no pipe for Xvfb";
      return false;
    }
    server_ = Spawn({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp", "-noreset"},
                    "", ready[1]);
    ::close(ready[1]);
    std::string number;
    pollfd p{ready[0], POLLIN, 0};
    char c = 0;
    while (::poll(&p, 1, 20000) == 1 && ::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(ready[0]);
    if (number.empty()) {
      error_ = "Xvfb did not start";
      return false;
    }
    display_ = ":" + number;
    connection_ = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) {
      error_ = "no connection to Xvfb on " + display_;
      return false;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    return true;
  }

  // Openbox is ready once it has put its check window on the root.
  bool StartOpenbox() {
    openbox_ = Spawn({"openbox", "--sm-disable"}, display_, -1);
    const xcb_atom_t check = Atom("_NET_SUPPORTING_WM_CHECK");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
      auto* reply = xcb_get_property_reply(
          connection_, xcb_get_property(connection_, 0, root_, check, XCB_ATOM_WINDOW, 0, 1),
          nullptr);
      const bool up = reply != nullptr && xcb_get_property_value_length(reply) == 4;
      std::free(reply);
      if (up) return true;
      if (::waitpid(openbox_, nullptr, WNOHANG) == openbox_) {
        openbox_ = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    error_ = "openbox did not start on " + display_;
    return false;
  }

  // A round trip: everything sent before has reached the server.
  void Sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  }

  xcb_atom_t Atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }

  std::string AtomName(xcb_atom_t atom) {
    auto* reply =
        xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, atom), nullptr);
    if (reply == nullptr) return {};
    std::string name(xcb_get_atom_name_name(reply),
                     static_cast<size_t>(xcb_get_atom_name_name_length(reply)));
    std::free(reply);
    return name;
  }

  std::string error_;
  std::string display_;
  pid_t server_ = -1;
  pid_t openbox_ = -1;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_window_t standIn_ = 0;
};

}  // namespace cindral::test
