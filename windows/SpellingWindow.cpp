// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SpellingWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/TimerBinding.h"

namespace cindral {

SpellingWindow::SpellingWindow(Program& program, QWidget* parent)
    : ModalWindow(SpellingWindowLayout(), parent), ui_(this), program_(program), logic_(program) {
  connect(ui_.submit, &QPushButton::clicked, this, [this] { Handle([this] { logic_.Submit(); }); });
  connect(ui_.forgotten, &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.Forgotten(); }); });
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != ui_.word) return false;
    bool used = false;
    Handle([&] { used = logic_.KeyDown(key); });
    return used;
  });
  BindTimer(ui_.timer, logic_.timer(), [this] { Handle([this] { logic_.TimerTick(); }); });
}

void SpellingWindow::Run() {
  Handle([this] { logic_.Created(); });
  Open();
  // After the nested windows of the test have gone too.
  RunGuarded(program_.prompter(), [this] { logic_.AfterClosed(); });
}

void SpellingWindow::Handle(const std::function<void()>& handler) {
  logic_.SetInput(ControlText(ui_.word));
  RunGuarded(program_.prompter(), handler);
  Show();
}

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
