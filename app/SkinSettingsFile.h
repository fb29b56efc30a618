// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Section "Skin" of the program's settings file, for a skinned frame that
// keeps its look between runs.

#include "core/Settings.h"
#include "skin/SkinSettings.h"

namespace cindral {

class SkinSettingsFile final : public SkinSettings {
 public:
  explicit SkinSettingsFile(Settings& settings) : settings_(settings) {}

  bool Exists() const override;
  bool CreateEmpty() override;
  std::string Read(const std::string& key) const override;
  bool Write(const std::string& key, const std::string& value) override;

 private:
  Settings& settings_;
};

}  // namespace cindral
