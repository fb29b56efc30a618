// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The word game as a learner plays it: clicking words and meanings,
// "更新单词", "换背景" through the six built-in backgrounds, "自定义背景"
// with the file dialog and with files that are no picture or too large.
// Pictures of the game over every background in $CINDRAL_SCREENSHOT_DIR.

#include <sys/stat.h>

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtEndian>
#include <cmath>

#include "Screenshot.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "logic/MainWindowLogic.h"
#include "WindowTest.h"
#include "ui/ControlText.h"
#include "ui/PictureButton.h"
#include "ui/PictureFile.h"
#include "ui/WindowBuilder.h"
#include "windows/GameWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using cindral::testing::WhenOpen;

namespace {

constexpr double kDay = 45000.0;
constexpr char kTooLarge[] = "这张图片太大了，请选择一张小一些的图片作为背景！";

// Four words, so that every deal shows all of them: long Chinese meanings,
// an ampersand, a short word.
std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay);
  world->OpenWordBook();
  world->AddWord(1, "abandon", kDay, 20, "v. 放弃；抛弃；遗弃；中止；陷入（某种情感）；放纵");
  world->AddWord(1, "ability", kDay, 55, "n. 能力；才能；本领");
  world->AddWord(2, "abstract", kDay, 90, "adj. 抽象的；理论上的；n. 摘要");
  world->AddWord(2, "R&D", kDay, 100, "研究与开发");
  return world;
}

PictureButton* Button(const QWidget* game, int i) {
  const QByteArray name = "超级按钮" + QByteArray::number(i);
  return Control<PictureButton>(game, name.constData());
}

