// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fitting a text into a laid-out rectangle: the layout's font when the text
// fits (on one line, or wrapped where there is room for more lines),
// otherwise the largest smaller pixel size that fits, down to half the
// layout size.

#include <QFont>
#include <QRect>
#include <QString>

namespace cindral {

struct TextFit {
  QFont font;         // the font to draw with
  bool wrap = false;  // draw with Qt::TextWordWrap
  bool fits = false;  // false: even the smallest size is too large
};

TextFit FitText(const QFont& wanted, const QRect& area, const QString& text);

// The pixel size of a font, also for fonts given in points.
int PixelSizeOf(const QFont& font);

}  // namespace cindral
