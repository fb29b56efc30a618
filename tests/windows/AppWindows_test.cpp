// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, the entry window and the word book listing, driven as a
// learner drives them: typing, Enter, clicks, closing. Pictures of them are
// kept in $CINDRAL_SCREENSHOT_DIR (default /tmp/cindral-windows).

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <fstream>

#include "ListedMeanings.h"
#include "Screenshot.h"
#include "StandInPages.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "app/MainWindow.h"
#include "lookup/DictionaryPages.h"
#include "plan/EntryGate.h"
#include "store/WholeFileScope.h"
#include "WindowTest.h"
#include "ui/Layouts.h"
#include "ui/QtPrompter.h"
#include "ui/WindowBuilder.h"
#include "windows/EntryWindow.h"
#include "windows/ImportWindow.h"
#include "windows/WordBookWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;

namespace {

constexpr double kDay1 = 45000.0;

std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay1);
  world->WriteStandardPlanTable();
  world->WriteFreshConfig();
  world->OpenWordBook();
  return world;
}

}  // namespace

class AppWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void entryWindowStoresTypedWordsOnEnter() {
    auto world = NewWorld();
    EntryWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* word = Control<QLineEdit>(&window, "编辑框输入单词");
    auto* meaning = Control<QLineEdit>(&window, "编辑框输入释义");
    QTRY_VERIFY(word->hasFocus());

