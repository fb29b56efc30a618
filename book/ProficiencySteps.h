// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The proficiency steps of the learning card and the group test, the day's
// learning bonus and the day's decay. Each step reads the value stored in
// the word book (not the entry's copy), writes the new value back and copies
// it into the due entry, so the list follows the book at every step.

#include <cstdint>
#include <vector>

#include "core/DueEntry.h"
#include "core/Settings.h"
#include "store/Database.h"

namespace cindral {

constexpr int32_t kLearningBonus = 20;
constexpr int32_t kMaxProficiency = 100;
constexpr int32_t kMinProficiency = 1;

// The entry's word gains 1 (at most 100): a card shown in the test.
void RaiseProficiency(Database& db, DueEntry& entry);
// The entry's word loses 1 (never below 1): a word forgotten.
void LowerProficiency(Database& db, DueEntry& entry);

enum class BonusOutcome { NotDue, Given, NotStored };
// The day's learning bonus: when plus is exactly "false", every word of
// `due` gains 20 (at most 100) in the book and in the list, and plus
// becomes "true", in one change of the book and the settings file.
// NotStored: the bonus was due and could not be stored whole, and neither
// file nor the list changed.
BonusOutcome GiveLearningBonus(Database& db, const Settings& settings, std::vector<DueEntry>& due);

// The day's decay: when minus is exactly "false", every word loses one
// (never below 1) and minus becomes "true", in one change of the book and
// the settings file; the entries of `due` (copied from the book before)
// lose one with their words. False when the decay was due and could not be
// stored whole: then neither file nor the list changed.
bool DecayWordBook(Database& db, const Settings& settings, std::vector<DueEntry>& due);

}  // namespace cindral
