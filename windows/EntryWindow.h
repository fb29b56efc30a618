// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entry window 窗口输入单词 on the desktop, bound to its logic.

#include "core/Program.h"
#include "logic/EntryWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"
#include "windows/WordForm.h"

namespace cindral {

class EntryWindow : public LogicWindow<EntryWindowLogic> {
  Q_OBJECT

 public:
  EntryWindow(Program& program, QWidget* parent = nullptr);

  // Shows a word handed over from the desktop (EntryWindowLogic::Prefill).
  void Prefill(const std::string& word, const std::string& meaning);

 private:
  // The boxes' texts.
  void ReadInput() override;
  void Show() override;

  Found<EntryWindowControls> ui_;
  WordForm form_;
};

// Opens the entry window modally; returns when it has closed (and the plan
// has been computed again).
void RunEntryWindow(Program& program, QWidget* parent);

}  // namespace cindral
