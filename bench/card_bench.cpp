// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the learning card opens and what it costs in memory, beside two
// floors measured in the same run: a bare Qt window of the card's size
// (until it is on screen), and a bare window of that size holding three
// plain web views that load the same three pages from the same server
// (until all three have loaded; "views" in the counters):
//  - LaterCard: the web engine running (an earlier card started it), a new
//    card opens until it is on screen and until its three dictionary pages
//    have loaded from a web server on 127.0.0.1; rounds interleaved with the
//    floors (a new bare window each, the engine warm); medians and ratios.
//  - FirstCard: a fresh process opens its first card (the engine starts
//    cold) until the three pages have loaded, interleaved with fresh
//    processes opening the floors; each child process times itself from
//    just before its window is made, and reports its memory with the
//    window open: resident, and proportional together with the helper
//    processes in which the engine draws the pages.
// Counters are milliseconds (ms), megabytes (MB) and ratios (x).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QWebEngineView>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "TestWorld.h"
#include "WindowTiming.h"
#include "lookup/DictionaryViews.h"
#include "lookup/WebEngineStart.h"
#include "windows/LearningWindow.h"
#include "plan/DayPlan.h"
#include "tests/windows/LocalHttpServer.h"
#include "ui/Desktop.h"

namespace cindral {
namespace {

constexpr double kToday = 45000.0;
constexpr int kLaterRounds = 25;
constexpr int kColdRounds = 5;

using bench::Median;
using bench::OnScreen;

// A "Name:   1234 kB" value of a /proc file, in megabytes; 0 when missing.
double ProcMegabytes(const QString& path, const QByteArray& name) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.startsWith(name)) {
      return line.mid(name.size()).trimmed().split(' ').value(0).toDouble() / 1024;
    }
  }
  return 0;
}

// Resident memory of this process in megabytes.
double ResidentMegabytes() { return ProcMegabytes(QStringLiteral("/proc/self/status"), "VmRSS:"); }

// The proportional memory of this process and of every process it started
// (the web engine draws pages in helper processes), in megabytes: shared
// pages counted once, split among their users.
double ProportionalMegabytesWithHelpers() {
  QMap<qint64, qint64> parentOf;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool isNumber = false;
    const qint64 pid = entry.toLongLong(&isNumber);
    if (!isNumber) continue;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = stat.readAll();
    // "pid (name) state ppid ...": the name may hold blanks, so read after ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    parentOf[pid] = fields.value(1).toLongLong();
  }
  QList<qint64> family{QCoreApplication::applicationPid()};
  for (int i = 0; i < family.size(); ++i) {
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
      if (it.value() == family[i]) family << it.key();
    }
  }
  double total = 0;
  for (qint64 pid : family) {
    total += ProcMegabytes(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss:");
  }
  return total;
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

struct CardTimes {
  double shownMs = 0;
  double loadedMs = 0;
  double residentMb = 0;
  double withHelpersMb = 0;
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
      times.withHelpersMb = ProportionalMegabytesWithHelpers();
      poll.stop();
      card.CloseWindow();
    }
  });
  poll.start();
  card.Run();
  return times;
}

// The floor: a bare window of the card's size, until it is on screen.
double OpenBareWindow(double* residentMb = nullptr, double* withHelpersMb = nullptr) {
  QElapsedTimer clock;
  clock.start();
  QWidget window;
  window.resize(1100, 700);
  window.show();
  bench::WaitOnScreen(&window);
  const double ms = clock.nsecsElapsed() / 1e6;
  if (residentMb != nullptr) *residentMb = ResidentMegabytes();
  if (withHelpersMb != nullptr) *withHelpersMb = ProportionalMegabytesWithHelpers();
  return ms;
}

// The floor of the pages: a bare window of the card's size holding three
// plain web views, loading three pages from `server` (the card's server
// answers every address alike), until all three have loaded.
CardTimes OpenBareViews(const QByteArray& base, int round) {
  PrepareWebEngineStart();  // the engine's flags, as the card starts it with
  CardTimes times;
  QElapsedTimer clock;
  clock.start();
  QWidget window;
  window.resize(1100, 700);
  auto* layout = new QHBoxLayout(&window);
  QEventLoop loop;
  int loaded = 0;
  for (int i = 0; i < 3; ++i) {
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, [&](bool) {
      if (++loaded == 3) loop.quit();
    });
    view->load(QUrl(QString::fromLatin1(base) +
                    QStringLiteral("/bare%1/abandon?round=%2").arg(i).arg(round)));
  }
  window.show();
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  loop.exec();
  times.loadedMs = loaded == 3 ? clock.nsecsElapsed() / 1e6 : -1;
  times.shownMs = times.loadedMs;
  times.residentMb = ResidentMegabytes();
  times.withHelpersMb = ProportionalMegabytesWithHelpers();
  return times;
}

