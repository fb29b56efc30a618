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
//  - LaterWord: on an open card the learner presses 下一个(→); until the
//    next word's pages have loaded (and the tab in front shows its page,
//    no longer covered by the word's loading page), and until their
//    requests came in at the server ("sent"), in rounds interleaved with
//    new bare windows of three web views (from their making), and with a
//    window of three web views that stay and go on to the next pages.
//  - MemoryOverCards: the memory over 30 cards, and over 30 words of one
//    card, against 30 bare windows of three web views.
// Counters are milliseconds (ms), megabytes (MB) and ratios (x).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "WindowTiming.h"
#include "lookup/DictionaryViews.h"
#include "lookup/WebEngineStart.h"
#include "plan/DayPlan.h"
#include "tests/windows/LocalHttpServer.h"
#include "ui/Desktop.h"
#include "windows/LearningWindow.h"

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
// Sums the `fields` ("Pss:", ...) of the smaps_rollup of this process and of
// every process it started, in megabytes.
double MegabytesWithHelpers(const std::vector<QByteArray>& fields);

double ProportionalMegabytesWithHelpers() { return MegabytesWithHelpers({"Pss:"}); }

// The same, counting only the pages no other process maps: proportional
// memory moves with what other programs on the machine map of the same
// libraries, this does not.
double PrivateMegabytesWithHelpers() {
  return MegabytesWithHelpers({"Private_Clean:", "Private_Dirty:"});
}

double MegabytesWithHelpers(const std::vector<QByteArray>& fields) {
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
    for (const QByteArray& field : fields) {
      total += ProcMegabytes(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), field);
    }
  }
  return total;
}

// A word book with `words` due words and the three services on a local
// server, which notes when each request came in.
struct CardWorld {
  explicit CardWorld(int words = 1) : world(kToday) {
    port = server.Listen();
    clock.start();
    server.page = [this](const QByteArray& target) {
      if (!target.startsWith("/favicon")) arrivals.push_back(clock.nsecsElapsed());
      return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>served</title></head>"
             "<body><p>served " +
             QString::fromLatin1(target).toHtmlEscaped().toUtf8() + "</p></body></html>";
    };
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "abandon", kToday, 20, "放弃；抛弃");
    for (int i = 2; i <= words; ++i) {
      world.AddWord(1, "word" + std::to_string(i), kToday, 20, "词");
    }
    for (const char* key : {"base1", "base2", "base3"}) {
      world.settings->WriteSetting("Dictionary", key, server.Base().toStdString());
    }
    world.P().LoadCurrentGroup();
    ComputeDayPlan(world.P());
  }
  testing::LocalHttpServer server;
  quint16 port = 0;
  test::TestWorld world;
  QElapsedTimer clock;
  std::vector<qint64> arrivals;  // clock.nsecsElapsed() of each request
};

