// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Support for the window tests: a main that prepares the desktop as the
// program does, and a way to answer the message box that a call is about to
// show.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/Desktop.h"

namespace cindral::testing {

// Whether Qt's Chinese translations were installed at start.
inline bool& TranslationsLoaded() {
  static bool loaded = false;
  return loaded;
}

// The message box now shown, or nullptr.
inline QMessageBox* VisibleMessageBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
      return box;
    }
  }
  return nullptr;
}

// Waits (from the event loop) for the next message box and hands it to
// `answer`, which reads it and clicks a button. If no box comes within five
// seconds, `answer` gets nullptr.
inline void AnswerNextBox(std::function<void(QMessageBox*)> answer) {
  auto* poll = new QTimer(qApp);
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, [poll, clock, answer = std::move(answer)] {
    QMessageBox* box = VisibleMessageBox();
    if (box == nullptr && clock->elapsed() < 5000) return;
    poll->stop();
    poll->deleteLater();
    delete clock;
    answer(box);
  });
  poll->start(10);
}

// Runs `act` on the modal window of type W once it is open (from the event
// loop, so also from inside a nested one); if none opens within five
// seconds, `act` gets nullptr.
template <class W>
void WhenOpen(std::function<void(W*)> act) {
  auto* poll = new QTimer(qApp);
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, [poll, clock, act = std::move(act)] {
    W* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window == nullptr && clock->elapsed() < 5000) return;
    poll->stop();
    poll->deleteLater();
    delete clock;
    act(window);
  });
  poll->start(10);
}

// The visible top-level window named `objectName`, or nullptr.
inline QWidget* TopLevel(const char* objectName) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String(objectName) && w->isVisible()) return w;
  }
  return nullptr;
}

// Runs `step` from the event loop once the window named `objectName` shows
// (or with nullptr after five seconds), while the caller blocks in a
// nested loop.
inline void WhenShown(const char* objectName, std::function<void(QWidget*)> step) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, [=, waited = 0]() mutable {
    QWidget* window = TopLevel(objectName);
    if (window == nullptr && ++waited < 500) return;
    poll->stop();
    poll->deleteLater();
    if (window != nullptr && !QTest::qWaitForWindowExposed(window)) window = nullptr;
    step(window);
  });
  poll->start(10);
}

// The text a button shows, without its mnemonic marker: "是(&Y)" -> "是(Y)".
inline QString ShownText(const QAbstractButton* button) {
  QString text = button->text();
  return text.remove(QLatin1Char('&'));
}

// Where a window test keeps a picture named `name`: $CINDRAL_SCREENSHOT_DIR,
// or /tmp/cindral-windows.
inline QString ScreenshotPath(const QString& name) {
  QString directory = qEnvironmentVariable("CINDRAL_SCREENSHOT_DIR");
  if (directory.isEmpty()) directory = QDir::temp().filePath(QStringLiteral("cindral-windows"));
  QDir().mkpath(directory);
  return QDir(directory).filePath(name + QStringLiteral(".png"));
}

}  // namespace cindral::testing

// A Qt Test main that prepares the desktop like the program does. What the
// windows keep in the user's configuration (the folders the file dialogs
// open in) goes to a folder of the test's own.
#define CINDRAL_WINDOW_TEST_MAIN(TestClass, ApplicationClass)              \
  int main(int argc, char** argv) {                                        \
    QTemporaryDir configuration;                                           \
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));   \
    cindral::PrepareDesktopProcess();                                      \
    ApplicationClass app(argc, argv);                                      \
    cindral::testing::TranslationsLoaded() = cindral::PrepareDesktop(app); \
    TestClass test;                                                        \
    QTEST_SET_MAIN_SOURCE_PATH                                             \
    return QTest::qExec(&test, argc, argv);                                \
  }
