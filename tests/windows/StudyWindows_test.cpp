// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The learning card and the group test in real windows, as the learner
// meets them. The card in study mode with its spelling practice and word
// update; the group test nested: the spelling window opens the choice
// window, which opens the card; the card's closing brings the next word; at
// the end the message and the forgotten-word review, whose closing closes
// everything. A learner script presses the keys. The web engine is kept from starting here, so the
// card shows its pages' addresses as text lines (the engine's own tests are in
// DictionaryPages_test). Pictures of the windows are kept in
// $CINDRAL_SCREENSHOT_DIR (default /tmp/cindral-windows).

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "Screenshot.h"
#include "TestWorld.h"
#include "app/DesktopShell.h"
#include "app/MainWindow.h"
#include "lookup/DictionaryViews.h"
#include "plan/DayPlan.h"
#include "tests/windows/LearnerScript.h"
#include "WindowTest.h"
#include "ui/ControlText.h"
#include "ui/ModalWindow.h"
#include "ui/QtPrompter.h"
#include "ui/WindowBuilder.h"

using namespace cindral;
using testing::LearnerScript;

namespace {

constexpr double kToday = 45000.0;
const char kFigMeaning[] = "无花果；（用于否定句）一点儿，少许；无价值的东西；服装，打扮";
const char kPearMeaning[] = "梨；梨树；（用作形容词）梨形的，像梨的东西";

// The real message boxes, with a record of what they said.
class RecordingPrompter : public Prompter {
 public:
  int Choose(const Choice& choice) override { return choice.escape; }
  bool Show(const Message& message) override {
    shown.push_back(GbkToUtf8(message.text));
    return boxes.Show(message);
  }
  std::vector<std::string> shown;
  QtPrompter boxes;
};

// The modal window in front, if it is the one named.
ModalWindow* Front(const char* name) {
  auto* window = qobject_cast<ModalWindow*>(QApplication::activeModalWidget());
  if (window == nullptr || window->objectName() != QString::fromUtf8(name)) return nullptr;
  if (!window->isVisible()) return nullptr;
  return window;
}

QString Text(QWidget* window, const char* control) {
  return ControlQText(Control<QWidget>(window, control));
}

bool Focused(QWidget* window, const char* control) {
  return window != nullptr && QApplication::focusWidget() == Control<QWidget>(window, control);
}

// Keys go where the keyboard is, as a learner's do.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void Type(const char* text) {
  QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
}

bool WindowOfNameVisible(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->objectName() == QString::fromUtf8(name)) return true;
  }
  return false;
}

bool WindowOfNameExists(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<ModalWindow*>(widget);
    if (window != nullptr && !window->IsClosed() &&
        window->objectName() == QString::fromUtf8(name)) {
      return true;
    }
  }
  return false;
}

// The program on the desktop over a test world: real message boxes, the
// desktop's window system and the main window.
struct Desk {
  explicit Desk(test::TestWorld& world)
      : program(world.Db(), *world.settings, world.clock, prompter, shell), main(program) {
    shell.Attach(&program, &main);
    program.LoadCurrentGroup();
    program.LoadReviewPosition();
    ComputeDayPlan(program);
    main.show();
  }
  RecordingPrompter prompter;
  DesktopShell shell;
  Program program;
  MainWindow main;
};

}  // namespace

class StudyWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // No helper process where the engine would look: it cannot start.
    qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess");
  }

  void theStudyCardWalksTheListWithPracticeAndUpdate() {
    test::TestWorld world(kToday);
    world.WriteStandardPlanTable();
    world.WriteFreshConfig();
    world.OpenWordBook();
    world.AddWord(1, "apple", kToday, 79, "苹果");
    world.AddWord(1, "abandon", kToday, 85, kFigMeaning);

    Desk desk(world);
    QVERIFY(QTest::qWaitForWindowExposed(&desk.main));

    QStringList seen;
    auto note = [&seen](const QString& line) { seen << line; };
    auto focusTimerOfCard = [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("窗口单词学习")) {
          auto* timer = widget->findChild<QTimer*>(QStringLiteral("时钟保证获取焦点"));
          return QString::number(timer->isActive() ? timer->interval() : 0);
        }
      }
      return QStringLiteral("none");
    };
    LearnerScript learner;
    learner.Add(
        "the card of apple",
        [] {
          ModalWindow* w = Front("窗口单词学习");
          return w && Focused(w, "编辑框保证获取焦点");
        },
        [&] {
          ModalWindow* w = Front("窗口单词学习");
          note("buttons " + QString::number(Control<QWidget>(w, "按钮下一个单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮已会单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮遗忘单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮删除单词")->isVisible()));
          note("card " + Text(w, "标签左提示背诵进度") + "/" + Text(w, "标签右提示背诵进度") + " " +
               Text(w, "标签熟练度") + " timer " + focusTimerOfCard());
          Press(Qt::Key_S);
        });
    learner.Add(
        "the practice window",
        [] {
          ModalWindow* w = Front("窗口学习单词拼写");
          return w && Focused(w, "编辑框拼写遗忘单词");
        },
        [&] {
          ModalWindow* w = Front("窗口学习单词拼写");
          note("timer while practising " + focusTimerOfCard());
          Type("Apple");
          Press(Qt::Key_Return);
          note("practice " + Text(w, "标签判断单词对错"));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("practice-spelling")));
          Press(Qt::Key_A, Qt::ControlModifier);
          Type("apple");
          Press(Qt::Key_Return);
        });
    learner.Add(
        "the card again with its focus timer",
        [] {
          ModalWindow* w = Front("窗口单词学习");
          return w && Focused(w, "编辑框保证获取焦点");
        },
        [&] {
          note("timer after practising " + focusTimerOfCard());
          QTest::mouseClick(Control<QPushButton>(Front("窗口单词学习"), "按钮更新单词"),
                            Qt::LeftButton);
        });
    learner.Add(
        "the update window",
        [] {
          ModalWindow* w = Front("窗口更新单词");
          return w && Focused(w, "编辑框输入释义");
        },
        [&] {
          ModalWindow* w = Front("窗口更新单词");
          auto* meaning = Control<QLineEdit>(w, "编辑框输入释义");
          note("update " + Text(w, "编辑框输入单词") + " " + meaning->text() + " caret " +
               QString::number(meaning->cursorPosition()));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("update-word")));
          meaning->insert(QStringLiteral("；苹果树"));  // as an input method commits it
          Press(Qt::Key_Return);
        });
    learner.Add(
        "the update's message",
        [] {
          QMessageBox* box = testing::VisibleMessageBox();
          return box && box->text() == QStringLiteral("更新成功！");
        },
        [&] { QTest::keyClick(testing::VisibleMessageBox(), Qt::Key_Return); });
    learner.Add(
        "the card once more",
        [] {
          ModalWindow* w = Front("窗口单词学习");
          return w && Focused(w, "编辑框保证获取焦点");
        },
        [&] {
          ModalWindow* w = Front("窗口单词学习");
          Press(Qt::Key_Right);
          note("card " + Text(w, "标签左提示背诵进度") + "/" + Text(w, "标签右提示背诵进度") + " " +
               Text(w, "标签熟练度"));
          Press(Qt::Key_QuoteLeft);  // ~ at the list's end
        });
    learner.Add(
        "the end of the list",
        [] {
          QMessageBox* box = testing::VisibleMessageBox();
          return box && box->text() == QStringLiteral("已学习完毕，趁热打铁，快快复习一下吧！");
        },
        [&] { QTest::keyClick(testing::VisibleMessageBox(), Qt::Key_Return); });

    learner.Start();
    desk.main.logic().OnPageSelected(MainWindowLogic::kLearningPage);  // page "单词学习"

    QVERIFY2(learner.finished(), learner.failure().c_str());
    const QStringList expected{
        "buttons 1000", "card 1/2 79% timer 500",     "timer while practising 0",
        "practice ×",   "timer after practising 500", "update apple 苹果 caret 2",
        "card 2/2 85%",
    };
    QCOMPARE(seen, expected);
    QCOMPARE(desk.prompter.shown,
             (std::vector<std::string>{"更新成功！", "已学习完毕，趁热打铁，快快复习一下吧！"}));
    QVERIFY(!desk.shell.IsWindowOpen(WindowId::Learning));
    QCOMPARE(world.Config("plus"), std::string("true"));
    QCOMPARE(world.Config("reviewnumber"), std::string("1"));
    world.Db().GoTo(1);
    QCOMPARE(QString::fromStdString(GbkToUtf8(ReadTextField(world.Db(), kMeaning))),
             QStringLiteral("苹果；苹果树"));
    QCOMPARE(ReadIntegerField(world.Db(), kProficiency), 99);
    world.Db().GoTo(2);
    QCOMPARE(ReadIntegerField(world.Db(), kProficiency), 100);
  }

  void twoWordsThroughSpellingChoiceAndCardToTheForgottenWordReview() {
    test::TestWorld world(kToday);
    world.WritePlanTable({"1", "2"});
    world.WriteFreshConfig();
    world.WriteConfig("groupnumber", "2");
    world.OpenWordBook();
    world.AddWord(1, "apple", kToday - 1, 12, "苹果");
    world.AddWord(1, "pear", kToday - 1, 12, kPearMeaning);
    world.AddWord(2, "plum", kToday, 30, "李子");
    world.AddWord(2, "fig", kToday, 40, kFigMeaning);
    world.settings->WriteSetting("Dictionary", "base1", "http://127.0.0.1:9");

    Desk desk(world);
    QCOMPARE(desk.program.state().DueList.size(), size_t{2});
    QVERIFY(QTest::qWaitForWindowExposed(&desk.main));

    // What the learner saw, checked once the test has ended.
    QStringList seen;
    auto note = [&seen](const QString& line) { seen << line; };
    LearnerScript learner;

    // Word 1: spelled right, the right meaning by key, known on the card.
    learner.Add(
        "the spelling window asking for 李子",
        [] {
          ModalWindow* w = Front("窗口拼写");
          return w && Text(w, "标签释义") == QStringLiteral("李子") && Focused(w, "编辑框输入单词");
        },
        [&] {
          ModalWindow* w = Front("窗口拼写");
          note("verdict at open " + Text(w, "标签判断单词对错"));
          Type("plum");
          Press(Qt::Key_Return);
          note("spelling " + Text(w, "标签判断单词对错"));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("group-spelling")));
        });
    learner.Add(
        "the choice window for plum, the spelling window hidden",
        [] {
          ModalWindow* w = Front("窗口选择");
          return w && Focused(w, "编辑框提供快捷键") && !WindowOfNameExists("窗口单词学习");
        },
        [&] {
          ModalWindow* w = Front("窗口选择");
          note("spelling hidden " +
               QString::number(!WindowOfNameVisible("窗口拼写") && WindowOfNameExists("窗口拼写")));
          note("choice word " + Text(w, "标签单词"));
          // The learner's close is refused.
          w->close();
          Press(Qt::Key_Escape);
          note("choice still open " +
               QString::number(!static_cast<ModalWindow*>(w)->IsClosed() && w->isVisible()));
          int right = 0;
          QStringList options;
          for (int i = 1; i <= 4; ++i) {
            const QByteArray name = "单选框单词" + QByteArray::number(i);
            options << Text(w, name.constData());
            if (options.back() == QStringLiteral("李子")) right = i;
          }
          options.sort();
          note("options " + options.join('|'));
          Press(static_cast<Qt::Key>(Qt::Key_1 + right - 1));
          note("choice " + Text(w, "标签判断释义对错"));
        });
    learner.Add(
        "the card of plum in test mode",
        [] {
          ModalWindow* w = Front("窗口单词学习");
          return w && Focused(w, "编辑框保证获取焦点");
        },
        [&] {
          ModalWindow* w = Front("窗口单词学习");
          note("choice hidden " +
               QString::number(!WindowOfNameVisible("窗口选择") && WindowOfNameExists("窗口选择")));
          note("card buttons " + QString::number(Control<QWidget>(w, "按钮已会单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮遗忘单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮删除单词")->isVisible()) +
               QString::number(Control<QWidget>(w, "按钮下一个单词")->isVisible()));
          note("card " + Text(w, "标签左提示背诵进度") + "/" + Text(w, "标签右提示背诵进度") + " " +
               Text(w, "标签熟练度") + " bar " +
               QString::number(Control<QProgressBar>(w, "进度条")->value()));
          auto* place = Control<QWidget>(w, "超文本浏览框必应");
          auto* line = place->findChild<QLabel*>();
          note("page line " + (line && line->isVisible() ? line->text() : QString("none")));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("group-card")));
          Press(Qt::Key_Right);
        });

    // Word 2: misspelled, a wrong meaning by mouse, forgotten on the card.
    learner.Add(
        "the spelling window back with 无花果",
        [] {
          ModalWindow* w = Front("窗口拼写");
          return w && Text(w, "标签释义") == QString::fromUtf8(kFigMeaning) &&
                 Focused(w, "编辑框输入单词");
        },
        [&] {
          ModalWindow* w = Front("窗口拼写");
          note("choice closed " + QString::number(!WindowOfNameExists("窗口选择")));
          note("verdict on the next word " + Text(w, "标签判断单词对错"));
          note("box emptied " + QString::number(Text(w, "编辑框输入单词").isEmpty()));
          Type("Fig");
          Press(Qt::Key_Enter);
          note("spelling " + Text(w, "标签判断单词对错"));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("group-spelling-long-meaning")));
        });
    learner.Add(
        "the choice window for fig", [] { return Front("窗口选择") != nullptr; },
        [&] {
          ModalWindow* w = Front("窗口选择");
          QAbstractButton* wrong = nullptr;
          for (int i = 1; i <= 4 && wrong == nullptr; ++i) {
            const QByteArray name = "单选框单词" + QByteArray::number(i);
            auto* option = Control<QAbstractButton>(w, name.constData());
            if (option->text() != QString::fromUtf8(kFigMeaning)) wrong = option;
          }
          QTest::mouseClick(wrong, Qt::LeftButton, {}, QPoint(8, wrong->height() / 2));
          note("choice " + Text(w, "标签判断释义对错") + " checked " +
               QString::number(wrong->isChecked()));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("group-choice")));
        });
    learner.Add(
        "the card of fig",
        [] {
          ModalWindow* w = Front("窗口单词学习");
          return w && Focused(w, "编辑框保证获取焦点");
        },
        [&] { Press(Qt::Key_F); });
    learner.Add(
        "the end message",
        [] {
          QMessageBox* box = testing::VisibleMessageBox();
          return box && box->text() == QStringLiteral("恭喜你，已经复习完毕！");
        },
        [&] {
          QMessageBox* box = testing::VisibleMessageBox();
          note("end " + box->windowTitle() + " spelling shown " +
               QString::number(WindowOfNameExists("窗口拼写")));
          QTest::keyClick(box, Qt::Key_Return);
        });

    // The forgotten-word review: practise the spelling, then page past the end.
    learner.Add(
        "the forgotten-word review with fig",
        [] {
          ModalWindow* w = Front("窗口每日遗忘单词测试");
          return w && Focused(w, "编辑框提供快捷键");
        },
        [&] {
          ModalWindow* w = Front("窗口每日遗忘单词测试");
          note("review " + Text(w, "标签单词") + " " + Text(w, "标签释义"));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("forgotten-review")));
          Press(Qt::Key_S);
        });
    learner.Add(
        "the forgotten word's spelling window",
        [] {
          ModalWindow* w = Front("窗口拼写遗忘单词");
          return w && Focused(w, "编辑框拼写遗忘单词");
        },
        [&] {
          ModalWindow* w = Front("窗口拼写遗忘单词");
          Type("fog");
          Press(Qt::Key_Return);
          note("practice " + Text(w, "标签判断单词对错"));
          QVERIFY(SaveScreenshot(w, testing::ScreenshotPath("forgotten-spelling")));
          Press(Qt::Key_A, Qt::ControlModifier);
          Type("fig");
          Press(Qt::Key_Return);
          note("practice closed " + QString::number(static_cast<ModalWindow*>(w)->IsClosed()));
        });
    learner.Add(
        "the review again, its focus timer running",
        [] {
          ModalWindow* w = Front("窗口每日遗忘单词测试");
          return w && Focused(w, "编辑框提供快捷键");
        },
        [&] { Press(Qt::Key_Right); });
    learner.Add(
        "the review's last message",
        [] {
          QMessageBox* box = testing::VisibleMessageBox();
          return box && box->text() == QStringLiteral("复习完毕！");
        },
        [&] { QTest::keyClick(testing::VisibleMessageBox(), Qt::Key_Return); });

    learner.Start();
    desk.main.logic().OnPageSelected(MainWindowLogic::kTestPage);  // page "分组测验"

    QVERIFY2(learner.finished(), learner.failure().c_str());
    const QStringList expected{
        "verdict at open ？",
        "spelling √",
        "spelling hidden 1",
        "choice word plum",
        "choice still open 1",
        "options " + QStringList{"苹果", "李子", QString::fromUtf8(kFigMeaning),
                                 QString::fromUtf8(kPearMeaning)}
                         .join('|'),
        "choice √",
        "choice hidden 1",
        "card buttons 1110",
        "card 1/2 31% bar 31",
        "page line http://127.0.0.1:9/#plum",
        "choice closed 1",
        "verdict on the next word ?",
        "box emptied 1",
        "spelling ×",
        "choice × checked 1",
        "end 复习结束 spelling shown 1",
        QString("review fig ") + QString::fromUtf8(kFigMeaning),
        "practice ×",
        "practice closed 1",
    };
    QCOMPARE(seen.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
      if (expected[i].startsWith(QStringLiteral("options "))) {
        QStringList options = expected[i].mid(8).split('|');
        options.sort();
        QCOMPARE(seen[i], "options " + options.join('|'));
      } else {
        QCOMPARE(seen[i], expected[i]);
      }
    }
    QCOMPARE(desk.prompter.shown,
             (std::vector<std::string>{"恭喜你，已经复习完毕！", "复习完毕！"}));
    QCOMPARE(world.Config("reviewnumber"), std::string("1"));
    QVERIFY(desk.program.state().ForgottenList.empty());
    QVERIFY(!desk.shell.IsWindowOpen(WindowId::Spelling));
    QVERIFY(!desk.shell.IsWindowOpen(WindowId::Choice));
    // plum: +1 on its card; fig: +1 on its card, -1 forgotten.
    world.Db().GoTo(3);
    QCOMPARE(ReadIntegerField(world.Db(), kProficiency), 31);
    world.Db().GoTo(4);
    QCOMPARE(ReadIntegerField(world.Db(), kProficiency), 40);
  }
};

CINDRAL_WINDOW_TEST_MAIN(StudyWindowsTest, QApplication)
#include "StudyWindows_test.moc"
