// How fast the learning card opens and what it costs in memory, beside the
// floor of a bare Qt window of the card's size, measured in the same run:
//  - LaterCard: the web engine running (an earlier card started it), a new
//    card opens until it is on screen and until its three dictionary pages
//    have loaded from a web server on 127.0.0.1; rounds interleaved with the
//    bare window opening until it is on screen; medians and ratios.
//  - FirstCard: a fresh process opens its first card (the engine starts
//    cold) until the three pages have loaded, interleaved with a fresh
//    process opening the bare window; each child process times itself from
//    the moment its application object exists, and reports its resident
//    memory with the window open.
// Counters are milliseconds (ms), megabytes (MB) and ratios (x).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "TestWorld.h"
#include "lookup/DictionaryViews.h"
#include "modes/LearningWindow.h"
#include "plan/DayPlan.h"
#include "tests/windows/LocalHttpServer.h"
#include "ui/Desktop.h"

namespace cindral {
namespace {

constexpr double kToday = 45000.0;
constexpr int kLaterRounds = 25;
constexpr int kColdRounds = 5;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// Resident memory of this process in megabytes.
double ResidentMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:"))
      return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  }
  return 0;
}

// A word book with a due word and the three services on a local server.
struct CardWorld {
  CardWorld() : world(kToday) {
    port = server.Listen();
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "abandon", kToday, 20, "放弃；抛弃");
    for (const char* key : {"base1", "base2", "base3"}) {
      world.settings->WriteSetting("Dictionary", key, server.Base().toStdString());
    }
    world.P().LoadCurrentGroup();
    ComputeDayPlan(world.P());
  }
  testing::LocalHttpServer server;
  quint16 port = 0;
  test::TestWorld world;
};

bool OnScreen(QWidget* window) {
  return window->isVisible() && window->windowHandle() != nullptr &&
         window->windowHandle()->isExposed();
}

struct CardTimes {
  double shownMs = 0;
  double loadedMs = 0;
  double residentMb = 0;
};

// Opens a card as the program does and closes it once its pages have loaded.
CardTimes OpenCard(CardWorld& world, DictionaryViews& views) {
  CardTimes times;
  QElapsedTimer clock;
  clock.start();
  LearningWindow card(world.world.P(), views);
  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (times.shownMs == 0 && OnScreen(&card)) times.shownMs = clock.nsecsElapsed() / 1e6;
    if (times.shownMs != 0 && views.RequestedPagesLoaded()) {
      times.loadedMs = clock.nsecsElapsed() / 1e6;
      times.residentMb = ResidentMegabytes();
      poll.stop();
      card.CloseWindow();
    }
  });
  poll.start();
  card.Run();
  return times;
}

// The floor: a bare window of the card's size, until it is on screen.
double OpenBareWindow(double* residentMb = nullptr) {
  QElapsedTimer clock;
  clock.start();
  QWidget window;
  window.resize(1100, 700);
  window.show();
  while (!OnScreen(&window)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
  const double ms = clock.nsecsElapsed() / 1e6;
  if (residentMb != nullptr) *residentMb = ResidentMegabytes();
  return ms;
}

void BM_LaterCard(benchmark::State& state) {
  CardWorld world;
  DictionaryViews views;
  OpenCard(world, views);  // starts the engine
  std::vector<double> shown, loaded, bare, cardMb;
  for (auto _ : state) {
    for (int round = 0; round < kLaterRounds; ++round) {
      bare.push_back(OpenBareWindow());
      const CardTimes times = OpenCard(world, views);
      shown.push_back(times.shownMs);
      loaded.push_back(times.loadedMs);
      cardMb.push_back(times.residentMb);
    }
  }
  state.counters["card_shown_ms"] = Median(shown);
  state.counters["pages_loaded_ms"] = Median(loaded);
  state.counters["bare_window_ms"] = Median(bare);
  state.counters["shown_x_bare"] = Median(shown) / Median(bare);
  state.counters["loaded_x_bare"] = Median(loaded) / Median(bare);
  state.counters["resident_MB"] = Median(cardMb);
}
BENCHMARK(BM_LaterCard)->Iterations(1)->Unit(benchmark::kMillisecond);

// Runs this program as a child in one of its child modes; returns its
// "name=value" lines.
QMap<QString, double> RunChild(const char* mode) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
  child.waitForFinished(120000);
  QMap<QString, double> values;
  for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> parts = line.split('=');
    if (parts.size() == 2) values[QString::fromLatin1(parts[0])] = parts[1].toDouble();
  }
  return values;
}

void BM_FirstCard(benchmark::State& state) {
  std::vector<double> first, bare, cardMb, bareMb;
  for (auto _ : state) {
    for (int round = 0; round < kColdRounds; ++round) {
      const QMap<QString, double> floor = RunChild("--bare-window-child");
      const QMap<QString, double> card = RunChild("--first-card-child");
      bare.push_back(floor.value(QStringLiteral("ms")));
      bareMb.push_back(floor.value(QStringLiteral("MB")));
      first.push_back(card.value(QStringLiteral("ms")));
      cardMb.push_back(card.value(QStringLiteral("MB")));
    }
  }
  state.counters["first_card_ms"] = Median(first);
  state.counters["bare_window_ms"] = Median(bare);
  state.counters["first_x_bare"] = Median(first) / Median(bare);
  state.counters["card_resident_MB"] = Median(cardMb);
  state.counters["bare_resident_MB"] = Median(bareMb);
  state.counters["resident_x_bare"] = Median(cardMb) / Median(bareMb);
}
BENCHMARK(BM_FirstCard)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  cindral::PrepareDesktopProcess();
  const bool firstCardChild = argc > 1 && std::string(argv[1]) == "--first-card-child";
  const bool bareWindowChild = argc > 1 && std::string(argv[1]) == "--bare-window-child";
  QApplication app(argc, argv);
  cindral::PrepareDesktop(app);
  if (firstCardChild) {
    QElapsedTimer clock;
    clock.start();
    cindral::CardWorld world;
    cindral::DictionaryViews views;
    const double setupMs = clock.nsecsElapsed() / 1e6;
    const cindral::CardTimes times = cindral::OpenCard(world, views);
    std::printf("ms=%f\nMB=%f\nsetup_ms=%f\n", times.loadedMs, times.residentMb, setupMs);
    return 0;
  }
  if (bareWindowChild) {
    double residentMb = 0;
    const double ms = cindral::OpenBareWindow(&residentMb);
    std::printf("ms=%f\nMB=%f\n", ms, residentMb);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
