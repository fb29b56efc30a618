// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window benchmarks share: the median of many rounds, waiting
// until a window is on screen, and a main that prepares the desktop as the
// program does before it runs the benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "ui/Desktop.h"

namespace cindral::bench {

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

inline bool OnScreen(QWidget* window) {
  return window->isVisible() && window->windowHandle() != nullptr &&
         window->windowHandle()->isExposed();
}

inline void WaitOnScreen(QWidget* window) {
  while (!OnScreen(window)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
}

// Runs the benchmarks on the offscreen screen, in an application prepared
// as the program prepares its own.
inline int RunWindowBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  PrepareDesktopProcess();
  QApplication app(argc, argv);
  PrepareDesktop(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace cindral::bench
