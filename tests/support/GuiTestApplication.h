// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For GoogleTest programs that draw: one QApplication for the whole run,
// made before the first test and set up like the program's (fonts).

#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Desktop.h"

namespace cindral::test {

class GuiTestApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "cindral-test";
    static char* argv[] = {name, nullptr};
    PrepareDesktopProcess();
    app_ = new QApplication(argc, argv);
    PrepareDesktop(*app_);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

}  // namespace cindral::test

// In one source file of the test program.
#define CINDRAL_GUI_TEST_APPLICATION()                                              \
  static ::testing::Environment* const cindralGuiTestApplication [[maybe_unused]] = \
      ::testing::AddGlobalTestEnvironment(new ::cindral::test::GuiTestApplication)
