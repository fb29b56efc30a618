#pragma once
// The proficiency steps of the learning card and the group test. Each step
// reads the value stored in the word book (not the list's copy), writes the
// new value back and copies it into the due entry, so the list follows the
// book at every step.

#include "app/core/Program.h"

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
// (plus = "false"), then the bonus is marked given.
void ApplyLearningBonus(Program& program);

}  // namespace cindral
