// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Settings.h"

#include <dirent.h>
#include <sys/stat.h>

#include <utility>

#include "core/IniFile.h"
#include "store/Convert.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

constexpr char kFileName[] = "Config.ini";

bool IsSettingsFileName(const char* name) {
  const char* expected = kFileName;
  for (; *name != '\0' && *expected != '\0'; ++name, ++expected) {
    char c = *name;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    char e = *expected;
    if (e >= 'A' && e <= 'Z') e = static_cast<char>(e - 'A' + 'a');
    if (c != e) return false;
  }
  return *name == '\0' && *expected == '\0';
}

}  // namespace

Settings::Settings(std::string programDirectory) : directory_(std::move(programDirectory)) {}

std::string Settings::ReadSetting(const std::string& section, const std::string& key) const {
  return ReadProfileString(Path(), section, key, "", 10240);
}

bool Settings::WriteSetting(const std::string& section, const std::string& key,
                            const std::string& text) {
  return WriteProfileString(Path(), section, key, text);
}

int32_t Settings::ReadSettingInt(const std::string& section, const std::string& key) const {
  return TextToInteger(ReadSetting(section, key));
}

std::string Settings::Path() const {
  // The file names the program and the skin engine use differ in case
  // ("Config.ini", "config.ini") yet must reach one file, as on a
  // case-blind file system. The directory is listed on every call because
  // the learner may rename or replace the file while the program runs.
  const std::string osDirectory = directory_.empty() ? "/" : GbkToUtf8(directory_);
  std::string chosen;
  if (DIR* dir = opendir(osDirectory.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (!IsSettingsFileName(entry->d_name)) continue;
      // Only a file (or a link to one) will do: a folder of that name is no
      // settings file. The exact spelling wins, then the lowest in byte
      // order, so the choice does not depend on the listing order.
      const std::string name = entry->d_name;
      const bool better =
          chosen.empty() || name == kFileName || (chosen != kFileName && name < chosen);
      if (!better) continue;
      struct stat info {};
      if (stat((osDirectory + "/" + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        continue;
      }
      chosen = name;
    }
    closedir(dir);
  }
  if (chosen.empty()) chosen = kFileName;
  // The name is ASCII, so it is the same in GBK.
  return directory_ + "/" + chosen;
}

}  // namespace cindral
