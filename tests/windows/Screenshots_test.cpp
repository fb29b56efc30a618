// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as the learner sees them: every caption fits its
// control at the layout's font, and each window renders to a picture of its
// layout size at the screen's scale (the pictures are kept for looking),
// the learning card among them as it is without network.

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <memory>

#include "AllWindowLayouts.h"
#include "Screenshot.h"
#include "TestWorld.h"
#include "lookup/DictionaryViews.h"
#include "plan/DayPlan.h"
#include "store/Gbk.h"
#include "tests/windows/LearnerScript.h"
#include "WindowTest.h"
#include "ui/ControlText.h"
#include "ui/FittingLabel.h"
#include "ui/FittingRadioButton.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"
#include "ui/WindowBuilder.h"
#include "windows/LearningWindow.h"

using namespace cindral;

namespace {

QString ScreenshotDirectory() {
  const QString configured = qEnvironmentVariable("CINDRAL_SCREENSHOT_DIR");
  return configured.isEmpty() ? QDir::temp().filePath(QStringLiteral("cindral-windows"))
                              : configured;
}

void Fill(QWidget* window, const char* name, const char* utf8) {
  QWidget* control = Control<QWidget>(window, name);
  QVERIFY2(control != nullptr, name);
  SetControlText(control, Utf8ToGbk(utf8));
}

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void layoutCaptionsFitTheirControls() {
    for (const WindowLayout* layout : AllWindowLayouts()) {
      ModalWindow window(*layout);
      for (const ControlLayout& c : layout->controls) {
        if (*c.text == '\0' || c.kind == ControlKind::ComboBox ||
            c.kind == ControlKind::TabControl) {
          continue;
        }
        QWidget* control = Control<QWidget>(&window, c.name);
        const QString where = QString::fromUtf8(layout->name) + '/' + QString::fromUtf8(c.name);
        const QFontMetrics metrics(control->font());
        const QString text = ControlQText(control);
        if (auto* label = qobject_cast<FittingLabel*>(control)) {
          QVERIFY2(label->TextFits(), qPrintable(where));
          // At the layout size, or a pixel smaller where the face runs wider
          // than the layout's one.
          QVERIFY2(label->ShownPixelSize() >= c.font.pixelHeight - 1, qPrintable(where));
        } else if (c.kind == ControlKind::Button) {
          const bool oneLine = metrics.horizontalAdvance(text) <= c.width - 6;
          const QRect wrapped =
              metrics.boundingRect(QRect(0, 0, c.width - 10, 1000), Qt::TextWordWrap, text);
          QVERIFY2(oneLine || (wrapped.width() <= c.width - 10 && wrapped.height() <= c.height - 6),
                   qPrintable(where));
        } else {
          QVERIFY2(metrics.horizontalAdvance(text) <= c.width, qPrintable(where));
        }
      }
    }
  }

