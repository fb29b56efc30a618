// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Backups.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/WholeFiles.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/Journal.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"
#include "store/WholeFileScope.h"

namespace cindral {
namespace {

// Backups under construction carry this prefix until they are complete.
constexpr char kPartial[] = ".partial-";

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

// "YYYY-MM-DD_HHMMSS": names that sort in time order.
std::string Stamp(double now) { return DateTimeText(now, "%04d-%02d-%02d_%02d%02d%02d"); }

// Whether a folder name is a backup's: a stamp, maybe with a "-N" suffix.
bool IsBackupName(const std::string& name) {
  if (name.size() < 17) return false;
  for (size_t i = 0; i < 17; ++i) {
    const char c = name[i];
    const bool digit = c >= '0' && c <= '9';
    if ((i == 4 || i == 7) ? c != '-' : i == 10 ? c != '_' : !digit) return false;
  }
  return name.size() == 17 || name[17] == '-';
}

std::string Failure(const std::string& utf8What, const std::string& gbkPath) {
  return Utf8ToGbk(utf8What) + gbkPath + GBK("（") + Utf8ToGbk(std::strerror(errno)) + GBK("）");
}

void RemoveTree(const std::string& utf8Path) {
  std::error_code ignored;
  std::filesystem::remove_all(utf8Path, ignored);
}

}  // namespace

bool Backups::MakeFolder() const {
  if (::mkdir(Utf8(Folder()).c_str(), 0700) == 0) return true;
  struct stat st;
  return errno == EEXIST && ::stat(Utf8(Folder()).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> Backups::List() const {
  std::vector<std::string> names;
  DIR* dir = ::opendir(Utf8(Folder()).c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (IsBackupName(name)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool Backups::TakenOn(double date) const {
  const std::string day = Stamp(date).substr(0, 10);
  for (const std::string& name : List()) {
    if (name.compare(0, 10, day) == 0) return true;
  }
  return false;
}

bool Backups::Take(Database& db, const std::string& settingsPath, double now, std::string* reason) {
  std::string ignored;
  if (reason == nullptr) reason = &ignored;
  RecordFile* book = db.Current();
  if (book == nullptr) {
    *reason = GBK("单词本没有打开");
    return false;
  }
  const std::string folder = Folder();
  if (!MakeFolder()) {
    *reason = Failure("无法建立备份文件夹：", folder);
    return false;
  }
  // What a backup killed halfway left behind goes first.
  if (DIR* dir = ::opendir(Utf8(folder).c_str())) {
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
      if (std::strncmp(entry->d_name, kPartial, sizeof kPartial - 1) == 0) {
        leftovers.push_back(entry->d_name);
      }
    }
    ::closedir(dir);
    for (const std::string& name : leftovers) RemoveTree(Utf8(folder) + "/" + name);
  }

  // A second backup in the same second gets a suffix.
  std::string name = Stamp(now);
  struct stat st;
  for (int n = 2; ::lstat(Utf8(folder + "/" + name).c_str(), &st) == 0; ++n) {
    name = Stamp(now) + "-" + std::to_string(n);
  }
  const std::string partial = folder + "/" + kPartial + name;
  if (::mkdir(Utf8(partial).c_str(), 0700) != 0) {
    *reason = Failure("无法建立备份文件夹：", partial);
    return false;
  }

  // The book's files, with its journal when there is one (a journal left
  // by a writer that died puts the book back as it was when it is opened),
  // and the settings file.
  std::vector<std::string> files{book->path()};
  if (book->side() != nullptr) files.push_back(SideFile::PathFor(book->path()));
  const std::string journal = Journal::PathFor(book->path());
  if (::lstat(Utf8(journal).c_str(), &st) == 0) files.push_back(journal);
  if (::lstat(Utf8(settingsPath).c_str(), &st) == 0) files.push_back(settingsPath);
  bool ok = true;
  {
    // Nobody writes the book while its files are copied, so they agree.
    WholeFileScope scope(db, WholeFileScope::Kind::Shared);
    if (!scope.ok()) {
      *reason =
          Utf8ToGbk("单词本正被其他程序占用（") + DatabaseErrorText(scope.code()) + Utf8ToGbk("）");
      ok = false;
    }
    for (size_t i = 0; ok && i < files.size(); ++i) {
      const std::string& file = files[i];
      const std::string base = file.substr(file.rfind('/') + 1);
      if (!CopyFileWhole(Utf8(file), Utf8(partial + "/" + base), /*replace=*/false)) {
        *reason = Failure("无法复制文件：", file);
        ok = false;
      }
    }
  }
  if (ok) {
    SyncDirectory(Utf8(partial));
    if (::rename(Utf8(partial).c_str(), Utf8(folder + "/" + name).c_str()) != 0) {
      *reason = Failure("无法完成备份：", folder + "/" + name);
      ok = false;
    }
  }
  if (!ok) {
    RemoveTree(Utf8(partial));
    return false;
  }
  SyncDirectory(Utf8(folder));
  Prune();
  return true;
}

void Backups::Prune() const {
  const std::vector<std::string> names = List();
  for (size_t i = 0; i + kKept < names.size(); ++i) RemoveTree(Utf8(Folder() + "/" + names[i]));
}

}  // namespace cindral
