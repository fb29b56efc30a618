// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SpellingWindow.h"

#include "ui/ControlText.h"
#include "ui/TimerBinding.h"

namespace cindral {

SpellingWindow::SpellingWindow(Program& program, QWidget* parent)
    : LogicWindow(program, SpellingWindowLayout(), parent), ui_(this) {
  HandleClicks(ui_.submit, &SpellingWindowLogic::Submit);
  HandleClicks(ui_.forgotten, &SpellingWindowLogic::Forgotten);
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != ui_.word) return false;
    bool used = false;
    Handle([&] { used = logic_.KeyDown(key); });
    return used;
  });
  BindTimer(ui_.timer, logic_.timer(), [this] { Handle(&SpellingWindowLogic::TimerTick); });
}

void SpellingWindow::Run() {
  Handle(&SpellingWindowLogic::Created);
  Open();
  // After the nested windows of the test have gone too.
  Guarded([this] { logic_.AfterClosed(); });
}

void SpellingWindow::ReadInput() { logic_.SetInput(ControlText(ui_.word)); }

void SpellingWindow::Show() {
  SetControlText(ui_.meaning, logic_.meaningText());
  SetControlText(ui_.verdict, logic_.verdictText());
  if (ControlText(ui_.word) != logic_.input()) SetControlText(ui_.word, logic_.input());
  if (focusRequestsDone_ != logic_.focusRequests()) {
    focusRequestsDone_ = logic_.focusRequests();
    ui_.word->setFocus();
  }
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunSpellingWindow(Program& program, QWidget* parent) {
  SpellingWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
