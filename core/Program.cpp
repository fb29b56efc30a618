// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Program.h"

#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {

double Program::Today() const {
  return studyDayHolds_ > 0 ? heldStudyDay_ : DatePart(CurrentDateTime(clock_));
}

void Program::HoldStudyDay() {
  if (studyDayHolds_++ == 0) heldStudyDay_ = DatePart(CurrentDateTime(clock_));
}

bool Program::ReleaseStudyDay() {
  if (studyDayHolds_ == 0 || --studyDayHolds_ > 0) return false;
  return !SameDateTime(heldStudyDay_, DatePart(CurrentDateTime(clock_)));
}

bool Program::BackUp(std::string* reason) {
  return backups_.Take(db_, settings_.Path(), CurrentDateTime(clock_), reason);
}

std::string Program::ReadConfig(const std::string& key) const {
  return settings_.ReadSetting(kConfigSection, key);
}

void Program::WriteConfig(const std::string& key, const std::string& text) {
  if (settings_.WriteSetting(kConfigSection, key, text) || settingsFailureShown_) return;
  // The learner's progress is not being kept: say so, once a run, and go on.
  settingsFailureShown_ = true;
  prompter_.Fail(GBK("设置保存失败，请检查程序目录是否可写！"), GBK("出错了"));
}

void Program::SetReviewPosition(int32_t position) {
  reviewPosition_ = position;
  WriteConfig("reviewnumber", IntegerToText(position));
}

int32_t Program::LoadReviewPosition() {
  reviewPosition_ = TextToInteger(ReadConfig("reviewnumber"));
  return reviewPosition_;
}

int32_t Program::LoadCurrentGroup() {
  currentGroup_ = TextToInteger(ReadConfig("groupnumber"));
  return currentGroup_;
}

bool Program::BonusDue() const { return dailyFlagsResetHeld_ || ReadConfig("plus") == "false"; }
bool Program::DecayDue() const { return dailyFlagsResetHeld_ || ReadConfig("minus") == "false"; }

bool Program::DecayTakenToday() const {
  return decayTakenOn_ != 0 && SameDateTime(decayTakenOn_, Today());
}

void Program::ResetDailyFlags() {
  dailyFlagsResetHeld_ = false;
  WriteConfig("plus", "false");
  if (!DecayTakenToday()) WriteConfig("minus", "false");
}

void Program::WriteHeldDailyFlags() {
  if (dailyFlagsResetHeld_) ResetDailyFlags();
}

DueEntry* CurrentDueEntry(Program& program) {
  std::vector<DueEntry>& due = program.state().DueList;
  const int32_t position = program.ReviewPosition();
  if (position < 1 || static_cast<size_t>(position) > due.size()) return nullptr;
  return &due[static_cast<size_t>(position) - 1];
}

}  // namespace cindral
