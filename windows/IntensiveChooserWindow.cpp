// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/IntensiveChooserWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/KeyCodes.h"
#include "ui/ControlText.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/WindowBuilder.h"

namespace cindral {

IntensiveChooserWindow::IntensiveChooserWindow(Program& program, QWidget* parent)
    : ModalWindow(IntensiveChooserWindowLayout(), parent),
      program_(program),
      logic_(program),
      list_(Control<QComboBox>(this, "组合框")),
      thresholdBox_(Control<QLineEdit>(this, "编辑框输入熟练度")),
      startButton_(Control<QPushButton>(this, "按钮开始")) {
  connect(startButton_, &QPushButton::clicked, this,
          [this] { Handle([this] { logic_.Start(); }); });
  // Enter in the threshold box starts, and so does Enter on the focused button.
  SetKeyHandler([this](QWidget* control, int key) {
    if (key != kKeyEnter || (control != thresholdBox_ && control != startButton_)) return false;
    Handle([this] { logic_.KeyDown(kKeyEnter); });
    return true;
  });
  list_->setFocus();
}

void IntensiveChooserWindow::Handle(const std::function<void()>& handler) {
  logic_.SelectItem(list_->currentIndex());
  logic_.SetCustomText(ControlText(thresholdBox_));
  RunGuarded(program_.prompter(), handler);
  if (logic_.closed()) CloseWindow();
}

void RunIntensiveChooserWindow(Program& program, QWidget* parent) {
  IntensiveChooserWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
