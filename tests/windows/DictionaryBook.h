// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word book for the tests of the learning card's dictionary pages: its
// words all due today, and the three services on one web server.

#include <QByteArray>
#include <memory>
#include <utility>
#include <vector>

#include "TestWorld.h"
#include "plan/DayPlan.h"

namespace cindral::testing {

inline constexpr double kDictionaryBookDay = 45000.0;

// `words` are (word, meaning) in UTF-8, in group 1 at proficiency 20;
// `base` is the base address of all three services.
inline std::unique_ptr<test::TestWorld> DictionaryBook(
    const QByteArray& base, const std::vector<std::pair<const char*, const char*>>& words) {
  auto world = std::make_unique<test::TestWorld>(kDictionaryBookDay);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  for (const auto& [word, meaning] : words) {
    world->AddWord(1, word, kDictionaryBookDay, 20, meaning);
  }
  for (const char* key : {"base1", "base2", "base3"}) {
    world->settings->WriteSetting("Dictionary", key, base.toStdString());
  }
  world->P().LoadCurrentGroup();
  ComputeDayPlan(world->P());
  return world;
}

}  // namespace cindral::testing
