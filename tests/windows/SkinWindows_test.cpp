// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned main window as the learner uses it: hover and press on the
// caption buttons, pages, maximising and restoring, the skin chooser and the
// skinned message box. Pictures of each look are kept in
// $CINDRAL_SCREENSHOT_DIR (default /tmp/cindral-windows).

#include <QAccessible>
#include <QApplication>
#include <QBitmap>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>

#include "TestWorld.h"
#include "app/MainWindow.h"
#include "skin/QtFrameWindow.h"
#include "skin/SkinChooser.h"
#include "skin/SkinChooserWindow.h"
#include "skin/SkinMessage.h"
#include "skin/WindowSystem.h"
#include "store/Gbk.h"
#include "WindowTest.h"
#include "ui/Layouts.h"
#include "ui/WindowBuilder.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using cindral::testing::TopLevel;
using cindral::testing::WhenShown;

namespace {

constexpr double kDay1 = 45000.0;

// What the window shows: its picture, transparent outside its shape.
QImage Shot(QWidget* window) {
  QImage picture = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QRegion shape = window->mask();
  if (!shape.isEmpty()) {
    const qreal scale = picture.devicePixelRatio();
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (!shape.contains(QPoint(static_cast<int>(x / scale), static_cast<int>(y / scale)))) {
          picture.setPixel(x, y, 0);
        }
      }
    }
  }
  return picture;
}

bool Save(QWidget* window, const QString& name) { return Shot(window).save(ScreenshotPath(name)); }

QPoint Centre(const FrameRect& r) { return {r.left + r.width / 2, r.top + r.height / 2}; }

// A desktop with a window manager, with or without a compositing manager.
struct StubWindowSystem : WindowSystem {
  bool Composites() const override { return composites; }
  bool PlacesMaximisedWindows() const override { return true; }
  bool composites = true;
};

// Of the pixels of `shot` on the rows and columns `edge` says, within the
// window's shape: how many are not fully opaque, and how many are near black.
std::pair<int, int> SeeThroughAndBlack(const QImage& shot, QWidget* window,
                                       const std::function<bool(int, int)>& edge) {
  int seeThrough = 0, black = 0;
  const QRegion shape = window->mask().isEmpty() ? QRegion(window->rect()) : window->mask();
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (!edge(x, y) || !shape.contains(QPoint(x, y))) continue;
      const QRgb p = shot.pixel(x, y);
      seeThrough += qAlpha(p) < 255;
      black += qAlpha(p) == 255 && std::max({qRed(p), qGreen(p), qBlue(p)}) < 24;
    }
  }
  return {seeThrough, black};
}

std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay1);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  return world;
}

// The accessible children of `window` that the frame or the chooser draws
// (not the widgets on its panel), by name.
std::map<QString, QAccessibleInterface*> DrawnButtons(QWidget* window) {
  std::map<QString, QAccessibleInterface*> buttons;
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window);
  for (int i = 0; face != nullptr && i < face->childCount(); ++i) {
    QAccessibleInterface* child = face->child(i);
    if (child != nullptr && child->object() == nullptr) buttons[child->text(QAccessible::Name)] = child;
  }
  return buttons;
}

