// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GuardedApplication.h"

#include "ui/Guard.h"

namespace cindral {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  FatalError error;
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    error = CurrentFatalError();
  }
  EndWithFatalError(*prompter_, error);
  return false;
}

}  // namespace cindral
