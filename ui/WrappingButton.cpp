// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WrappingButton.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/CoveringFont.h"

namespace cindral {

WrappingButton::WrappingButton(QWidget* parent) : QPushButton(parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString text = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);  // face, frame and focus

  // The face alone where it holds the text, measured as it is painted: the
  // font merging other faces in is then never loaded for the caption.
  const QFont painted = FontCovering(font(), text);
  // One line where it fits across the face (the style's padding may give way
  // to it); otherwise wrapped inside the padding.
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
  const QRect face = rect().adjusted(3, 2, -3, -2);
  if (QFontMetrics(painted).horizontalAdvance(QString(text).remove(QLatin1Char('&'))) <=
      face.width()) {
    area = face;
  } else {
    flags |= Qt::TextWordWrap;
  }
  if (isDown()) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  painter.setFont(painted);
  painter.drawItemText(area, flags, palette(), isEnabled(), text, QPalette::ButtonText);
}

}  // namespace cindral
