// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 窗口更新单词 on the desktop, bound to its logic.

#include <functional>

#include "core/Program.h"
#include "logic/UpdateWordWindowLogic.h"
#include "ui/ModalWindow.h"
#include "windows/WordForm.h"

class QLineEdit;

namespace cindral {

class UpdateWordWindow : public ModalWindow {
  Q_OBJECT

 public:
  UpdateWordWindow(Program& program, QWidget* parent = nullptr);

  UpdateWordWindowLogic& logic() { return logic_; }

 private:
  void Handle(const std::function<void()>& handler);
  void Show();

  Found<UpdateWordWindowControls> ui_;
  Program& program_;
  UpdateWordWindowLogic logic_;
  WordForm form_;
};

void RunUpdateWordWindow(Program& program, QWidget* parent);

}  // namespace cindral
