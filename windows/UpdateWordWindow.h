// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 窗口更新单词 on the desktop, bound to its logic.

#include "core/Program.h"
#include "logic/UpdateWordWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"
#include "windows/WordForm.h"

namespace cindral {

class UpdateWordWindow : public LogicWindow<UpdateWordWindowLogic> {
  Q_OBJECT

 public:
  UpdateWordWindow(Program& program, QWidget* parent = nullptr);

 private:
  // The boxes' texts.
  void ReadInput() override;
  void Show() override;

  Found<UpdateWordWindowControls> ui_;
  WordForm form_;
};

void RunUpdateWordWindow(Program& program, QWidget* parent);

}  // namespace cindral
