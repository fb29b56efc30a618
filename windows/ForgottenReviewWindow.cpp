// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ForgottenReviewWindow.h"

#include <QPushButton>
#include <utility>

#include "ui/ControlText.h"
#include "ui/Guard.h"

namespace cindral {

ForgottenReviewWindow::ForgottenReviewWindow(Program& program, QWidget* parent)
    : ModalWindow(ForgottenReviewWindowLayout(), parent),
      ui_(this),
      program_(program),
      logic_(program),
      focus_(
          this, ui_.keyBox, ui_.focusTimer, logic_.focusTimer(),
          [this](const std::function<void()>& step) { Handle(step); },
          [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); }) {
  const std::pair<QPushButton*, void (ForgottenReviewWindowLogic::*)()> buttons[] = {
      {ui_.add, &ForgottenReviewWindowLogic::AddButton},
      {ui_.previous, &ForgottenReviewWindowLogic::PreviousButton},
      {ui_.next, &ForgottenReviewWindowLogic::NextButton}};
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this,
            [this, handler = handler] { Handle([=] { (logic_.*handler)(); }); });
  }
  SetClosedHandler([this] { RunGuarded(program_.prompter(), [this] { logic_.Destroyed(); }); });
}

void ForgottenReviewWindow::Run() {
  Handle([this] { logic_.Created(); });
  Open();
}

void ForgottenReviewWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
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
