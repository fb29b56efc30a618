// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The choice window 窗口选择 of the group test on the desktop, bound to its
// logic. It refuses the learner's close; the test closes it.

#include "core/Program.h"
#include "logic/ChoiceWindowLogic.h"
#include "ui/FocusHolder.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

class QButtonGroup;

namespace cindral {

class ChoiceWindow : public LogicWindow<ChoiceWindowLogic> {
  Q_OBJECT

 public:
  ChoiceWindow(Program& program, QWidget* parent = nullptr);

  // Runs the creation handler (with fewer than four words it opens the
  // card at once), then shows the window modally unless the test has
  // closed it meanwhile.
  void Run();

 private:
  void Show() override;

  Found<ChoiceWindowControls> ui_;
  QButtonGroup* options_;  // the four radio buttons, numbered 1 to 4
  FocusHolder focus_;  // the shortcut box
};

void RunChoiceWindow(Program& program, QWidget* parent);

}  // namespace cindral
