// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/ControlText.h"
#include "ui/TextFit.h"

namespace cindral {
namespace {

constexpr int kMargin = 5;    // from the button's edge to the plate
constexpr int kPaddingX = 8;  // from the plate's edge to the text
constexpr int kPaddingY = 4;
constexpr int kMinimumPlateWidth = 64;
constexpr qreal kRadius = 8;

int TextFlags(bool wrap) { return Qt::AlignCenter | (wrap ? Qt::TextWordWrap : 0); }

QColor Blend(const QColor& base, const QColor& over, qreal amount) {
  return QColor::fromRgbF(
      static_cast<float>(base.redF() + (over.redF() - base.redF()) * amount),
      static_cast<float>(base.greenF() + (over.greenF() - base.greenF()) * amount),
      static_cast<float>(base.blueF() + (over.blueF() - base.blueF()) * amount));
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

QSize PictureButton::sizeHint() const {
  const QFontMetrics metrics(font());
  return metrics.size(0, ControlQText(this))
      .grownBy(QMargins(kMargin + kPaddingX, kMargin + kPaddingY, kMargin + kPaddingX,
                        kMargin + kPaddingY));
}

QRect PictureButton::TextArea() const {
  return rect().adjusted(kMargin + kPaddingX, kMargin + kPaddingY, -(kMargin + kPaddingX),
                         -(kMargin + kPaddingY));
}

int PictureButton::ShownPixelSize() const {
  return PixelSizeOf(FitText(font(), TextArea(), ControlQText(this)).font);
}

bool PictureButton::TextFits() const {
  return FitText(font(), TextArea(), ControlQText(this)).fits;
}

QRectF PictureButton::PlateRect() const {
  const QString text = ControlQText(this);
  if (text.isEmpty()) return {};
  const QRect area = TextArea();
  const TextFit fit = FitText(font(), area, text);
  QRect ink = QFontMetrics(fit.font).boundingRect(area, TextFlags(fit.wrap), text) & area;
  if (ink.width() < kMinimumPlateWidth - 2 * kPaddingX) {
    const int grow = (kMinimumPlateWidth - 2 * kPaddingX - ink.width() + 1) / 2;
    ink.adjust(-grow, 0, grow, 0);
  }
  const QRectF plate = QRectF(ink).adjusted(-kPaddingX, -kPaddingY, kPaddingX, kPaddingY);
  return plate & QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect area = rect();
  const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
  const QColor highlight = palette().color(group, QPalette::Highlight);

  if (!icon().isNull()) {
    icon().paint(&painter, area, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
  }
  if (isChecked()) {
    painter.setPen(QPen(highlight, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5), kRadius, kRadius);
  }

  const QString text = ControlQText(this);
  if (text.isEmpty()) return;
  // The chosen button's plate is tinted with the highlight but stays light
  // enough for the text colour to read on it.
  QColor face = palette().color(group, QPalette::Base);
  if (isChecked()) face = Blend(face, highlight, 0.35);
  if (isDown()) {
    face = face.darker(112);
    face.setAlpha(245);
  } else {
    face.setAlpha(hovered_ && isEnabled() ? 240 : 215);
  }
  const QColor ink = palette().color(group, QPalette::Text);
  QColor edge = isChecked() ? highlight : ink;
  edge.setAlpha(isChecked() ? 255 : 40);
  const QRectF plate = PlateRect();
  painter.setPen(QPen(edge, 1));
  painter.setBrush(face);
  painter.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
  if (hasFocus()) {
    painter.setPen(QPen(highlight, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(plate.adjusted(2.5, 2.5, -2.5, -2.5), kRadius - 2, kRadius - 2);
  }

  const TextFit fit = FitText(font(), TextArea(), text);
  painter.setFont(fit.font);
  painter.setPen(ink);
  // Drawn as plain text: a learner's "R&D" shows its ampersand.
  painter.drawText(TextArea(), TextFlags(fit.wrap), text);
}

}  // namespace cindral
