// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/IntensiveChooserWindow.h"

#include "core/KeyCodes.h"
#include "ui/ControlText.h"

namespace cindral {

IntensiveChooserWindow::IntensiveChooserWindow(Program& program, QWidget* parent)
    : LogicWindow(program, IntensiveChooserWindowLayout(), parent), ui_(this) {
  HandleClicks(ui_.start, &IntensiveChooserWindowLogic::Start);
  // Enter in the threshold box starts, and so does Enter on the focused button.
  SetKeyHandler([this](QWidget* control, int key) {
    if (key != kKeyEnter || (control != ui_.threshold && control != ui_.start)) return false;
    Handle([this] { logic_.KeyDown(kKeyEnter); });
    return true;
  });
  ui_.list->setFocus();
}

void IntensiveChooserWindow::ReadInput() {
  logic_.SelectItem(ui_.list->currentIndex());
  logic_.SetCustomText(ControlText(ui_.threshold));
}

void IntensiveChooserWindow::Show() {
  if (logic_.closed()) CloseWindow();
}

void RunIntensiveChooserWindow(Program& program, QWidget* parent) {
  IntensiveChooserWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
