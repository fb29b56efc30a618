// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh directory under the system's temporary directory (or another),
// removed with everything in it when the object goes. Shared by the tests
// and the benchmarks.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace cindral::test {

class TempDir {
 public:
  // `prefix` names the directory (prefix-XXXXXX), to tell leftovers apart;
  // `base` is where it goes instead of the temporary directory.
  explicit TempDir(const std::string& prefix = "cindral", const std::string& base = "") {
    const std::filesystem::path root =
        base.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(base);
    std::string pattern = (root / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    // A test may have taken the permissions away; give them back first.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // UTF-8 paths.
  const std::string& path() const { return path_; }
  std::string File(const std::string& utf8Name) const { return path_ + "/" + utf8Name; }

 private:
  std::string path_;
};

// Makes a directory the current directory while it lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// A fresh directory that is the current directory while it lives.
class TempWorkDir : public TempDir {
 public:
  explicit TempWorkDir(const std::string& prefix = "cindral") : TempDir(prefix), cd_(path()) {}

 private:
  CurrentDirectory cd_;
};

}  // namespace cindral::test
