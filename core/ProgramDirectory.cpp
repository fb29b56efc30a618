// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramDirectory.h"

#include <limits.h>
#include <unistd.h>

#include <string>

#include "store/Gbk.h"

namespace cindral {

std::string ProgramDirectory() {
  std::string path(PATH_MAX, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n > 0 && static_cast<size_t>(n) < path.size()) {
    path.resize(static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos) return Utf8ToGbk(slash == 0 ? "/" : path.substr(0, slash));
  }
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) != nullptr) return Utf8ToGbk(cwd);
  return ".";
}

}  // namespace cindral
