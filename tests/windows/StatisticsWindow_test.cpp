// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: the progress picture drawn from the book (today
// marked only while the course runs), the picture saved as PNG whole or not
// at all, and a picture of the window kept for looking.

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "Screenshot.h"
#include "TestWorld.h"
#include "plan/DayPlan.h"
#include "WindowTest.h"
#include "ui/WindowBuilder.h"
#include "windows/StatisticsWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;

namespace {

constexpr double kDay1 = 45000.0;

// A course of `groups` days, `words` words a day, on day `today`.
std::unique_ptr<test::TestWorld> Course(int groups, int words, int today) {
  auto world = std::make_unique<test::TestWorld>(kDay1);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  world->AddCourse(groups, words, kDay1);
  world->clock.Set(kDay1 + today - 1);
  ComputeDayPlan(world->P());
  return world;
}

// The timeline's four rows of days, in layout pixels.
const QRect kTimeline(0, 80, 760, 118);

// How many pixels of the picture's timeline have (nearly) this colour.
int PixelsOf(const QImage& image, const QColor& colour) {
  int n = 0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const qreal scale = static_cast<qreal>(image.width()) / 760;
  const QRect area(
      QRectF(QPointF(kTimeline.topLeft()) * scale, QSizeF(kTimeline.size()) * scale).toRect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = rgb.pixelColor(x, y);
      if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
              qAbs(c.blue() - colour.blue()) <
          12) {
        ++n;
      }
    }
  }
  return n;
}

const QColor kTodayMark(208, 2, 27);

}  // namespace

class StatisticsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheProgressPictureAtItsLayoutSize() {
    auto world = Course(/*groups=*/30, /*words=*/12, /*today=*/30);
    StatisticsWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("学习统计"));
    auto* box = Control<QLabel>(&window, "图片框统计");
    const QPixmap shown = box->pixmap();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.deviceIndependentSize().toSize(), box->size());
    QCOMPARE(window.logic().todayNumber(), 30);
    QVERIFY(PixelsOf(shown.toImage(), kTodayMark) > 20);  // today's frame on the timeline
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("statistics-window"))));
  }

  void aCourseNotBegunMarksNoDay() {
    auto world = Course(/*groups=*/0, /*words=*/0, /*today=*/1);
    StatisticsWindow window(world->P());
    const QImage picture = StatisticsWindow::Picture(window.logic(), 1);
    QCOMPARE(picture.size(), QSize(760, 530));
    QCOMPARE(PixelsOf(picture, kTodayMark), 0);
  }

  // 保存为图片… with the file chosen: the picture at twice its size, and
  // the message says where it went; a place that cannot be written says so.
  void savesThePictureAsAWholePngFileAndSaysWhere() {
    auto world = Course(/*groups=*/5, /*words=*/4, /*today=*/5);
    StatisticsWindow window(world->P());
    auto* save = Control<QPushButton>(&window, "按钮保存图片");
    const std::string chosen = world->dir.File("统计");
    world->shell.chosenFiles.push_back({Utf8ToGbk(chosen), 0});
    save->click();
    QCOMPARE(world->shell.fileDialogs.size(), size_t{1});
    QCOMPARE(world->shell.fileDialogs[0].suggested, std::string("学习统计-2023-03-19.png"));
    QVERIFY(world->shell.fileDialogs[0].kind == FileKind::Picture);
    const QString path = QString::fromStdString(chosen + ".png");
    QImage saved;
    QVERIFY(saved.load(path, "PNG"));
    QCOMPARE(saved.size(), QSize(1520, 1060));  // twice the layout size
    QVERIFY(PixelsOf(saved, kTodayMark) > 40);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("图片已保存，文件在：\n") + path);

    // A place that cannot be written: said so, and nothing is left behind.
    const std::string nowhere = world->dir.File("no-such-folder/统计.png");
    world->shell.chosenFiles.push_back({Utf8ToGbk(nowhere), 0});
    save->click();
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("图片保存失败，请换一个位置再试！"));
    QVERIFY(!QFile::exists(QString::fromStdString(nowhere)));
    // The book is as it was.
    QCOMPARE(world->Db().RecordCount(), 20);
  }

  void drawsABookOfTwentyThousandWords() {
    auto world = Course(/*groups=*/88, /*words=*/228, /*today=*/95);
    StatisticsWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.logic().wordCount(), 88 * 228);
    QCOMPARE(window.logic().groups().size(), size_t{88});
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("statistics-window-full"))));
  }
};

CINDRAL_WINDOW_TEST_MAIN(StatisticsWindowTest, QApplication)

#include "StatisticsWindow_test.moc"
