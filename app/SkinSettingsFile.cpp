// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SkinSettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/IniFile.h"
#include "store/Gbk.h"

namespace cindral {

namespace {
const std::string kSection = "Skin";
}

bool SkinSettingsFile::Exists() const {
  struct stat info {};
  return ::stat(GbkToUtf8(settings_.Path()).c_str(), &info) == 0;
}

bool SkinSettingsFile::CreateEmpty() {
  // Never truncates: a file that appeared meanwhile is kept as it is.
  const int fd = ::open(GbkToUtf8(settings_.Path()).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return Exists();
  return ::close(fd) == 0;
}

std::string SkinSettingsFile::Read(const std::string& key) const {
  return settings_.ReadSetting(kSection, key);
}

bool SkinSettingsFile::Write(const std::string& key, const std::string& value) {
  return WriteProfileString(settings_.Path(), kSection, key, value);
}

}  // namespace cindral
