// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main of a test on an X desktop of its own: an Xvfb (with openbox, or
// no window manager) that this process draws on, with no session bus, and
// the application prepared as the program prepares it.

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "XSession.h"
#include "ui/Desktop.h"

namespace cindral::test {

// Runs the Qt Test object of type T; `session`, when given, points at the
// desktop while the tests run. Returns the process's status.
template <class T>
int RunOnOwnDesktop(XSession::Manager manager, int argc, char** argv,
                    XSession** session = nullptr) {
  XSession x(manager);
  if (!x.error().empty()) {
    std::fprintf(stderr, "FAIL: %s\n", x.error().c_str());
    return 1;
  }
  if (session != nullptr) *session = &x;
  ::setenv("DISPLAY", x.display().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::unsetenv("WAYLAND_DISPLAY");
  // Nor has this desktop a session bus (the toolkit would look for one
  // through the X server, and the bus library keeps what it read).
  ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
  int status = 0;
  {
    PrepareDesktopProcess();
    QApplication app(argc, argv);
    PrepareDesktop(app);
    T test;
    QTEST_SET_MAIN_SOURCE_PATH
    status = QTest::qExec(&test, argc, argv);
  }
  if (session != nullptr) *session = nullptr;
  return status;
}

}  // namespace cindral::test
