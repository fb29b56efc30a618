// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned windows on a real X desktop: an Xvfb of the test's own, with
// openbox as the window manager (CINDRAL_WINDOW_MANAGER=openbox, the
// default) or with none at all (=none), and no compositing manager. What
// the window manager says about the main window is read from the X server
// (_NET_WM_STATE); what the learner sees is read from the screen. Pictures
// of the screen are kept in $CINDRAL_SCREENSHOT_DIR (default
// /tmp/cindral-windows) as desktop-<manager>-*.png.

#include <QApplication>
#include <QDeadlineTimer>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "StandInPages.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "skin/DesktopWindowSystem.h"
#include "tests/desktop/DesktopTest.h"
#include "WindowTest.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using cindral::testing::WhenShown;

namespace {

constexpr double kDay1 = 45000.0;

test::XSession* session = nullptr;
bool managed = false;  // openbox runs

QPoint Centre(const FrameRect& r) { return {r.left + r.width / 2, r.top + r.height / 2}; }

QString Manager() { return managed ? QStringLiteral("openbox") : QStringLiteral("bare"); }

bool SaveScreen(const QString& name) {
  return QGuiApplication::primaryScreen()->grabWindow(0).save(
      ScreenshotPath(QStringLiteral("desktop-%1-%2").arg(Manager(), name)));
}

// What the screen shows of `rect` (screen coordinates).
QImage ScreenAt(const QRect& rect) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Waits until the window is on the screen and the window manager has
// placed it: exposed, and its geometry unchanged over half a second. The
// suite runs two tests at a time, and a loaded machine maps and places
// windows slowly: the wait is long, and only a window that never comes
// fails it.
bool ShownAndPlaced(QWidget& window) {
  constexpr int kLongWaitMs = 30000;
  if (!QTest::qWaitForWindowExposed(&window, kLongWaitMs)) return false;
  QDeadlineTimer deadline(kLongWaitMs);
  QRect last = window.geometry();
  for (int still = 0; still < 5;) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(100);
    still = window.geometry() == last ? still + 1 : 0;
    last = window.geometry();
  }
  return true;
}

bool Maximised(QWidget& window) {
  const std::vector<std::string> state = session->WindowState(window.winId());
  auto has = [&](const char* atom) {
    return std::find(state.begin(), state.end(), atom) != state.end();
  };
  return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
}

// Pixels of the screen's picture of a window that are pure black: the
// outermost ring of pixels, or only the bottom row.
int BlackPixels(const QImage& image, bool bottomOnly) {
  int black = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const bool edge = bottomOnly
                            ? y == image.height() - 1
                            : x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
      if (edge && (image.pixel(x, y) & 0xFFFFFF) == 0) ++black;
    }
  }
  return black;
}

// Watches a part of the screen from a connection and a thread of its own,
// so that what reaches the screen is seen while the program is busy: the
// time from Start() until the part first differs from what it showed then.
class ScreenChange {
 public:
  ScreenChange(const std::string& display, const QRect& rect) : rect_(rect) {
    connection_ = xcb_connect(display.c_str(), nullptr);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  }
  ~ScreenChange() {
    Stop();
    xcb_disconnect(connection_);
  }

  void Start() {
    const std::string before = Grab();
    start_ = std::chrono::steady_clock::now();
    thread_ = std::thread([this, before] {
      while (!stop_) {
        if (Grab() != before) {
          changedAfterMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start_)
                                .count();
          return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    });
  }
  // -1 while the part shows what it showed at Start().
  long long ChangedAfterMs() const { return changedAfterMs_; }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::string Grab() {
    auto* reply =
        xcb_get_image_reply(connection_,
                            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, rect_.x(),
                                          rect_.y(), rect_.width(), rect_.height(), ~0u),
                            nullptr);
    if (reply == nullptr) return {};
    std::string pixels(reinterpret_cast<const char*>(xcb_get_image_data(reply)),
                       xcb_get_image_data_length(reply));
    std::free(reply);
    return pixels;
  }

  QRect rect_;
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<long long> changedAfterMs_{-1};
  std::chrono::steady_clock::time_point start_;
};

struct Desk : test::DeskWorld {
  Desk() {
    window->move(200, 150);
    window->show();
  }
};

}  // namespace

class FrameDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void windowSystemIsReadFromTheServer() {
    DesktopWindowSystem system;
    QCOMPARE(system.PlacesMaximisedWindows(), managed);
    QVERIFY(!system.Composites());
    session->ClaimCompositorSelection(true);
    QVERIFY(system.Composites());
    session->ClaimCompositorSelection(false);
    QVERIFY(!system.Composites());
  }

  // Maximised is a state the window manager knows: the restore picture
  // shows, no press moves or sizes the window, and the restore button and
  // the double-click on the title bring the window back.
  void maximisedWindowKeepsItsStateUntilRestored() {
    Desk desk;
    MainWindow& window = *desk.window;
    QVERIFY(ShownAndPlaced(window));
    QCOMPARE(window.size(), QSize(640, 440));
    const QRect normal = window.geometry();
    const SkinFrame& frame = window.frame();
    const QRect area = window.screen()->availableGeometry();
    auto maximised = [&] {
      return window.isMaximized() && window.geometry() == area &&
             frame.CaptionButtons()[1].normal == SkinPicture::kRestoreNormal &&
             (!managed || Maximised(window));
    };
    auto restored = [&] {
      return !window.isMaximized() && window.geometry() == normal &&
             frame.CaptionButtons()[1].normal == SkinPicture::kMaximizeNormal && !Maximised(window);
    };

    // The window manager answers a request in its own time.
    constexpr int kStateChangeMs = 30000;
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[1].rect));
    QTRY_VERIFY_WITH_TIMEOUT(maximised(), kStateChangeMs);
    QTest::qWait(300);  // nothing takes the state away afterwards
    QVERIFY(maximised());
    QVERIFY(SaveScreen(QStringLiteral("maximised")));

    // A drag on the title bar, and a press in the right sizing band.
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(300, 50));
    QTest::mouseMove(&window, QPoint(420, 160));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(420, 160));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(window.width() - 3, 300));
    QTest::mouseMove(&window, QPoint(window.width() - 200, 300));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(window.width() - 200, 300));
    QTest::qWait(300);
    QVERIFY(maximised());

    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[1].rect));
    QTRY_VERIFY_WITH_TIMEOUT(restored(), kStateChangeMs);
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 10));
    QTRY_VERIFY_WITH_TIMEOUT(maximised(), kStateChangeMs);
    QTest::qWait(300);
    QVERIFY(maximised());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 10));
    QTRY_VERIFY_WITH_TIMEOUT(restored(), kStateChangeMs);
    QVERIFY(SaveScreen(QStringLiteral("restored")));
  }

  // Without a compositing manager the transparent pixels of the chooser
  // and of the message box would reach the screen black; with one (here a
  // stand-in owning its selection) they keep their per-pixel alpha.
  void popupsShowNoBlackWithoutACompositor() {
    Desk desk;
    MainWindow& window = *desk.window;
    QVERIFY(ShownAndPlaced(window));
    const SkinFrame& frame = window.frame();
    for (const bool composited : {false, true}) {
      session->ClaimCompositorSelection(composited);
      bool seen = false;
      WhenShown("SkinEdit10", [&](QWidget* chooser) {
        QVERIFY(chooser != nullptr);
        seen = true;
        // Closed by a press outside, also when a check fails.
        const auto close = qScopeGuard(
            [chooser] { QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(-20, 50)); });
        const FrameRect skin = frame.SkinButton().rect;
        QCOMPARE(chooser->geometry().topLeft(),
                 window.geometry().topLeft() + QPoint(skin.left - 201, skin.top + 18));
        if (composited) {
          QVERIFY(chooser->testAttribute(Qt::WA_TranslucentBackground));
        } else {
          QTRY_COMPARE(BlackPixels(ScreenAt(chooser->geometry()), false), 0);
          QVERIFY(SaveScreen(QStringLiteral("chooser")));
        }
      });
      QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.SkinButton().rect));
      QVERIFY(seen);

      seen = false;
      WhenShown("MessageBox10", [&](QWidget* box) {
        QVERIFY(box != nullptr);
        seen = true;
        const auto close = qScopeGuard([box] {
          QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(218 + 30, box->height() - 20));
        });
        if (composited) {
          QVERIFY(box->testAttribute(Qt::WA_TranslucentBackground));
        } else {
          QTRY_COMPARE(BlackPixels(ScreenAt(box->geometry()), true), 0);
          QVERIFY(SaveScreen(QStringLiteral("message-box")));
        }
      });
      QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[3].rect));
      QVERIFY(seen);
    }
    session->ClaimCompositorSelection(false);
  }

  // The pointer rests on the minimise button or on 关于, leaves it, comes
  // over the selected page and then over the learning page: that page
  // lights as soon as the pointer is on it, though what its hover starts
  // (the card's web engine; here a stand-in that keeps the program busy
  // for a second) comes right after.
  void aPageLightsAtOnceThoughWhatItsHoverStartsKeepsTheProgramBusy() {
    for (const int caption : {2, 3}) {  // minimise, 关于
      int warmUps = 0;
      test::TestWorld world(kDay1);
      world.WriteStandardPlanTable();
      world.WriteFreshConfig();
      world.OpenWordBook();
      DesktopShell shell([&warmUps] {
        return std::make_unique<test::StandInPages>([&warmUps] {
          QThread::msleep(1000);
          ++warmUps;
        });
      });
      Program program(world.Db(), *world.settings, world.clock, world.prompter, shell);
      MainWindow window(program);
      shell.Attach(&program, &window);
      window.move(200, 150);
      window.show();
      QVERIFY(ShownAndPlaced(window));
      const SkinFrame& frame = window.frame();
      const FrameRect button = frame.CaptionButtons()[caption].rect;
      QTest::mouseMove(&window, Centre(button));
      QTRY_COMPARE(frame.CaptionButtons()[caption].state, int(FrameButton::kHover));
      QTest::qWait(1000);  // the pointer rests
      QTest::mouseMove(&window, QPoint(button.left + 5, 25));
      QTest::mouseMove(&window, Centre(frame.Pages()[0].rect));
      QTest::qWait(150);

      const FrameRect learning = frame.Pages()[1].rect;
      // A corner of the page that only its background covers.
      ScreenChange lit(
          session->display(),
          QRect(window.mapToGlobal(QPoint(learning.left + 2, learning.top + 2)), QSize(10, 6)));
      lit.Start();
      QTest::mouseMove(&window, Centre(learning));
      QTRY_COMPARE(warmUps, 1);
      QTRY_VERIFY(lit.ChangedAfterMs() >= 0);
      lit.Stop();
      qInfo("caption %d: the page lit after %lld ms", caption, lit.ChangedAfterMs());
      QVERIFY2(lit.ChangedAfterMs() < 300, qPrintable(QString::number(lit.ChangedAfterMs())));
      QCOMPARE(frame.Pages()[1].state, int(PageButton::kHover));
    }
  }

  // The skin button's hover background lies partly outside its rectangle:
  // the screen shows all of it, and once the pointer leaves, none of it.
  void skinButtonHoverIsShownWholeAndLeavesNothingBehind() {
    Desk desk;
    MainWindow& window = *desk.window;
    QVERIFY(ShownAndPlaced(window));
    const FrameRect skin = window.frame().SkinButton().rect;
    // Up to the window's border, two pixels in from its right edge.
    const QRect around(skin.left - 10, skin.top - 6, skin.width + 10, skin.height + 10);
    auto shownAsDrawn = [&] {
      const QImage drawn = window.grab(around).toImage().convertToFormat(QImage::Format_RGB32);
      return ScreenAt(around.translated(window.geometry().topLeft())) == drawn;
    };
    QTest::mouseMove(&window, Centre(skin));
    QTRY_COMPARE(window.frame().SkinButton().state, int(FrameButton::kHover));
    QTRY_VERIFY(shownAsDrawn());
    QTest::mouseMove(&window, QPoint(300, 300));
    QTRY_COMPARE(window.frame().SkinButton().state, int(FrameButton::kNormal));
    QTRY_VERIFY(shownAsDrawn());
  }
};

int main(int argc, char** argv) {
  const char* manager = std::getenv("CINDRAL_WINDOW_MANAGER");
  managed = manager == nullptr || std::string(manager) != "none";
  return test::RunOnOwnDesktop<FrameDesktopTest>(
      managed ? test::XSession::Manager::kOpenbox : test::XSession::Manager::kNone, argc, argv,
      &session);
}

#include "FrameDesktop_test.moc"
