// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ForgottenReviewWindow.h"

#include "ui/ControlText.h"

namespace cindral {

ForgottenReviewWindow::ForgottenReviewWindow(Program& program, QWidget* parent)
    : LogicWindow(program, ForgottenReviewWindowLayout(), parent),
      ui_(this),
      focus_(HoldFocus(ui_.keyBox, ui_.focusTimer)) {
  HandleClicks(ui_.add, &ForgottenReviewWindowLogic::AddButton);
  HandleClicks(ui_.previous, &ForgottenReviewWindowLogic::PreviousButton);
  HandleClicks(ui_.next, &ForgottenReviewWindowLogic::NextButton);
  HandleClose(&ForgottenReviewWindowLogic::Destroyed);
}

void ForgottenReviewWindow::Run() {
  Handle(&ForgottenReviewWindowLogic::Created);
  Open();
}

void ForgottenReviewWindow::Show() {
  SetControlText(ui_.word, logic_.wordText());
  SetControlText(ui_.meaning, logic_.meaningText());
  focus_.Follow(logic_.focusRequests());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunForgottenReviewWindow(Program& program, QWidget* parent) {
  ForgottenReviewWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
