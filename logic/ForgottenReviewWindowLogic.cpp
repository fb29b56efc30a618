// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ForgottenReviewWindowLogic.h"

#include "core/KeyCodes.h"
#include "logic/GroupTest.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

ForgottenReviewWindowLogic::ForgottenReviewWindowLogic(Program& program) : program_(program) {}

void ForgottenReviewWindowLogic::Created() {
  AppState& state = program_.state();
  if (state.ForgottenList.empty()) {
    closed_ = true;
    return;
  }
  if (state.ForgottenPosition < 1 ||
      static_cast<size_t>(state.ForgottenPosition) > state.ForgottenList.size()) {
    state.ForgottenPosition = 1;
  }
  ShowEntry();
}

void ForgottenReviewWindowLogic::ShowEntry() {
  const AppState& state = program_.state();
  const DueEntry& entry = state.ForgottenList[static_cast<size_t>(state.ForgottenPosition) - 1];
  word_ = entry.Word;
  meaning_ = entry.Meaning;
  focus_.Request();
}

void ForgottenReviewWindowLogic::NextButton() {
  if (closed_) return;
  AppState& state = program_.state();
  ++state.ForgottenPosition;
  if (static_cast<size_t>(state.ForgottenPosition) > state.ForgottenList.size()) {
    program_.prompter().Inform(GBK("复习完毕！"), GBK("结束"));
    closed_ = true;
    return;
  }
  ShowEntry();
}

void ForgottenReviewWindowLogic::PreviousButton() {
  if (closed_) return;
  AppState& state = program_.state();
  --state.ForgottenPosition;
  if (state.ForgottenPosition == 0) {
    state.ForgottenPosition = 1;
    ShowEntry();
    program_.prompter().Inform(GBK("这已经是第一个啦！"), GBK("提示"));
    return;
  }
  ShowEntry();
}

// The word goes back as a new record in the group of the book's last
// record, with that record's proficiency and the next serial number.
void ForgottenReviewWindowLogic::AddButton() {
  if (closed_) return;
  const AppState& state = program_.state();
  const DueEntry entry = state.ForgottenList[static_cast<size_t>(state.ForgottenPosition) - 1];
  Database& db = program_.db();
  bool added = false;
  {
    // The last record's serial number and the append that follows it are
    // one step: another program entering words waits instead of taking the
    // same number.
    WholeFileScope scope(db);
    if (scope.ok()) {
      db.GoLast();
      const int32_t group = ReadIntegerField(db, kGroupNumber);
      const int32_t proficiency = ReadIntegerField(db, kProficiency);
      const int32_t serial = ReadIntegerField(db, kSerialNumber);
      added =
          db.AddRecord({Value::Int(group), Value::Text(entry.Word + GBK(" →new")),
                        Value::Text(entry.Meaning + GBK(" →新")), Value::DateTime(program_.Today()),
                        Value::Int(proficiency), Value::Double(static_cast<double>(serial) + 1)});
    }
    added = scope.End() && added;
  }
  if (!added) {
    // Moving on would tell the learner the word is back in the book.
    program_.prompter().Fail(GBK("添加失败，请再试！"), GBK("失败"));
    return;
  }
  NextButton();
}

void ForgottenReviewWindowLogic::PracticeSpelling() {
  focus_.OpenAbove(program_.shell(), WindowId::ForgottenSpelling);
}

bool ForgottenReviewWindowLogic::KeyDown(int keyCode) {
  if (closed_) return false;
  switch (keyCode) {
    case kKeyRight:
    case kKeyTilde:
      NextButton();
      return true;
    case kKeyLeft:
      PreviousButton();
      return true;
    case kKeyA:
      AddButton();
      return true;
    case kKeyS:
      PracticeSpelling();
      return true;
    default:
      return false;
  }
}

void ForgottenReviewWindowLogic::Destroyed() { EndGroupTest(program_); }

}  // namespace cindral