void Press(QAccessibleInterface* button) {
  QVERIFY(button != nullptr);
  QAccessibleActionInterface* actions = button->actionInterface();
  QVERIFY(actions != nullptr);
  QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

class SkinWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void mainWindowIsDrawnByTheFrame() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window.size(), QSize(640, 440));
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("页面栏")) == nullptr);

    const SkinFrame& frame = window.frame();
    QCOMPARE(frame.Pages().size(), size_t{4});
    const char* labels[] = {"我的主页", "单词学习", "分组测验", "强化提高"};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(frame.Pages()[i].label, Utf8ToGbk(labels[i]));
      QCOMPARE(frame.Pages()[i].rect, (FrameRect{8 + 78 * i, 30, 76, 71}));
    }
    QCOMPARE(frame.StatusText(), MainWindow::Slogan());
    // The five buttons lie on the white client panel (2, 105, w - 6, h - 130).
    const QRect panel(2, 105, 640 - 6, 440 - 130);
    for (const ControlLayout& button : MainWindowButtons()) {
      auto* widget = Control<QPushButton>(&window, button.name);
      QCOMPARE(widget->geometry(), QRect(button.x, button.y, button.width, button.height));
      QVERIFY(panel.contains(widget->geometry()));
      QVERIFY(widget->isVisible());
    }

    const QImage shot = Shot(&window);
    QVERIFY(shot.save(ScreenshotPath(QStringLiteral("skin-default"))));
    const qreal s = shot.devicePixelRatio();
    auto at = [&](int x, int y) {
      return QColor(shot.pixel(int(x * s + s / 2), int(y * s + s / 2)));
    };
    QCOMPARE(at(300, 140), QColor(Qt::white));               // the client panel
    QCOMPARE(at(320, 60), QColor(0x4D, 0xA6, 0xDE));         // the default plain colour
    QCOMPARE(at(320, 430), QColor(0x4D, 0xA6, 0xDE));        // behind the status line
    QCOMPARE(qAlpha(shot.pixel(0, 0)), 0);                   // the rounded corner
    QCOMPARE(qAlpha(shot.pixel(shot.width() - 1, 200)), 0);  // right of the border
    QVERIFY(at(0, 200).red() < 0x4D);                        // the dark outer border
  }

  void captionButtonsHoverPressAndRelease() {
    auto world = NewWorld();
    MainWindow window(world->P());
    int menu = -1;
    window.frame().SetMenuHandler([&](int item) { menu = item; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto& captions = window.frame().CaptionButtons();
    for (int i = 0; i < 5; ++i) {
      const QPoint centre = Centre(captions[i].rect);
      QTest::mouseMove(&window, centre);
      QTRY_COMPARE(captions[i].state, int(FrameButton::kHover));
      for (int j = 0; j < 5; ++j) {
        if (j != i) QCOMPARE(captions[j].state, int(FrameButton::kNormal));
      }
      if (i == 0) QVERIFY(Save(&window, QStringLiteral("skin-close-hover")));
      QTest::mousePress(&window, Qt::LeftButton, {}, centre);
      QCOMPARE(captions[i].state, int(FrameButton::kPressed));
      // Released away from every caption button: back to normal, nothing done.
      QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(300, 140));
      QCOMPARE(captions[i].state, int(FrameButton::kNormal));
      QVERIFY(window.isVisible());
      QVERIFY(!window.isMaximized());
      QCOMPARE(menu, -1);
    }
    // The two menu buttons report their item.
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(captions[3].rect));
    QCOMPARE(menu, 0);
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(captions[4].rect));
    QCOMPARE(menu, 1);
    // Minimise, then close.
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(captions[2].rect));
    QTRY_VERIFY(window.isMinimized());
    window.showNormal();
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(captions[0].rect));
    QTRY_VERIFY(!window.isVisible());
  }

  void drawnButtonsAreNamedAndPressedOverAccessibility() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const SkinFrame& frame = window.frame();
    std::map<QString, QAccessibleInterface*> buttons = DrawnButtons(&window);
    QStringList names;
    for (const auto& [name, button] : buttons) names << name;
    const QStringList expected = {"关于",     "关闭",     "分组测验", "单词学习", "寄语",
                                  "强化提高", "我的主页", "更换皮肤", "最大化",   "最小化"};
    QCOMPARE(names, expected);
    // Each sits where it is drawn, on the screen.
    const FrameRect close = frame.CaptionButtons()[0].rect;
    QCOMPARE(buttons["关闭"]->rect(),
             QRect(window.mapToGlobal(QPoint(close.left, close.top)), QSize(close.width, close.height)));
    QCOMPARE(buttons["强化提高"]->role(), QAccessible::PageTab);
    QVERIFY(buttons["我的主页"]->state().checked);
    // A page pressed by name: selected, and its message as from a click.
    Press(buttons["强化提高"]);
    QTRY_COMPARE(frame.Pages()[3].state, int(PageButton::kSelected));
    QVERIFY(buttons["强化提高"]->state().checked);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("您还没有录入单词，请先录入一下吧！"));
    Press(buttons["最大化"]);
    QTRY_VERIFY(window.isMaximized());
    QVERIFY(DrawnButtons(&window).count("还原") == 1);
    Press(DrawnButtons(&window)["还原"]);
    QTRY_VERIFY(!window.isMaximized());
    // The chooser's thumbnails and swatches, on the page shown.
    bool checked = false;
    WhenShown("SkinEdit10", [&](QWidget* chooser) {
      QVERIFY(chooser != nullptr);
      checked = true;
      const auto closing = qScopeGuard([chooser] { chooser->close(); });
      std::map<QString, QAccessibleInterface*> picks = DrawnButtons(chooser);
      QCOMPARE(QAccessible::queryAccessibleInterface(chooser)->childCount(), 2 + 9 + 84);
      QVERIFY(!picks["皮肤图片 3"]->state().invisible);
      const uint32_t c = SkinChooser::PaletteColour(12, 1);
      const QString swatch = QStringLiteral("颜色 #") + QString::asprintf("%02X%02X%02X", c & 0xFF,
                                                                        (c >> 8) & 0xFF, (c >> 16) & 0xFF);
      QVERIFY2(picks.count(swatch) == 1, qPrintable(swatch));
      QVERIFY(picks[swatch]->state().invisible);
      Press(picks["皮肤图片 3"]);
      QTRY_COMPARE(frame.Look().pictureId, 3);
      Press(picks["皮肤颜色"]);
      QTRY_VERIFY(!picks[swatch]->state().invisible);
      QVERIFY(picks["皮肤图片 3"]->state().invisible);
      Press(picks[swatch]);
      QTRY_COMPARE(frame.Look().colour, c);
      QVERIFY(picks[swatch]->state().checked);
    });
    Press(buttons["更换皮肤"]);
    QTRY_VERIFY(checked);
  }

  void pagePressSelectsAndReports() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto& pages = window.frame().Pages();
    QTest::mouseMove(&window, Centre(pages[2].rect));
    QTRY_COMPARE(pages[2].state, int(PageButton::kHover));
    QVERIFY(Save(&window, QStringLiteral("skin-page-hover")));
    // "强化提高" with an empty book: the message, nothing opens.
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(pages[3].rect));
    QCOMPARE(pages[3].state, int(PageButton::kSelected));
    QCOMPARE(pages[0].state, int(PageButton::kNormal));
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("您还没有录入单词，请先录入一下吧！"));
    QVERIFY(world->shell.opened.empty());
    // The page already selected reports again; the window has not moved.
    const QPoint position = window.pos();
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(pages[3].rect));
    QCOMPARE(world->prompter.shown.size(), size_t{2});
    QCOMPARE(window.pos(), position);
    // A button on the panel still works under the frame.
    QTest::mouseClick(Control<QPushButton>(&window, "按钮查看单词本"), Qt::LeftButton);
    QCOMPARE(world->shell.opened.back(), WindowId::WordBook);
  }

  void maximiseAndRestoreSwapTheCaptionEntry() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const SkinFrame& frame = window.frame();
    QCOMPARE(frame.CaptionButtons()[1].normal, SkinPicture::kMaximizeNormal);
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[1].rect));
    QTRY_VERIFY(window.isMaximized());
    QTRY_COMPARE(window.geometry(), window.screen()->availableGeometry());
    QCOMPARE(frame.CaptionButtons()[1].normal, SkinPicture::kRestoreNormal);
    QCOMPARE(frame.CaptionButtons()[0].rect.left, window.width() - 49);
    QCOMPARE(frame.SkinButton().rect.left, window.width() - 30);
    QVERIFY(Save(&window, QStringLiteral("skin-maximised")));
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[1].rect));
    QTRY_VERIFY(!window.isMaximized());
    QTRY_COMPARE(window.size(), QSize(640, 440));
    QCOMPARE(frame.CaptionButtons()[1].normal, SkinPicture::kMaximizeNormal);
    // A double-click on the title bar maximises; below it, nothing.
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 30));
    QVERIFY(!window.isMaximized());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 29));
    QTRY_VERIFY(window.isMaximized());
    QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 10));
    QTRY_VERIFY(!window.isMaximized());
  }

  void windowFollowsADragOnlyWhileTheButtonIsHeld() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();
    // A press on the empty client panel lies in the move area. Without a
    // window system to hand it to (offscreen), the window follows by itself.
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(320, 380));
    QTest::mouseMove(&window, QPoint(321, 380));  // too little to start
    QCOMPARE(window.pos(), start);
    QTest::mouseMove(&window, QPoint(360, 400));
    QTRY_COMPARE(window.pos(), start + QPoint(40, 20));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(320, 380));
    const QPoint moved = window.pos();
    QTest::mouseMove(&window, QPoint(100, 300));
    QCOMPARE(window.pos(), moved);

    // A page press runs its page first; the window that page opens takes
    // the release. Moving the mouse afterwards, button up, moves nothing.
    const FrameRect page = window.frame().Pages()[3].rect;
    QTest::mousePress(&window, Qt::LeftButton, {}, Centre(page));
    QCOMPARE(world->prompter.shown.size(), size_t{1});
    const QPoint to = Centre(page) + QPoint(30, 30);
    QMouseEvent buttonUp(QEvent::MouseMove, to, window.mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
    QApplication::sendEvent(&window, &buttonUp);
    QCOMPARE(window.pos(), moved);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    QCOMPARE(window.pos(), moved);
  }

  void chooserOpensUnderTheSkinButtonAndPicksRepaintAtOnce() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const SkinFrame& frame = window.frame();
    const FrameRect skin = frame.SkinButton().rect;
    bool checked = false;
    WhenShown("SkinEdit10", [&](QWidget* chooser) {
      QVERIFY(chooser != nullptr);
      const QPoint expected = window.geometry().topLeft() + QPoint(skin.left - 201, skin.top + 18);
      QCOMPARE(chooser->geometry(), QRect(expected, QSize(222, 178)));
      QCOMPARE(frame.SkinButton().state, int(FrameButton::kPressed));
      QVERIFY(Save(chooser, QStringLiteral("skin-chooser-pictures")));
      for (int n = 2; n <= 9; ++n) {
        const int row = (n - 1) / 3, column = (n - 1) % 3;
        QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(40 + 69 * column, 58 + 44 * row));
        QCOMPARE(frame.Look().pictureId, n);
        QVERIFY(Save(&window, QStringLiteral("skin-header-%1").arg(n)));
      }
      QVERIFY(Save(chooser, QStringLiteral("skin-chooser-picked")));
      // The colours page: a dark and a light colour.
      QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(60, 15));
      QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(8 + 17 * 11 + 7, 37 + 8));
      QCOMPARE(frame.Look().colour, SkinChooser::PaletteColour(12, 1));
      QCOMPARE(frame.Look().style, 2);
      QVERIFY(Save(&window, QStringLiteral("skin-colour-dark")));
      QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(8 + 17 * 2 + 7, 37 + 18 * 4 + 8));
      QCOMPARE(frame.Look().colour, SkinChooser::PaletteColour(3, 5));
      QVERIFY(Save(&window, QStringLiteral("skin-colour-light")));
      QTest::mouseMove(chooser, QPoint(8 + 17 * 5 + 7, 37 + 18 * 2 + 8));
      QVERIFY(Save(chooser, QStringLiteral("skin-chooser-colours")));
      // Another window takes the focus: the chooser closes.
      auto* other = new QWidget;
      other->setAttribute(Qt::WA_DeleteOnClose);
      other->resize(100, 100);
      other->show();
      other->activateWindow();
      QTRY_VERIFY(!chooser->isVisible());
      other->close();
      checked = true;
    });
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(skin));
    QVERIFY(checked);
    QCOMPARE(frame.SkinButton().state, int(FrameButton::kNormal));
    QVERIFY(TopLevel("SkinEdit10") == nullptr);
  }

  void chooserClosesOnAPressOutside() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool closed = false;
    WhenShown("SkinEdit10", [&](QWidget* chooser) {
      QVERIFY(chooser != nullptr);
      QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(-20, 50));
      closed = !chooser->isVisible();
    });
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(window.frame().SkinButton().rect));
    QVERIFY(closed);
  }

  void menuButtonsShowTheTextsInTheSkinnedBox() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const SkinFrame& frame = window.frame();
    bool seen = false;
    WhenShown("MessageBox10", [&](QWidget* box) {
      QVERIFY(box != nullptr);
      const int height = 140 + 14 * (int(SkinMessage(MainWindow::AboutText()).Lines().size()) - 3);
      QCOMPARE(box->size(), QSize(300, height));
      QCOMPARE(box->geometry().center().x(), window.geometry().center().x());
      QVERIFY(!frame.FrameReady());
      QVERIFY(QApplication::activeModalWidget() == box);
      // No keyboard handling: Enter and Escape leave it open.
      QTest::keyClick(box, Qt::Key_Escape);
      QTest::keyClick(box, Qt::Key_Return);
      QVERIFY(box->isVisible());
      QVERIFY(Save(box, QStringLiteral("skin-message-box")));
      // A second box is refused while this one is open.
      QCOMPARE(window.frame().ShowMessage(GBK("再来一个")), -1);
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(218 + 30, height - 30 + 10));
      seen = true;
    });
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(frame.CaptionButtons()[3].rect));
    QVERIFY(seen);
    QVERIFY(frame.FrameReady());
    QVERIFY(!frame.MessageBoxOpen());
    QVERIFY(TopLevel("MessageBox10") == nullptr);
  }

  // Where nothing composites, the chooser and the box are opaque within
  // their outlines (a transparent pixel would show black there), and the
  // chooser is cut to the rounded outline of its picture. With a
  // compositing manager their soft edges stay half transparent.
  void popupsAreOpaqueWithinTheirOutlinesWhereNothingComposites() {
    for (const bool composites : {false, true}) {
      StubWindowSystem system;
      system.composites = composites;
      QWidget host;
      host.resize(640, 440);
      SkinFrame frame;
      QtFrameWindow desktop(&host, frame, &system);
      frame.Attach(&desktop);
      host.show();
      QVERIFY(QTest::qWaitForWindowExposed(&host));
      const QString mode = composites ? QStringLiteral("composited") : QStringLiteral("opaque");

      bool checked = false;
      WhenShown("SkinEdit10", [&](QWidget* chooser) {
        QVERIFY(chooser != nullptr);
        checked = true;
        // Closed by a press outside, also when a check fails.
        const auto close = qScopeGuard(
            [chooser] { QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(-20, 50)); });
        const QImage shot = Shot(chooser);
        QVERIFY(shot.save(ScreenshotPath(QStringLiteral("skin-chooser-") + mode)));
        const auto [seeThrough, black] = SeeThroughAndBlack(shot, chooser, [](int x, int y) {
          return x == 0 || y == 0 || x == SkinChooser::kWidth - 1 || y == SkinChooser::kHeight - 1;
        });
        if (composites) {
          QVERIFY2(seeThrough > 600, qPrintable(QString::number(seeThrough)));
        } else {
          QCOMPARE(seeThrough, 0);
          QCOMPARE(black, 0);
          QCOMPARE(chooser->mask(), SkinChooserWindow::Outline());
        }
      });
      QTest::mouseClick(&host, Qt::LeftButton, {},
                        QPoint(frame.SkinButton().rect.left + 5, frame.SkinButton().rect.top + 5));
      QVERIFY(checked);

      checked = false;
      WhenShown("MessageBox10", [&](QWidget* box) {
        QVERIFY(box != nullptr);
        checked = true;
        const auto close = qScopeGuard(  // the close button
            [box] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(270, 10)); });
        const QImage shot = Shot(box);
        QVERIFY(shot.save(ScreenshotPath(QStringLiteral("skin-message-box-") + mode)));
        const int bottom = box->height() - 1;
        const auto [seeThrough, black] =
            SeeThroughAndBlack(shot, box, [bottom](int, int y) { return y == bottom; });
        if (composites) {
          QCOMPARE(seeThrough, SkinMessage::kWidth - 1);  // the bottom line, half black
        } else {
          QCOMPARE(seeThrough, 0);
          QCOMPARE(black, 0);
        }
      });
      QCOMPARE(frame.ShowMessage(GBK("没有合成器")), -1);
      QVERIFY(checked);
    }
  }

  void messageBoxResults() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    struct Case {
      int buttons;
      QPoint click;
      int result;
    } cases[] = {{0, {140 + 30, 120}, 1},  // "确定"
                 {0, {218 + 30, 120}, 0},  // "取消"
                 {2, {218 + 30, 120}, 0},  // "取消" alone
                 {0, {270, 10}, -1}};      // the close button
    for (const Case& c : cases) {
      WhenShown("MessageBox10", [&](QWidget* box) {
        QVERIFY(box != nullptr);
        QTest::mouseClick(box, Qt::LeftButton, {}, c.click);
      });
      QCOMPARE(window.frame().ShowMessage(GBK("要继续吗？"), c.buttons, 4, 1, GBK("询问")),
               c.result);
    }
    // Closed another way: 100.
    WhenShown("MessageBox10", [&](QWidget* box) { box->close(); });
    QCOMPARE(window.frame().ShowMessage(GBK("关掉")), 100);
  }
};

CINDRAL_WINDOW_TEST_MAIN(SkinWindowsTest, QApplication)

#include "SkinWindows_test.moc"
