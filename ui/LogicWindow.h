// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A study window bound to its logic (a class of logic/, which takes the
// window's events and holds what the window shows). Every event of the
// window runs the same way, through Handle: ReadInput hands the controls'
// input to the logic, the logic's step runs guarded (a fatal error is shown
// and ends the program, ui/Guard.h), and Show shows the logic's state.
//
//   class SpellingWindow : public LogicWindow<SpellingWindowLogic> {
//     void ReadInput() override;  // the typed word, to the logic
//     void Show() override;       // the logic's texts, to the controls
//   };
//   HandleClicks(ui_.submit, &SpellingWindowLogic::Submit);  // in its constructor

#include <QAbstractButton>
#include <functional>
#include <utility>

#include "core/Program.h"
#include "ui/FocusHolder.h"
#include "ui/Guard.h"
#include "ui/ModalWindow.h"

namespace cindral {

template <class Logic>
class LogicWindow : public ModalWindow {
 public:
  Logic& logic() { return logic_; }

 protected:
  // The logic made from the application object, or given.
  LogicWindow(Program& program, const WindowLayout& layout, QWidget* parent)
      : ModalWindow(layout, parent), program_(program), logic_(program) {}
  LogicWindow(Program& program, Logic logic, const WindowLayout& layout, QWidget* parent)
      : ModalWindow(layout, parent), program_(program), logic_(std::move(logic)) {}

  // One event: the input read, the logic's step run guarded, the state shown.
  void Handle(const std::function<void()>& step) {
    ReadInput();
    Guarded(step);
    Show();
  }
  // The same for an event of the logic that takes nothing.
  void Handle(void (Logic::*event)()) {
    Handle([this, event] { (logic_.*event)(); });
  }
  // A click on `button` is `event`.
  void HandleClicks(QAbstractButton* button, void (Logic::*event)()) {
    connect(button, &QAbstractButton::clicked, this, [this, event] { Handle(event); });
  }
  // Runs the logic's `event` (guarded) when the window closes, however it
  // was closed.
  void HandleClose(void (Logic::*event)()) {
    SetClosedHandler([this, event] { Guarded([this, event] { (logic_.*event)(); }); });
  }
  // The focus holder `box` with its timer, bound to the logic's keys
  // (KeyDown), its focus timer (focusTimer) and its ticks (FocusTimerTick).
  FocusHolder HoldFocus(QLineEdit* box, QTimer* timer) {
    return FocusHolder(
        this, box, timer, logic_.focusTimer(),
        [this](const std::function<void()>& step) { Handle(step); },
        [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); });
  }
  // A step of the logic run guarded, with nothing read or shown.
  void Guarded(const std::function<void()>& step) { RunGuarded(program_.prompter(), step); }

  // Hands what the learner typed or chose to the logic, before each step.
  virtual void ReadInput() {}
  // Shows the logic's state, after each step.
  virtual void Show() = 0;

  Program& program_;
  Logic logic_;
};

}  // namespace cindral
