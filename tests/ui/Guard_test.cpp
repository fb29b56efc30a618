// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fatal run-time errors: the guard shows the fatal error box and ends
// the program with exit code -1, whether the error comes out of a bound
// handler (RunGuarded) or escapes any event handler (GuardedApplication).

#include <QProcess>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "store/Gbk.h"
#include "WindowTest.h"
#include "ui/Guard.h"
#include "ui/GuardedApplication.h"
#include "ui/QtPrompter.h"

using namespace cindral;
using cindral::testing::AnswerNextBox;

namespace {

class RecordingPrompter : public Prompter {
 public:
  int Choose(const Choice& choice) override { return choice.escape; }
  bool Show(const Message& message) override {
    shown.push_back(message);
    return true;
  }
  std::vector<Message> shown;
};

// Keeps the test running where the program would end; restores the real exit.
class ExitRecorder {
 public:
  ExitRecorder() {
    previous_ = SetExitFunction([this](int code) { codes.push_back(code); });
  }
  ~ExitRecorder() { SetExitFunction(previous_); }
  std::vector<int> codes;

 private:
  ExitFunction previous_;
};

// An object whose event handler fails the way a database read does.
class FailingObject : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User)
      throw FatalError{0, GBK("未指定当前数据库或者指定数据库未打开")};
    return QObject::event(event);
  }
};

const char* const kChildMode = "CINDRAL_GUARD_CHILD";

// The child process: prints without a line end, then fails inside the event loop.
int RunChild(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  RecordingPrompter prompter;
  app.SetPrompter(&prompter);
  std::printf("before the error");
  FailingObject failing;
  QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
  QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(3); });  // never reached
  return app.exec();
}

}  // namespace

class GuardTest : public QObject {
  Q_OBJECT

 private slots:
  void fatalErrorShowsTheBoxAndEndsWithMinusOne() {
    RecordingPrompter prompter;
    ExitRecorder exit;
    bool continued = false;
    RunGuarded(prompter, [&] {
      throw FatalError{2, GBK("未得到所需要的数值型数据")};
      continued = true;
    });
    QVERIFY(!continued);
    QCOMPARE(exit.codes, std::vector<int>{-1});
    QCOMPARE(prompter.shown.size(), std::size_t{1});
    const Message& box = prompter.shown[0];
    QCOMPARE(box.caption, GBK("错误"));
    QCOMPARE(box.icon, MessageIcon::Error);
    QVERIFY(!box.yesNo);
    QCOMPARE(box.text, GBK("运行时出错!\n\n错误代码：2\n\n错误信息：未得到所需要的数值型数据\n"));
  }

  void handlerWithoutErrorShowsNothing() {
    RecordingPrompter prompter;
    ExitRecorder exit;
    int runs = 0;
    RunGuarded(prompter, [&] { ++runs; });
    QCOMPARE(runs, 1);
    QVERIFY(prompter.shown.empty());
    QVERIFY(exit.codes.empty());
  }

  void otherExceptionsEndTheProgramToo() {
    RecordingPrompter prompter;
    ExitRecorder exit;
    RunGuarded(prompter, [] { throw std::runtime_error("disk full"); });
    QCOMPARE(exit.codes, std::vector<int>{-1});
    QCOMPARE(prompter.shown.at(0).text, GBK("运行时出错!\n\n错误信息：disk full\n"));
  }

  void theRealBoxReadsAsWritten() {
    QtPrompter prompter;
    ExitRecorder exit;
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int exitsWhileShown = -1;
    AnswerNextBox([&](QMessageBox* box) {
      if (box == nullptr) return;
      text = box->text();
      caption = box->windowTitle();
      icon = box->icon();
      exitsWhileShown = static_cast<int>(exit.codes.size());
      box->button(QMessageBox::Ok)->click();
    });
    RunGuarded(prompter, [] { throw FatalError{5, GBK("数据或数组类型不匹配")}; });
    QCOMPARE(caption, QStringLiteral("错误"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(text,
             QStringLiteral("运行时出错!\n\n错误代码：5\n\n错误信息：数据或数组类型不匹配\n"));
    QCOMPARE(exitsWhileShown, 0);  // the program ends only after the box is dismissed
    QCOMPARE(exit.codes, std::vector<int>{-1});
  }

  void applicationCatchesWhatEscapesAnEventHandler() {
    auto* app = qobject_cast<GuardedApplication*>(qApp);
    QVERIFY(app != nullptr);
    RecordingPrompter prompter;
    app->SetPrompter(&prompter);
    ExitRecorder exit;
    FailingObject failing;
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&failing, &event));
    app->SetPrompter(nullptr);
    QCOMPARE(exit.codes, std::vector<int>{-1});
    QCOMPARE(prompter.shown.at(0).text,
             GBK("运行时出错!\n\n错误信息：未指定当前数据库或者指定数据库未打开\n"));

    // Events that do not fail pass through untouched.
    QEvent harmless(static_cast<QEvent::Type>(QEvent::User + 1));
    QCoreApplication::sendEvent(&failing, &harmless);
    QCOMPARE(exit.codes.size(), std::size_t{1});
  }

  void theProgramEndsWithExitCodeMinusOne() {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildMode), QStringLiteral("1"));
    // The program ends with its windows' libraries still holding memory (on a
    // real display, the session bus); that is not what this test is about.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + "detect_leaks=0");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 255);  // -1 as the system reports it
    // What the program had written before the error was not lost.
    QCOMPARE(child.readAllStandardOutput(), QByteArray("before the error"));
  }
};

int main(int argc, char** argv) {
  if (std::getenv(kChildMode) != nullptr) return RunChild(argc, argv);
  PrepareDesktopProcess();
  GuardedApplication app(argc, argv);
  cindral::testing::TranslationsLoaded() = PrepareDesktop(app);
  GuardTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "Guard_test.moc"
