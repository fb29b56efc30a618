// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The offline dictionary as the study windows' logic asks it: a word's
// pronunciation in IPA and its English entry as plain lines. The desktop
// gives one that reads the installed dictionary and speech engine; without
// one, nothing is known and nothing is shown. No Qt.

#include <optional>
#include <string>

namespace cindral {

class OfflineDictionary {
 public:
  virtual ~OfflineDictionary() = default;
  // The word (GBK) in IPA ("/ˈæpəl/", GBK), or nothing.
  virtual std::optional<std::string> Pronunciation(const std::string& word) = 0;
  // The word's entry as lines (GBK, CR LF), or empty.
  virtual std::string Text(const std::string& word) = 0;
};

class NoOfflineDictionary : public OfflineDictionary {
 public:
  std::optional<std::string> Pronunciation(const std::string&) override { return std::nullopt; }
  std::string Text(const std::string&) override { return {}; }
};

}  // namespace cindral
