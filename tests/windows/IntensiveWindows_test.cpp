// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The intensive review as a learner drives it: page "强化提高" opens the
// chooser, a threshold is chosen or typed, the drill answers the arrow keys,
// "~" and S through its focus holder. Pictures in $CINDRAL_SCREENSHOT_DIR.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Screenshot.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "logic/MainWindowLogic.h"
#include "WindowTest.h"
#include "ui/WindowBuilder.h"
#include "windows/IntensiveChooserWindow.h"
#include "windows/IntensiveReviewWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using cindral::testing::WhenOpen;

namespace {

constexpr double kDay = 45000.0;

QString Shown(const QWidget* window, const char* name) {
  return Control<QLabel>(window, name)->text();
}

// The drill's card as "word meaning position/count".
QString Card(const QWidget* drill) {
  return Shown(drill, "标签单词") + ' ' + Shown(drill, "标签释义") + ' ' +
         Shown(drill, "标签左提示背诵进度") + '/' + Shown(drill, "标签右提示背诵进度");
}

std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay);
  world->OpenWordBook();
  world->AddWord(1, "abandon", kDay, 20, "v. 放弃；抛弃；遗弃；中止；陷入（某种情感）");
  world->AddWord(1, "ability", kDay, 55, "n. 能力；才能；本领");
  world->AddWord(2, "abstract", kDay, 90, "adj. 抽象的；理论上的");
  world->AddWord(2, "R&D", kDay, 100, "研究与开发");
  return world;
}

}  // namespace

class IntensiveWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void theChooserRefusesABadThresholdAndStaysOpen() {
    auto world = NewWorld();
    IntensiveChooserWindow chooser(world->P());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(chooser.windowTitle(), QStringLiteral("选择强化复习模式"));
    QCOMPARE(Control<QGroupBox>(&chooser, "分组框")->title(),
             QStringLiteral("选择要强化复习的单词熟练度"));
    auto* list = Control<QComboBox>(&chooser, "组合框");
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->itemText(0), QStringLiteral("≥1%熟练度单词"));
    QCOMPARE(list->itemText(4), QStringLiteral("不选"));
    QCOMPARE(list->currentIndex(), -1);

    auto* box = Control<QLineEdit>(&chooser, "编辑框输入熟练度");
    QTest::keyClicks(box, QStringLiteral("100"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("请您选择或输入正确的强化复习的单词熟练度！"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QTest::mouseClick(Control<QPushButton>(&chooser, "按钮开始"), Qt::LeftButton);
    QCOMPARE(world->prompter.shown.size(), size_t{2});
    QVERIFY(!chooser.IsClosed());
    QVERIFY(world->shell.opened.empty());
    QVERIFY(SaveScreenshot(&chooser, ScreenshotPath(QStringLiteral("intensive-chooser"))));

    // Item "≥80%熟练度单词" from the keyboard: two words reach it.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // the first item
    for (int i = 0; i < 3; ++i) QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 3);
    QTest::mouseClick(Control<QPushButton>(&chooser, "按钮开始"), Qt::LeftButton);
    QCOMPARE(world->shell.opened, std::vector<WindowId>{WindowId::IntensiveReview});
    QCOMPARE(world->State().IntensiveList.size(), size_t{2});
    QVERIFY(chooser.IsClosed());
  }

  void noWordAtTheThresholdIsReportedAndTheChooserStays() {
    auto world = NewWorld();
    world->Db().ClearAll();
    world->AddWord(1, "low", kDay, 10, "低");
    IntensiveChooserWindow chooser(world->P());
    chooser.show();
    auto* box = Control<QLineEdit>(&chooser, "编辑框输入熟练度");
    QTest::keyClicks(box, QStringLiteral("50"));
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("没有要强化复习的单词！"));
    QVERIFY(!chooser.IsClosed());
    QVERIFY(chooser.isVisible());
  }

  void theDrillAnswersItsKeysThroughTheFocusHolder() {
    auto world = NewWorld();
    for (const char* w : {"apple", "pear", "plum"}) {
      world->State().IntensiveList.push_back({1, w, GBK("水果"), 50, 1});
    }
    IntensiveReviewWindow drill(world->P());
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    QCOMPARE(drill.windowTitle(), QStringLiteral("强化提高"));
    auto* keyBox = Control<QLineEdit>(&drill, "编辑框提供快捷键");
    QTRY_VERIFY(keyBox->hasFocus());
    auto* timer = Control<QTimer>(&drill, "时钟保证获取焦点");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
    QCOMPARE(Card(&drill), QStringLiteral("apple ？ 1/3"));

    QTest::keyClick(keyBox, Qt::Key_Left);
    QCOMPARE(Card(&drill), QStringLiteral("plum ? 3/3"));
    QTest::keyClick(keyBox, Qt::Key_S);
    QCOMPARE(Card(&drill), QStringLiteral("plum 水果 3/3"));
    QTest::keyClick(keyBox, Qt::Key_Right);
    QCOMPARE(Card(&drill), QStringLiteral("apple ? 1/3"));
    QTest::keyClick(keyBox, Qt::Key_QuoteLeft);  // the ` ~ key
    QCOMPARE(Card(&drill), QStringLiteral("pear ? 2/3"));
    QTest::keyClick(keyBox, Qt::Key_AsciiTilde, Qt::ShiftModifier);
    QCOMPARE(Card(&drill), QStringLiteral("plum ? 3/3"));
    // Lower-case s is the same key; other letters are no input.
    QTest::keyClicks(keyBox, QStringLiteral("xs"));
    QCOMPARE(Card(&drill), QStringLiteral("plum 水果 3/3"));
    QVERIFY(keyBox->text().isEmpty());

    // Focus taken away comes back with the next tick.
    drill.setFocus();
    QVERIFY(!keyBox->hasFocus());
    QTRY_VERIFY_WITH_TIMEOUT(keyBox->hasFocus(), 2000);
    QVERIFY(SaveScreenshot(&drill, ScreenshotPath(QStringLiteral("intensive-review"))));

    QTest::keyClick(keyBox, Qt::Key_Escape);
    QVERIFY(drill.IsClosed());
  }

  void thePageOpensTheChooserAndTheDrillAndBothCloseTogether() {
    auto world = NewWorld();
    DesktopShell shell;
    Program program(world->Db(), *world->settings, world->clock, world->prompter, shell);
    shell.Attach(&program, nullptr);
    MainWindowLogic main(program);

    QStringList cards;
    bool drillSeen = false;
    bool chooserClosedAfterDrill = false;
    WhenOpen<IntensiveChooserWindow>([&](IntensiveChooserWindow* chooser) {
      QVERIFY(chooser != nullptr);
      auto* box = Control<QLineEdit>(chooser, "编辑框输入熟练度");
      QTest::keyClicks(box, QStringLiteral("50"));
      WhenOpen<IntensiveReviewWindow>([&](IntensiveReviewWindow* drill) {
        QVERIFY(drill != nullptr);
        drillSeen = true;
        auto* keyBox = Control<QLineEdit>(drill, "编辑框提供快捷键");
        cards << Card(drill);
        QTest::keyClick(keyBox, Qt::Key_Right);
        cards << Card(drill);
        QTest::keyClick(keyBox, Qt::Key_S);
        cards << Card(drill);
        QTest::keyClick(keyBox, Qt::Key_Right);
        cards << Card(drill);
        drill->close();
      });
      QTest::keyClick(box, Qt::Key_Return);  // returns once the drill has closed
      chooserClosedAfterDrill = chooser->IsClosed();
    });
    main.OnPageSelected(MainWindowLogic::kIntensivePage);

    QVERIFY(drillSeen);
    QVERIFY(chooserClosedAfterDrill);
    QCOMPARE(cards, (QStringList{"ability ？ 1/3", "abstract ? 2/3",
                                 "abstract adj. 抽象的；理论上的 2/3", "R&D ? 3/3"}));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // The drill changes nothing stored.
    world->Db().GoTo(2);
    QCOMPARE(ReadIntegerField(world->Db(), kProficiency), 55);
  }
};

CINDRAL_WINDOW_TEST_MAIN(IntensiveWindowsTest, QApplication)

#include "IntensiveWindows_test.moc"