void BM_LaterCard(benchmark::State& state) {
  CardWorld world;
  DictionaryViews views;
  OpenCard(world, views);  // starts the engine
  OpenBareViews(world.server.Base(), -1);  // and its default profile
  std::vector<double> shown, loaded, bare, bareViews, cardMb, helpersMb;
  for (auto _ : state) {
    for (int round = 0; round < kLaterRounds; ++round) {
      bare.push_back(OpenBareWindow());
      bareViews.push_back(OpenBareViews(world.server.Base(), round).loadedMs);
      const CardTimes times = OpenCard(world, views);
      shown.push_back(times.shownMs);
      loaded.push_back(times.loadedMs);
      cardMb.push_back(times.residentMb);
      helpersMb.push_back(times.withHelpersMb);
    }
  }
  state.counters["card_shown_ms"] = Median(shown);
  state.counters["pages_loaded_ms"] = Median(loaded);
  state.counters["bare_window_ms"] = Median(bare);
  state.counters["shown_x_bare"] = Median(shown) / Median(bare);
  state.counters["loaded_x_bare"] = Median(loaded) / Median(bare);
  state.counters["views_loaded_ms"] = Median(bareViews);
  state.counters["loaded_x_views"] = Median(loaded) / Median(bareViews);
  state.counters["resident_MB"] = Median(cardMb);
  state.counters["with_helpers_pss_MB"] = Median(helpersMb);
  // Whether memory grows from card to card: the first and the last round.
  state.counters["with_helpers_first_MB"] = helpersMb.front();
  state.counters["with_helpers_last_MB"] = helpersMb.back();
}
BENCHMARK(BM_LaterCard)->Iterations(1)->Unit(benchmark::kMillisecond);

// Runs this program as a child in one of its child modes; returns its
// "name=value" lines.
QMap<QString, double> RunChild(const char* mode) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  // The children draw where this process does (offscreen unless a display
  // was asked for: QT_QPA_PLATFORM=xcb with DISPLAY).
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), qEnvironmentVariable("QT_QPA_PLATFORM"));
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
  std::vector<double> first, bare, cardMb, bareMb, cardAllMb, bareAllMb, afterHover;
  std::vector<double> viewsMs, viewsAllMb;
  for (auto _ : state) {
    for (int round = 0; round < kColdRounds; ++round) {
      const QMap<QString, double> floor = RunChild("--bare-window-child");
      const QMap<QString, double> bareViews = RunChild("--bare-views-child");
      viewsMs.push_back(bareViews.value(QStringLiteral("ms")));
      viewsAllMb.push_back(bareViews.value(QStringLiteral("all_MB")));
      const QMap<QString, double> card = RunChild("--first-card-child");
      afterHover.push_back(RunChild("--first-card-after-hover-child").value(QStringLiteral("ms")));
      bare.push_back(floor.value(QStringLiteral("ms")));
      bareMb.push_back(floor.value(QStringLiteral("MB")));
      first.push_back(card.value(QStringLiteral("ms")));
      cardMb.push_back(card.value(QStringLiteral("MB")));
      bareAllMb.push_back(floor.value(QStringLiteral("all_MB")));
      cardAllMb.push_back(card.value(QStringLiteral("all_MB")));
    }
  }
  state.counters["first_card_ms"] = Median(first);
  // The pointer on the learning page 300 ms before the click: the engine
  // started then (DictionaryPages::WarmUp); from the click.
  state.counters["first_card_after_hover_ms"] = Median(afterHover);
  state.counters["bare_window_ms"] = Median(bare);
  state.counters["first_x_bare"] = Median(first) / Median(bare);
  state.counters["card_resident_MB"] = Median(cardMb);
  state.counters["bare_resident_MB"] = Median(bareMb);
  state.counters["resident_x_bare"] = Median(cardMb) / Median(bareMb);
  state.counters["card_with_helpers_pss_MB"] = Median(cardAllMb);
  state.counters["bare_pss_MB"] = Median(bareAllMb);
  state.counters["with_helpers_x_bare"] = Median(cardAllMb) / Median(bareAllMb);
  state.counters["views_first_ms"] = Median(viewsMs);
  state.counters["first_x_views"] = Median(first) / Median(viewsMs);
  state.counters["views_pss_MB"] = Median(viewsAllMb);
  state.counters["with_helpers_x_views"] = Median(cardAllMb) / Median(viewsAllMb);
}
BENCHMARK(BM_FirstCard)->Iterations(1)->Unit(benchmark::kMillisecond);

