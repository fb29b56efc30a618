// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ForgottenReviewWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/ControlText.h"
#include "ui/FocusHolder.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/TimerBinding.h"
#include "ui/WindowBuilder.h"

namespace cindral {

ForgottenReviewWindow::ForgottenReviewWindow(Program& program, QWidget* parent)
    : ModalWindow(ForgottenReviewWindowLayout(), parent),
      program_(program),
      logic_(program),
      focus_(this, Control<QLineEdit>(this, "编辑框提供快捷键"), logic_.focusTimer(),
             [this](const std::function<void()>& step) { Handle(step); },
             [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); }) {
  const struct {
    const char* name;
    void (ForgottenReviewWindowLogic::*handler)();
  } buttons[] = {{"按钮添加到生词本", &ForgottenReviewWindowLogic::AddButton},
                 {"按钮上一个", &ForgottenReviewWindowLogic::PreviousButton},
                 {"按钮下一个", &ForgottenReviewWindowLogic::NextButton}};
  for (const auto& button : buttons) {
    connect(Control<QPushButton>(this, button.name), &QPushButton::clicked, this,
            [this, handler = button.handler] { Handle([=] { (logic_.*handler)(); }); });
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
  SetControlText(Control<QWidget>(this, "标签单词"), logic_.wordText());
  SetControlText(Control<QWidget>(this, "标签释义"), logic_.meaningText());
  focus_.Follow(logic_.focusRequests());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunForgottenReviewWindow(Program& program, QWidget* parent) {
  ForgottenReviewWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
