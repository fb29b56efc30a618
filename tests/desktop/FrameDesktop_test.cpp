// The skinned windows on a real X desktop: an Xvfb of the test's own, with
// openbox as the window manager (CINDRAL_WINDOW_MANAGER=openbox, the
// default) or with none at all (=none), and no compositing manager. What
// the window manager says about the main window is read from the X server
// (_NET_WM_STATE). Pictures
// of the screen are kept in $CINDRAL_SCREENSHOT_DIR (default
// /tmp/cindral-windows) as desktop-<manager>-*.png.

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "TestWorld.h"
#include "XSession.h"
#include "app/MainWindow.h"
#include "skin/DesktopWindowSystem.h"
#include "tests/windows/WindowTest.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;

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

bool Maximised(QWidget& window) {
  const std::vector<std::string> state = session->WindowState(window.winId());
  auto has = [&](const char* atom) {
    return std::find(state.begin(), state.end(), atom) != state.end();
  };
  return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
}

struct Desk {
  Desk() : world(kDay1) {
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    window = std::make_unique<MainWindow>(world.P());
    window->move(200, 150);
    window->show();
  }
  test::TestWorld world;
  std::unique_ptr<MainWindow> window;
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
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(window.size(), QSize(640, 440));
    QTest::qWait(200);  // the window manager's placement has settled
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

    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[1].rect));
    QTRY_VERIFY(maximised());
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
    QTRY_VERIFY(restored());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 10));
    QTRY_VERIFY(maximised());
    QTest::qWait(300);
    QVERIFY(maximised());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 10));
    QTRY_VERIFY(restored());
    QVERIFY(SaveScreen(QStringLiteral("restored")));
  }
};

int main(int argc, char** argv) {
  const char* manager = std::getenv("CINDRAL_WINDOW_MANAGER");
  managed = manager == nullptr || std::string(manager) != "none";
  test::XSession x(managed ? test::XSession::Manager::kOpenbox : test::XSession::Manager::kNone);
  if (!x.error().empty()) {
    std::fprintf(stderr, "FAIL: %s\n", x.error().c_str());
    return 1;
  }
  session = &x;
  ::setenv("DISPLAY", x.display().c_str(), 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::unsetenv("WAYLAND_DISPLAY");
  // Nor has this desktop a session bus (the toolkit would look for one
  // through the X server, and the bus library keeps what it read).
  ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
  int status = 0;
  {
    PrepareDesktopProcess();
    QApplication app(argc, argv);
    PrepareDesktop(app);
    FrameDesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    status = QTest::qExec(&test, argc, argv);
  }
  return status;
}

#include "FrameDesktop_test.moc"
