// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FittingLabel.h"

#include <QPainter>

#include "ui/TextFit.h"

namespace cindral {

FittingLabel::FittingLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
}

int FittingLabel::ShownPixelSize() const {
  return PixelSizeOf(FitText(font(), contentsRect(), text()).font);
}

bool FittingLabel::TextFits() const { return FitText(font(), contentsRect(), text()).fits; }

void FittingLabel::paintEvent(QPaintEvent* event) {
  if (text().isEmpty()) {
    QLabel::paintEvent(event);
    return;
  }
  const TextFit fit = FitText(font(), contentsRect(), text());
  QPainter painter(this);
  drawFrame(&painter);
  painter.setFont(fit.font);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  const int flags = static_cast<int>(alignment()) | (fit.wrap ? Qt::TextWordWrap : 0);
  painter.drawText(contentsRect(), flags, text());
}

}  // namespace cindral
