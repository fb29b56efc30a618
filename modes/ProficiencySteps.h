#pragma once
// The proficiency steps of the learning card and the group test. Each step
// reads the value stored in the word book (not the list's copy), writes the
// new value back and copies it into the due entry, so the list follows the
// book at every step.

#include <vector>

#include "core/Program.h"

namespace cindral {

constexpr int32_t kLearningBonus = 20;
constexpr int32_t kMaxProficiency = 100;
constexpr int32_t kMinProficiency = 1;

// The due entry at ReviewPosition; nullptr when the position lies outside
// the due list.
DueEntry* CurrentDueEntry(Program& program);

// The word at ReviewPosition gains 1 (at most 100): a card shown in the test.
void RaiseProficiency(Program& program);
// The word at ReviewPosition loses 1 (never below 1): a word forgotten.
void LowerProficiency(Program& program);
// Every due word gains 20 (at most 100) when today's bonus is still due
// (plus = "false"), and the bonus is marked given; the learner hears of a
// bonus that could not be stored (it stays due then).
void ApplyLearningBonus(Program& program);

enum class BonusOutcome { NotDue, Given, NotStored };
// The bonus itself: when plus is exactly "false", every word of `due`
// gains 20 (at most 100) in the book and in the list, and plus becomes
// "true", in one change of the book and the settings file. NotStored: the
// bonus was due and could not be stored whole, and neither file nor the
// list changed.
BonusOutcome GiveLearningBonus(Database& db, const Settings& settings,
                               std::vector<DueEntry>& due);

}  // namespace cindral
