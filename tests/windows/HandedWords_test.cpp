// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Words handed over from the desktop (cindral --add) as the running program
// takes them: the entry window opens filled in (the meanings from the
// Chinese meanings when none came), an open one takes the next word, a
// refused entry is told, and words that come during the start wait for it.
// The picture of the filled-in window is kept in $CINDRAL_SCREENSHOT_DIR.

#include <QApplication>
#include <QLineEdit>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "app/HandOverServer.h"
#include "app/HandedWords.h"
#include "app/MainWindow.h"
#include "plan/DayPlan.h"
#include "WindowTest.h"
#include "Screenshot.h"
#include "ui/WindowBuilder.h"
#include "windows/EntryWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;

namespace {

constexpr double kDay1 = 45000.0;

class FruitMeanings : public ChineseMeaningSource {
 public:
  std::vector<ChineseMeaning> Lookup(std::string_view word, std::size_t limit) override {
    std::vector<ChineseMeaning> found;
    if (word == "apple") {
      found = {{GBK("苹果"), GBK("píng guǒ")},
               {GBK("苹果树"), GBK("píng guǒ shù")},
               {GBK("苹果公司"), GBK("píng guǒ gōng sī")},
               {GBK("苹"), GBK("píng")}};
    }
    if (found.size() > limit) found.resize(limit);
    return found;
  }
  std::string Reason() override { return {}; }
};

// The main window with the desktop's shell over a word book of `world`.
struct Desktop {
  explicit Desktop(test::TestWorld& world)
      : program(world.Db(), *world.settings, world.clock, world.prompter, shell),
        window(program),
        handed(program, meanings) {
    shell.Attach(&program, &window);
    window.show();
  }
  DesktopShell shell;
  Program program;
  MainWindow window;
  FruitMeanings meanings;
  HandedWords handed;
};

// The plan table, the settings and the word book of a learner.
void Prepare(test::TestWorld& world) {
  world.WriteStandardPlanTable();
  world.WriteFreshConfig();
  world.OpenWordBook();
}

QString Box(QWidget* entry, const char* name) { return Control<QLineEdit>(entry, name)->text(); }

EntryWindow* OpenEntryWindow() {
  return qobject_cast<EntryWindow*>(QApplication::activeModalWidget());
}

}  // namespace

class HandedWordsTest : public QObject {
  Q_OBJECT

