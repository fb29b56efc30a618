// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/OwnFiles.h"

#include <sys/stat.h>

#include "plan/PlanTable.h"
#include "store/Gbk.h"
#include "store/Journal.h"
#include "store/RecordFile.h"
#include "store/SideFile.h"

namespace cindral {

bool IsOwnFile(Program& program, const std::string& path) {
  struct stat target;
  if (::stat(GbkToUtf8(path).c_str(), &target) != 0) return false;
  std::string own[5] = {program.settings().Path(), PlanTableFileName()};
  if (RecordFile* book = program.db().Current()) {
    own[2] = book->path();
    own[3] = SideFile::PathFor(book->path());
    own[4] = Journal::PathFor(book->path());
  }
  for (const std::string& file : own) {
    struct stat info;
    if (!file.empty() && ::stat(GbkToUtf8(file).c_str(), &info) == 0 &&
        info.st_dev == target.st_dev && info.st_ino == target.st_ino) {
      return true;
    }
  }
  return false;
}

bool PathExists(const std::string& path) {
  struct stat info;
  return ::stat(GbkToUtf8(path).c_str(), &info) == 0;
}

std::string OwnFileRefusal(const std::string& path) {
  return GBK("“") + path + GBK("”是保存单词本和设置的文件，不能覆盖，请换一个文件名！");
}

}  // namespace cindral
