// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drill 窗口熟练度复习 on the desktop, bound to its logic.

#include <memory>

#include "core/Program.h"
#include "logic/IntensiveReviewWindowLogic.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class SpeakerControl;

class IntensiveReviewWindow : public LogicWindow<IntensiveReviewWindowLogic> {
  Q_OBJECT

 public:
  IntensiveReviewWindow(Program& program, QWidget* parent = nullptr);
  ~IntensiveReviewWindow() override;

 private:
  void Show() override;

  Found<IntensiveReviewWindowControls> ui_;
  std::unique_ptr<SpeakerControl> speaker_;
};

// Opens the drill modally; returns when it has closed.
void RunIntensiveReviewWindow(Program& program, QWidget* parent);

}  // namespace cindral
