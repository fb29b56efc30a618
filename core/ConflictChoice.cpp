// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConflictChoice.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

#include "core/WholeFiles.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/RegularFile.h"

namespace cindral {
namespace {

constexpr const char* kMovesFile = "moves.txt";
constexpr const char* kPartial = ".partial";
constexpr const char* kHeader = "cindral moves 1";
constexpr const char* kBetween = "then";
constexpr const char* kEnd = "end";

std::string Reason(const std::string& what) {
  return Utf8ToGbk(what + ": " + std::strerror(errno));
}

bool Exists(const std::string& utf8, struct stat* st) { return ::lstat(utf8.c_str(), st) == 0; }

// Moves `from` to `to` (UTF-8 paths in one file system), never over another
// file. Every target is a name that only this move fills (a new folder's, or
// one of the learner's that the moves before emptied), so a target that is
// there means the move was made: a later name now at `from` (the copy that
// came in after the learner's file went out) stays. A move whose link was
// made but whose old name was not yet removed is finished.
bool MoveOne(const std::string& from, const std::string& to, std::string* reason) {
  struct stat a;
  struct stat b;
  if (Exists(to, &b)) {
    if (Exists(from, &a) && a.st_dev == b.st_dev && a.st_ino == b.st_ino &&
        ::unlink(from.c_str()) != 0 && errno != ENOENT) {
      *reason = Reason(from);
      return false;
    }
    return true;
  }
  if (!Exists(from, &a)) return true;  // nothing of that name to move
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  // A file system without the no-replace rename: a link, then the old name goes.
  if ((errno == EINVAL || errno == ENOSYS) && ::link(from.c_str(), to.c_str()) == 0 &&
      ::unlink(from.c_str()) == 0) {
    return true;
  }
  *reason = Reason(from);
  return false;
}

// The settings file's name as the folder spells it, "Config.ini" when none.
std::string SettingsName(const std::string& utf8Folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(utf8Folder.c_str()), &::closedir);
  if (dir) {
    while (const dirent* entry = ::readdir(dir.get())) {
      if (strcasecmp(entry->d_name, "Config.ini") == 0) return entry->d_name;
    }
  }
  return "Config.ini";
}

}  // namespace

bool ConflictChoice::Step() { return !hook_ || hook_(step_++); }

bool ConflictChoice::Carry(const ConflictSet& set, bool keepCopy, double now, std::string* aside,
                           std::string* reason) {
  step_ = 0;
  const std::string folder = GbkToUtf8(folder_);
  const std::string backups = folder + "/backups";
  if (::mkdir(backups.c_str(), 0700) != 0 && errno != EEXIST) {
    *reason = Reason(backups);
    return false;
  }
  // A name of its own: the stamp, with a number when that is taken.
  const std::string stamp = DateTimeText(now, "%04d-%02d-%02d_%02d%02d%02d") + "-conflict";
  std::string name = stamp;
  struct stat st;
  for (int n = 2; Exists(backups + "/" + name, &st) || Exists(backups + "/" + name + kPartial, &st);
       ++n) {
    name = stamp + "-" + std::to_string(n);
  }
  const std::string partial = "backups/" + name + kPartial;
  std::vector<Move> out;
  std::vector<Move> in;
  if (keepCopy) {
    const std::string book = "单词本.EDB";
    std::vector<std::pair<std::string, std::string>> replaced;  // the learner's, and the copy's
    if (!set.book.empty()) {
      replaced = {{book, GbkToUtf8(set.book)}, {"单词本.EDT", GbkToUtf8(set.side)}};
      for (const char* note : {"-journal", "-clean", "-import"})
        replaced.push_back({book + note, ""});
    }
    if (!set.settings.empty()) {
      replaced.push_back({SettingsName(folder), GbkToUtf8(set.settings)});
    }
    for (const auto& [mine, copy] : replaced) {
      out.push_back({mine, partial + "/" + mine});
      if (!copy.empty()) in.push_back({copy, mine});
    }
  } else {
    for (const std::string& file : set.Files()) {
      in.push_back({GbkToUtf8(file), partial + "/" + GbkToUtf8(file)});
    }
  }
  if (!Step()) return false;
  if (::mkdir((folder + "/" + partial).c_str(), 0700) != 0) {
    *reason = Reason(folder + "/" + partial);
    return false;
  }
  if (!Step()) return false;
  // The list of moves, whole and synced before the first move.
  std::string list = std::string(kHeader) + "\n";
  for (const Move& m : out) list += m.from + "\t" + m.to + "\n";
  list += std::string(kBetween) + "\n";
  for (const Move& m : in) list += m.from + "\t" + m.to + "\n";
  list += std::string(kEnd) + "\n";
  if (!WriteFileWhole(folder + "/" + partial + "/" + kMovesFile, list)) {
    *reason = Reason(kMovesFile);
    return false;
  }
  SyncDirectory(backups);
  *aside = Utf8ToGbk("backups/" + name);
  return Finish(partial, reason);
}

bool ConflictChoice::Finish(const std::string& partial, std::string* reason) {
  const std::string folder = GbkToUtf8(folder_);
  const std::string path = folder + "/" + partial + "/" + kMovesFile;
  std::string list;
  if (ReadRegularFile(path, std::size_t{1} << 20, &list) == FileRead::kFailed) {
    *reason = Reason(path);
    return false;
  }
  std::istringstream lines(list);
  std::string line;
  std::vector<Move> phases[2];
  int phase = -1;
  bool ended = false;
  while (std::getline(lines, line)) {
    if (phase < 0) {
      if (line != kHeader) break;
      phase = 0;
    } else if (line == kBetween && phase == 0) {
      phase = 1;
    } else if (line == kEnd) {
      ended = true;
      break;
    } else {
      const std::size_t tab = line.find('\t');
      if (tab == std::string::npos) break;
      phases[phase].push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
  }
  if (!ended) {
    // The list never got written whole: nothing was moved.
    ::rmdir((folder + "/" + partial).c_str());
    return true;
  }
  // The learner's files go out and stay out before the copy's come in.
  for (const std::vector<Move>& moves : phases) {
    for (const Move& m : moves) {
      if (!Step()) return false;
      if (!MoveOne(folder + "/" + m.from, folder + "/" + m.to, reason)) return false;
    }
    SyncDirectory(folder);
    SyncDirectory(folder + "/" + partial);
  }
  if (!Step()) return false;
  const std::string done = partial.substr(0, partial.size() - std::strlen(kPartial));
  if (!MoveOne(folder + "/" + partial, folder + "/" + done, reason)) return false;
  SyncDirectory(folder + "/backups");
  return true;
}

bool ConflictChoice::FinishCutShort(std::string* reason) {
  const std::string backups = GbkToUtf8(folder_) + "/backups";
  std::vector<std::string> cut;
  {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(backups.c_str()), &::closedir);
    if (!dir) return true;
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string name = entry->d_name;
      if (name.find("-conflict") != std::string::npos && name.size() > std::strlen(kPartial) &&
          name.compare(name.size() - std::strlen(kPartial), std::string::npos, kPartial) == 0) {
        cut.push_back("backups/" + name);
      }
    }
  }
  step_ = 0;
  for (const std::string& partial : cut) {
    if (!Finish(partial, reason)) return false;
  }
  return true;
}

}  // namespace cindral
