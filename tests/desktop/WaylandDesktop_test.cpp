// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned windows on a Wayland desktop of the test's own: weston on its
// headless backend, with Qt's Wayland plugin. The compositor places every
// window itself, so each is looked for in weston's own picture of its
// output: there it must show whole, as the window draws itself, with no
// black edge. Nothing may be printed (Qt says so when the program asks for
// what a compositor refuses: a position, an activation), and the program
// itself starts natively, names itself by its desktop entry and ends when
// the desktop asks it to. Pictures of the output are kept in
// $CINDRAL_SCREENSHOT_DIR (default /tmp/cindral-windows) as wayland-*.png.

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QScopeGuard>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TestWorld.h"
#include "WaylandSession.h"
#include "WindowTest.h"
#include "app/MainWindow.h"
#include "tests/desktop/DesktopTest.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using cindral::testing::WhenShown;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

test::WaylandSession* session = nullptr;

// What Qt printed, from the start of the application to the end of the
// test that runs; passed on to the test's log as well.
QMutex printedLock;
QStringList printed;
QtMessageHandler passOn = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  {
    const QMutexLocker lock(&printedLock);
    printed << QStringLiteral("%1: %2").arg(QString::fromUtf8(context.category), text);
  }
  if (passOn != nullptr) passOn(type, context, text);
}

QPoint Centre(const FrameRect& r) { return {r.left + r.width / 2, r.top + r.height / 2}; }

// Whether `done` holds within `seconds`, asked again and again while the
// events are handled. (QTRY_ counts only the waits between the questions,
// and a question that takes a picture of the output takes long.)
template <class Condition>
bool Within(int seconds, Condition done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > seconds * 1000) return false;
    QTest::qWait(50);
  }
  return true;
}

// What the compositor shows now, kept as wayland-<name>.png when named.
QImage Output(const QString& name = {}) {
  const std::string file = session->Screenshot();
  QImage image(QString::fromStdString(file));
  if (!name.isEmpty()) image.save(ScreenshotPath(QStringLiteral("wayland-") + name));
  return image.convertToFormat(QImage::Format_RGB32);
}

// Where the output shows `window` whole, as it draws itself: the top left
// at which every opaque pixel of its picture is on the output. The search
// starts from the pixel whose colour the output shows least often.
std::optional<QPoint> Find(const QImage& output, QWidget* window) {
  const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  QHash<QRgb, int> shown;
  for (int y = 0; y < output.height(); ++y) {
    for (int x = 0; x < output.width(); ++x) ++shown[output.pixel(x, y) & 0xFFFFFF];
  }
  std::vector<QPoint> opaque;
  QPoint anchor;
  int fewest = INT_MAX;
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      const QRgb pixel = drawn.pixel(x, y);
      if (qAlpha(pixel) != 255) continue;
      const int count = shown.value(pixel & 0xFFFFFF);
      if (count == 0) return std::nullopt;
      if (count < fewest) {
        fewest = count;
        anchor = QPoint(x, y);
      }
      opaque.emplace_back(x, y);
    }
  }
  if (opaque.empty()) return std::nullopt;
  const QRgb colour = drawn.pixel(anchor) & 0xFFFFFF;
  for (int y = anchor.y(); y + drawn.height() - anchor.y() <= output.height(); ++y) {
    for (int x = anchor.x(); x + drawn.width() - anchor.x() <= output.width(); ++x) {
      if ((output.pixel(x, y) & 0xFFFFFF) != colour) continue;
      const QPoint at(x - anchor.x(), y - anchor.y());
      const bool all = std::all_of(opaque.begin(), opaque.end(), [&](const QPoint& p) {
        return (output.pixel(at + p) & 0xFFFFFF) == (drawn.pixel(p) & 0xFFFFFF);
      });
      if (all) return at;
    }
  }
  return std::nullopt;
}

// Pure black pixels in the outermost ring of `rect` on the output.
int BlackEdgePixels(const QImage& output, const QRect& rect) {
  int black = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const bool edge =
          x == rect.left() || x == rect.right() || y == rect.top() || y == rect.bottom();
      if (edge && (output.pixel(x, y) & 0xFFFFFF) == 0) ++black;
    }
  }
  return black;
}

// Whether `now` shows what `before` showed in `rect`, apart from `except`.
bool ShowsAsBefore(const QImage& now, const QImage& before, const QRect& rect,
                   const QRegion& except) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (!except.contains(QPoint(x, y)) && now.pixel(x, y) != before.pixel(x, y)) return false;
    }
  }
  return true;
}

// Pixels of the output that are not the desktop's background.
int Covered(const QImage& output) {
  int covered = 0;
  for (int y = 0; y < output.height(); ++y) {
    for (int x = 0; x < output.width(); ++x) {
      if ((output.pixel(x, y) & 0xFFFFFF) != test::WaylandSession::kBackground) ++covered;
    }
  }
  return covered;
}

