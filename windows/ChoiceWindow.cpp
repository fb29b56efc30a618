// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ChoiceWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include "ui/ControlText.h"
#include "ui/TimerBinding.h"

namespace cindral {

ChoiceWindow::ChoiceWindow(Program& program, QWidget* parent)
    : LogicWindow(program, ChoiceWindowLayout(), parent),
      ui_(this),
      options_(ui_.option1->group()),
      focus_(HoldFocus(ui_.keyBox, ui_.focusTimer)) {
  connect(options_, &QButtonGroup::idClicked, this,
          [this](int id) { Handle([this, id] { logic_.Choose(id); }); });
  SetCloseQuery([this] { return logic_.QueryClose(); });
  BindTimer(ui_.timer, logic_.timer(), [this] { Handle(&ChoiceWindowLogic::TimerTick); });
}

void ChoiceWindow::Run() {
  Handle(&ChoiceWindowLogic::Created);
  Open();
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
