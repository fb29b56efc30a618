// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/SpellingWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/TimerBinding.h"
#include "ui/WindowBuilder.h"

namespace cindral {

SpellingWindow::SpellingWindow(Program& program, QWidget* parent)
    : ModalWindow(SpellingWindowLayout(), parent),
      program_(program),
      logic_(program),
      wordBox_(Control<QLineEdit>(this, "编辑框输入单词")) {
  connect(Control<QPushButton>(this, "按钮提交"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.Submit(); }); });
  connect(Control<QPushButton>(this, "按钮遗忘"), &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.Forgotten(); }); });
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != wordBox_) return false;
    bool used = false;
    Handle([&] { used = logic_.KeyDown(key); });
    return used;
  });
  BindTimer(this, "时钟", logic_.timer(), [this] { Handle([this] { logic_.TimerTick(); }); });
}

void SpellingWindow::Run() {
  Handle([this] { logic_.Created(); });
  Open();
  // After the nested windows of the test have gone too.
  RunGuarded(program_.prompter(), [this] { logic_.AfterClosed(); });
}

void SpellingWindow::Handle(const std::function<void()>& handler) {
  logic_.SetInput(ControlText(wordBox_));
  RunGuarded(program_.prompter(), handler);
  Show();
}

void SpellingWindow::Show() {
  SetControlText(Control<QWidget>(this, "标签释义"), logic_.meaningText());
  SetControlText(Control<QWidget>(this, "标签判断单词对错"), logic_.verdictText());
  if (ControlText(wordBox_) != logic_.input()) SetControlText(wordBox_, logic_.input());
  if (focusRequestsDone_ != logic_.focusRequests()) {
    focusRequestsDone_ = logic_.focusRequests();
    wordBox_->setFocus();
  }
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunSpellingWindow(Program& program, QWidget* parent) {
  SpellingWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
