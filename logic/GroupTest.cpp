// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/GroupTest.h"

#include "store/Gbk.h"

namespace cindral {

void ContinueGroupTest(Program& program) {
  Shell& shell = program.shell();
  shell.ShowWindow(WindowId::Spelling, true);
  if (program.ReviewPosition() <= static_cast<int64_t>(program.state().DueList.size())) {
    shell.ActivateWindow(WindowId::Spelling);
    shell.CloseWindow(WindowId::Choice);
    return;
  }
  program.prompter().Inform(GBK("恭喜你，已经复习完毕！"), GBK("复习结束"));
  program.SetReviewPosition(1);
  if (!program.state().ForgottenList.empty()) {
    shell.OpenWindow(WindowId::ForgottenReview);
    return;
  }
  shell.BringMainWindowToFront();
  shell.CloseWindow(WindowId::Choice);
  shell.CloseWindow(WindowId::Spelling);
  program.SetReviewPosition(1);
}

void EndGroupTest(Program& program) {
  AppState& state = program.state();
  state.ForgottenPosition = 1;
  program.SetReviewPosition(1);
  state.ForgottenList.clear();
  Shell& shell = program.shell();
  shell.BringMainWindowToFront();
  shell.CloseWindow(WindowId::Choice);
  shell.CloseWindow(WindowId::Spelling);
}

}  // namespace cindral
