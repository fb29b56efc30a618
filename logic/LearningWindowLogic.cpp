// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/LearningWindowLogic.h"

#include "book/ProficiencySteps.h"
#include "book/WordBookChanges.h"
#include "core/KeyCodes.h"
#include "logic/GroupTest.h"
#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {
namespace {

// A position the card cannot show: past the list's end, or 0 and below
// (reviewnumber missing or damaged). Both start the list again.
bool OutsideList(int32_t position, size_t count) {
  return position < 1 || static_cast<size_t>(position) > count;
}

}  // namespace

LearningWindowLogic::LearningWindowLogic(Program& program)
    : program_(program), speaker_(program, GBK("朗读单词（P）")), studyDay_(program) {}

void LearningWindowLogic::Created() {
  studyDay_.Hold();
  focus_.Request();
  ++viewPreparations_;
  // The card is the group test's exactly while the test's choice window exists.
  studyMode_ = !program_.shell().IsWindowOpen(WindowId::Choice);
  const int32_t position = program_.LoadReviewPosition();
  const size_t count = program_.state().DueList.size();

  if (position == 1) {
    if (count == 0) return RefuseEmptyList();
    if (!studyMode_) RaiseShownWord();
    return ShowCurrentWord();
  }
  if (studyMode_) {
    if (program_.prompter().Ask(GBK("是否接着上次复习的单词继续？"), GBK("提示"),
                                MessageIcon::Information)) {
      if (count == 0) return RefuseEmptyList();
      if (OutsideList(position, count)) program_.SetReviewPosition(1);
    } else {
      program_.SetReviewPosition(1);
      if (count == 0) return RefuseEmptyList();
    }
    return ShowCurrentWord();
  }
  if (count == 0) return RefuseEmptyList();
  if (OutsideList(position, count)) program_.SetReviewPosition(1);
  RaiseShownWord();
  ShowCurrentWord();
}

// A card shown in the test raises its word.
void LearningWindowLogic::RaiseShownWord() {
  if (DueEntry* entry = CurrentDueEntry(program_)) RaiseProficiency(program_.db(), *entry);
}

void LearningWindowLogic::RefuseEmptyList() {
  program_.prompter().Inform(GBK("没有可以学习的单词，快去添加吧！"), GBK("请添加单词"));
  closed_ = true;
}

void LearningWindowLogic::ShowCurrentWord() {
  const DueEntry* entry = CurrentDueEntry(program_);
  if (entry == nullptr) return;
  progress_ = entry->Proficiency;
  positionText_ = IntegerToText(program_.ReviewPosition());
  countText_ = IntegerToText(static_cast<int32_t>(program_.state().DueList.size()));
  proficiencyText_ = IntegerToText(entry->Proficiency) + "%";
  pagesWord_ = entry->Word;
  pagesMeaning_ = entry->Meaning;
  speaker_.SetWord(entry->Word);
  ++pageLoads_;
}

void LearningWindowLogic::NextButton() {
  if (closed_ || !studyMode_) return;
  ++viewPreparations_;
  const int64_t count = static_cast<int64_t>(program_.state().DueList.size());
  if (program_.ReviewPosition() >= count) {
    program_.prompter().Inform(GBK("已学习完毕，趁热打铁，快快复习一下吧！"), GBK("学习完毕"));
    program_.SetReviewPosition(1);
    ApplyLearningBonus();
    closed_ = true;
    return;
  }
  program_.SetReviewPosition(program_.ReviewPosition() + 1);
  ShowCurrentWord();
}

// Every due word gains 20 when today's bonus is still due (plus = "false"),
// and the bonus is marked given; the learner hears of a bonus that could not
// be stored (it stays due then).
void LearningWindowLogic::ApplyLearningBonus() {
  if (!program_.BonusDue()) return;
  if (GiveLearningBonus(program_.db(), program_.settings(), program_.state().DueList) ==
      BonusOutcome::NotStored) {
    program_.prompter().Fail(GBK("今天的学习奖励（熟练度+20）没有保存成功，下次学完时再给。"),
                             GBK("出错了"));
  }
}

void LearningWindowLogic::AdvanceReviewPosition() {
  program_.SetReviewPosition(program_.ReviewPosition() + 1);
  closed_ = true;
}

void LearningWindowLogic::KnownButton() {
  if (closed_ || studyMode_) return;
  AdvanceReviewPosition();
}

void LearningWindowLogic::ForgottenButton() {
  if (closed_ || studyMode_) return;
  if (DueEntry* entry = CurrentDueEntry(program_)) {
    program_.state().ForgottenList.push_back(*entry);
    LowerProficiency(program_.db(), *entry);
  }
  AdvanceReviewPosition();
}

void LearningWindowLogic::DeleteButton() {
  if (closed_ || studyMode_) return;
  Prompter& prompter = program_.prompter();
  if (!prompter.Ask(GBK("您确定要删除吗？"), GBK("询问"))) return;
  const DueEntry* entry = CurrentDueEntry(program_);
  if (entry == nullptr) return;
  Database& db = program_.db();
  std::vector<DueEntry>& due = program_.state().DueList;
  if (due.size() == 1) {
    prompter.Inform(GBK("这是今天所学的最后一个单词，不能都删了哦！"), GBK("提示"));
    return;
  }
  // The mark, the purge and the renumbering are one change: a deletion cut
  // short, or one whose renumbering cannot be stored, leaves the book as it
  // was, never a book whose serial numbers the due lists would mistake.
  // A mark that did not take would let the purge "succeed" with the word
  // still in the book.
  bool deleted = false;
  {
    WholeFileScope scope(db);
    deleted = scope.ok() && db.GoTo(entry->SerialNumber) && db.MarkDeleted() && db.PurgeDeleted() &&
              RenumberWords(db);
    deleted = scope.End() && deleted;
  }
  if (!deleted) {
    prompter.Fail(GBK("删除失败，请再试！"), GBK("失败"));
    return;
  }
  prompter.Inform(GBK("删除成功！"), GBK("成功"));
  const int32_t position = program_.ReviewPosition();
  due.erase(due.begin() + (position - 1));
  program_.SetReviewPosition(position - 1);
  ComputeDayPlan(program_);
  AdvanceReviewPosition();
}

void LearningWindowLogic::UpdateButton() {
  if (closed_) return;
  program_.shell().OpenWindow(WindowId::UpdateWord);
}

void LearningWindowLogic::PracticeSpelling() {
  // The focus timer would pull the keyboard away from the practice window.
  focus_.OpenAbove(program_.shell(), WindowId::PracticeSpelling);
}

bool LearningWindowLogic::KeyDown(int keyCode) {
  if (closed_) return false;
  switch (keyCode) {
    case kKeyD:
      DeleteButton();
      return true;
    case kKeyF:
      ForgottenButton();
      return true;
    case kKeyRight:
    case kKeyTilde:
      if (studyMode_) {
        NextButton();
      } else {
        KnownButton();
      }
      return true;
    case kKeyS:
      PracticeSpelling();
      return true;
    case kKeyP:
      SpeakerButton();
      return true;
    default:
      return false;
  }
}

void LearningWindowLogic::SpeakerButton() {
  if (!closed_) speaker_.Speak();
}

void LearningWindowLogic::Destroyed() {
  if (studyMode_) {
    program_.shell().BringMainWindowToFront();
  } else {
    ContinueGroupTest(program_);
  }
}

void LearningWindowLogic::AfterClosed() {
  if (studyDay_.Release()) ComputeDayPlan(program_);
}

}  // namespace cindral
