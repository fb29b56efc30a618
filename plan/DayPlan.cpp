// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/DayPlan.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "book/ProficiencySteps.h"
#include "book/TodaysWords.h"
#include "plan/EntryGate.h"
#include "plan/PlanTable.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

// Days from b to a, in the shared day arithmetic.
double DaysBetween(double a, double b) { return DateInterval(a, b, kUnitDay); }

// The zero date as the review phase start tests it: by its date text.
bool ZeroByText(double d) { return DateToText(d, 2) == GBK("1899年12月30日"); }

DueEntry ReadDueEntry(Database& db, int32_t group) {
  DueEntry e;
  e.GroupNumber = group;
  e.Word = ReadTextField(db, kWord);
  e.Meaning = ReadTextField(db, kMeaning);
  e.Proficiency = ReadIntegerField(db, kProficiency);
  e.SerialNumber = ReadIntegerField(db, kSerialNumber);
  return e;
}

// Walks the word book once, in record order. For each record, `copies`
// says how many due entries its group earns (0 = not due).
template <typename Copies>
void CollectDueWords(Program& program, Copies copies) {
  Database& db = program.db();
  std::vector<DueEntry>& due = program.state().DueList;
  // One lock for the walk, under which the book is read in large blocks;
  // other readers are not kept out.
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    const int32_t group = ReadIntegerField(db, kGroupNumber);
    const int n = copies(group);
    if (n > 0) {
      DueEntry e = ReadDueEntry(db, group);
      for (int k = 1; k < n; ++k) due.push_back(e);
      due.push_back(std::move(e));
    }
    db.Skip(1);
  }
}

void PlanLearningDay(Program& program) {
  // How often the line lists each group: counted once, so that a long line
  // costs its length and not its length for every word. A group listed
  // over and over is due only as often as kMostListingsOfAGroup says, so
  // that no table makes the day's list a copy of the book without end.
  std::map<int32_t, int> listed;
  bool capped = false;
  for (const std::string& piece : ReadPlanLine(PlanTableFileName(), program.CurrentGroup())) {
    int& times = listed[TextToInteger(piece)];
    if (times < kMostListingsOfAGroup) {
      ++times;
    } else {
      capped = true;
    }
  }
  if (capped) {
    std::fprintf(stderr,
                 "cindral: line %d of the plan table lists a group more than %d times; "
                 "its words are due %d times\n",
                 static_cast<int>(program.CurrentGroup()), kMostListingsOfAGroup,
                 kMostListingsOfAGroup);
  }
  if (listed.empty()) return;
  CollectDueWords(program, [&listed](int32_t group) {
    const auto it = listed.find(group);
    return it == listed.end() ? 0 : it->second;
  });
}

void PlanReviewDay(Program& program, double today, PlanMoment moment) {
  if (moment == PlanMoment::kStart) {
    program.HoldDailyFlagsReset();
  } else {
    program.ResetDailyFlags();
  }
  const double start = program.state().ReviewPhaseStart;
  const double k = DaysBetween(today, start);
  for (int32_t n = 0; n < kReviewPhaseDays; ++n) {
    if (FloatEqual(k, n)) {
      const std::vector<int32_t>& groups = ReviewPhaseGroups(n);
      CollectDueWords(program, [&groups](int32_t group) {
        return std::find(groups.begin(), groups.end(), group) != groups.end() ? 1 : 0;
      });
      return;
    }
  }
  if (FloatGreater(k, kReviewPhaseDays - 1) && !IsZeroDate(start)) {
    program.prompter().Inform(GBK("您已经学习完毕，请重置单词数据库后继续开始单词之旅！"),
                              GBK("成功了"));
    program.shell().SetEntryButtonEnabled(false);
  }
}

}  // namespace

const std::vector<int32_t>& ReviewPhaseGroups(int32_t n) {
  static const std::array<std::vector<int32_t>, kReviewPhaseDays> kGroups = {{
      {57, 75, 83, 86, 88},
      {58, 59, 76, 84, 87},
      {60, 77, 78, 85, 88},
      {61, 62, 79, 86, 87},
      {63, 64, 80, 81, 88},
      {65, 66, 82, 83, 84},
      {67, 68, 69, 85, 86},
      {70, 71, 72, 87, 88},
      {73, 74, 75, 76, 77},
      {78, 79, 80, 81, 82},
      {83, 84, 85, 86, 87},
      {88},
  }};
  static const std::vector<int32_t> kNone;
  return (n >= 0 && n < kReviewPhaseDays) ? kGroups[n] : kNone;
}

void FindReviewPhaseStart(Program& program) {
  double start = kZeroDate;
  const bool known = ReviewPhaseStartOf(program.db(), &start);
  AppState& state = program.state();
  if (known && ZeroByText(state.ReviewPhaseStart)) state.ReviewPhaseStart = start;
}

void ComputeDayPlan(Program& program, PlanMoment moment) {
  AppState& state = program.state();
  Database& db = program.db();
  state.DueList.clear();

  double lastDate = 0;
  {
    // The first and last records, read under one lock.
    WholeFileScope scope(db, WholeFileScope::Kind::Shared);
    FindReviewPhaseStart(program);
    db.GoLast();
    lastDate = ReadDateField(db, kEntryDate);
  }
  const double today = program.Today();

  if (FloatGreaterEqual(DaysBetween(today, state.ReviewPhaseStart), 0)) {
    PlanReviewDay(program, today, moment);
    return;
  }

  const double sinceLast = DaysBetween(today, lastDate);
  if (FloatEqual(sinceLast, 0)) {
    PlanLearningDay(program);
  } else if (FloatEqual(sinceLast, 1)) {
    program.SetReviewPosition(1);
    program.ResetDailyFlags();
    program.prompter().Inform(GBK("今日还没有学习新单词呢，快快学习吧！"),
                              GBK("请先录入今天所学的单词"));
    OpenEntryGate(program);
  } else if (IsZeroDate(lastDate)) {
    program.SetReviewPosition(1);
    program.ResetDailyFlags();
    OpenEntryGate(program);
  } else {
    program.prompter().Inform(GBK("您已多天没有学习单词，请重置单词数据库后重新学习！"),
                              GBK("提示"));
    program.ResetDailyFlags();
    program.shell().BringMainWindowToFront();
  }
}

void DecayProficiency(Program& program) {
  const bool due = program.DecayDue();
  program.NoteDecayTaken();
  if (!due) return;
  if (!DecayWordBook(program.db(), program.settings(), program.state().DueList)) {
    program.prompter().Inform(GBK("今天的熟练度衰减没有保存成功，下次启动时再进行。"), GBK("提示"));
  }
}

bool IsCourseFinished(double reviewPhaseStart, double today) {
  return !IsZeroDate(reviewPhaseStart) &&
         FloatGreater(DaysBetween(today, reviewPhaseStart) - (kReviewPhaseDays - 1), 0);
}

}  // namespace cindral
