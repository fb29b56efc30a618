// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/WebEngineStart.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStringList>

namespace cindral {
namespace {

// The first existing file among the candidates; the engine's own search
// order: the environment variable, Qt's installation, the program's folder.
bool FoundAt(const char* variable, const QString& installed, const QString& name, bool executable) {
  QStringList candidates;
  const QString configured = qEnvironmentVariable(variable);
  if (!configured.isEmpty()) {
    // A given path is the only one the engine tries.
    candidates << (executable ? configured : configured + QLatin1Char('/') + name);
  } else {
    candidates << installed + QLatin1Char('/') + name
               << QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
  }
  for (const QString& path : candidates) {
    const QFileInfo info(path);
    if (info.isFile() && (!executable || info.isExecutable())) return true;
  }
  return false;
}

}  // namespace

bool WebEngineCanStart() {
  return FoundAt("QTWEBENGINEPROCESS_PATH",
                 QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath),
                 QStringLiteral("QtWebEngineProcess"), true) &&
         FoundAt("QTWEBENGINE_RESOURCES_PATH",
                 QLibraryInfo::path(QLibraryInfo::DataPath) + QStringLiteral("/resources"),
                 QStringLiteral("qtwebengine_resources.pak"), false);
}

void PrepareWebEngineStart() {
  if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
      flags += flags.isEmpty() ? "--disable-gpu" : " --disable-gpu";
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
  }
}

}  // namespace cindral