// Memory over 30 cards in a process that opens nothing else, beside a
// process that opens 30 bare windows of three web views: the proportional
// memory with the helpers after the 5th and after the 30th (the first few
// fill the engine's caches).
void BM_MemoryOverCards(benchmark::State& state) {
  for (auto _ : state) {
    const QMap<QString, double> cards = RunChild("--cards-memory-child");
    const QMap<QString, double> views = RunChild("--views-memory-child");
    state.counters["cards_1st_MB"] = cards.value(QStringLiteral("first_MB"));
    state.counters["cards_5th_MB"] = cards.value(QStringLiteral("fifth_MB"));
    state.counters["cards_30th_MB"] = cards.value(QStringLiteral("last_MB"));
    state.counters["cards_growth_MB"] =
        cards.value(QStringLiteral("last_MB")) - cards.value(QStringLiteral("fifth_MB"));
    state.counters["views_1st_MB"] = views.value(QStringLiteral("first_MB"));
    state.counters["views_5th_MB"] = views.value(QStringLiteral("fifth_MB"));
    state.counters["views_30th_MB"] = views.value(QStringLiteral("last_MB"));
    state.counters["views_growth_MB"] =
        views.value(QStringLiteral("last_MB")) - views.value(QStringLiteral("fifth_MB"));
  }
}
BENCHMARK(BM_MemoryOverCards)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cindral

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  cindral::PrepareDesktopProcess();
  const bool firstCardChild = argc > 1 && std::string(argv[1]) == "--first-card-child";
  const bool bareWindowChild = argc > 1 && std::string(argv[1]) == "--bare-window-child";
  const bool afterHoverChild = argc > 1 && std::string(argv[1]) == "--first-card-after-hover-child";
  QApplication app(argc, argv);
  cindral::PrepareDesktop(app);
  if (firstCardChild) {
    QElapsedTimer clock;
    clock.start();
    cindral::CardWorld world;
    cindral::DictionaryViews views;
    const double setupMs = clock.nsecsElapsed() / 1e6;
    const cindral::CardTimes times = cindral::OpenCard(world, views);
    std::printf("ms=%f\nMB=%f\nall_MB=%f\nsetup_ms=%f\n", times.loadedMs, times.residentMb,
                times.withHelpersMb, setupMs);
    return 0;
  }
  if (afterHoverChild) {
    cindral::CardWorld world;
    cindral::DictionaryViews views;
    views.WarmUp();
    QTest::qWait(300);
    const cindral::CardTimes times = cindral::OpenCard(world, views);
    std::printf("ms=%f\n", times.loadedMs);
    return 0;
  }
  const bool cardsMemoryChild = argc > 1 && std::string(argv[1]) == "--cards-memory-child";
  const bool viewsMemoryChild = argc > 1 && std::string(argv[1]) == "--views-memory-child";
  if (cardsMemoryChild || viewsMemoryChild) {
    cindral::CardWorld world;
    cindral::DictionaryViews views;
    double first = 0;
    double fifth = 0;
    double last = 0;
    for (int round = 1; round <= 30; ++round) {
      last = cardsMemoryChild ? cindral::OpenCard(world, views).withHelpersMb
                              : cindral::OpenBareViews(world.server.Base(), round).withHelpersMb;
      if (round == 1) first = last;
      if (round == 5) fifth = last;
    }
    std::printf("first_MB=%f\nfifth_MB=%f\nlast_MB=%f\n", first, fifth, last);
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "--bare-views-child") {
    cindral::testing::LocalHttpServer server;
    server.Listen();
    const cindral::CardTimes times = cindral::OpenBareViews(server.Base(), 0);
    std::printf("ms=%f\nMB=%f\nall_MB=%f\n", times.loadedMs, times.residentMb,
                times.withHelpersMb);
    return 0;
  }
  if (bareWindowChild) {
    double residentMb = 0;
    double allMb = 0;
    const double ms = cindral::OpenBareWindow(&residentMb, &allMb);
    std::printf("ms=%f\nMB=%f\nall_MB=%f\n", ms, residentMb, allMb);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
