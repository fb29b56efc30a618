// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A learner at the keyboard, for window tests whose windows open modally
// inside each other: a list of steps, each waiting until what it needs is on
// screen (a window in front, a message box) and then acting. The steps run
// from the event loop, also from the loops of nested windows and boxes, so
// the test starts the script and then makes the call that opens the first
// window.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cindral::testing {

class LearnerScript {
 public:
  struct Step {
    std::string what;
    std::function<bool()> ready;  // polled until true
    std::function<void()> act;    // then run once, from the event loop
  };

  LearnerScript() = default;
  LearnerScript(const LearnerScript&) = delete;
  LearnerScript& operator=(const LearnerScript&) = delete;
  // Polls and closers still queued stop with the script.
  ~LearnerScript() { state_->alive = false; }

  void Add(std::string what, std::function<bool()> ready, std::function<void()> act) {
    steps_->push_back({std::move(what), std::move(ready), std::move(act)});
  }

  // Starts polling. Each step has `timeoutMs` to become ready; on a timeout
  // the script stops, failure() names the step, and every dialog still open
  // is closed so that the call under test returns.
  void Start(int timeoutMs = 10000) {
    state_->next = 0;
    state_->timeoutMs = timeoutMs;
    state_->clock.start();
    Poll(steps_, state_);
  }

  bool finished() const { return state_->next == steps_->size() && state_->failure.empty(); }
  const std::string& failure() const { return state_->failure; }
  size_t stepsDone() const { return state_->next; }

 private:
  struct State {
    size_t next = 0;
    int timeoutMs = 10000;
    QElapsedTimer clock;
    std::string failure;
    bool alive = true;
  };
  using Steps = std::vector<Step>;

  // Every poll is a timer of its own: a step's action may run a nested loop
  // (a modal window), inside which the next polls must still come.
  static void Poll(std::shared_ptr<Steps> steps, std::shared_ptr<State> state) {
    if (!state->alive || state->next >= steps->size() || !state->failure.empty()) return;
    Step& step = (*steps)[state->next];
    if (step.ready()) {
      ++state->next;
      state->clock.restart();
      QTimer::singleShot(0, qApp, step.act);
    } else if (state->clock.elapsed() > state->timeoutMs) {
      state->failure = "timed out waiting for: " + step.what;
      qWarning("%s", state->failure.c_str());
      CloseEverything(state);
      return;
    }
    QTimer::singleShot(15, qApp, [steps, state] { Poll(steps, state); });
  }

  // Closes the dialogs (windows and message boxes) from the front, one per
  // turn of the event loop, until none is left.
  static void CloseEverything(std::shared_ptr<State> state) {
    if (!state->alive) return;
    QWidget* front = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QDialog*>(front)) {
      dialog->done(QDialog::Rejected);
      QTimer::singleShot(20, qApp, [state] { CloseEverything(state); });
    }
  }

  std::shared_ptr<Steps> steps_ = std::make_shared<Steps>();
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace cindral::testing
