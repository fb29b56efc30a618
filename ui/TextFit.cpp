// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextFit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace cindral {
namespace {

bool Fits(const QFont& font, const QRect& area, const QString& text, bool* wrap) {
  const QFontMetrics metrics(font);
  *wrap = false;
  if (!text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= area.width()) {
    // One line: the glyphs must fit; the font's line gap may reach outside.
    return metrics.tightBoundingRect(text).height() <= area.height();
  }
  *wrap = true;
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, area.width(), 1 << 20), Qt::TextWordWrap, text);
  // The last line's descent holds no ink for most text.
  return needed.width() <= area.width() && needed.height() <= area.height() + metrics.descent();
}

}  // namespace

int PixelSizeOf(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return std::max(1, QFontInfo(font).pixelSize());
}

TextFit FitText(const QFont& wanted, const QRect& area, const QString& text) {
  TextFit fit;
  fit.font = wanted;
  if (text.isEmpty() || area.isEmpty()) {
    fit.fits = true;
    return fit;
  }
  const int largest = PixelSizeOf(wanted);
  const int smallest = std::max(6, largest / 2);
  for (int size = largest; size >= smallest; --size) {
    fit.font.setPixelSize(size);
    if (Fits(fit.font, area, text, &fit.wrap)) {
      fit.fits = true;
      return fit;
    }
  }
  return fit;  // the smallest size, wrapped, cut where it must be
}

}  // namespace cindral
