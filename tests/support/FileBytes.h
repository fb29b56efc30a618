// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file's bytes whole, for tests that compare files or a program's output.

#include <fstream>
#include <sstream>
#include <string>

namespace cindral::test {

// Empty when the file cannot be read.
inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace cindral::test
