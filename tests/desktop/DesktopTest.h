// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests on a desktop of their own share: the main window over a
// fresh word book on the first day, and a main that prepares the
// application as the program does, once the test's desktop is up and the
// environment names it, on a desktop the test starts or one it is given.

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "TestWorld.h"
#include "XSession.h"
#include "app/MainWindow.h"
#include "ui/Desktop.h"

namespace cindral::test {

// The main window of a fresh program directory (plan table, settings, an
// empty word book) on day 45000; not shown yet.
struct DeskWorld {
  DeskWorld() : world(45000.0) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    window = std::make_unique<MainWindow>(world.P());
  }
  TestWorld world;
  std::unique_ptr<MainWindow> window;
};

// Runs the Qt Test object of type T in an application prepared as the
// program prepares its own; the exit status of the tests.
template <class T>
int RunDesktopTest(int argc, char** argv) {
  int status = 0;
  {
    PrepareDesktopProcess();
    QApplication app(argc, argv);
    PrepareDesktop(app);
    T test;
    QTEST_SET_MAIN_SOURCE_PATH
    status = QTest::qExec(&test, argc, argv);
  }
  return status;
}

// The same on an X desktop of the test's own: an Xvfb (with openbox, or no
// window manager) that this process draws on, with no session bus.
// `session`, when given, points at the desktop while the tests run.
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
  const int status = RunDesktopTest<T>(argc, argv);
  if (session != nullptr) *session = nullptr;
  return status;
}

}  // namespace cindral::test
