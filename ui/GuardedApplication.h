// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object of the desktop program. Its notify() is the
// backstop of RunGuarded: an exception that escapes an event handler shows
// the fatal error box and ends the program with -1 instead of unwinding
// through Qt's event loop.

#include <QApplication>

#include "ui/QtPrompter.h"

namespace cindral {

class GuardedApplication : public QApplication {
  Q_OBJECT

 public:
  GuardedApplication(int& argc, char** argv);

  // The box shown for a fatal error; the application's own QtPrompter until
  // replaced (the prompter must outlive the application or be replaced).
  void SetPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &ownPrompter_; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  QtPrompter ownPrompter_;
  Prompter* prompter_ = &ownPrompter_;
};

}  // namespace cindral
