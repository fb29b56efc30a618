// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the statistics window opens on a book of 20,000 words, beside
// the floor of a bare Qt window of the same size, in the same run: rounds
// interleave the two, each timed from the moment it is made until it is on
// screen and painted once; the medians and their ratio are the counters
// (ms, x). The window's own work is one read of the book and the picture
// it draws, timed apart too.
//   build/bench/statistics_bench

#include <QElapsedTimer>
#include <vector>

#include "TestWorld.h"
#include "WindowTiming.h"
#include "windows/StatisticsWindow.h"
#include "plan/DayPlan.h"

namespace cindral {
namespace {

using bench::Median;
using bench::WaitOnScreen;

constexpr double kDay1 = 45000.0;
constexpr int kGroups = 88;
constexpr int kWordsPerGroup = 228;  // 20,064 words
constexpr int kRounds = 31;

// A whole course: 88 groups, today the 95th day, the plan computed.
struct BookWorld {
  BookWorld() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddCourse(kGroups, kWordsPerGroup, kDay1);
    world.clock.Set(kDay1 + 94);
    ComputeDayPlan(world.P());
  }
  test::TestWorld world;
};

double OpenStatistics(BookWorld& book) {
  QElapsedTimer clock;
  clock.start();
  StatisticsWindow window(book.world.P());
  window.show();
  WaitOnScreen(&window);
  window.repaint();  // drawn once, as it shows
  return clock.nsecsElapsed() / 1e6;
}

double OpenBareWindow() {
  QElapsedTimer clock;
  clock.start();
  QWidget window;
  window.resize(760, 580);
  window.show();
  WaitOnScreen(&window);
  window.repaint();  // drawn once, as it shows
  return clock.nsecsElapsed() / 1e6;
}

void BM_StatisticsWindowOpens(benchmark::State& state) {
  BookWorld book;
  OpenStatistics(book);  // fonts and caches warm, as after the first window of a run
  std::vector<double> statistics, bare;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      bare.push_back(OpenBareWindow());
      statistics.push_back(OpenStatistics(book));
    }
  }
  state.counters["words"] = book.world.Db().RecordCount();
  state.counters["statistics_ms"] = Median(statistics);
  state.counters["bare_window_ms"] = Median(bare);
  state.counters["statistics_x_bare"] = Median(statistics) / Median(bare);
}
BENCHMARK(BM_StatisticsWindowOpens)->Iterations(1)->Unit(benchmark::kMillisecond);

// The parts of it: the one read of the book, and the picture drawn.
void BM_StatisticsReadTheBook(benchmark::State& state) {
  BookWorld book;
  StatisticsWindowLogic logic(book.world.P());
  for (auto _ : state) logic.Opened();
}
BENCHMARK(BM_StatisticsReadTheBook)->Unit(benchmark::kMillisecond);

void BM_StatisticsDrawThePicture(benchmark::State& state) {
  BookWorld book;
  StatisticsWindowLogic logic(book.world.P());
  logic.Opened();
  for (auto _ : state) benchmark::DoNotOptimize(StatisticsWindow::Picture(logic, 1).width());
}
BENCHMARK(BM_StatisticsDrawThePicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) { return cindral::bench::RunWindowBenchmarks(argc, argv); }
