// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chooser 窗口熟练度选择模式 on the desktop, bound to its logic.

#include "core/Program.h"
#include "logic/IntensiveChooserWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class IntensiveChooserWindow : public LogicWindow<IntensiveChooserWindowLogic> {
  Q_OBJECT

 public:
  IntensiveChooserWindow(Program& program, QWidget* parent = nullptr);

 private:
  // The list's choice and the typed threshold.
  void ReadInput() override;
  // Closes the chooser when the logic is done with it.
  void Show() override;

  Found<IntensiveChooserWindowControls> ui_;
};

// Opens the chooser modally; returns when it has closed.
void RunIntensiveChooserWindow(Program& program, QWidget* parent);

}  // namespace cindral
