// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include "core/IniFile.h"
#include "ui/Text.h"

namespace cindral {
namespace {

const char kSection[] = "Folders";

std::string KeyOf(FileKind kind) {
  switch (kind) {
    case FileKind::Import:
      return "import";
    case FileKind::Export:
      return "export";
    case FileKind::Picture:
      return "picture";
    case FileKind::GameBackground:
      return "background";
  }
  return "other";
}

QString ConfigurationFolder() {
  const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
  const QString home =
      xdg.startsWith(QLatin1Char('/')) ? xdg : QDir::homePath() + QStringLiteral("/.config");
  return home + QStringLiteral("/cindral");
}

// Makes the folder and those above it that are missing, each the user's
// alone (0700), as the XDG base directories ask of folders made there.
void MakeFolder(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  for (qsizetype slash = bytes.indexOf('/', 1);; slash = bytes.indexOf('/', slash + 1)) {
    ::mkdir((slash == -1 ? bytes : bytes.left(slash)).constData(), 0700);
    if (slash == -1) return;
  }
}

}  // namespace

QString RecentFoldersFile() { return ConfigurationFolder() + QStringLiteral("/folders.ini"); }

QString StartFolder(FileKind kind) {
  const QString folder =
      ToQString(ReadProfileString(FromQString(RecentFoldersFile()), kSection, KeyOf(kind)));
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  return QDir::homePath();
}

bool RememberFolder(FileKind kind, const QString& file) {
  const std::string folder = FromQString(QFileInfo(file).absolutePath());
  const std::string kept = FromQString(RecentFoldersFile());
  if (ReadProfileString(kept, kSection, KeyOf(kind)) == folder) return true;
  MakeFolder(ConfigurationFolder());
  if (WriteProfileString(kept, kSection, KeyOf(kind), folder)) return true;
  // Nothing of the learner's work is lost: only the folder is not kept.
  qWarning("cindral: could not keep the folder in %s: %s", qUtf8Printable(RecentFoldersFile()),
           std::strerror(errno));
  return false;
}

}  // namespace cindral
