// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file "Config.ini" in the program directory.

#include <cstdint>
#include <string>

namespace cindral {

// The section of the counters and daily flags.
inline constexpr char kConfigSection[] = "Config";

class Settings {
 public:
  // `programDirectory`: GBK, without a trailing separator.
  explicit Settings(std::string programDirectory);

  std::string ReadSetting(const std::string& section, const std::string& key) const;
  // False when the file could not be written (read-only file or folder,
  // full disk); the old value stays.
  bool WriteSetting(const std::string& section, const std::string& key, const std::string& text);
  int32_t ReadSettingInt(const std::string& section, const std::string& key) const;

  // The path of the settings file: an existing file whose name matches
  // "Config.ini" without regard to case, else "<dir>/Config.ini".
  std::string Path() const;
  const std::string& programDirectory() const { return directory_; }

 private:
  std::string directory_;
};

}  // namespace cindral
