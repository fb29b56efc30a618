// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The modal window: the opening call returns only when the window has
// closed, the close query guards the learner's closes (title-bar button and
// Escape alike), the closed hook runs once, and keys reach the bindings with
// the program's key codes.

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <string>
#include <utility>
#include <vector>

#include "WindowTest.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"
#include "ui/VirtualKey.h"
#include "ui/WindowBuilder.h"

using namespace cindral;

namespace {

// Runs `step` from the event loop once the current call has started waiting;
// dropped if `context` is gone by then.
void Later(int ms, QObject* context, std::function<void()> step) {
  QTimer::singleShot(ms, context, std::move(step));
}

}  // namespace

class ModalWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void openReturnsWhenTheProgramClosesTheWindow() {
    ModalWindow window(EntryWindowLayout());
    int closedCalls = 0;
    bool queried = false;
    window.SetCloseQuery([&] {
      queried = true;
      return false;
    });
    window.SetClosedHandler([&] { ++closedCalls; });
    bool wasShownWhileOpen = false;
    Later(20, &window, [&] {
      wasShownWhileOpen = window.isVisible() && window.isModal();
      window.CloseWindow();
    });
    window.Open();
    QVERIFY(wasShownWhileOpen);
    QVERIFY(window.IsClosed());
    QVERIFY(!window.isVisible());
    QVERIFY(!queried);  // the program's own close asks nothing
    QCOMPARE(closedCalls, 1);

