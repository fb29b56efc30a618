// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ChoiceWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/TimerBinding.h"

namespace cindral {

ChoiceWindow::ChoiceWindow(Program& program, QWidget* parent)
    : ModalWindow(ChoiceWindowLayout(), parent),
      ui_(this),
      program_(program),
      logic_(program),
      options_(ui_.option1->group()),
      focus_(
          this, ui_.keyBox, ui_.focusTimer, logic_.focusTimer(),
          [this](const std::function<void()>& step) { Handle(step); },
          [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); }) {
  connect(options_, &QButtonGroup::idClicked, this,
          [this](int id) { Handle([this, id] { logic_.Choose(id); }); });
  SetCloseQuery([this] { return logic_.QueryClose(); });
  BindTimer(ui_.timer, logic_.timer(), [this] { Handle([this] { logic_.TimerTick(); }); });
}

void ChoiceWindow::Run() {
  Handle([this] { logic_.Created(); });
  Open();
}

void ChoiceWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
}

void ChoiceWindow::Show() {
  if (IsClosed()) return;
  SetControlText(ui_.word, logic_.wordText());
  SetControlText(ui_.verdict, logic_.verdictText());
  for (int i = 1; i <= ChoiceWindowLogic::kChoices; ++i) {
    QAbstractButton* option = options_->button(i);
    SetControlText(option, logic_.optionText(i));
    if (logic_.checkedButton() == i) option->setChecked(true);
  }
  focus_.Follow(logic_.focusRequests());
}

void RunChoiceWindow(Program& program, QWidget* parent) {
  ChoiceWindow window(program, parent);
  window.Run();
}

}  // namespace cindral
