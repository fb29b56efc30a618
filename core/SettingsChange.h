// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys of the settings file that change in the same change as the word
// book: the words entered with the new groupnumber, the decay with minus,
// the day's bonus with plus, the reset with all four. Handed to the book's
// scope (WholeFileScope::AlsoReplace), the keys and the book's writes
// reach the disk together or neither does; when either cannot be written,
// both stay as they were.
//
//   SettingsChange flag(settings);
//   flag.Set("Config", "minus", "true");
//   WholeFileScope scope(db);
//   ... the book's writes ...
//   bool whole = scope.AlsoReplace(flag) && scope.End();

#include <string>
#include <vector>

#include "core/Settings.h"
#include "store/CompanionFile.h"

namespace cindral {

class SettingsChange final : public CompanionFile {
 public:
  explicit SettingsChange(const Settings& settings) : settings_(settings) {}

  // The key's new value (GBK), stored as WriteSetting stores it; keys set
  // later go after those set earlier.
  void Set(const std::string& section, const std::string& key, const std::string& value);

  std::string Path() const override;
  bool Update(const std::string* old, std::string* updated) override;

 private:
  struct Entry {
    std::string section, key, value;
  };
  const Settings& settings_;
  std::vector<Entry> entries_;
};

}  // namespace cindral
