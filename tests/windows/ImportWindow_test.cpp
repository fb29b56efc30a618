// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The import window as the learner sees it: the preview table of the words
// to add, the encoding, the lines that cannot be taken with their numbers;
// 导入 adds them, 取消 writes nothing. A picture is kept for looking.

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "TestWorld.h"
#include "windows/ImportWindow.h"
#include "tests/windows/WindowTest.h"
#include "ui/Screenshot.h"
#include "ui/WindowBuilder.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;

namespace {

constexpr double kDay = 45000.0;

std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  return world;
}

// A GBK word list with a bad line and a line too wide for a column.
std::string WriteList(test::TestWorld& world) {
  const std::string path = world.dir.File("词表.txt");
  std::ofstream(path, std::ios::binary) << Utf8ToGbk(
      "abandon\tv. 放弃；抛弃\n"
      "ability\tn. 能力；才能\n"
      "\t没有单词的一行\n"
      "abstract,adj.\t抽象的\t多了一列\n"
      "<b>bold</b>\t&amp; 不是标记\n");
  return path;
}

QString Cell(QTableWidget* table, int row, int column) { return table->item(row, column)->text(); }

}  // namespace

class ImportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void thePreviewShowsWordsEncodingAndBadLines() {
    auto world = NewWorld();
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(WriteList(*world)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("导入单词"));
    QVERIFY(Control<QLabel>(&window, "标签编码")->text().startsWith(QStringLiteral("编码：GBK")));
    auto* words = Control<QTableWidget>(&window, "表格单词");
    QCOMPARE(words->rowCount(), 3);
    QCOMPARE(Cell(words, 0, 0), QStringLiteral("1"));
    QCOMPARE(Cell(words, 0, 1), QStringLiteral("abandon"));
    QCOMPARE(Cell(words, 1, 2), QStringLiteral("n. 能力；才能"));
    // Learner text stays text.
    QCOMPARE(Cell(words, 2, 0), QStringLiteral("5"));
    QCOMPARE(Cell(words, 2, 1), QStringLiteral("<b>bold</b>"));
    auto* problems = Control<QTableWidget>(&window, "表格问题");
    QCOMPARE(problems->rowCount(), 2);
    QCOMPARE(Cell(problems, 0, 0), QStringLiteral("3"));
    QCOMPARE(Cell(problems, 0, 1), QStringLiteral("单词为空"));
    QCOMPARE(Cell(problems, 1, 0), QStringLiteral("4"));
    QCOMPARE(Control<QLabel>(&window, "标签摘要")->text(),
             QStringLiteral("将作为今天的单词添加 3 个；2 行有问题，不会导入。"));
    QVERIFY(Control<QPushButton>(&window, "按钮导入")->isEnabled());
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("import-window"))));
    QCOMPARE(world->Db().RecordCount(), 0);
  }

  void importAddsTheWordsAndCloses() {
    auto world = NewWorld();
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(WriteList(*world)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(Control<QPushButton>(&window, "按钮导入"), Qt::LeftButton);
    QVERIFY(window.IsClosed());
    QCOMPARE(world->Db().RecordCount(), 3);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("已导入 3 个单词。"));
    // The window gone, today's plan holds the new words.
    QCOMPARE(world->State().DueList.size(), size_t{3});
  }

  void cancelWritesNothing() {
    auto world = NewWorld();
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(WriteList(*world)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(Control<QPushButton>(&window, "按钮取消"), Qt::LeftButton);
    QVERIFY(window.IsClosed());
    QCOMPARE(world->Db().RecordCount(), 0);
    QVERIFY(world->prompter.shown.empty());
  }

  void runningItWithoutAFileShowsNoWindow() {
    auto world = NewWorld();
    ImportWindow window(world->P());
    window.Run();  // the scripted file dialog is cancelled: returns at once
    QVERIFY(window.IsClosed());
    QCOMPARE(world->shell.fileDialogs.size(), size_t{1});
  }
};

CINDRAL_WINDOW_TEST_MAIN(ImportWindowTest, QApplication)

#include "ImportWindow_test.moc"