  void labelsShrinkLongTextUntilItShows() {
    ModalWindow spelling(SpellingWindowLayout());
    auto* meaning = Control<FittingLabel>(&spelling, "标签释义");
    SetControlText(meaning, GBK("n. 苹果"));
    QCOMPARE(meaning->ShownPixelSize(), 29);
    SetControlText(meaning, GBK("v. 放弃；抛弃；遗弃；中止；陷入（某种情感）；放纵"));
    const int size = meaning->ShownPixelSize();
    QVERIFY(size < 29);
    QVERIFY(size >= 15);
    QVERIFY(meaning->TextFits());
    QFont shown = meaning->font();
    shown.setPixelSize(size);
    const QFontMetrics metrics(shown);
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, 500, 1000), Qt::TextWordWrap, meaning->text());
    QVERIFY(needed.width() <= 500);
    QVERIFY(needed.height() <= 50 + metrics.descent());

    // The verdict mark keeps its layout size although the font's line is
    // taller than the label: only the glyph has to fit.
    auto* verdict = Control<FittingLabel>(&spelling, "标签判断单词对错");
    SetControlText(verdict, GBK("√"));
    QCOMPARE(verdict->ShownPixelSize(), 56);

    // The meanings to choose from shrink the same way.
    ModalWindow choice(ChoiceWindowLayout());
    auto* option = Control<FittingRadioButton>(&choice, "单选框单词3");
    SetControlText(option, GBK("adj. 抽象的"));
    QCOMPARE(option->ShownPixelSize(), 19);
    SetControlText(option, GBK("v. 放弃；抛弃；遗弃；中止；陷入（某种情感）；放纵"));
    QVERIFY(option->ShownPixelSize() < 19);
    QVERIFY(option->TextFits());
  }

  void windowsRenderAtTheirLayoutSize() {
    const QString directory = ScreenshotDirectory();
    QVERIFY(QDir().mkpath(directory));
    const qreal scale = qApp->devicePixelRatio();
    // Run on a screen of 144 dpi the layout sizes grow by half, unrounded.
    const QString expected = qEnvironmentVariable("CINDRAL_EXPECT_SCALE");
    if (!expected.isEmpty()) QCOMPARE(scale, expected.toDouble());

    ModalWindow entry(EntryWindowLayout());
    Fill(&entry, "编辑框输入单词", "abandon");
    Fill(&entry, "编辑框输入释义", "v. 放弃；抛弃");

    ModalWindow spelling(SpellingWindowLayout());
    Fill(&spelling, "标签释义", "n. 苹果；苹果树");
    Fill(&spelling, "编辑框输入单词", "appel");
    Fill(&spelling, "标签判断单词对错", "×");

    ModalWindow learning(LearningWindowLayout());
    Control<QWidget>(&learning, "按钮下一个单词")->hide();
    Fill(&learning, "标签熟练度", "35%");
    Fill(&learning, "标签左提示背诵进度", "12");
    Fill(&learning, "标签右提示背诵进度", "40");
    Control<QProgressBar>(&learning, "进度条")->setValue(35);

    ModalWindow choice(ChoiceWindowLayout());
    Fill(&choice, "标签单词", "abandon");
    Fill(&choice, "单选框单词1", "v. 放弃；抛弃");
    Fill(&choice, "单选框单词2", "n. 能力；才能");
    Fill(&choice, "单选框单词3", "adj. 抽象的");
    Fill(&choice, "单选框单词4", "v. 放弃；抛弃；遗弃；中止；陷入（某种情感）；放纵");
    Fill(&choice, "标签判断释义对错", "√");

    ModalWindow game(GameWindowLayout());
    const char* tiles[] = {"apple",   "n. 苹果", "abandon", "v. 放弃；抛弃；遗弃；中止",
                           "ability", "n. 能力", "R&D",     "研究与开发"};
    for (int i = 0; i < 8; ++i) {
      const QByteArray name = "超级按钮" + QByteArray::number(i + 1);
      Fill(&game, name.constData(), tiles[i]);
    }
    Control<QLabel>(&game, "图片框")
        ->setStyleSheet(
            QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #9cc9f0, "
                           "stop:1 #f5e6a8);"));
    Fill(&game, "标签提示背诵进度", "128");

    ModalWindow chooser(IntensiveChooserWindowLayout());
    ModalWindow review(ForgottenReviewWindowLayout());
    Fill(&review, "标签单词", "abandon");
    Fill(&review, "标签释义", "v. 放弃；抛弃；遗弃；中止；陷入（某种情感）");
    ModalWindow intensive(IntensiveReviewWindowLayout());
    Fill(&intensive, "标签单词", "ability");

    const struct {
      ModalWindow* window;
      const char* file;
    } shots[] = {{&entry, "entry.png"},
                 {&spelling, "spelling.png"},
                 {&learning, "learning.png"},
                 {&choice, "choice.png"},
                 {&game, "game.png"},
                 {&chooser, "chooser.png"},
                 {&review, "forgotten-review.png"},
                 {&intensive, "intensive-review.png"}};
    for (const auto& shot : shots) {
      shot.window->show();
      QVERIFY(QTest::qWaitForWindowExposed(shot.window));
      const QString path = QDir(directory).filePath(QString::fromLatin1(shot.file));
      QVERIFY2(SaveScreenshot(shot.window, path), qPrintable(path));
      const QImage picture(path);
      QCOMPARE(picture.size(), (shot.window->size() * scale));
      shot.window->hide();
    }
    QVERIFY(!SaveScreenshot(nullptr, QDir(directory).filePath(QStringLiteral("none.png"))));
  }

  // The learning card as a learner without network sees it, once every tab
  // shows its local page: the word, its meaning and the offline entry. The
  // services are named on a port where nothing answers, so the picture is
  // the same on every machine.
  void theLearningCardWithoutNetworkShowsItsLocalPages() {
    constexpr double kToday = 45000.0;
    test::TestWorld world(kToday);
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "abandon", kToday, 35, "v. 放弃；抛弃；遗弃");
    world.AddWord(1, "ability", kToday, 35, "n. 能力；才能");
    world.AddWord(1, "abstract", kToday, 35, "adj. 抽象的");
    for (const char* key : {"base1", "base2", "base3"}) {
      world.settings->WriteSetting("Dictionary", key, "http://127.0.0.1:9");
    }
    world.P().LoadCurrentGroup();
    ComputeDayPlan(world.P());

    DictionaryViews views;
    testing::LearnerScript learner;
    QVERIFY(QDir().mkpath(ScreenshotDirectory()));
    const QString path = QDir(ScreenshotDirectory()).filePath(QStringLiteral("learning-card.png"));
    bool saved = false;
    QSize cardSize;
    learner.Add(
        "the local page on every tab",
        [&] {
          for (int i = 0; i < kDictionaryPages; ++i) {
            if (views.Showing(i) != DictionaryViews::Shown::FailurePage) return false;
          }
          return true;
        },
        [&] {
          QWidget* card = QApplication::activeModalWidget();
          QTest::qWait(300);  // the page draws its first picture
          cardSize = card->size();
          saved = SaveScreenshot(card, path);
          card->close();
        });
    learner.Start(30000);
    RunLearningWindow(world.P(), views, nullptr);
    QVERIFY2(learner.finished(), learner.failure().c_str());
    QVERIFY2(saved, qPrintable(path));
    QCOMPARE(QImage(path).size(), cardSize * qApp->devicePixelRatio());
  }
};

CINDRAL_WINDOW_TEST_MAIN(ScreenshotsTest, QApplication)
#include "Screenshots_test.moc"
