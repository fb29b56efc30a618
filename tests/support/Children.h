// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a piece of a test in several processes at once, as several programs
// would use the same files; or in one child process that must end in time,
// so that a piece that hangs fails its test instead of stopping the suite.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace cindral::test {

// Forks `n` children that wait for each other, then run `body(i)` and end
// with the status it returns. Gives the children's exit statuses, -1 for
// one that did not end by itself.
inline std::vector<int> RunInChildren(int n, const std::function<int(int)>& body) {
  int start[2];
  if (::pipe(start) != 0) return std::vector<int>(static_cast<std::size_t>(n), -1);
  std::vector<pid_t> children;
  for (int i = 0; i < n; ++i) {
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(start[1]);
      char go = 0;
      if (::read(start[0], &go, 1) != 1) ::_exit(125);
      ::_exit(body(i));
    }
    children.push_back(child);
  }
  ::close(start[0]);
  // All begin together: each takes one byte.
  for (int i = 0; i < n; ++i) {
    if (::write(start[1], "g", 1) != 1) break;
  }
  ::close(start[1]);
  std::vector<int> statuses;
  for (const pid_t child : children) {
    int status = 0;
    const bool ended = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
    statuses.push_back(ended ? WEXITSTATUS(status) : -1);
  }
  return statuses;
}

// Runs `body` in a child process and gives the status it ends with, or
// nullopt when it has not ended within `limit` (it is killed then).
inline std::optional<int> RunInChildWithin(std::chrono::seconds limit,
                                           const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) ::_exit(body());
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace cindral::test
