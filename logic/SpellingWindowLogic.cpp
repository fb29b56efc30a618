// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/SpellingWindowLogic.h"

#include "book/ProficiencySteps.h"
#include "core/KeyCodes.h"
#include "plan/DayPlan.h"
#include "store/Gbk.h"

namespace cindral {

SpellingWindowLogic::SpellingWindowLogic(Program& program)
    : program_(program), verdict_(GBK("？")), studyDay_(program) {}

void SpellingWindowLogic::Created() {
  studyDay_.Hold();
  const std::vector<DueEntry>& due = program_.state().DueList;
  if (due.empty()) {
    program_.prompter().Inform(GBK("没有可以学习的单词，快去添加吧！"), GBK("请添加单词"));
    closed_ = true;
    return;
  }
  const int32_t position = program_.LoadReviewPosition();
  if (position != 1) {
    if (!program_.prompter().Ask(GBK("是否接着上次复习的单词继续？"), GBK("提示"),
                                 MessageIcon::Information)) {
      program_.SetReviewPosition(1);
    } else if (position < 1 || static_cast<size_t>(position) > due.size()) {
      // Past the list (or 0 and below, a missing reviewnumber): start again.
      program_.SetReviewPosition(1);
    }
  }
  ShowEntry();
}

void SpellingWindowLogic::ShowEntry() {
  if (const DueEntry* entry = CurrentDueEntry(program_)) meaning_ = entry->Meaning;
  input_.clear();
  ++focusRequests_;
}

void SpellingWindowLogic::Submit() {
  // One answer per word: while its mark shows, the word is answered.
  if (closed_ || timer_.running()) return;
  const DueEntry* entry = CurrentDueEntry(program_);
  // Byte for byte: letter case and blanks count.
  verdict_ = (entry != nullptr && input_ == entry->Word) ? GBK("√") : GBK("×");
  timer_.Set(kVerdictInterval);
  ++focusRequests_;
}

void SpellingWindowLogic::Forgotten() {
  // A second press during the mark (a double click) would lower the word
  // once more.
  if (closed_ || timer_.running()) return;
  timer_.Set(kVerdictInterval);
  if (DueEntry* entry = CurrentDueEntry(program_)) LowerProficiency(program_.db(), *entry);
  ++focusRequests_;
}

bool SpellingWindowLogic::KeyDown(int keyCode) {
  if (keyCode != kKeyEnter) return false;
  Submit();
  return true;
}

void SpellingWindowLogic::TimerTick() {
  timer_.Set(0);
  if (closed_) return;
  Shell& shell = program_.shell();
  shell.ShowWindow(WindowId::Spelling, false);
  // Returns when the card of this word has closed and the test has gone on
  // (ContinueGroupTest): either this window is back with the next word to
  // ask, or the test has ended and closed it.
  shell.OpenWindow(WindowId::Choice);
  if (!shell.IsWindowOpen(WindowId::Spelling)) {
    closed_ = true;
    return;
  }
  ShowEntry();
  verdict_ = "?";
}

void SpellingWindowLogic::AfterClosed() {
  if (studyDay_.Release()) ComputeDayPlan(program_);
}

}  // namespace cindral