struct Desk : test::DeskWorld {
  Desk() { window->show(); }
  // Where the output shows the main window whole, once it does; nullopt
  // when it does not within 20 seconds.
  std::optional<QPoint> Shown() {
    std::optional<QPoint> at;
    if (QTest::qWaitForWindowExposed(window.get())) {
      Within(20, [&] { return (at = Find(Output(), window.get())).has_value(); });
    }
    return at;
  }
};

// Mesa's software driver, which draws the windows' surfaces here, keeps a
// buffer to the end of the process and is unloaded as the process ends,
// before the leak check, which then finds the buffer unreachable and has
// no name for where it came from: the drivers stay loaded.
void KeepGraphicsDriversLoaded() {
  std::vector<std::string> drivers;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "/dri/") != nullptr) {
          static_cast<std::vector<std::string>*>(found)->push_back(info->dlpi_name);
        }
        return 0;
      },
      &drivers);
  for (const std::string& driver : drivers) {
    dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace

class WaylandDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // The test's log takes what Qt prints once the test has begun; it is
  // collected here first. Also what was printed while the application
  // started counts.
  void initTestCase() { passOn = qInstallMessageHandler(Collect); }
  void cleanupTestCase() { KeepGraphicsDriversLoaded(); }
  void cleanup() {
    const QMutexLocker lock(&printedLock);
    const QStringList seen = std::exchange(printed, {});
    QVERIFY2(seen.isEmpty(), qPrintable(seen.join(QLatin1Char('\n'))));
  }

  void runsOnWaylandItself() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
  }

  // The main window shows whole where the compositor put it, and tells the
  // compositor which desktop entry it belongs to.
  void mainWindowShowsWholeWithItsDesktopEntry() {
    Desk desk;
    MainWindow& window = *desk.window;
    const std::optional<QPoint> at = desk.Shown();
    QVERIFY(at.has_value());
    const QImage output = Output(QStringLiteral("main"));
    QCOMPARE(BlackEdgePixels(output, QRect(*at, window.size())), 0);
    QVERIFY(QRect(QPoint(), output.size()).contains(QRect(*at, window.size())));
    QVERIFY(session->Log().find("set_app_id(\"org.cindral.Cindral\")") != std::string::npos);
  }

  // The chooser shows whole and goes again. Where it shows is the
  // compositor's choice: with a pointer it is a popup beside the skin
  // button, without one (as here) a window of its own over the main window.
  void chooserShowsWholeAndGoes() {
    Desk desk;
    MainWindow& window = *desk.window;
    const std::optional<QPoint> main = desk.Shown();
    QVERIFY(main.has_value());
    bool seen = false;
    WhenShown("SkinEdit10", [&](QWidget* chooser) {
      QVERIFY(chooser != nullptr);
      seen = true;
      // Closed by a press outside, also when a check fails.
      const auto close = qScopeGuard(
          [chooser] { QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(-20, 50)); });
      std::optional<QPoint> at;
      QVERIFY(Within(20, [&] { return (at = Find(Output(), chooser)).has_value(); }));
      const QImage output = Output(QStringLiteral("chooser"));
      QCOMPARE(BlackEdgePixels(output, QRect(*at, chooser->size())), 0);
    });
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(window.frame().SkinButton().rect));
    QVERIFY(seen);
    QVERIFY(Within(20, [&] { return Find(Output(), &window) == main; }));
  }

  // The about box shows whole (the compositor places it) and closes:
  // where it was, the output shows again what it showed before. (The
  // caption buttons' pictures are left out: the button pressed to open the
  // box keeps its picture until the pointer comes back.)
  void messageBoxShowsWholeAndCloses() {
    Desk desk;
    MainWindow& window = *desk.window;
    const std::optional<QPoint> main = desk.Shown();
    QVERIFY(main.has_value());
    const QImage before = Output();
    QRegion captions;
    for (const FrameButton& b : window.frame().CaptionButtons()) {
      captions += QRect(b.rect.left, b.rect.top, b.rect.width, b.rect.height).translated(*main);
    }
    QRect shown;
    WhenShown("MessageBox10", [&](QWidget* box) {
      QVERIFY(box != nullptr);
      const auto close = qScopeGuard([box] {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(218 + 30, box->height() - 20));
      });
      std::optional<QPoint> at;
      QVERIFY(Within(20, [&] { return (at = Find(Output(), box)).has_value(); }));
      const QImage output = Output(QStringLiteral("message-box"));
      shown = QRect(*at, box->size());
      QCOMPARE(BlackEdgePixels(output, shown), 0);
      QVERIFY(QRect(QPoint(), output.size()).contains(shown));
    });
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(window.frame().CaptionButtons()[3].rect));
    QVERIFY(!shown.isNull());
    QVERIFY(!window.frame().MessageBoxOpen());
    QVERIFY(Within(20, [&] { return ShowsAsBefore(Output(), before, shown, captions); }));
  }

  // Only the compositor moves and sizes a window. Where it takes no part
  // (here it has no pointer to follow), the window stays as it is, and
  // the program does not think it elsewhere.
  void aDragTheCompositorDoesNotTakeLeavesTheWindow() {
    Desk desk;
    MainWindow& window = *desk.window;
    const std::optional<QPoint> main = desk.Shown();
    QVERIFY(main.has_value());
    const QRect before = window.geometry();
    // A move on the title bar, and a sizing on the right edge.
    const std::pair<QPoint, QPoint> drags[] = {{QPoint(300, 50), QPoint(-120, 60)},
                                               {QPoint(window.width() - 3, 300), QPoint(120, 0)}};
    for (const auto& [press, by] : drags) {
      QTest::mousePress(&window, Qt::LeftButton, {}, press);
      QTest::mouseMove(&window, press + by);
      QTest::mouseRelease(&window, Qt::LeftButton, {}, press + by);
    }
    QTest::qWait(300);
    QCOMPARE(window.geometry(), before);
    QCOMPARE(Find(Output(), &window), main);
  }

  // The close button ends the window: nothing of it stays on the output.
  void closeButtonClosesTheWindow() {
    Desk desk;
    MainWindow& window = *desk.window;
    QVERIFY(desk.Shown().has_value());
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(window.frame().CaptionButtons()[0].rect));
    QVERIFY(!window.isVisible());
    QVERIFY(Within(20, [] { return Covered(Output()) == 0; }));
  }

  // The program as the learner starts it in a Wayland session: natively,
  // without a word on its output, and ended by the desktop with status 0.
  void theProgramStartsNativelyAndEndsWhenAsked() {
    test::TempDir dir("cindral-wayland-program");
    const std::string program = dir.File("cindral");
    std::filesystem::copy_file(CINDRAL_PROGRAM, program);
    std::filesystem::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/plan/艾宾浩斯.txt",
                               dir.File("艾宾浩斯.txt"));
    std::filesystem::copy_file(std::string(CINDRAL_SOURCE_DIR) + "/core/Config.ini",
                               dir.File("Config.ini"));
    test::WriteEmptyWordBook(dir.File("单词本.EDB"));
    const std::string log = dir.File("printed.txt");
    QVERIFY(Within(20, [] { return Covered(Output()) == 0; }));
    const std::string before = session->Log();
    test::RunningProgram running(
        [&](char** envp) {
          const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
          if (out < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) return;
          char* argv[] = {const_cast<char*>("cindral"), nullptr};
          ::execve(program.c_str(), argv, envp);
        },
        test::ProgramEnvironment({{"QT_QPA_PLATFORM", std::nullopt},
                                  {"XDG_SESSION_TYPE", "wayland"},
                                  {"WAYLAND_DISPLAY", session->display()},
                                  {"XDG_RUNTIME_DIR", session->runtimeDir()},
                                  {"DISPLAY", std::nullopt}}));
    // It maps its window, with its app id, through the compositor.
    QVERIFY(Within(60, [] { return Covered(Output()) > 600 * 400; }));
    Output(QStringLiteral("program"));
    QVERIFY(session->Log().find("set_app_id(\"org.cindral.Cindral\")", before.size()) !=
            std::string::npos);
    running.Terminate();
    QCOMPARE(running.Wait(), std::optional<int>(0));
    QCOMPARE(QString::fromStdString(test::Slurp(log)), QString());
    QVERIFY(Within(20, [] { return Covered(Output()) == 0; }));
  }
};

// Qt's Wayland plugin leaves some of the protocol library's objects to the
// end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libwayland-client.so\n"; }

int main(int argc, char** argv) {
  test::WaylandSession wayland(kWidth, kHeight);
  if (!wayland.error().empty()) {
    std::fprintf(stderr, "FAIL: %s\n", wayland.error().c_str());
    return 1;
  }
  session = &wayland;
  ::setenv("QT_QPA_PLATFORM", "wayland", 1);
  ::setenv("WAYLAND_DISPLAY", wayland.display().c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", wayland.runtimeDir().c_str(), 1);
  ::unsetenv("DISPLAY");
  // Nor has this desktop a session bus.
  ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
  qInstallMessageHandler(Collect);
  return test::RunDesktopTest<WaylandDesktopTest>(argc, argv);
}

#include "WaylandDesktop_test.moc"
