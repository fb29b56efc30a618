// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InstalledFace.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace cindral {

QString InstalledFace(const QString& face) {
  const QStringList installed = QFontDatabase::families();
  // Substitutes come back in lower case; the face is named as installed.
  const auto spelledAsInstalled = [&installed](const QString& family) {
    for (const QString& name : installed) {
      if (name.compare(family, Qt::CaseInsensitive) == 0) return name;
    }
    return QString();
  };
  if (const QString name = spelledAsInstalled(face); !name.isEmpty()) return name;
  for (const QString& substitute : QFont::substitutes(face)) {
    if (const QString name = spelledAsInstalled(substitute); !name.isEmpty()) return name;
  }
  return face;
}

void SetLayoutFace(QFont* font, const QString& face) {
  font->setFamilies({InstalledFace(face)});
  font->setHintingPreference(QFont::PreferNoHinting);
}

}  // namespace cindral