 private slots:
  void theEntryWindowOpensFilledInAndTakesTheNextWords() {
    test::TestWorld world(kDay1);
    Prepare(world);
    Desktop desktop(world);
    // A word during the start waits for it.
    const HandOverAnswer early = desktop.handed.Take("apple", "");
    QVERIFY(early.taken);
    QTest::qWait(50);
    QVERIFY(OpenEntryWindow() == nullptr);

    bool checked = false;
    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(OpenEntryWindow() != nullptr);
      EntryWindow* entry = OpenEntryWindow();
      QVERIFY(QTest::qWaitForWindowExposed(entry));
      // The three best meanings, and the learner checks the meaning.
      QCOMPARE(Box(entry, "编辑框输入单词"), QStringLiteral("apple"));
      QCOMPARE(Box(entry, "编辑框输入释义"), QStringLiteral("苹果；苹果树；苹果公司"));
      QTRY_VERIFY(Control<QLineEdit>(entry, "编辑框输入释义")->hasFocus());
      QVERIFY(SaveScreenshot(entry, ScreenshotPath(QStringLiteral("entry-window-added"))));

      // The next word, over one not yet submitted: only when the learner
      // says so.
      world.prompter.answers = {false};
      QVERIFY(desktop.handed.Take("pear", "梨").taken);
      QTRY_COMPARE(world.prompter.shown.size(), size_t{1});
      QCOMPARE(world.prompter.LastText(), std::string("“apple”还没有提交，要换成“pear”吗？"));
      QCOMPARE(Box(entry, "编辑框输入单词"), QStringLiteral("apple"));
      world.prompter.answers = {true};
      QVERIFY(desktop.handed.Take("pear", "梨").taken);
      QTRY_COMPARE(Box(entry, "编辑框输入单词"), QStringLiteral("pear"));
      QCOMPARE(Box(entry, "编辑框输入释义"), QStringLiteral("梨"));
      QCOMPARE(world.prompter.shown.size(), size_t{2});

      // Submitted, the boxes are empty: the next word goes in unasked.
      QTest::keyClick(Control<QLineEdit>(entry, "编辑框输入释义"), Qt::Key_Return);
      QCOMPARE(world.Db().RecordCount(), 1);
      QVERIFY(desktop.handed.Take("plum", "").taken);
      QTRY_COMPARE(Box(entry, "编辑框输入单词"), QStringLiteral("plum"));
      QCOMPARE(Box(entry, "编辑框输入释义"), QString());
      QCOMPARE(world.prompter.shown.size(), size_t{2});
      checked = true;
      entry->CloseWindow();
    });
    desktop.handed.StartUpDone();
    QVERIFY(checked);
    QVERIFY(OpenEntryWindow() == nullptr);
  }

  void theStartsOwnWordGoesIntoTheEntryWindowOfTheDayPlan() {
    test::TestWorld world(kDay1);
    Prepare(world);
    world.AddWord(1, "old", kDay1 - 1);
    Desktop desktop(world);
    desktop.program.state().EntryPrefill = desktop.handed.Prepare("apple", "");
    bool checked = false;
    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(OpenEntryWindow() != nullptr);
      EntryWindow* entry = OpenEntryWindow();
      QCOMPARE(Box(entry, "编辑框输入单词"), QStringLiteral("apple"));
      // Enter takes the word as shown: the day's first word.
      QTest::keyClick(Control<QLineEdit>(entry, "编辑框输入释义"), Qt::Key_Return);
      QCOMPARE(world.Db().RecordCount(), 2);
      checked = true;
      entry->close();
    });
    // The day after the last words: the day plan opens the entry window.
    ComputeDayPlan(desktop.program, PlanMoment::kStart);
    QVERIFY(checked);
    // Taken by that window: the end of the start opens no other.
    QVERIFY(!desktop.program.state().EntryPrefill);
    desktop.handed.StartUpDone();
    QTest::qWait(100);
    QVERIFY(OpenEntryWindow() == nullptr);
  }

  void aRefusedEntryIsToldAndOpensNoWindow() {
    test::TestWorld world(kDay1);
    Prepare(world);
    // The first group 88 days ago: the review-only phase is today.
    world.AddWord(1, "old", kDay1 - 88);
    Desktop desktop(world);
    ComputeDayPlan(desktop.program, PlanMoment::kStart);
    desktop.handed.StartUpDone();
    const HandOverAnswer answer = desktop.handed.Take("apple", "");
    QVERIFY(!answer.taken);
    QCOMPARE(answer.why,
             std::string("恭喜你，您已经到了复习攻坚阶段，在这12天中，您只需要复习即可！"));
    QTRY_COMPARE(world.prompter.LastText(),
                 std::string("没有添加“apple”：恭喜你，您已经到了复习攻坚阶段，在这12天中，"
                             "您只需要复习即可！"));
    QTest::qWait(50);
    QVERIFY(OpenEntryWindow() == nullptr);
    QCOMPARE(world.Db().RecordCount(), 1);
  }

  // What a caller sends: only a whole request of one-line texts reaches
  // the program; anything else is answered or dropped, and a caller that
  // sends nothing, or too much, is let go.
  void theServerPassesOnOnlyWholeRequests() {
    QTemporaryDir folder;
    std::vector<std::pair<std::string, std::string>> taken;
    HandOverServer server([&](const std::string& word, const std::string& meaning) {
      taken.emplace_back(word, meaning);
      return HandOverAnswer{true, {}};
    });
    const QString path = folder.filePath(QStringLiteral("socket"));
    QVERIFY(server.Listen(path.toStdString()));
    auto send = [&](const QByteArray& bytes) {
      auto socket = std::make_unique<QLocalSocket>();
      socket->connectToServer(path);
      if (!socket->waitForConnected(2000)) return std::unique_ptr<QLocalSocket>();
      socket->write(bytes);
      socket->flush();
      return socket;
    };
    const struct {
      QByteArray request;
      QByteArray answer;
    } rows[] = {
        {"add\tapple\t\n", "taken\n"},
        {"add\ttake off\t\xe8\x84\xb1\xe4\xb8\x8b\n", "taken\n"},
        {"hello\n", "refused\tthe request was not understood\n"},
        {"add\t\t\n", "refused\tthe request was not understood\n"},
        {"add\ta\x01\t\n", "refused\tthe request was not understood\n"},
        {"add\ta  b\t\n", "refused\tthe request was not understood\n"},
        {"add\ta\tb\tc\n", "refused\tthe request was not understood\n"},
        {"add\t\xff\t\n", "refused\tthe request was not understood\n"},
        {"add\t" + QByteArray(201, 'a') + "\t\n", "refused\tthe request was not understood\n"},
    };
    for (const auto& row : rows) {
      auto socket = send(row.request);
      QVERIFY(socket);
      QByteArray answer;
      QTRY_VERIFY((answer += socket->readAll()).endsWith('\n'));
      QCOMPARE(answer, row.answer);
    }
    QCOMPARE(taken.size(), size_t{2});
    QCOMPARE(taken[0], std::pair(std::string("apple"), std::string()));
    QCOMPARE(taken[1], std::pair(std::string("take off"), std::string("脱下")));
    // Nothing, or more than a request holds: the connection is dropped.
    for (const QByteArray& bytes : {QByteArray(), QByteArray(kLongestHandOver + 10, 'a')}) {
      auto socket = send(bytes);
      QVERIFY(socket);
      QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 5000);
      QVERIFY(socket->readAll().isEmpty());
    }
    QCOMPARE(taken.size(), size_t{2});
  }
};

CINDRAL_WINDOW_TEST_MAIN(HandedWordsTest, QApplication)

#include "HandedWords_test.moc"
