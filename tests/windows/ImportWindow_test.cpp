// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The import window as the learner sees it: the preview table of the words
// to add, the encoding, the lines that cannot be taken with their numbers;
// 导入 adds them, 取消 writes nothing. A picture is kept for looking.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "Screenshot.h"
#include "EReaderDatabases.h"
#include "ListedMeanings.h"
#include "TestWorld.h"
#include "WindowTest.h"
#include "ui/WindowBuilder.h"
#include "windows/ImportWindow.h"

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

// A Kindle vocabulary database of three words met in two books.
std::string WriteKindleVocabulary(test::TestWorld& world) {
  const std::string path = world.dir.File("vocab.db");
  test::BuildDatabase(path, std::string(test::kKindleTables) + R"(
INSERT INTO BOOK_INFO VALUES ('b1', '', '', 'en', 'Pride and Prejudice', 'Jane Austen');
INSERT INTO BOOK_INFO VALUES ('b2', '', '', 'en', 'Moby Dick', 'Herman Melville');
INSERT INTO WORDS VALUES ('en:obstinate', 'obstinate', 'obstinate', 'en', 0, 1, '');
INSERT INTO WORDS VALUES ('en:whale', 'whales', 'whale', 'en', 0, 2, '');
INSERT INTO WORDS VALUES ('en:leviathan', 'leviathan', 'leviathan', 'en', 0, 3, '');
INSERT INTO LOOKUPS VALUES ('l1', 'en:obstinate', 'b1', '', '', 'She was headstrong and obstinate.', 1);
INSERT INTO LOOKUPS VALUES ('l2', 'en:whale', 'b2', '', '', 'There she blows! The whales!', 2);
INSERT INTO LOOKUPS VALUES ('l3', 'en:leviathan', 'b2', '', '', 'The great leviathan rose.', 3);
)");
  return path;
}

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

  // An e-reader's words: where each was met, the suggested meanings in
  // their own colour, a meaning typed into the table; only words with a
  // meaning are imported.
  void anEReadersWordsShowWhereTheyWereMetAndTheirMeaningsAreEdited() {
    auto world = NewWorld();
    test::ListedMeanings listed({{"obstinate", {"固执", "顽固"}}, {"whale", {"鲸", "鲸鱼"}}});
    world->P().SetChineseMeanings(&listed);
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(WriteKindleVocabulary(*world)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* words = Control<QTableWidget>(&window, "表格单词");
    QCOMPARE(words->columnCount(), 6);
    QCOMPARE(words->rowCount(), 3);
    QCOMPARE(Cell(words, 0, 1), QStringLiteral("obstinate"));
    QCOMPARE(Cell(words, 0, 2), QStringLiteral("固执；顽固"));
    QCOMPARE(Cell(words, 0, 4), QStringLiteral("She was headstrong and obstinate."));
    QCOMPARE(Cell(words, 0, 5), QStringLiteral("Pride and Prejudice"));
    QCOMPARE(Cell(words, 2, 2), QString());
    QVERIFY(words->item(2, 2)->flags() & Qt::ItemIsEditable);
    QCOMPARE(words->item(0, 2)->foreground().color(), words->palette().color(QPalette::Link));
    QCOMPARE(Control<QLabel>(&window, "标签摘要")->text(),
             QStringLiteral("将作为今天的单词添加 2 个；没有释义的 1 个留到下次。"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("import-ereader"))));

    // Typed as the learner types: the table's editor.
    words->setCurrentCell(2, 2);
    words->editItem(words->item(2, 2));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("haiguai"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(Control<QLabel>(&window, "标签摘要")->text(),
                 QStringLiteral("将作为今天的单词添加 3 个。"));
    QCOMPARE(Cell(words, 2, 2), QStringLiteral("haiguai"));
    QVERIFY(words->item(2, 2)->foreground().color() != words->palette().color(QPalette::Link));
    words->item(0, 2)->setText(QString());
    QTRY_COMPARE(Control<QLabel>(&window, "标签摘要")->text(),
                 QStringLiteral("将作为今天的单词添加 2 个；没有释义的 1 个留到下次。"));
    QTest::mouseClick(Control<QPushButton>(&window, "按钮导入"), Qt::LeftButton);
    QVERIFY(window.IsClosed());
    QCOMPARE(world->Db().RecordCount(), 2);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("已导入 2 个单词。"));
    world->P().SetChineseMeanings(nullptr);
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

  // Words the book holds are marked with their group and meaning, greyed
  // and left out; the check box takes them too.
  void knownWordsAreMarkedAndTheCheckBoxTakesThem() {
    auto world = NewWorld();
    world->AddWord(1, "ability", kDay, 1, "n. 能力");
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(WriteList(*world)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* words = Control<QTableWidget>(&window, "表格单词");
    QCOMPARE(words->horizontalHeaderItem(3)->text(), QStringLiteral("已有"));
    QCOMPARE(Cell(words, 1, 3), QStringLiteral("第 1 组：n. 能力"));
    QCOMPARE(Cell(words, 0, 3), QString());
    QVERIFY(words->item(1, 1)->foreground() != words->item(0, 1)->foreground());
    auto* take = Control<QCheckBox>(&window, "复选框也导入已有");
    QVERIFY(take->isVisible());
    QVERIFY(!take->isChecked());
    QCOMPARE(
        Control<QLabel>(&window, "标签摘要")->text(),
        QStringLiteral("将作为今天的单词添加 2 个；已有的 1 个不导入；2 行有问题，不会导入。"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("import-known-words"))));
    take->click();
    QCOMPARE(Control<QLabel>(&window, "标签摘要")->text(),
             QStringLiteral("将作为今天的单词添加 3 个；2 行有问题，不会导入。"));
    QCOMPARE(words->item(1, 1)->foreground(), words->item(0, 1)->foreground());
    QTest::mouseClick(Control<QPushButton>(&window, "按钮导入"), Qt::LeftButton);
    QCOMPARE(world->Db().RecordCount(), 4);
  }

  // A list with nothing known shows no check box; a long one says that
  // its words come back together.
  void aLongListSaysItsWordsMakeOneGroup() {
    auto world = NewWorld();
    const std::string path = world->dir.File("long.txt");
    {
      std::ofstream list(path, std::ios::binary);
      for (int i = 1; i <= 3000; ++i) list << "word" << i << "\t释义" << i << "\n";
    }
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(path));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!Control<QCheckBox>(&window, "复选框也导入已有")->isVisible());
    QCOMPARE(Control<QLabel>(&window, "标签一组")->text(),
             QStringLiteral(
                 "这 3000 个单词都会成为今天的一组，以后在同样的日子一起复习，每次 3000 个。"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("import-long-list"))));
  }

  // Picking for the word the column the meaning comes from is refused,
  // with the reason; the pickers show the columns still in use.
  void thePickerSaysWhyItRefusesOneColumnForBoth() {
    auto world = NewWorld();
    const std::string path = world->dir.File("notes.txt");
    std::ofstream(path, std::ios::binary) << "#separator:tab\n#guid column:1\n#deck column:2\n"
                                             "Ab1{x\t英语\tapple\t苹果\n";
    ImportWindow window(world->P());
    window.Load(Utf8ToGbk(path));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* wordColumn = Control<QComboBox>(&window, "下拉单词列");
    auto* meaningColumn = Control<QComboBox>(&window, "下拉释义列");
    QCOMPARE(wordColumn->currentIndex(), 2);
    QCOMPARE(meaningColumn->currentIndex(), 3);
    QCOMPARE(wordColumn->itemText(0), QStringLiteral("第 1 列：guid"));
    wordColumn->setCurrentIndex(3);
    emit wordColumn->activated(3);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("单词列和释义列不能是同一列（第 4 列）：请为单词和释义各选一列。"));
    QCOMPARE(wordColumn->currentIndex(), 2);
    QCOMPARE(Cell(Control<QTableWidget>(&window, "表格单词"), 0, 1), QStringLiteral("apple"));
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
