// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/StatisticsWindowLogic.h"

#include <cmath>
#include <cstdio>
#include <set>

#include "core/WholeFiles.h"
#include "logic/OwnFiles.h"
#include "plan/DayPlan.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

// The whole day a date falls on, as the plan compares days (within its
// tolerance).
int64_t DayOf(double date) { return static_cast<int64_t>(std::floor(date + kTolerance)); }

size_t BandOf(int32_t proficiency) {
  if (proficiency < 30) return 0;
  if (proficiency < 50) return 1;
  if (proficiency < 80) return 2;
  if (proficiency < 100) return 3;
  return 4;
}

}  // namespace

void StatisticsWindowLogic::Opened() {
  bands_ = {Band{1, 29}, Band{30, 49}, Band{50, 79}, Band{80, 99}, Band{100, 100}};
  groups_.clear();
  Database& db = program_.db();

  // One walk: the words of each group, their bands, and the first day each
  // group was entered on.
  std::map<int32_t, int64_t> groupDay;
  std::set<int64_t> entryDays;
  int32_t firstGroup = 0;
  double firstDate = kZeroDate;
  // One consistent book, and no lock taken record by record.
  WholeFileScope scope(db, WholeFileScope::Kind::Shared);
  db.GoFirst();
  wordCount_ = db.RecordCount();
  for (int32_t i = 0; i < wordCount_; ++i, db.Skip(1)) {
    const int32_t group = ReadIntegerField(db, kGroupNumber);
    const double date = ReadDateField(db, kEntryDate);
    if (i == 0) {
      firstGroup = group;
      firstDate = date;
    }
    ++groups_[group];
    ++bands_[BandOf(ReadIntegerField(db, kProficiency))].words;
    groupDay.emplace(group, DayOf(date));
    entryDays.insert(DayOf(date));
  }

  // The course starts on the day of its first word, when that word is of
  // group 1 (the same rule by which the plan finds the review phase).
  const double reviewStart = program_.state().ReviewPhaseStart;
  courseStarted_ = !IsZeroDate(reviewStart) || (firstGroup == 1 && !IsZeroDate(firstDate));
  const int64_t start =
      !IsZeroDate(reviewStart) ? DayOf(reviewStart) - kLearningPhaseDays : DayOf(firstDate);
  const int64_t today = DayOf(program_.Today());
  const int64_t todayNumber = today - start + 1;
  todayNumber_ = courseStarted_ && todayNumber >= 1 && todayNumber <= kCourseDays
                     ? static_cast<int>(todayNumber)
                     : 0;

  std::set<int64_t> dueDays;
  for (const DueEntry& entry : program_.state().DueList) {
    const auto it = groupDay.find(entry.GroupNumber);
    if (it != groupDay.end()) dueDays.insert(it->second);
  }
  dueCount_ = static_cast<int32_t>(program_.state().DueList.size());

  for (int n = 1; n <= kCourseDays; ++n) {
    CourseDay& day = days_[static_cast<size_t>(n - 1)];
    day = CourseDay{};
    day.number = n;
    day.review = n > kLearningPhaseDays;
    if (!courseStarted_) continue;
    const int64_t date = start + n - 1;
    day.learned = !day.review && entryDays.count(date) != 0;
    day.due = dueDays.count(date) != 0;
    day.past = date < today;
    day.today = date == today;
  }
}

void StatisticsWindowLogic::SavePicture(const std::function<std::string()>& picture) {
  const DateParts today = SplitDateTime(program_.Today());
  char name[64];
  std::snprintf(name, sizeof name, "-%04d-%02d-%02d.png", today.year, today.month, today.day);
  const FileChoice file =
      program_.shell().ChooseFile(FileKind::Picture, GBK("保存学习统计图片"), /*save=*/true,
                                  {GBK("PNG 图片 (*.png)")}, GBK("学习统计") + name);
  if (file.path.empty()) return;
  std::string path = file.path;
  std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : "";
  for (char& c : ending) c = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  if (ending != ".png") path += ".png";
  if (IsOwnFile(program_, path)) {
    program_.prompter().Fail(OwnFileRefusal(path), GBK("出错了"));
    return;
  }
  const std::string bytes = picture();
  if (bytes.empty() || !WriteFileWhole(GbkToUtf8(path), bytes)) {
    program_.prompter().Fail(GBK("图片保存失败，请换一个位置再试！"), GBK("出错了"));
    return;
  }
  program_.prompter().Inform(GBK("图片已保存，文件在：\n") + path, GBK("成功"));
}

}  // namespace cindral
