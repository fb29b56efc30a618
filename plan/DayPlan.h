// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which words are due today: the plan table during the 88-day learning
// phase, a built-in table during the 12 review-only days after it.

#include <cstdint>
#include <vector>

#include "book/TodaysWords.h"
#include "core/Program.h"

namespace cindral {

constexpr int32_t kReviewPhaseDays = 12;

// A group that the plan table's line lists more often than this is due
// this many times (each listing puts the group's words into the day's list
// once more).
constexpr int kMostListingsOfAGroup = 4;

// When the plan is computed: at a start, the review phase's reset of the
// daily flags is held (Program::HoldDailyFlagsReset) for the start to write
// after the main window's first paint, before the day's backup and decay.
enum class PlanMoment { kDuringRun, kStart };

// Rebuilds DueList; may show messages, write the daily flags and open the
// entry gate (whose window, when closed, computes the plan again).
void ComputeDayPlan(Program& program, PlanMoment moment = PlanMoment::kDuringRun);

// While ReviewPhaseStart is unknown: fixes it from the book's first record
// when that record is of group 1 (its entry date + 88 days). The plan does
// this first; a caller that needs the phase without a plan calls it alone.
void FindReviewPhaseStart(Program& program);

// Lowers every word's proficiency by one (never below 1) when today's decay
// is due, then marks it done; tells the learner when it could not be
// stored (it stays due then). The due list follows the book. Called once,
// at the start: the day's decay has then had its turn
// (Program::NoteDecayTaken). The decay itself: DecayWordBook.
void DecayProficiency(Program& program);

// True when the 12 review-only days that began on `reviewPhaseStart` are
// over by `today`.
bool IsCourseFinished(double reviewPhaseStart, double today);

// The groups due on review day n (0..11); empty outside that range.
const std::vector<int32_t>& ReviewPhaseGroups(int32_t n);

}  // namespace cindral
