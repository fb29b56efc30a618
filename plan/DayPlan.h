#pragma once
// Which words are due today: the plan table during the 88-day learning
// phase, a built-in table during the 12 review-only days after it.

#include <cstdint>
#include <vector>

#include "core/Program.h"

namespace cindral {

constexpr int32_t kLearningPhaseDays = 88;
constexpr int32_t kReviewPhaseDays = 12;

// Rebuilds DueList; may show messages, write the daily flags and open the
// entry gate (whose window, when closed, computes the plan again).
void ComputeDayPlan(Program& program);

// While ReviewPhaseStart is unknown: fixes it from the book's first record
// when that record is of group 1 (its entry date + 88 days). The plan does
// this first; a caller that needs the phase without a plan calls it alone.
void FindReviewPhaseStart(Program& program);

// Lowers every word's proficiency by one (never below 1) when today's decay
// is due, then marks it done; tells the learner when it could not be
// stored (it stays due then).
void DecayProficiency(Program& program);
// The decay itself: when minus is exactly "false", every word loses one
// (never below 1) and minus becomes "true", in one change of the book and
// the settings file. False when the decay was due and could not be stored
// whole: then neither file changed.
bool DecayWordBook(Database& db, const Settings& settings);

// True when the 12 review-only days that began on `reviewPhaseStart` are
// over by `today`.
bool IsCourseFinished(double reviewPhaseStart, double today);

// The groups due on review day n (0..11); empty outside that range.
const std::vector<int32_t>& ReviewPhaseGroups(int32_t n);

// Whether a date-time is the zero date ("no date yet").
bool IsZeroDate(double d);

}  // namespace cindral