struct CardTimes {
  double shownMs = 0;
  double loadedMs = 0;
  double sentMs = 0;  // the last of the pages' requests came in at the server
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
    if (times.shownMs != 0 && views.PagesShown()) {
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

// The last request that came in at `world`'s server after `since`
// (world.clock), in milliseconds after `since`; 0 when none did.
double LastArrivalMs(const CardWorld& world, qint64 since) {
  qint64 last = 0;
  for (qint64 at : world.arrivals) last = std::max(last, at - since);
  return last / 1e6;
}

// The floor of the pages: a bare window of the card's size holding three
// plain web views, loading three pages from `server` (the card's server
// answers every address alike), until all three have loaded. With `world`,
// the server's, also when the requests came in.
CardTimes OpenBareViews(const QByteArray& base, int round, CardWorld* world = nullptr) {
  PrepareWebEngineStart();  // the engine's flags, as the card starts it with
  CardTimes times;
  const qint64 since = world != nullptr ? world->clock.nsecsElapsed() : 0;
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
  if (world != nullptr) times.sentMs = LastArrivalMs(*world, since);
  times.residentMb = ResidentMegabytes();
  times.withHelpersMb = ProportionalMegabytesWithHelpers();
  return times;
}

void BM_LaterCard(benchmark::State& state) {
  CardWorld world;
  DictionaryViews views;
  OpenCard(world, views);                  // starts the engine
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

// Runs the event loop until `done` holds (polled every millisecond) or
// `timeoutMs` have passed; returns whether it holds. (QTest::qWaitFor
// sleeps between its turns of the loop, which slows the engine down.)
bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  poll.start();
  if (!done()) loop.exec();
  return done();
}

// The floor of a later word: a bare window of the card's size whose three
// plain web views, shown side by side, go on from the pages they show to
// the next three (from the same server).
struct BareViewsWindow {
  BareViewsWindow() {
    window.resize(1100, 700);
    auto* layout = new QHBoxLayout(&window);
    for (auto*& view : views) {
      view = new QWebEngineView(&window);
      layout->addWidget(view);
    }
    window.show();
  }
  // Loads the three pages of `round`; until they have loaded, and when
  // their requests came in.
  CardTimes Next(CardWorld& world, int round) {
    CardTimes times;
    int loaded = 0;
    std::vector<QMetaObject::Connection> connections;
    for (QWebEngineView* view : views) {
      connections.push_back(
          QObject::connect(view, &QWebEngineView::loadFinished, [&](bool) { ++loaded; }));
    }
    const qint64 since = world.clock.nsecsElapsed();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i) {
      views[i]->load(QUrl(QString::fromLatin1(world.server.Base()) +
                          QStringLiteral("/next%1/word%2").arg(i).arg(round)));
    }
    const bool done = WaitUntil([&] { return loaded >= 3; }, 20000);
    times.loadedMs = times.shownMs = done ? clock.nsecsElapsed() / 1e6 : -1;
    times.sentMs = LastArrivalMs(world, since);
    for (const auto& connection : connections) QObject::disconnect(connection);
    return times;
  }
  QWidget window;
  std::array<QWebEngineView*, 3> views{};
};

// Runs `step` 30 times (rounds 1 to 30); prints the private memory with
// the helpers after the first round, and the medians of rounds 3 to 7
// and of rounds 26 to 30 ("fifth" and "last": single samples swing by tens
// of megabytes as helper processes come and go). Each sample is taken a
// moment after its round, once what it started has settled.
void PrintMemoryOver30(const std::function<void(int)>& step) {
  std::vector<double> samples;
  for (int round = 1; round <= 30; ++round) {
    step(round);
    WaitUntil([] { return false; }, 300);
    samples.push_back(PrivateMegabytesWithHelpers());
  }
  const double fifth = Median({samples.begin() + 2, samples.begin() + 7});
  const double last = Median({samples.end() - 5, samples.end()});
  std::printf("first_MB=%f\nfifth_MB=%f\nlast_MB=%f\n", samples.front(), fifth, last);
}

// A card open on its first word; `step` runs inside it (the card is modal)
// once the first word's pages have loaded, then the card closes.
void WithCardOpen(CardWorld& world, DictionaryViews& views,
                  const std::function<void(QWidget*)>& step) {
  LearningWindow card(world.world.P(), views);
  QTimer::singleShot(0, &card, [&] {
    WaitUntil([&] { return views.PagesShown(); }, 20000);
    step(&card);
    card.CloseWindow();
  });
  card.Run();
}

// The learner presses 下一个(→) on an open card; until the next word's
// three pages have loaded, and when their requests came in.
CardTimes NextWord(CardWorld& world, DictionaryViews& views, QWidget* card) {
  auto* next = card->findChild<QPushButton*>(QStringLiteral("按钮下一个单词"));
  const QUrl before = views.RequestedUrl(kDreyePage);
  CardTimes times;
  const qint64 since = world.clock.nsecsElapsed();
  QElapsedTimer clock;
  clock.start();
  next->click();
  const bool loaded = WaitUntil(
      [&] { return views.RequestedUrl(kDreyePage) != before && views.PagesShown(); }, 20000);
  times.loadedMs = times.shownMs = loaded ? clock.nsecsElapsed() / 1e6 : -1;
  times.sentMs = LastArrivalMs(world, since);
  times.residentMb = ResidentMegabytes();
  times.withHelpersMb = ProportionalMegabytesWithHelpers();
  return times;
}

// The second and later words of a card: from the press of 下一个(→) until
// the next word's pages have loaded (and until their requests came in at
// the server), in rounds interleaved with a new bare window of three plain
// web views each (until its pages have loaded and until its requests came
// in).
void BM_LaterWord(benchmark::State& state) {
  CardWorld world(kLaterRounds + 2);
  DictionaryViews views;
  OpenCard(world, views);                  // starts the engine
  OpenBareViews(world.server.Base(), -1);  // and its default profile
  std::vector<double> loaded, sent, bareViews, bareSent, nextViews, nextSent;
  for (auto _ : state) {
    WithCardOpen(world, views, [&](QWidget* card) {
      BareViewsWindow bare;
      bare.Next(world, -1);
      for (int round = 0; round < kLaterRounds; ++round) {
        const CardTimes floor = OpenBareViews(world.server.Base(), round, &world);
        bareViews.push_back(floor.loadedMs);
        bareSent.push_back(floor.sentMs);
        const CardTimes next = bare.Next(world, round);
        nextViews.push_back(next.loadedMs);
        nextSent.push_back(next.sentMs);
        const CardTimes times = NextWord(world, views, card);
        loaded.push_back(times.loadedMs);
        sent.push_back(times.sentMs);
      }
    });
  }
  state.counters["word_loaded_ms"] = Median(loaded);
  state.counters["word_sent_ms"] = Median(sent);
  state.counters["views_loaded_ms"] = Median(bareViews);
  state.counters["views_sent_ms"] = Median(bareSent);
  state.counters["loaded_x_views"] = Median(loaded) / Median(bareViews);
  state.counters["sent_x_views"] = Median(sent) / Median(bareSent);
  // The stricter floor: views that stay and go on to the next pages.
  state.counters["views_next_loaded_ms"] = Median(nextViews);
  state.counters["views_next_sent_ms"] = Median(nextSent);
  state.counters["loaded_x_views_next"] = Median(loaded) / Median(nextViews);
  state.counters["sent_x_views_next"] = Median(sent) / Median(nextSent);
}
BENCHMARK(BM_LaterWord)->Iterations(1)->Unit(benchmark::kMillisecond);

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

// Memory over 30 cards in a process that opens nothing else, and over 30
// words of one card, beside a process that opens 30 bare windows of three
// web views: the private memory with the helpers around the 5th and
// around the 30th (the first few fill the engine's caches).
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
    // The same over 30 words of one card (the learner pressing 下一个(→)).
    const QMap<QString, double> words = RunChild("--words-memory-child");
    state.counters["words_1st_MB"] = words.value(QStringLiteral("first_MB"));
    state.counters["words_5th_MB"] = words.value(QStringLiteral("fifth_MB"));
    state.counters["words_30th_MB"] = words.value(QStringLiteral("last_MB"));
    state.counters["words_growth_MB"] =
        words.value(QStringLiteral("last_MB")) - words.value(QStringLiteral("fifth_MB"));
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
  if (argc > 1 && std::string(argv[1]) == "--words-memory-child") {
    cindral::CardWorld world(32);
    cindral::DictionaryViews views;
    cindral::WithCardOpen(world, views, [&](QWidget* card) {
      cindral::PrintMemoryOver30([&](int) { cindral::NextWord(world, views, card); });
    });
    return 0;
  }
  const bool cardsMemoryChild = argc > 1 && std::string(argv[1]) == "--cards-memory-child";
  const bool viewsMemoryChild = argc > 1 && std::string(argv[1]) == "--views-memory-child";
  if (cardsMemoryChild || viewsMemoryChild) {
    cindral::CardWorld world;
    cindral::DictionaryViews views;
    cindral::PrintMemoryOver30([&](int round) {
      if (cardsMemoryChild) {
        cindral::OpenCard(world, views);
      } else {
        cindral::OpenBareViews(world.server.Base(), round);
      }
    });
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "--bare-views-child") {
    cindral::testing::LocalHttpServer server;
    server.Listen();
    const cindral::CardTimes times = cindral::OpenBareViews(server.Base(), 0);
    std::printf("ms=%f\nMB=%f\nall_MB=%f\n", times.loadedMs, times.residentMb, times.withHelpersMb);
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
