// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The speaker buttons as the learner meets them: on the drill and in the
// game, enabled with a tip when words can be spoken, greyed with the reason
// when not, following the engine as it starts or fails; and the desktop's
// voice, which starts only when first asked and never holds a window up.

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "Screenshot.h"
#include "TestWorld.h"
#include "app/DesktopSpeech.h"
#include "WindowTest.h"
#include "ui/SpeakerButton.h"
#include "ui/WindowBuilder.h"
#include "windows/GameWindow.h"
#include "windows/IntensiveReviewWindow.h"

using namespace cindral;
using cindral::testing::ScreenshotPath;
using State = Speech::State;

namespace {

constexpr double kDay = 45000.0;

std::unique_ptr<test::TestWorld> NewWorld() {
  auto world = std::make_unique<test::TestWorld>(kDay);
  world->OpenWordBook();
  for (const char* word : {"abandon", "ability", "abstract", "absorb"}) {
    world->AddWord(1, word, kDay, 50, "释义");
  }
  for (const DueEntry& e : {DueEntry{1, GBK("abandon"), GBK("v. 放弃"), 50, 1},
                            DueEntry{1, GBK("ability"), GBK("n. 能力"), 50, 2}}) {
    world->State().IntensiveList.push_back(e);
  }
  return world;
}

SpeakerButton* SpeakerOf(QWidget* window) { return Control<SpeakerButton>(window, "按钮朗读单词"); }

}  // namespace

class SpeakerButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void theDrillReadsItsWordByButtonAndByKeyP() {
    auto world = NewWorld();
    IntensiveReviewWindow drill(world->P());
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    SpeakerButton* speaker = SpeakerOf(&drill);
    QVERIFY(speaker != nullptr);
    QCOMPARE(speaker->geometry(), QRect(22, 104, 40, 40));
    QVERIFY(speaker->isEnabled());
    QCOMPARE(speaker->toolTip(), QStringLiteral("朗读单词（P）"));
    QTest::mouseClick(speaker, Qt::LeftButton);
    auto* keys = Control<QLineEdit>(&drill, "编辑框提供快捷键");
    QTRY_VERIFY(keys->hasFocus());  // the button does not take the keyboard
    QTest::keyClick(keys, Qt::Key_Right);
    QTest::keyClick(keys, Qt::Key_P);
    QCOMPARE(world->speech.spoken, (std::vector<std::string>{"abandon", "ability"}));
    QVERIFY(keys->text().isEmpty());
    QVERIFY(SaveScreenshot(&drill, ScreenshotPath(QStringLiteral("drill-speaker"))));
  }

  void withoutAnEngineTheButtonIsGreyedWithTheReasonAndTheDrillGoesOn() {
    auto world = NewWorld();
    world->speech.Set(State::Starting);
    IntensiveReviewWindow drill(world->P());
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    SpeakerButton* speaker = SpeakerOf(&drill);
    QVERIFY(!speaker->isEnabled());
    QCOMPARE(speaker->toolTip(), QStringLiteral("正在启动语音引擎……"));
    // The engine fails to start: the window hears of it at once.
    world->speech.Set(State::Unavailable, "语音引擎无法启动");
    QVERIFY(!speaker->isEnabled());
    QCOMPARE(speaker->toolTip(), QStringLiteral("语音引擎无法启动"));
    auto* keys = Control<QLineEdit>(&drill, "编辑框提供快捷键");
    QTRY_VERIFY(keys->hasFocus());
    QTest::keyClick(keys, Qt::Key_P);
    QTest::keyClick(keys, Qt::Key_S);
    QVERIFY(world->speech.spoken.empty());
    QCOMPARE(Control<QLabel>(&drill, "标签释义")->text(), QStringLiteral("v. 放弃"));
    QVERIFY(world->prompter.shown.empty());
    QVERIFY(SaveScreenshot(&drill, ScreenshotPath(QStringLiteral("drill-speaker-unavailable"))));
  }

  // A voice with a speech service but no sound device: the press shows at
  // once that the word is tried, and the failure is said beside the button,
  // without a box and without taking the keyboard.
  void aTriedVoiceShowsItAndItsFailureIsSaidBesideTheButton() {
    auto world = NewWorld();
    world->speech.triesWords = true;
    IntensiveReviewWindow drill(world->P());
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    SpeakerButton* speaker = SpeakerOf(&drill);
    auto* note = Control<QLabel>(&drill, "标签朗读说明");
    QVERIFY(note != nullptr);
    QVERIFY(note->isHidden());
    QVERIFY(!speaker->trying());
    auto* keys = Control<QLineEdit>(&drill, "编辑框提供快捷键");
    QTRY_VERIFY(keys->hasFocus());
    QTest::keyClick(keys, Qt::Key_P);
    QVERIFY(speaker->trying());
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("正在朗读……"));
    QVERIFY(!note->geometry().intersects(speaker->geometry()));
    QVERIFY(drill.rect().contains(note->geometry()));
    QVERIFY(SaveScreenshot(&drill, ScreenshotPath(QStringLiteral("drill-speaker-trying"))));

    world->speech.Set(State::Unavailable,
                      "语音服务打不开声音设备，朗读听不到（请检查声音设备或声音服务）");
    QVERIFY(!speaker->trying());
    QVERIFY(!speaker->isEnabled());
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(),
             QStringLiteral("语音服务打不开声音设备，朗读听不到（请检查声音设备或声音服务）"));
    QVERIFY(drill.rect().contains(note->geometry()));
    QVERIFY(keys->hasFocus());
    QVERIFY(world->prompter.shown.empty());
    QVERIFY(SaveScreenshot(&drill, ScreenshotPath(QStringLiteral("drill-speaker-no-sound"))));
    // Said once a run: the next word's P raises nothing new.
    QTest::keyClick(keys, Qt::Key_Right);
    note->hide();
    QTest::keyClick(keys, Qt::Key_P);
    QVERIFY(note->isHidden());
  }

  void aClosedWindowNoLongerListensToTheEngine() {
    auto world = NewWorld();
    {
      IntensiveReviewWindow drill(world->P());
      QCOMPARE(world->speech.listeners.size(), size_t{1});
    }
    QVERIFY(world->speech.listeners.empty());
    world->speech.Set(State::Unavailable, "gone");  // nobody to tell
  }

  void theGameReadsTheWordOfTheButtonClickedLast() {
    auto world = NewWorld();
    GameWindow game(world->P());
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    SpeakerButton* speaker = SpeakerOf(&game);
    QVERIFY(!speaker->isEnabled());
    QCOMPARE(speaker->toolTip(), QStringLiteral("先点一个单词或释义，再点这里朗读"));
    // The button that shows the meaning of the first draw.
    int meaningButton = 0;
    for (int i = 1; i <= GameWindowLogic::kButtons; ++i) {
      if (game.logic().order()[static_cast<size_t>(i)] == 2) meaningButton = i;
    }
    const QByteArray name = "超级按钮" + QByteArray::number(meaningButton);
    QTest::mouseClick(Control<QWidget>(&game, name.constData()), Qt::LeftButton);
    QVERIFY(speaker->isEnabled());
    QTest::mouseClick(speaker, Qt::LeftButton);
    QCOMPARE(world->speech.spoken, std::vector<std::string>{GbkToUtf8(game.logic().texts()[1])});
    QVERIFY(SaveScreenshot(&game, ScreenshotPath(QStringLiteral("game-speaker"))));
  }

  void theDesktopVoiceStartsOnlyWhenAskedAndSettlesWithoutHoldingUpTheWindow() {
    // A service started cold takes seconds under the sanitizers: the
    // engine is given long enough here to come up.
    DesktopSpeech speech({}, nullptr, {/*startMs=*/30000, /*firstWordMs=*/4000});
    QVERIFY(speech.findChild<QThread*>() == nullptr);  // nothing at start-up
    int changes = 0;
    const int token = speech.AddListener([&] { ++changes; });
    // The first look starts the engine on its own thread and answers at once.
    QCOMPARE(speech.state(), State::Starting);
    QVERIFY(speech.findChild<QThread*>() != nullptr);
    speech.Speak(GBK("apple"));  // not ready: nothing happens
    QTRY_VERIFY_WITH_TIMEOUT(speech.state() != State::Starting, 40000);
    QCOMPARE(changes, 1);
    if (speech.state() == State::Unavailable) {
      // No sound device or speech service on this machine: the reason says so.
      QVERIFY(!speech.reason().empty());
    } else {
      QVERIFY(speech.reason().empty());
      speech.Speak(GBK("apple"));  // returns at once; the voice reads on its own thread
      QVERIFY(speech.trying());    // until it is known whether the word was heard
      QCOMPARE(changes, 2);
      // The word is heard to its end, or (a speech service with no sound
      // device to play on, which takes words and never finishes them) the
      // voice says it cannot be heard: it is never left silently "ready".
      QTRY_VERIFY_WITH_TIMEOUT(speech.heard() || speech.state() == State::Unavailable, 12000);
      QVERIFY(!speech.trying());
      QCOMPARE(changes, 3);
      if (!speech.heard()) {
        QVERIFY(QString::fromStdString(GbkToUtf8(speech.reason()))
                    .contains(QStringLiteral("声音设备")));
      }
    }
    speech.RemoveListener(token);
  }

  // A speech service that takes the connection and never answers (as one
  // does after it has lost its sound device): the voice gives up with the
  // reason, and the program still ends at once.
  void aSpeechServiceThatNeverAnswersIsGivenUpAndDoesNotHoldUpTheEnd() {
    QTemporaryDir dir;
    QLocalServer silent;
    QVERIFY(silent.listen(dir.filePath(QStringLiteral("speechd.sock"))));
    const QByteArray before = qgetenv("SPEECHD_ADDRESS");
    qputenv("SPEECHD_ADDRESS", "unix_socket:" + silent.fullServerName().toLocal8Bit());
    QElapsedTimer clock;
    {
      DesktopSpeech speech({}, nullptr, {/*startMs=*/1500, /*firstWordMs=*/4000});
      QCOMPARE(speech.state(), State::Starting);
      QTRY_COMPARE_WITH_TIMEOUT(speech.state(), State::Unavailable, 10000);
      QVERIFY(
          QString::fromStdString(GbkToUtf8(speech.reason())).contains(QStringLiteral("没有回应")));
      clock.start();
    }
    QVERIFY2(clock.elapsed() < 3000, "ending the voice waited for the silent service");
    if (before.isNull()) {
      qunsetenv("SPEECHD_ADDRESS");
    } else {
      qputenv("SPEECHD_ADDRESS", before);
    }
  }

  void anEngineThatIsNotThereIsReportedAsMissing() {
    DesktopSpeech speech(QStringLiteral("no-such-engine"));
    QCOMPARE(speech.state(), State::Starting);
    QTRY_COMPARE_WITH_TIMEOUT(speech.state(), State::Unavailable, 20000);
    QVERIFY(QString::fromStdString(GbkToUtf8(speech.reason()))
                .contains(QStringLiteral("没有找到语音引擎")));
  }
};

CINDRAL_WINDOW_TEST_MAIN(SpeakerButtonsTest, QApplication)

#include "SpeakerButtons_test.moc"
