// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The learning card 窗口单词学习 on the desktop, bound to its logic. The
// three dictionary views are borrowed from the views kept for the whole run
// and given back when the card closes.

#include <array>
#include <memory>

#include "core/Program.h"
#include "logic/LearningWindowLogic.h"
#include "ui/FocusHolder.h"
#include "ui/Layouts.h"
#include "ui/LogicWindow.h"

namespace cindral {

class DictionaryPages;
class SpeakerControl;

class LearningWindow : public LogicWindow<LearningWindowLogic> {
  Q_OBJECT

 public:
  LearningWindow(Program& program, DictionaryPages& views, QWidget* parent = nullptr);
  ~LearningWindow() override;

  // Runs the creation handler (which may close the window at once), then
  // shows the window modally; returns when it has closed.
  void Run();

 private:
  void Show() override;
  void ShowPlaceOfTab(int tab);

  Found<LearningWindowControls> ui_;
  DictionaryPages& views_;
  std::array<QWidget*, 3> places_;  // the dictionary views, in the order of the tabs
  FocusHolder focus_;               // the shortcut box
  std::unique_ptr<SpeakerControl> speaker_;
  bool viewsAttached_ = false;
  int pageLoadsShown_ = 0;
  int preparationsDone_ = 0;
};

// Opens the learning card modally; returns when it has closed.
void RunLearningWindow(Program& program, DictionaryPages& views, QWidget* parent);

}  // namespace cindral
