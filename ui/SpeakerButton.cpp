// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpeakerButton.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace cindral {

SpeakerButton::SpeakerButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);  // the study windows keep the keyboard in their focus holders
  setCursor(Qt::PointingHandCursor);
  setIcon(Icon(false));
}

QIcon SpeakerButton::Icon(bool trying) {
  QIcon icon;
  for (int pixels : {16, 24, 32, 48, 64}) icon.addPixmap(Picture(pixels, trying));
  return icon;
}

void SpeakerButton::SetTrying(bool trying) {
  if (trying == trying_) return;
  trying_ = trying;
  setIcon(Icon(trying));
}

void SpeakerButton::resizeEvent(QResizeEvent* event) {
  QToolButton::resizeEvent(event);
  const int side = qMax(8, qMin(width(), height()) - 8);
  setIconSize(QSize(side, side));
}

QPixmap SpeakerButton::Picture(int pixels, bool trying) {
  QPixmap pixmap(pixels, pixels);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(pixels / 24.0, pixels / 24.0);
  const QColor ink(40, 110, 190);
  // The box and the cone.
  QPainterPath body;
  body.moveTo(3, 9);
  body.lineTo(7, 9);
  body.lineTo(12, 4.5);
  body.lineTo(12, 19.5);
  body.lineTo(7, 15);
  body.lineTo(3, 15);
  body.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(body);
  // Two sound waves.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(9, 8, 8, 8), -50 * 16, 100 * 16);
  p.drawArc(QRectF(7.5, 4.5, 14, 15), -55 * 16, 110 * 16);
  if (trying) {
    p.setPen(QPen(QColor(235, 130, 20), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6, 1.5, 20, 21), -55 * 16, 110 * 16);
  }
  return pixmap;
}

}  // namespace cindral
