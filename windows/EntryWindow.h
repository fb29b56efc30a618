// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entry window 窗口输入单词 on the desktop, bound to its logic.

#include "core/Program.h"
#include "logic/EntryWindowLogic.h"
#include "ui/ModalWindow.h"
#include "windows/WordForm.h"


namespace cindral {

class EntryWindow : public ModalWindow {
  Q_OBJECT

 public:
  EntryWindow(Program& program, QWidget* parent = nullptr);

  EntryWindowLogic& logic() { return logic_; }

 private:
  // Runs a logic handler with the boxes' texts, then shows the logic's state.
  void Handle(const std::function<void()>& handler);
  void Show();

  Found<EntryWindowControls> ui_;
  Program& program_;
  EntryWindowLogic logic_;
  WordForm form_;
};

// Opens the entry window modally; returns when it has closed (and the plan
// has been computed again).
void RunEntryWindow(Program& program, QWidget* parent);

}  // namespace cindral
