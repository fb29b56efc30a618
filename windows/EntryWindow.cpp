// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/EntryWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/VirtualKey.h"
#include "ui/WindowBuilder.h"

namespace cindral {

EntryWindow::EntryWindow(Program& program, QWidget* parent)
    : ModalWindow(EntryWindowLayout(), parent),
      program_(program),
      logic_(program),
      form_(this, [this] { Handle([this] { logic_.Submit(); }); }) {
  // Enter on the window or in either box submits.
  SetKeyHandler([this](QWidget* control, int key) {
    if (key != kKeyEnter) return false;
    if (control != this && !form_.Holds(control)) return false;
    Handle([this] { logic_.KeyDown(kKeyEnter); });
    return true;
  });
  // A word list instead of typing: Ctrl+I, or the button, which stays out
  // of the boxes' Tab order.
  const auto import = [this] { Handle([this] { logic_.Import(); }); };
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this), &QShortcut::activated, this,
          import);
  auto* importButton = Control<QPushButton>(this, "按钮从文件导入");
  importButton->setFocusPolicy(Qt::NoFocus);
  connect(importButton, &QPushButton::clicked, this, import);
  SetCloseQuery([this] {
    bool mayClose = false;
    RunGuarded(program_.prompter(), [&] { mayClose = logic_.QueryClose(); });
    return mayClose;
  });
  SetClosedHandler([this] { RunGuarded(program_.prompter(), [this] { logic_.Destroyed(); }); });
  Handle([this] { logic_.Created(); });
}

void EntryWindow::Handle(const std::function<void()>& handler) {
  form_.PassTexts(logic_);
  RunGuarded(program_.prompter(), handler);
  Show();
}

void EntryWindow::Show() {
  if (form_.word() != logic_.word()) SetControlText(form_.wordBox(), logic_.word());
  if (form_.meaning() != logic_.meaning()) SetControlText(form_.meaningBox(), logic_.meaning());
  SetControlText(Control<QWidget>(this, "标签导入结果"), logic_.importText());
  (logic_.focus() == EntryWindowLogic::Focus::Word ? form_.wordBox() : form_.meaningBox())
      ->setFocus();
}

void RunEntryWindow(Program& program, QWidget* parent) {
  EntryWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
