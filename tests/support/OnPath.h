// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a program the tests start (a display server, a compositor) is
// installed where the shell would find it.

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace cindral::test {

inline bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace cindral::test
