// How fast the statistics window opens on a book of 20,000 words, beside
// the floor of a bare Qt window of the same size, in the same run: rounds
// interleave the two, each timed from the moment it is made until it is on
// screen; the medians and their ratio are the counters (ms, x). The
// window's own work is one read of the book and the picture it draws.
//   build/bench/statistics_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "TestWorld.h"
#include "modes/StatisticsWindow.h"
#include "plan/DayPlan.h"
#include "ui/Desktop.h"

namespace cindral {
namespace {

constexpr double kDay1 = 45000.0;
constexpr int kGroups = 88;
constexpr int kWordsPerGroup = 228;  // 20,064 words
constexpr int kRounds = 31;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

bool OnScreen(QWidget* window) {
  return window->isVisible() && window->windowHandle() != nullptr &&
         window->windowHandle()->isExposed();
}

void WaitOnScreen(QWidget* window) {
  while (!OnScreen(window)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
}

// A whole course: 88 groups, today the 95th day, the plan computed.
struct BookWorld {
  BookWorld() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    for (int g = 1; g <= kGroups; ++g) {
      for (int w = 0; w < kWordsPerGroup; ++w) {
        world.AddWord(g, "word" + std::to_string(g * 1000 + w), kDay1 + g - 1, (g + w) % 100 + 1,
                      "释义");
      }
    }
    world.WriteConfig("groupnumber", std::to_string(kGroups));
    world.P().LoadCurrentGroup();
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
  return clock.nsecsElapsed() / 1e6;
}

double OpenBareWindow() {
  QElapsedTimer clock;
  clock.start();
  QWidget window;
  window.resize(760, 580);
  window.show();
  WaitOnScreen(&window);
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

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  cindral::PrepareDesktopProcess();
  QApplication app(argc, argv);
  cindral::PrepareDesktop(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
