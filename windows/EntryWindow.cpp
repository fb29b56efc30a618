// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/EntryWindow.h"

#include <QLineEdit>
#include <QShortcut>

#include "ui/ControlText.h"
#include "ui/VirtualKey.h"

namespace cindral {

EntryWindow::EntryWindow(Program& program, QWidget* parent)
    : LogicWindow(program, EntryWindowLayout(), parent),
      ui_(this),
      form_(this, ui_, [this] { Handle(&EntryWindowLogic::Submit); }) {
  // Enter on the window or in either box submits.
  SetKeyHandler([this](QWidget* control, int key) {
    if (key != kKeyEnter) return false;
    if (control != this && !form_.Holds(control)) return false;
    Handle([this] { logic_.KeyDown(kKeyEnter); });
    return true;
  });
  // A word list instead of typing: Ctrl+I, or the button, which stays out
  // of the boxes' Tab order.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this), &QShortcut::activated, this,
          [this] { Handle(&EntryWindowLogic::Import); });
  // The hint follows the word as it is typed; F2 fills it in.
  connect(form_.wordBox(), &QLineEdit::textEdited, this, [this] { Handle([] {}); });
  connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
          [this] { Handle(&EntryWindowLogic::FillMeaning); });
  ui_.importButton->setFocusPolicy(Qt::NoFocus);
  HandleClicks(ui_.importButton, &EntryWindowLogic::Import);
  SetCloseQuery([this] {
    bool mayClose = false;
    Guarded([&] { mayClose = logic_.QueryClose(); });
    return mayClose;
  });
  HandleClose(&EntryWindowLogic::Destroyed);
  Handle(&EntryWindowLogic::Created);
}

void EntryWindow::Prefill(const std::string& word, const std::string& meaning) {
  Handle([&] { logic_.Prefill(word, meaning); });
}

void EntryWindow::ReadInput() { form_.PassTexts(logic_); }

void EntryWindow::Show() {
  if (form_.word() != logic_.word()) SetControlText(form_.wordBox(), logic_.word());
  if (form_.meaning() != logic_.meaning()) SetControlText(form_.meaningBox(), logic_.meaning());
  SetControlText(ui_.importResult, logic_.importText());
  SetControlText(ui_.meaningHint, logic_.hintText());
  (logic_.focus() == EntryWindowLogic::Focus::Word ? form_.wordBox() : form_.meaningBox())
      ->setFocus();
}

void RunEntryWindow(Program& program, QWidget* parent) {
  EntryWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
