// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsChange.h"

#include "core/IniFile.h"

namespace cindral {

void SettingsChange::Set(const std::string& section, const std::string& key,
                         const std::string& value) {
  entries_.push_back({section, key, value});
}

std::string SettingsChange::Path() const { return ProfileTargetPath(settings_.Path()); }

bool SettingsChange::Update(const std::string* old, std::string* updated) {
  std::string text = old != nullptr ? *old : std::string();
  for (const Entry& e : entries_) {
    if (!EditProfileText(text, e.section, e.key, e.value, &text)) return false;
  }
  *updated = std::move(text);
  return true;
}

}  // namespace cindral