    QTest::keyClicks(word, QStringLiteral("apple"));
    QTest::keyClick(word, Qt::Key_Return);  // meaning still empty: refused
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("请将单词和释义录入完整！"));
    QTRY_VERIFY(meaning->hasFocus());
    QCOMPARE(world->Db().RecordCount(), 0);

    meaning->insert(QStringLiteral("苹果 (水果)"));  // as an input method commits it
    QTest::keyClick(meaning, Qt::Key_Enter);
    QCOMPARE(world->Db().RecordCount(), 1);
    QVERIFY(word->text().isEmpty());
    QVERIFY(meaning->text().isEmpty());
    QTRY_VERIFY(word->hasFocus());

    QTest::keyClicks(word, QStringLiteral("pear"));
    meaning->insert(QStringLiteral("梨"));
    QTest::mouseClick(Control<QPushButton>(&window, "按钮提交"), Qt::LeftButton);
    QCOMPARE(world->Db().RecordCount(), 2);

    world->Db().GoFirst();
    QCOMPARE(QString::fromStdString(GbkToUtf8(ReadTextField(world->Db(), kWord))),
             QStringLiteral("apple"));
    QCOMPARE(QString::fromStdString(GbkToUtf8(ReadTextField(world->Db(), kMeaning))),
             QStringLiteral("苹果 (水果)"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("entry-window"))));

    // Words of today exist: closing is allowed and computes the plan.
    window.close();
    QVERIFY(window.IsClosed());
    QCOMPARE(world->State().DueList.size(), size_t{2});
  }

  // The hint under the meaning box follows the word typed; F2 fills the
  // meanings in, after what the learner typed there. The index is not asked
  // before the first word.
  void entryWindowHintsChineseMeaningsThatF2FillsIn() {
    auto world = NewWorld();
    test::ListedMeanings listed({{"abandon", {"放弃", "抛弃", "遗弃", "中止"}}, {"pear", {"梨"}}});
    world->P().SetChineseMeanings(&listed);
    EntryWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(listed.asked, 0);
    auto* word = Control<QLineEdit>(&window, "编辑框输入单词");
    auto* meaning = Control<QLineEdit>(&window, "编辑框输入释义");
    auto* hint = Control<QLabel>(&window, "标签释义提示");
    QVERIFY(hint->text().isEmpty());

    QTest::keyClicks(word, QStringLiteral("abandon"));
    QCOMPARE(hint->text(), QStringLiteral("释义提示：放弃；抛弃；遗弃　（按 F2 填入）"));
    QVERIFY(meaning->text().isEmpty());  // nothing changes without the key
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("entry-window-hint"))));
    QTest::keyClick(word, Qt::Key_F2);
    QCOMPARE(meaning->text(), QStringLiteral("放弃；抛弃；遗弃"));
    QTRY_VERIFY(meaning->hasFocus());
    QTest::keyClick(meaning, Qt::Key_F2);  // a second time adds nothing
    QCOMPARE(meaning->text(), QStringLiteral("放弃；抛弃；遗弃"));
    QTest::keyClick(meaning, Qt::Key_Return);
    QCOMPARE(world->Db().RecordCount(), 1);
    QVERIFY(hint->text().isEmpty());

    // What the learner typed stays first.
    QTest::keyClicks(word, QStringLiteral("pear"));
    meaning->insert(QStringLiteral("n. 梨子"));
    QTest::keyClick(meaning, Qt::Key_F2);
    QCOMPARE(meaning->text(), QStringLiteral("n. 梨子"));  // 梨 is in it already
    QTest::keyClicks(word, QStringLiteral("s"));
    QVERIFY(hint->text().isEmpty());  // "pears": nothing listed
    QTest::keyClick(meaning, Qt::Key_F2);
    QCOMPARE(meaning->text(), QStringLiteral("n. 梨子"));
    world->P().SetChineseMeanings(nullptr);
  }

  void entryWindowRefusesToCloseOnADayWithoutWords() {
    auto world = NewWorld();
    world->AddWord(1, "old", kDay1 - 1);
    EntryWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.close();
    QVERIFY(!window.IsClosed());
    QVERIFY(window.isVisible());
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("您还没有录入今天的单词，窗口不能关闭！"));
    QTest::keyClick(&window, Qt::Key_Escape);  // Escape asks the same question
    QVERIFY(!window.IsClosed());
    QCOMPARE(world->prompter.shown.size(), size_t{2});

    QTest::keyClicks(Control<QLineEdit>(&window, "编辑框输入单词"), QStringLiteral("new"));
    QTest::keyClicks(Control<QLineEdit>(&window, "编辑框输入释义"), QStringLiteral("xin"));
    QTest::keyClick(&window, Qt::Key_Return);  // Enter on the window itself
    window.close();
    QVERIFY(window.IsClosed());
  }

  // The first window of a new day takes a word list: Ctrl+I (or the
  // button) opens the import over it; once the words are in, the window
  // shows how many and may close, with the half-typed word still there.
  void entryWindowImportsAListWithCtrlIOrItsButton() {
    auto world = NewWorld();
    world->AddWord(1, "old", kDay1 - 1);
    const std::string list = world->dir.File("list.txt");
    std::ofstream(list, std::ios::binary) << "apple\t苹果\nold\t旧的\npear\t梨\n";
    world->shell.chosenFiles.push_back({Utf8ToGbk(list), 0});
    EntryWindow window(world->P());
    world->shell.onOpen = [&](WindowId id) {
      if (id != WindowId::Import) return;
      ImportWindow import(world->P(), &window);
      import.Run();
    };
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* word = Control<QLineEdit>(&window, "编辑框输入单词");
    QTest::keyClicks(word, QStringLiteral("hal"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("entry-import-button"))));
    bool previewed = false;
    cindral::testing::WhenOpen<ImportWindow>([&](ImportWindow* import) {
      if (import == nullptr) return;
      // "old" is in the book: marked, and left out.
      auto* words = Control<QTableWidget>(import, "表格单词");
      previewed =
          words->rowCount() == 3 && words->item(1, 3)->text() == QStringLiteral("第 1 组：old-义");
      QVERIFY(SaveScreenshot(import, ScreenshotPath(QStringLiteral("entry-import-preview"))));
      QTest::mouseClick(Control<QPushButton>(import, "按钮导入"), Qt::LeftButton);
    });
    QTest::keyClick(word, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(previewed);
    QCOMPARE(world->Db().RecordCount(), 3);
    QCOMPARE(Control<QLabel>(&window, "标签导入结果")->text(),
             QStringLiteral("已从文件导入 2 个单词"));
    QCOMPARE(word->text(), QStringLiteral("hal"));
    QCOMPARE(window.focusWidget(), word);  // where the typing goes once the window is active
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("entry-imported"))));

    // The button opens the same import; no file picked, nothing changes.
    auto* button = Control<QPushButton>(&window, "按钮从文件导入");
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);  // the Tab order stays the boxes' and 提交's
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(world->shell.fileDialogs.size(), size_t{2});
    QCOMPARE(world->Db().RecordCount(), 3);

    window.close();  // the day has its words
    QVERIFY(window.IsClosed());
  }

  // A word the book holds: the question comes before anything is saved.
  void entryWindowAsksBeforeSavingAWordTheBookHolds() {
    auto world = NewWorld();
    world->AddWord(1, "apple", kDay1, 1, "苹果");
    cindral::QtPrompter prompter;
    Program program(world->Db(), *world->settings, world->clock, prompter, world->shell);
    EntryWindow window(program);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClicks(Control<QLineEdit>(&window, "编辑框输入单词"), QStringLiteral("Apple"));
    Control<QLineEdit>(&window, "编辑框输入释义")->setText(QStringLiteral("苹果树"));
    QString asked;
    cindral::testing::AnswerNextBox([&](QMessageBox* box) {
      if (box == nullptr) return;
      asked = box->text();
      QVERIFY(SaveScreenshot(box, ScreenshotPath(QStringLiteral("entry-known-word"))));
      box->button(QMessageBox::No)->click();
    });
    QTest::keyClick(&window, Qt::Key_Return);
    QCOMPARE(asked,
             QStringLiteral("单词本里已经有“Apple”：\n第 1 组 apple：苹果\n\n还要再添加一次吗？"));
    QCOMPARE(world->Db().RecordCount(), 1);
    QCOMPARE(Control<QLineEdit>(&window, "编辑框输入单词")->text(), QStringLiteral("Apple"));
  }

  void wordBookListsEveryWordReadOnly() {
    auto world = NewWorld();
    world->AddWord(1, "apple", kDay1, 35, "苹果");
    world->AddWord(1, "banana", kDay1, 100, "香蕉");
    WordBookWindow window(world->Db());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("我的单词本"));
    QCOMPARE(window.size(), QSize(550, 400));
    auto* box = Control<QPlainTextEdit>(&window, "编辑框单词本");
    QCOMPARE(box->toPlainText(), QStringLiteral("1.  apple   苹果→35%\n2.  banana   香蕉→100%\n"));
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->textCursor().position(), box->toPlainText().size());
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("word-book"))));
  }

  // A large book: the box shows its end at once and takes the earlier lines
  // while the window is up; the learner at the end stays there, one who has
  // scrolled keeps the lines in view, and a find before the box is full
  // still lands on its word.
  void aLargeListingShowsItsEndAtOnceAndFillsWhileShown() {
    auto world = NewWorld();
    {
      WholeFileScope scope(world->Db());
      for (int i = 1; i <= 6000; ++i) world->AddWord(1, "w" + std::to_string(i), kDay1, 1, "义");
    }
    QString whole;
    for (int i = 1; i <= 6000; ++i) whole += QStringLiteral("%1.  w%1   义→1%\n").arg(i);
    for (const bool scrollUp : {false, true}) {
      WordBookWindow window(world->Db());
      auto* box = Control<QPlainTextEdit>(&window, "编辑框单词本");
      QVERIFY(!box->toPlainText().startsWith(QStringLiteral("1.  w1 ")));
      QVERIFY(box->toPlainText().endsWith(QStringLiteral("6000.  w6000   义→1%\n")));
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      QScrollBar* scroll = box->verticalScrollBar();
      QString seen;
      if (scrollUp) {
        scroll->setValue(scroll->minimum());
        seen = box->cursorForPosition(QPoint(4, 4)).block().text();
      }
      QTRY_COMPARE_WITH_TIMEOUT(box->toPlainText().size(), whole.size(), 20000);
      QCOMPARE(box->toPlainText(), whole);
      QCOMPARE(box->textCursor().position(), whole.size());
      if (scrollUp) {
        QCOMPARE(box->cursorForPosition(QPoint(4, 4)).block().text(), seen);
      } else {
        QCOMPARE(scroll->value(), scroll->maximum());
      }
    }
    WordBookWindow window(world->Db());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(Control<QLineEdit>(&window, "编辑框查找"), QStringLiteral("w2 "));
    auto* box = Control<QPlainTextEdit>(&window, "编辑框单词本");
    QCOMPARE(box->textCursor().selectedText(), QStringLiteral("w2 "));
    QCOMPARE(box->textCursor().block().text(), QStringLiteral("2.  w2   义→1%"));
  }

  // Ctrl+F, a query typed in, Enter and Shift+Enter, an option, Chinese
  // through the input method, Escape twice.
  void wordBookFindBarSelectsTheWordsItFinds() {
    auto world = NewWorld();
    world->AddWord(1, "apple", kDay1, 35, "苹果");
    world->AddWord(1, "pineapple", kDay1, 0, "菠萝");
    for (int i = 0; i < 40; ++i) world->AddWord(1, "word" + std::to_string(i), kDay1, i, "词");
    // A meaning that ends in a CR of its own, as read from a file of CR LF lines split at LF.
    world->AddWord(1, "pear", kDay1, 1, "梨\r");
    world->AddWord(1, "Apple pie", kDay1, 10, "苹果派");
    world->AddWord(1, "banana", kDay1, 100, "香蕉");
    world->AddWord(1, "frizz", kDay1, 5, "卷发");
    WordBookWindow window(world->Db());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* box = Control<QPlainTextEdit>(&window, "编辑框单词本");
    auto* bar = Control<QWidget>(&window, "查找栏");
    auto* query = Control<QLineEdit>(&window, "编辑框查找");
    auto* status = Control<QLabel>(&window, "标签查找结果");
    QVERIFY(bar != nullptr && query != nullptr && status != nullptr);
    QVERIFY(!bar->isVisible());

    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QTRY_VERIFY(query->hasFocus());
    QCOMPARE(window.size(), QSize(550, 432));
    QCOMPARE(box->geometry(), QRect(32, 26, 480, 320));
    QVERIFY(bar->geometry().top() > box->geometry().bottom());

    // Where the selection is: its line, its column and its text.
    const auto selected = [box] {
      const QTextCursor c = box->textCursor();
      const QTextBlock block = box->document()->findBlock(c.selectionStart());
      return QStringLiteral("%1:%2 %3")
          .arg(block.blockNumber())
          .arg(c.selectionStart() - block.position())
          .arg(c.selectedText());
    };
    // The list opens at its end: the first letter finds from the top.
    QTest::keyClicks(query, QStringLiteral("apple"));
    QCOMPARE(selected(), QStringLiteral("0:4 apple"));
    QCOMPARE(status->text(), QStringLiteral("第 1 个，共 3 个"));
    QTest::keyClick(query, Qt::Key_Return);
    QCOMPARE(selected(), QStringLiteral("1:8 apple"));
    QTest::keyClick(query, Qt::Key_Return);
    QCOMPARE(selected(), QStringLiteral("43:5 Apple"));
    QVERIFY(box->viewport()->rect().contains(box->cursorRect()));
    QTest::keyClick(query, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(selected(), QStringLiteral("1:8 apple"));
    // Whole words only: the search starts again where the match stood.
    QTest::mouseClick(Control<QCheckBox>(&window, "复选框全字匹配"), Qt::LeftButton);
    QCOMPARE(selected(), QStringLiteral("43:5 Apple"));
    QCOMPARE(status->text(), QStringLiteral("第 2 个，共 2 个"));
    QTest::keyClick(&window, Qt::Key_F3);
    QCOMPARE(selected(), QStringLiteral("0:4 apple"));
    QTRY_VERIFY(query->hasFocus());

    // Chinese comes in through the input method.
    const auto commit = [query](const QString& text) {
      query->selectAll();
      QInputMethodEvent typed;
      typed.setCommitString(text);
      QApplication::sendEvent(query, &typed);
    };
    commit(QStringLiteral("香蕉"));
    QCOMPARE(selected(), QStringLiteral("44:14 香蕉"));
    QVERIFY(box->viewport()->rect().contains(box->cursorRect()));
    commit(QStringLiteral("苹果"));
    QCOMPARE(selected(), QStringLiteral("0:12 苹果"));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("word-book-find"))));
    commit(QStringLiteral("橙"));
    QCOMPARE(status->text(), QStringLiteral("找不到“橙”"));
    QCOMPARE(selected(), QStringLiteral("0:12 "));

    // No match, no selection: the caret stays where the last match began,
    // and the query mended finds it again.
    QTest::mouseClick(Control<QCheckBox>(&window, "复选框全字匹配"), Qt::LeftButton);
    query->selectAll();
    QTest::keyClicks(query, QStringLiteral("zz"));
    QCOMPARE(selected(), QStringLiteral("45:8 zz"));
    QTest::keyClicks(query, QStringLiteral("zqqq"));
    QCOMPARE(status->text(), QStringLiteral("找不到“zzzqqq”"));
    QCOMPARE(selected(), QStringLiteral("45:8 "));
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("word-book-find-none"))));
    QTest::keyClick(query, Qt::Key_Return);
    QCOMPARE(selected(), QStringLiteral("45:8 "));
    for (int i = 0; i < 4; ++i) QTest::keyClick(query, Qt::Key_Backspace);
    QCOMPARE(selected(), QStringLiteral("45:8 zz"));

    // Escape closes the bar, then the window.
    QTest::keyClick(query, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(!window.IsClosed());
    QCOMPARE(window.size(), QSize(550, 400));
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(window.IsClosed());
  }

  void mainWindowShowsPagesAndButtons() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto& pages = window.frame().Pages();
    QCOMPARE(pages.size(), size_t{4});
    const char* captions[] = {"我的主页", "单词学习", "分组测验", "强化提高"};
    for (int i = 0; i < 4; ++i) QCOMPARE(pages[i].label, Utf8ToGbk(captions[i]));
    for (const ControlLayout& button : MainWindowButtons()) {
      auto* widget = Control<QPushButton>(&window, button.name);
      QVERIFY2(widget != nullptr, button.name);
      QCOMPARE(widget->geometry(), QRect(button.x, button.y, button.width, button.height));
      QCOMPARE(widget->text(), QString::fromUtf8(button.text));
      QVERIFY(widget->isVisible());
      // Nothing covers a button: the pages stay above the client panel.
      for (const PageButton& page : pages) {
        const QRect area(page.rect.left, page.rect.top, page.rect.width + 1, page.rect.height + 1);
        QVERIFY(!widget->geometry().intersects(area));
      }
    }
    QVERIFY(SaveScreenshot(&window, ScreenshotPath(QStringLiteral("main-window"))));

    // A press on page "强化提高" with an empty book: the message, nothing opens.
    const FrameRect& intensive = pages[3].rect;
    const QPoint centre(intensive.left + intensive.width / 2, intensive.top + intensive.height / 2);
    QTest::mouseClick(&window, Qt::LeftButton, {}, centre);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("您还没有录入单词，请先录入一下吧！"));
    QVERIFY(world->shell.opened.empty());
    // The same page pressed again reports again.
    QTest::mouseClick(&window, Qt::LeftButton, {}, centre);
    QCOMPARE(world->prompter.shown.size(), size_t{2});
    // The "查看单词本" button opens the listing.
    QTest::mouseClick(Control<QPushButton>(&window, "按钮查看单词本"), Qt::LeftButton);
    QCOMPARE(world->shell.opened.back(), WindowId::WordBook);
  }

  void aRightClickOnTheClientPanelOpensTheMenuOfTheExtraCommands() {
    auto world = NewWorld();
    MainWindow window(world->P());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenu* menu = window.contextMenu();
    QVERIFY(!menu->isVisible());
    QStringList texts;
    for (QAction* action : menu->actions()) {
      texts << action->text() + QLatin1Char('\t') + action->shortcut().toString();
    }
    QCOMPARE(texts,
             (QStringList{
                 QStringLiteral("导入单词…\tCtrl+I"), QStringLiteral("撤销上次导入\tCtrl+Z"),
                 QStringLiteral("导出单词…\tCtrl+E"), QStringLiteral("学习统计\tCtrl+T"),
                 QStringLiteral("打开备份文件夹\tCtrl+B"), QStringLiteral("更换单词本文件夹…\t")}));
    // Each shortcut works with the menu shut.
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(world->shell.opened.back(), WindowId::Statistics);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(world->prompter.LastText()),
             QStringLiteral("没有可以撤销的导入。"));

    // Over the header: no menu.
    QContextMenuEvent onHeader(QContextMenuEvent::Mouse, QPoint(300, 60));
    QApplication::sendEvent(&window, &onHeader);
    QVERIFY(!menu->isVisible());
    // On the white panel, and on one of its buttons: the menu.
    QContextMenuEvent onPanel(QContextMenuEvent::Mouse, QPoint(300, 350));
    QApplication::sendEvent(&window, &onPanel);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(SaveScreenshot(menu, ScreenshotPath(QStringLiteral("main-window-menu"))));
    menu->hide();
    auto* button = Control<QPushButton>(&window, "按钮查看单词本");
    QContextMenuEvent onButton(QContextMenuEvent::Mouse, QPoint(10, 10),
                               button->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(button, &onButton);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();

    // 学习统计 opens the statistics window.
    menu->findChild<QAction*>(QStringLiteral("菜单学习统计"))->trigger();
    QCOMPARE(world->shell.opened.back(), WindowId::Statistics);
    // The context menu adds nothing to the look: the five buttons where they were.
    for (const ControlLayout& button : MainWindowButtons()) {
      QCOMPARE(Control<QPushButton>(&window, button.name)->geometry(),
               QRect(button.x, button.y, button.width, button.height));
    }
  }

  // The pointer on the learning page starts the card's pages ahead of the
  // click, once however often it comes back; other pages do not.
  void thePointerOnTheLearningPageWarmsTheCardsPagesUp() {
    int warmUps = 0;
    auto world = NewWorld();
    DesktopShell shell(
        [&warmUps] { return std::make_unique<test::StandInPages>([&warmUps] { ++warmUps; }); });
    Program program(world->Db(), *world->settings, world->clock, world->prompter, shell);
    MainWindow window(program);
    shell.Attach(&program, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto& pages = window.frame().Pages();
    auto centre = [&pages](int i) {
      return QPoint(pages[i].rect.left + pages[i].rect.width / 2,
                    pages[i].rect.top + pages[i].rect.height / 2);
    };
    QTest::mouseMove(&window, centre(MainWindowLogic::kTestPage));
    QTest::qWait(20);
    QCOMPARE(warmUps, 0);
    for (int pass = 0; pass < 2; ++pass) {
      QTest::mouseMove(&window, centre(MainWindowLogic::kLearningPage));
      QTest::mouseMove(&window, QPoint(300, 350));
    }
    QTRY_COMPARE(warmUps, 1);
    QTest::qWait(20);
    QCOMPARE(warmUps, 1);
  }

  // The day's backup and decay wait for the main window's first paint, and
  // run once.
  void theStepAfterTheFirstPaintRunsOnceTheWindowIsPainted() {
    auto world = NewWorld();
    MainWindow window(world->P());
    int painted = 0, ranAfter = -1, runs = 0;
    struct PaintCounter : QObject {
      int* count;
      explicit PaintCounter(int* c) : count(c) {}
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++*count;
        return false;
      }
    } counter(&painted);
    window.installEventFilter(&counter);
    window.AfterFirstPaint([&] {
      ranAfter = painted;
      ++runs;
    });
    QTest::qWait(50);
    QCOMPARE(runs, 0);  // not shown, not painted: not yet
    window.show();
    // Well before the two seconds the step waits when no paint comes.
    QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 1000);
    QVERIFY(ranAfter >= 1);
    window.update();
    QTest::qWait(50);
    QCOMPARE(runs, 1);
  }

  void theDesktopShellOpensTheEntryWindowAndDisablesTheButton() {
    auto world = NewWorld();
    DesktopShell shell;
    Program program(world->Db(), *world->settings, world->clock, world->prompter, shell);
    MainWindow window(program);
    shell.Attach(&program, &window);
    window.show();
    shell.SetEntryButtonEnabled(false);
    QVERIFY(!Control<QPushButton>(&window, "按钮录入单词")->isEnabled());
    shell.SetEntryButtonEnabled(true);
    QVERIFY(Control<QPushButton>(&window, "按钮录入单词")->isEnabled());

    // The gate opens the entry window modally; the learner types a word and
    // closes it; the call returns with the plan computed.
    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(qobject_cast<EntryWindow*>(QApplication::activeModalWidget()) != nullptr);
      auto* entry = qobject_cast<EntryWindow*>(QApplication::activeModalWidget());
      QTest::keyClicks(Control<QLineEdit>(entry, "编辑框输入单词"), QStringLiteral("kiwi"));
      QTest::keyClicks(Control<QLineEdit>(entry, "编辑框输入释义"), QStringLiteral("mihoutao"));
      QTest::keyClick(Control<QLineEdit>(entry, "编辑框输入释义"), Qt::Key_Return);
      entry->close();
    });
    OpenEntryGate(program);
    QCOMPARE(world->Db().RecordCount(), 1);
    QCOMPARE(program.state().DueList.size(), size_t{1});
  }
};

CINDRAL_WINDOW_TEST_MAIN(AppWindowsTest, QApplication)

#include "AppWindows_test.moc"
