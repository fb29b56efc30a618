// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DataDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/WholeFiles.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

bool IsDirectory(const std::string& gbkPath) {
  struct stat st;
  return ::stat(Utf8(gbkPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Whether the directory holds a file of this name; "Config.ini" is found
// in any case, as the settings file is.
bool Holds(const std::string& directory, const std::string& name) {
  if (::strcasecmp(name.c_str(), "Config.ini") != 0) {
    struct stat st;
    return ::lstat(Utf8(directory + "/" + name).c_str(), &st) == 0;
  }
  DIR* dir = ::opendir(Utf8(directory).c_str());
  if (dir == nullptr) return false;
  bool found = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, "Config.ini") == 0) found = true;
  }
  ::closedir(dir);
  return found;
}

std::string Reason(const std::string& what, const std::string& gbkPath) {
  return what + gbkPath + GBK("（") + Utf8ToGbk(std::strerror(errno)) + GBK("）");
}

bool MakeDirectories(const std::string& gbkPath, std::string* reason) {
  const std::string path = Utf8(gbkPath);
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = slash == std::string::npos ? path : path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      *reason = Reason(GBK("无法建立文件夹："), Utf8ToGbk(part));
      return false;
    }
    if (slash == std::string::npos) break;
  }
  if (!IsDirectory(gbkPath)) {
    errno = ENOTDIR;
    *reason = Reason(GBK("无法建立文件夹："), gbkPath);
    return false;
  }
  return true;
}

}  // namespace

const std::vector<std::string>& ShippedFiles() {
  static const std::vector<std::string> files{GBK("艾宾浩斯.txt"), "Config.ini", GBK("单词本.EDT"),
                                              GBK("单词本.EDB")};
  return files;
}

DataPlace ChooseDataPlace(const DataPlaceInputs& inputs) {
  const bool installed = !inputs.sharedDirectory.empty();
  if (!inputs.chosen.empty()) {
    std::string chosen = inputs.chosen;
    while (chosen.size() > 1 && chosen.back() == '/') chosen.pop_back();
    // A new folder starts from the files the program ships (beside a
    // portable program, those there).
    if (chosen == inputs.programDirectory) return {chosen, ""};
    return {chosen, installed ? inputs.sharedDirectory : inputs.programDirectory};
  }
  if (!installed && inputs.programDirectoryWritable) return {inputs.programDirectory, ""};
  std::string base;
  if (!inputs.xdgDataHome.empty() && inputs.xdgDataHome[0] == '/') {
    base = inputs.xdgDataHome;
  } else if (!inputs.home.empty()) {
    base = inputs.home + "/.local/share";
  } else {
    return {};
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return {base + "/cindral", installed ? inputs.sharedDirectory : inputs.programDirectory};
}

DataPlaceInputs CurrentDataPlaceInputs(const std::string& programDirectory) {
  DataPlaceInputs inputs;
  inputs.programDirectory = programDirectory;
  // Only a directory that is there and refuses writing counts as not
  // writable; one that is gone is reported when it cannot be entered.
  inputs.programDirectoryWritable =
      ::access(Utf8(programDirectory).c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS);
  const size_t slash = programDirectory.rfind('/');
  if (slash != std::string::npos) {
    const std::string shared = programDirectory.substr(0, slash) + "/share/cindral";
    if (IsDirectory(shared)) inputs.sharedDirectory = shared;
  }
  if (const char* xdg = ::getenv("XDG_DATA_HOME")) inputs.xdgDataHome = Utf8ToGbk(xdg);
  if (const char* home = ::getenv("HOME"); home != nullptr && *home != '\0') {
    inputs.home = Utf8ToGbk(home);
  } else if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
    inputs.home = Utf8ToGbk(entry->pw_dir);
  }
  return inputs;
}

bool PrepareDataDirectory(const DataPlace& place, std::string* reason) {
  std::string ignored;
  if (reason == nullptr) reason = &ignored;
  if (place.directory.empty()) {
    *reason = GBK("找不到用户的主文件夹，无法存放单词本");
    return false;
  }
  // A portable program's folder is its own: nothing is made or copied.
  if (place.shipped.empty() || place.shipped == place.directory) return true;
  if (!MakeDirectories(place.directory, reason)) return false;
  // The side file goes with its book: copied only when the book is missing.
  const bool bookMissing = !Holds(place.directory, GBK("单词本.EDB"));
  for (const std::string& name : ShippedFiles()) {
    if (name == GBK("单词本.EDT") && !bookMissing) continue;
    if (Holds(place.directory, name) || !Holds(place.shipped, name)) continue;
    if (!CopyFileWhole(Utf8(place.shipped + "/" + name), Utf8(place.directory + "/" + name),
                       /*replace=*/false)) {
      *reason = Reason(GBK("无法复制文件："), place.directory + "/" + name);
      return false;
    }
  }
  return true;
}

}  // namespace cindral
