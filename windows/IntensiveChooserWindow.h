// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chooser 窗口熟练度选择模式 on the desktop, bound to its logic.

#include <functional>

#include "core/Program.h"
#include "logic/IntensiveChooserWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"

namespace cindral {

class IntensiveChooserWindow : public ModalWindow {
  Q_OBJECT

 public:
  IntensiveChooserWindow(Program& program, QWidget* parent = nullptr);

  IntensiveChooserWindowLogic& logic() { return logic_; }

 private:
  // Runs a logic handler with the list's choice and the typed threshold,
  // then closes the chooser when the logic is done with it.
  void Handle(const std::function<void()>& handler);

  Found<IntensiveChooserWindowControls> ui_;
  Program& program_;
  IntensiveChooserWindowLogic logic_;
};

// Opens the chooser modally; returns when it has closed.
void RunIntensiveChooserWindow(Program& program, QWidget* parent);

}  // namespace cindral
