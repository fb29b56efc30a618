// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConflictCopies.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

#include <map>
#include <memory>

#include "store/Gbk.h"

namespace cindral {
namespace {

bool AllOf(const std::string& s, std::size_t at, std::size_t n, bool (*ok)(char)) {
  if (at + n > s.size()) return false;
  for (std::size_t i = at; i < at + n; ++i) {
    if (!ok(s[i])) return false;
  }
  return true;
}
bool Digit(char c) { return c >= '0' && c <= '9'; }
bool DeviceChar(char c) { return Digit(c) || (c >= 'A' && c <= 'Z'); }

// "sync-conflict-YYYYMMDD-HHMMSS-DEVICE", a device id of 7 capitals and
// digits.
bool IsSyncthingTag(const std::string& middle) {
  const std::string prefix = "sync-conflict-";
  return middle.size() == prefix.size() + 23 && middle.compare(0, prefix.size(), prefix) == 0 &&
         AllOf(middle, 14, 8, Digit) && middle[22] == '-' && AllOf(middle, 23, 6, Digit) &&
         middle[29] == '-' && AllOf(middle, 30, 7, DeviceChar);
}

// "conflicted copy YYYY-MM-DD HHMMSS", maybe with the device's or the
// user's name before the date in newer clients; the whole in parentheses.
bool IsNextcloudTag(const std::string& middle) {
  const std::string prefix = "conflicted copy ";
  if (middle.size() < prefix.size() + 17 || middle.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  const std::size_t at = middle.size() - 17;
  return AllOf(middle, at, 4, Digit) && middle[at + 4] == '-' && AllOf(middle, at + 5, 2, Digit) &&
         middle[at + 7] == '-' && AllOf(middle, at + 8, 2, Digit) && middle[at + 10] == ' ' &&
         AllOf(middle, at + 11, 6, Digit);
}

enum class Kind { kBook, kSide, kSettings };

// Whether `name` (UTF-8) is a conflict copy of one of the learner's files;
// `*tag` then names its conflict.
bool ParseName(const std::string& name, Kind* kind, std::string* tag) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string ext = name.substr(dot + 1);
  std::string base;
  if (strcasecmp(ext.c_str(), "EDB") == 0 || strcasecmp(ext.c_str(), "EDT") == 0) {
    base = "单词本";
    *kind = strcasecmp(ext.c_str(), "EDB") == 0 ? Kind::kBook : Kind::kSide;
  } else if (strcasecmp(ext.c_str(), "ini") == 0) {
    base = "Config";
    *kind = Kind::kSettings;
  } else {
    return false;
  }
  const std::string stem = name.substr(0, dot);
  if (stem.size() <= base.size() + 2 || strncasecmp(stem.c_str(), base.c_str(), base.size()) != 0) {
    return false;
  }
  const std::string rest = stem.substr(base.size());
  if (rest[0] == '.' && IsSyncthingTag(rest.substr(1))) {
    *tag = rest.substr(1);
    return true;
  }
  if (rest.size() > 3 && rest.compare(0, 2, " (") == 0 && rest.back() == ')' &&
      IsNextcloudTag(rest.substr(2, rest.size() - 3))) {
    *tag = rest.substr(2, rest.size() - 3);
    return true;
  }
  return false;
}

}  // namespace

bool ConflictSet::Whole(bool withSide) const {
  if (book.empty()) return side.empty() && !settings.empty();
  return side.empty() != withSide;
}

std::vector<std::string> ConflictSet::Files() const {
  std::vector<std::string> files;
  for (const std::string* f : {&book, &side, &settings}) {
    if (!f->empty()) files.push_back(*f);
  }
  return files;
}

std::vector<ConflictSet> FindConflictCopies(const std::string& folder) {
  std::map<std::string, ConflictSet> sets;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(GbkToUtf8(folder).c_str()), &::closedir);
  if (!dir) return {};
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    struct stat st;
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode)) {
      continue;  // a folder, a link or a pipe of that name is no copy
    }
    Kind kind;
    std::string tag;
    if (!ParseName(name, &kind, &tag)) continue;
    ConflictSet& set = sets[tag];
    set.tag = Utf8ToGbk(tag);
    std::string& slot = kind == Kind::kBook   ? set.book
                        : kind == Kind::kSide ? set.side
                                              : set.settings;
    slot = Utf8ToGbk(name);
  }
  std::vector<ConflictSet> found;
  for (auto& [tag, set] : sets) found.push_back(std::move(set));
  return found;
}

}  // namespace cindral