// The button that shows item `item` of the deal.
int ButtonOf(GameWindow& game, int item) {
  for (int i = 1; i <= 8; ++i) {
    if (game.logic().order()[static_cast<size_t>(i)] == item) return i;
  }
  return 0;
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

QImage ShownPicture(const QWidget* game) {
  return Control<QLabel>(game, "图片框")->pixmap().toImage();
}

// How far apart two pictures look: the mean difference of their channels
// at a coarse grid of points.
double Distance(const QImage& a, const QImage& b) {
  if (a.isNull() || b.isNull()) return 1e9;
  const QImage x = a.scaled(38, 40).convertToFormat(QImage::Format_RGB32);
  const QImage y = b.scaled(38, 40).convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < 40; ++row) {
    for (int col = 0; col < 38; ++col) {
      const QRgb p = x.pixel(col, row);
      const QRgb q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (38 * 40 * 3);
}

// A picture scaled to cover the 380 x 400 box, its middle kept.
QImage Cover(const QImage& picture) {
  const QSize box(380, 400);
  const QImage scaled = picture.scaled(box, Qt::KeepAspectRatioByExpanding);
  const QSize extra = scaled.size() - box;
  return scaled.copy(QRect(QPoint(extra.width() / 2, extra.height() / 2), box));
}

// The built-in background that the shown picture is, by likeness.
int ShownBackground(const QWidget* game) {
  const QImage shown = ShownPicture(game);
  int best = 0;
  double bestDistance = 1e9;
  for (int i = 1; i <= 6; ++i) {
    const double d = Distance(shown, Cover(QImage(GameWindow::BackgroundResource(i))));
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return bestDistance < 20 ? best : 0;
}

double Luminance(const QColor& c) {
  auto channel = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The 4-byte big-endian CRC of a PNG chunk.
quint32 Crc32(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFFu;
  for (char ch : bytes) {
    crc ^= static_cast<quint8>(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

QByteArray SolidPng(const QSize& size, const QColor& colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class GameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void builtInBackgroundsAreUncompressed32BitBitmapsOfTheirFixedSizes() {
    const struct {
      int width, height;
      qint64 bytes;
    } expected[] = {{380, 400, 608054}, {325, 396, 514854}, {344, 478, 657782},
                    {380, 537, 816294}, {393, 580, 911814}, {457, 497, 908570}};
    for (int i = 1; i <= 6; ++i) {
      const auto& d = expected[i - 1];
      QFile file(GameWindow::BackgroundResource(i));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
      const QByteArray bytes = file.readAll();
      QCOMPARE(bytes.size(), d.bytes);
      const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
      const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
      QCOMPARE(bytes.left(2), QByteArray("BM"));
      QCOMPARE(u32(2), quint32(d.bytes));  // file size
      QCOMPARE(u32(10), 54u);              // pixels follow the headers
      QCOMPARE(u32(14), 40u);              // information header
      QCOMPARE(qint32(u32(18)), d.width);
      QCOMPARE(qint32(u32(22)), d.height);
      QCOMPARE(u16(26), quint16(1));   // planes
      QCOMPARE(u16(28), quint16(32));  // bits per pixel
      QCOMPARE(u32(30), 0u);           // uncompressed
      const QImage picture(GameWindow::BackgroundResource(i));
      QCOMPARE(picture.size(), QSize(d.width, d.height));
      // A picture, not a flat fill: many colours.
      QSet<QRgb> colours;
      for (int y = 0; y < picture.height(); y += 3) {
        for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
      }
      QVERIFY2(colours.size() > 1000, qPrintable(QString::number(colours.size())));
    }
  }

  void fewerThanFourWordsShowTheMessageAndNoWindow() {
    test::TestWorld world(kDay);
    world.OpenWordBook();
    world.AddWord(1, "one", kDay);
    world.AddWord(1, "two", kDay);
    world.AddWord(1, "three", kDay);
    DesktopShell shell;
    Program program(world.Db(), *world.settings, world.clock, world.prompter, shell);
    shell.Attach(&program, nullptr);
    bool windowShownWithMessage = true;
    world.prompter.onShow = [&](const Message&) {
      windowShownWithMessage = QApplication::activeModalWidget() != nullptr &&
                               QApplication::activeModalWidget()->isVisible();
    };
    MainWindowLogic(program).OnGameButton();  // returns at once
    QCOMPARE(QString::fromStdString(world.prompter.LastText()),
             QStringLiteral("单词库单词数目不够，请积累一些单词再玩吧！"));
    QVERIFY(!windowShownWithMessage);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void pairsVanishAndTheChosenButtonIsHighlighted() {
    auto world = NewWorld();
    GameWindow game(world->P());
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    QCOMPARE(game.windowTitle(), QStringLiteral("单词连连看"));
    QCOMPARE(Control<QLabel>(&game, "标签提示背诵进度")->text(), QStringLiteral("4"));
    QCOMPARE(Control<QLabel>(&game, "标签提示")->text(), QStringLiteral("单词库总数"));
    for (int i = 1; i <= 8; ++i) {
      QCOMPARE(ControlText(Button(&game, i)), game.logic().caption(i));
      QVERIFY(Button(&game, i)->isVisible());
    }

    // A word, a different word, then the second word's meaning.
    PictureButton* firstWord = Button(&game, ButtonOf(game, 1));
    PictureButton* secondWord = Button(&game, ButtonOf(game, 3));
    PictureButton* secondMeaning = Button(&game, ButtonOf(game, 4));
    Click(firstWord);
    QVERIFY(firstWord->isChecked());
    Click(firstWord);  // the chosen one again: still chosen
    QVERIFY(firstWord->isChecked());
    Click(secondWord);
    QVERIFY(!firstWord->isChecked());
    QVERIFY(secondWord->isChecked());
    Click(secondMeaning);
    QVERIFY(!secondWord->isVisible());
    QVERIFY(!secondMeaning->isVisible());
    QVERIFY(firstWord->isVisible());
    for (int i = 1; i <= 8; ++i) QVERIFY(!Button(&game, i)->isChecked());

    // Meaning first, then its word.
    Click(Button(&game, ButtonOf(game, 2)));
    Click(firstWord);
    QVERIFY(!firstWord->isVisible());

    // "更新单词" deals again and shows every button.
    Click(Control<QPushButton>(&game, "按钮换重新选词"));
    for (int i = 1; i <= 8; ++i) {
      QVERIFY(Button(&game, i)->isVisible());
      QVERIFY(!Button(&game, i)->isChecked());
      QCOMPARE(ControlText(Button(&game, i)), game.logic().caption(i));
    }
  }

  void changingTheBackgroundCyclesTheBuiltInPicturesAcrossOpenings() {
    auto world = NewWorld();
    QList<int> shown;
    {
      GameWindow game(world->P());
      game.show();
      QVERIFY(QTest::qWaitForWindowExposed(&game));
      QVERIFY(ShownPicture(&game).isNull());  // none yet in this run
      auto* change = Control<QPushButton>(&game, "按钮换背景");
      for (int press = 0; press < 8; ++press) {
        Click(change);
        shown << ShownBackground(&game);
        QCOMPARE(Control<QLabel>(&game, "图片框")->pixmap().deviceIndependentSize(),
                 QSizeF(380, 400));
      }
    }
    QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 5, 6, 1, 2}));
    // Opened again in the same run: the last one shows, and the count goes on.
    GameWindow again(world->P());
    again.show();
    QCOMPARE(ShownBackground(&again), 2);
    Click(Control<QPushButton>(&again, "按钮换背景"));
    QCOMPARE(ShownBackground(&again), 3);
  }

  void aPictureFileChosenInTheDialogBecomesTheBackground() {
    auto world = NewWorld();
    test::TempDir dir("cindral-pictures");
    const QString path = QString::fromStdString(dir.File("背景.png"));
    QVERIFY(WriteFile(path, SolidPng(QSize(800, 300), QColor(0xC0, 0x30, 0x60))));

    GameWindow game(world->P());
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    auto* custom = Control<QPushButton>(&game, "按钮自定义背景");
    QString filters, opened;
    // Cancelled: nothing changes. The dialog opens in the home folder.
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      QVERIFY(dialog != nullptr);
      filters = dialog->nameFilters().join(QLatin1Char('|'));
      opened = dialog->directory().absolutePath();
      static_cast<QDialog*>(dialog)->reject();
    });
    Click(custom);
    QVERIFY(ShownPicture(&game).isNull());
    QCOMPARE(opened, QDir::homePath());
    QVERIFY(filters.startsWith(QStringLiteral("图片文件 (")));
    QVERIFY(filters.contains(QStringLiteral("*.png")));
    QVERIFY(filters.contains(QStringLiteral("*.bmp")));
    QVERIFY(filters.contains(QStringLiteral("*.jpg")));
    QVERIFY(filters.endsWith(QStringLiteral("所有文件 (*)")));

    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      QVERIFY(dialog != nullptr);
      // The learner types the file's name and presses Enter.
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(name != nullptr);
      name->setText(path);
      QTest::keyClick(name, Qt::Key_Return);
    });
    Click(custom);
    const QImage picture = ShownPicture(&game);
    QVERIFY(!picture.isNull());
    // Scaled to cover the whole box.
    QCOMPARE(picture.pixelColor(5, 5), QColor(0xC0, 0x30, 0x60));
    QCOMPARE(picture.pixelColor(picture.width() - 5, picture.height() - 5),
             QColor(0xC0, 0x30, 0x60));
    // "换背景" goes on with the built-in pictures.
    Click(Control<QPushButton>(&game, "按钮换背景"));
    QCOMPARE(ShownBackground(&game), 1);

    // The next game's dialog opens where the picture was.
    GameWindow next(world->P());
    next.show();
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      QVERIFY(dialog != nullptr);
      opened = dialog->directory().absolutePath();
      static_cast<QDialog*>(dialog)->reject();
    });
    Click(Control<QPushButton>(&next, "按钮自定义背景"));
    QCOMPARE(opened, QString::fromStdString(dir.path()));
  }

  void filesThatAreNoPictureShowNothingAndHarmNothing() {
    auto world = NewWorld();
    test::TempDir dir("cindral-pictures");
    const QString text = QString::fromStdString(dir.File("words.png"));
    QVERIFY(WriteFile(text, "apple 苹果\nthis is not a picture\n"));
    const QString fifo = QString::fromStdString(dir.File("pipe.bmp"));
    QCOMPARE(::mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);
    const QString damaged = QString::fromStdString(dir.File("damaged.png"));
    QVERIFY(WriteFile(damaged, SolidPng(QSize(50, 50), Qt::red).left(30)));

    GameWindow game(world->P());
    game.show();
    Click(Control<QPushButton>(&game, "按钮换背景"));
    QVERIFY(!ShownPicture(&game).isNull());
    for (const QString& path : {text, fifo, QString::fromStdString(dir.path()), damaged,
                                QString::fromStdString(dir.File("missing.png"))}) {
      Click(Control<QPushButton>(&game, "按钮换背景"));
      game.ShowBackgroundFile(path);
      QVERIFY2(ShownPicture(&game).isNull(), qPrintable(path));
    }
    QVERIFY(world->prompter.shown.empty());
    QFile kept(text);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("apple 苹果\nthis is not a picture\n"));
  }

  void aHugeFileOrPictureIsRefusedWithoutReadingItAndTheBackgroundStays() {
    auto world = NewWorld();
    test::TempDir dir("cindral-pictures");
    // A real picture at the start of a file of 200 MB (sparse on disk): the
    // file's size alone refuses it, before any of it is read.
    const QString bigFile = QString::fromStdString(dir.File("big.png"));
    QVERIFY(WriteFile(bigFile, SolidPng(QSize(20, 20), Qt::blue)));
    QVERIFY(QFile(bigFile).resize(qint64{200} * 1024 * 1024));
    // A small file whose header claims 30000 x 30000 pixels.
    QByteArray png = SolidPng(QSize(1, 1), Qt::green);
    qToBigEndian<quint32>(30000, png.data() + 16);
    qToBigEndian<quint32>(30000, png.data() + 20);
    qToBigEndian<quint32>(Crc32(png.mid(12, 17)), png.data() + 29);
    const QString bigPicture = QString::fromStdString(dir.File("wide.png"));
    QVERIFY(WriteFile(bigPicture, png));

    QCOMPARE(ReadPictureFile(bigFile).outcome, PictureFile::Outcome::TooLarge);
    QCOMPARE(ReadPictureFile(bigPicture).outcome, PictureFile::Outcome::TooLarge);
    // Within the limits the same picture reads.
    QVERIFY(QFile(bigFile).resize(SolidPng(QSize(20, 20), Qt::blue).size()));
    QCOMPARE(ReadPictureFile(bigFile).outcome, PictureFile::Outcome::Loaded);
    QVERIFY(QFile(bigFile).resize(qint64{200} * 1024 * 1024));

    GameWindow game(world->P());
    game.show();
    Click(Control<QPushButton>(&game, "按钮换背景"));
    const qint64 before = Control<QLabel>(&game, "图片框")->pixmap().cacheKey();
    for (const QString& path : {bigFile, bigPicture}) {
      world->prompter.shown.clear();
      game.ShowBackgroundFile(path);
      QCOMPARE(world->prompter.Texts(), std::vector<std::string>{kTooLarge});
      QCOMPARE(world->prompter.LastCaption(), std::string("提示"));
      QCOMPARE(Control<QLabel>(&game, "图片框")->pixmap().cacheKey(), before);
    }
  }

  void textsStayReadableOverEveryBackground() {
    auto world = NewWorld();
    GameWindow game(world->P());
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    const QColor ink = game.palette().color(QPalette::Text);
    const QColor highlight = game.palette().color(QPalette::Highlight);
    QVERIFY(SaveScreenshot(&game, ScreenshotPath(QStringLiteral("game-opening"))));
    Click(Button(&game, 3));  // one chosen button in every picture
    for (int background = 1; background <= 6; ++background) {
      Click(Control<QPushButton>(&game, "按钮换背景"));
      QCOMPARE(game.logic().background(), background);
      const QImage shot = game.grab().toImage();
      const qreal scale = shot.devicePixelRatio();
      for (int i = 1; i <= 8; ++i) {
        PictureButton* button = Button(&game, i);
        const QString where = QStringLiteral("background %1, button %2").arg(background).arg(i);
        QVERIFY2(button->TextFits(), qPrintable(where));
        QVERIFY2(button->ShownPixelSize() >= 12, qPrintable(where));
        // The plate beside the text, where no glyph lies.
        const QRectF plate = button->PlateRect().translated(button->pos());
        const QPointF side(plate.left() + 4, plate.center().y());
        const QColor face = shot.pixelColor((side * scale).toPoint());
        QVERIFY2(Contrast(face, ink) >= 7.0, qPrintable(where));
        // The chosen button wears a highlight frame; the others do not.
        const QPoint frame =
            (QPointF(button->pos()) + QPointF(3, button->height() / 2.0)).toPoint();
        const QColor edge = shot.pixelColor((QPointF(frame) * scale).toPoint());
        const int off = std::abs(edge.red() - highlight.red()) +
                        std::abs(edge.green() - highlight.green()) +
                        std::abs(edge.blue() - highlight.blue());
        QVERIFY2((off < 30) == (i == 3), qPrintable(where));
      }
      QVERIFY(shot.save(ScreenshotPath(QStringLiteral("game-background-%1").arg(background))));
    }
  }
};

CINDRAL_WINDOW_TEST_MAIN(GameWindowTest, QApplication)

#include "GameWindow_test.moc"