    window.CloseWindow();
    window.Open();  // a closed window does not open again
    QCOMPARE(closedCalls, 1);
  }

  void refusedCloseKeepsTheWindowOpen() {
    ModalWindow window(EntryWindowLayout());
    int queries = 0;
    bool allow = false;
    int closedCalls = 0;
    window.SetCloseQuery([&] {
      ++queries;
      return allow;
    });
    window.SetClosedHandler([&] { ++closedCalls; });
    std::vector<bool> openAfter;
    Later(20, &window, [&] {
      window.close();  // the title-bar button
      openAfter.push_back(window.isVisible() && !window.IsClosed());
      QTest::keyClick(&window, Qt::Key_Escape);
      openAfter.push_back(window.isVisible() && !window.IsClosed());
      auto* edit = Control<QLineEdit>(&window, "编辑框输入单词");
      QTest::keyClick(edit, Qt::Key_Escape);  // Escape in an edit box reaches the window
      openAfter.push_back(window.isVisible() && !window.IsClosed());
      allow = true;
      QTest::keyClick(&window, Qt::Key_Escape);
    });
    window.Open();
    QCOMPARE(openAfter, (std::vector<bool>{true, true, true}));
    QCOMPARE(queries, 4);
    QCOMPARE(closedCalls, 1);
    QVERIFY(window.IsClosed());
  }

  void closedBeforeOpeningReturnsAtOnce() {
    // A window whose creation found nothing to show closes before it is shown.
    ModalWindow window(SpellingWindowLayout());
    int closedCalls = 0;
    window.SetClosedHandler([&] { ++closedCalls; });
    window.CloseWindow();
    bool waited = false;
    Later(0, &window, [&] { waited = true; });
    window.Open();
    QVERIFY(!waited);
    QVERIFY(!window.isVisible());
    QCOMPARE(closedCalls, 1);
  }

  void hiddenWindowStaysOpenUntilClosed() {
    ModalWindow window(SpellingWindowLayout());
    bool openWhileHidden = false;
    Later(20, &window, [&] { window.hide(); });
    Later(60, &window, [&] {
      openWhileHidden = !window.IsClosed();
      window.show();
      window.CloseWindow();
    });
    window.Open();
    QVERIFY(openWhileHidden);
    QVERIFY(window.IsClosed());
  }

  void nestedWindowsUnwindFromAClosedHook() {
    // Spelling opens the choice, the choice opens the card; the card's closed
    // hook ends the two windows beneath it, as the group test does at its end.
    ModalWindow spelling(SpellingWindowLayout());
    auto* choice = new ModalWindow(ChoiceWindowLayout(), &spelling);
    choice->SetCloseQuery([] { return false; });  // refuses the learner, not the program
    std::vector<std::string> order;
    Later(20, &spelling, [&] {
      Later(20, choice, [&] {
        ModalWindow card(LearningWindowLayout(), choice);
        card.SetClosedHandler([&] {
          order.push_back("card closed");
          choice->CloseWindow();
          spelling.CloseWindow();
        });
        Later(20, &card, [&] { card.CloseWindow(); });
        card.Open();
        order.push_back("card returned");
      });
      choice->Open();
      order.push_back("choice returned");
    });
    spelling.Open();
    order.push_back("spelling returned");
    QVERIFY(choice->IsClosed());
    QVERIFY(spelling.IsClosed());
    const std::vector<std::string> expected{"card closed", "card returned", "choice returned",
                                            "spelling returned"};
    QCOMPARE(order, expected);
  }

  void closingGivesTheKeyboardToTheWindowNowInFront() {
    ModalWindow outer(SpellingWindowLayout());
    bool outerActiveAgain = false;
    bool frontActive = false;
    Later(20, &outer, [&] {
      QTRY_VERIFY(outer.isActiveWindow());
      auto* inner = new ModalWindow(PracticeSpellingWindowLayout(), &outer);
      inner->setAttribute(Qt::WA_DeleteOnClose);
      Later(20, inner, [&, inner] {
        QTRY_VERIFY(inner->isActiveWindow());
        inner->CloseWindow();
      });
      inner->Open();
      // Closed, the inner window handed the keyboard back to its opener.
      QTRY_VERIFY(outer.isActiveWindow());
      outerActiveAgain = true;

      // A window hidden while another opened over it is not chosen: the
      // keyboard goes to the window in front, here the one shown again.
      ModalWindow card(LearningWindowLayout(), &outer);
      outer.hide();
      card.SetClosedHandler([&] { outer.show(); });
      Later(20, &card, [&] { card.CloseWindow(); });
      card.Open();
      QTRY_VERIFY(outer.isActiveWindow());
      frontActive = true;
      outer.CloseWindow();
    });
    outer.Open();
    QVERIFY(outerActiveAgain);
    QVERIFY(frontActive);
  }

  void keysReachTheBindingsWithTheirKeyCodes() {
    ModalWindow window(EntryWindowLayout());
    std::vector<std::pair<QString, int>> seen;
    window.SetKeyHandler([&](QWidget* control, int key) {
      seen.emplace_back(control->objectName(), key);
      return (key == kKeyEnter && control->objectName() == QStringLiteral("编辑框输入单词")) ||
             key == 'S';
    });
    window.show();
    auto* word = Control<QLineEdit>(&window, "编辑框输入单词");
    auto* meaning = Control<QLineEdit>(&window, "编辑框输入释义");
    QSignalSpy returnPressed(word, &QLineEdit::returnPressed);

    QTest::keyClick(word, Qt::Key_Return);  // bound on the word box: used there
    QTest::keyClick(word, Qt::Key_S);       // bound: not typed
    QTest::keyClick(word, Qt::Key_A);       // unbound: typed
    QTest::keyClick(word, Qt::Key_Right);
    QTest::keyClick(word, Qt::Key_QuoteLeft);
    QTest::keyClick(word, Qt::Key_AsciiTilde, Qt::ShiftModifier);
    QTest::keyClick(meaning, Qt::Key_Enter, Qt::KeypadModifier);  // unbound: reaches the window
    QTest::keyClick(meaning, Qt::Key_3, Qt::KeypadModifier);

    const QString wordBox = QStringLiteral("编辑框输入单词");
    const QString meaningBox = QStringLiteral("编辑框输入释义");
    const QString entry = QStringLiteral("窗口输入单词");
    const std::vector<std::pair<QString, int>> expected{
        {wordBox, 13},  {wordBox, 83},    {wordBox, 65}, {wordBox, 39},    {wordBox, 192},
        {wordBox, 192}, {meaningBox, 13}, {entry, 13},   {meaningBox, 51},
    };
    QCOMPARE(seen, expected);
    QCOMPARE(returnPressed.count(), 0);
    QCOMPARE(word->text(), QStringLiteral("a`~"));
  }

  void enterNeverPressesAButtonByItself() {
    ModalWindow window(EntryWindowLayout());
    std::vector<std::pair<QString, int>> seen;
    window.SetKeyHandler([&](QWidget* control, int key) {
      seen.emplace_back(control->objectName(), key);
      return false;
    });
    window.show();
    auto* submit = Control<QPushButton>(&window, "按钮提交");
    submit->setFocus();
    QSignalSpy clicked(submit, &QPushButton::clicked);
    QTest::keyClick(submit, Qt::Key_Return);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!window.IsClosed());
    QCOMPARE(seen.size(), std::size_t{2});
    QCOMPARE(seen[0].first, QStringLiteral("按钮提交"));
    QCOMPARE(seen[1].first, QStringLiteral("窗口输入单词"));
  }

  void keyCodesAreTheProgramsOwn() {
    QCOMPARE(VirtualKeyCode(Qt::Key_Return), 13);
    QCOMPARE(VirtualKeyCode(Qt::Key_Enter), 13);
    QCOMPARE(VirtualKeyCode(Qt::Key_Left), 37);
    QCOMPARE(VirtualKeyCode(Qt::Key_Right), 39);
    QCOMPARE(VirtualKeyCode(Qt::Key_A), 65);
    QCOMPARE(VirtualKeyCode(Qt::Key_Z), 90);
    QCOMPARE(VirtualKeyCode(Qt::Key_1), 49);
    QCOMPARE(VirtualKeyCode(Qt::Key_Exclam), 49);  // Shift+1 is still the 1 key
    QCOMPARE(VirtualKeyCode(Qt::Key_4), 52);
    QCOMPARE(VirtualKeyCode(Qt::Key_QuoteLeft), 192);
    QCOMPARE(VirtualKeyCode(Qt::Key_Escape), 27);
    QCOMPARE(VirtualKeyCode(Qt::Key_F1), 0);  // keys no window binds have none
    QCOMPARE(VirtualKeyCode(Qt::Key_5), 0);
    QCOMPARE(VirtualKeyCode(Qt::Key_Shift), 0);
    QCOMPARE(VirtualKeyCode(0x4e2d), 0);  // a character typed through the input method
  }
};

CINDRAL_WINDOW_TEST_MAIN(ModalWindowTest, QApplication)
#include "ModalWindow_test.moc"
