// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderView.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace cindral {

void ShowFolderOnDesktop(const QString& folder, std::function<void()> failed) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    // No opener: Qt's own ways (a desktop portal, a running file manager).
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) failed();
    return;
  }
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(opener);
  process->setArguments({folder});
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  // Told once, whether it could not start or ended badly.
  auto report = std::make_shared<std::function<void()>>(std::move(failed));
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, report](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     if (*report) std::exchange(*report, nullptr)();
                     process->deleteLater();
                   });
  QObject::connect(process, &QProcess::finished, process,
                   [process, report](int code, QProcess::ExitStatus status) {
                     if ((status != QProcess::NormalExit || code != 0) && *report) {
                       std::exchange(*report, nullptr)();
                     }
                     process->deleteLater();
                   });
  process->start();
}

}  // namespace cindral
