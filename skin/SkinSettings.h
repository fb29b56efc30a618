// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the skin keeps its look between runs when asked to: section "Skin"
// of the program's settings file. The host supplies it.

#include <string>

namespace cindral {

class SkinSettings {
 public:
  virtual ~SkinSettings() = default;
  virtual bool Exists() const = 0;
  // Creates the settings file empty; false when it could not be created.
  virtual bool CreateEmpty() = 0;
  // The value of `key` in section "Skin"; empty when missing.
  virtual std::string Read(const std::string& key) const = 0;
  // False when the file could not be written.
  virtual bool Write(const std::string& key, const std::string& value) = 0;
};

}  // namespace cindral
