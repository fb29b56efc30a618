// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests on a desktop of their own share: the main window over a
// fresh word book on the first day, and a main that prepares the
// application as the program does, once the test's desktop is up and the
// environment names it.

#include <QApplication>
#include <QTest>
#include <memory>

#include "TestWorld.h"
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

}  // namespace cindral::test
