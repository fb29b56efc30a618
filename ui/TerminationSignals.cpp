// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>

#include "ui/ModalWindow.h"

namespace cindral {
namespace {

// The signal handler only writes a byte here; the event loop reads it.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

// Closes the innermost open window; the main window once nothing else is open.
void CloseInnermostWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* window = qobject_cast<ModalWindow*>(modal)) {
      window->CloseWindow();  // no close query: the program is ending
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();  // a message box: the Escape answer
    } else {
      modal->close();
    }
    return;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) window->close();
  }
}

// Closing a window may open another (a message on closing, the plan
// computed when the entry window goes): the closer keeps closing, a window
// at a time, until the program has ended.
QTimer* Closer() {
  static QPointer<QTimer> closer;
  if (closer == nullptr) {
    closer = new QTimer(qApp);
    closer->setInterval(50);
    QObject::connect(closer, &QTimer::timeout, qApp, &CloseInnermostWindow);
  }
  return closer;
}

}  // namespace

void CloseAllWindows() {
  if (!Closer()->isActive()) Closer()->start();
}

bool ClosingAllWindows() { return Closer()->isActive(); }

void CatchTerminationSignals() {
  if (signalPipe[0] >= 0) return;
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &action, nullptr);
}

void CloseWindowsOnTerminationSignals() {
  if (signalPipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (!Closer()->isActive()) {
      CloseInnermostWindow();
      Closer()->start();
    }
  });
}

}  // namespace cindral
