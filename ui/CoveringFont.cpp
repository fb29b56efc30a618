// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CoveringFont.h"

#include <QFontMetrics>
#include <QList>

namespace cindral {

QFont FontCovering(const QFont& font, const QString& text) {
  if ((font.styleStrategy() & QFont::NoFontMerging) != 0) return font;
  QFont single = font;
  single.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
  const QFontMetrics metrics(single);
  for (const uint c : text.toUcs4()) {
    const auto category = QChar::category(c);
    if (QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format) {
      continue;
    }
    if (!metrics.inFontUcs4(c)) return font;
  }
  return single;
}

}  // namespace cindral
