// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinGraphics.h"

#include <algorithm>
#include <cmath>

#include "draw/SkinBrush.h"
#include "draw/SkinFont.h"
#include "draw/SkinImage.h"
#include "draw/SkinPath.h"
#include "draw/SkinPen.h"
#include "ui/CoveringFont.h"
#include "ui/Text.h"

namespace cindral {

void SkinGraphics::SetSmoothingMode(int mode) {
  const bool smooth = mode == kHighQuality;
  painter_.setRenderHint(QPainter::Antialiasing, smooth);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

namespace {
bool Whole(double v) { return v == std::floor(v); }
}  // namespace

void SkinGraphics::FillRectangle(const SkinBrush& brush, double x, double y, double w, double h) {
  // Whole-pixel rectangles take the painter's plain fill, which needs no
  // smoothing and is much faster over large areas.
  if (Whole(x) && Whole(y) && Whole(w) && Whole(h)) {
    painter_.fillRect(
        QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h)),
        brush.brush());
  } else {
    painter_.fillRect(QRectF(x, y, w, h), brush.brush());
  }
}

void SkinGraphics::BeginStroke(const SkinPen& pen) {
  painter_.save();
  painter_.translate(0.5, 0.5);
  painter_.setPen(pen.pen());
  painter_.setBrush(Qt::NoBrush);
}

void SkinGraphics::EndStroke() { painter_.restore(); }

void SkinGraphics::DrawRectangle(const SkinPen& pen, double x, double y, double w, double h) {
  BeginStroke(pen);
  painter_.drawRect(QRectF(x, y, w, h));
  EndStroke();
}

bool SkinGraphics::IsPixelRun(const SkinPen& pen, double x1, double y1, double x2,
                              double y2) const {
  const QPen& p = pen.pen();
  const QTransform& t = painter_.transform();
  return p.style() == Qt::SolidLine && p.widthF() == 1 && !p.isCosmetic() &&
         p.capStyle() == Qt::SquareCap && p.brush().style() == Qt::SolidPattern &&
         (x1 == x2) != (y1 == y2) && Whole(x1) && Whole(y1) && Whole(x2) && Whole(y2) &&
         t.type() <= QTransform::TxTranslate && Whole(t.dx()) && Whole(t.dy());
}

void SkinGraphics::DrawLine(const SkinPen& pen, double x1, double y1, double x2, double y2) {
  if (IsPixelRun(pen, x1, y1, x2, y2)) {
    // A one-pixel line along a row or a column between whole coordinates
    // covers exactly the pixels from one end to the other, as the stroke
    // below draws them; filled as a rectangle it costs a small part of the
    // stroke, whose smoothing works pixel by pixel (a window's outline took
    // more than half a millisecond).
    const int left = static_cast<int>(std::min(x1, x2)), top = static_cast<int>(std::min(y1, y2));
    painter_.fillRect(QRect(left, top, static_cast<int>(std::abs(x2 - x1)) + 1,
                            static_cast<int>(std::abs(y2 - y1)) + 1),
                      pen.pen().brush());
    return;
  }
  BeginStroke(pen);
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  EndStroke();
}

void SkinGraphics::DrawArc(const SkinPen& pen, double x, double y, double w, double h, double start,
                           double sweep) {
  BeginStroke(pen);
  // QPainter takes sixteenths of a degree, counter-clockwise.
  painter_.drawArc(QRectF(x, y, w, h), static_cast<int>(-start * 16),
                   static_cast<int>(-sweep * 16));
  EndStroke();
}

void SkinGraphics::DrawPath(const SkinPen& pen, const SkinPath& path) {
  BeginStroke(pen);
  painter_.drawPath(path.path());
  EndStroke();
}

void SkinGraphics::DrawRoundRect(const SkinPen& pen, double x, double y, double w, double h,
                                 double r) {
  DrawLine(pen, x, y + r, x, y + h - r);
  DrawLine(pen, x + r, y, x + w - r, y);
  DrawLine(pen, x + w, y + r, x + w, y + h - r);
  DrawLine(pen, x + r, y + h, x + w - r, y + h);
  const double d = 2 * r;
  DrawArc(pen, x + w - d, y, d, d, 270, 90);
  DrawArc(pen, x + w - d, y + h - d, d, d, 0, 90);
  DrawArc(pen, x, y + h - d, d, d, 90, 90);
  DrawArc(pen, x, y, d, d, 180, 90);
}

void SkinGraphics::DrawImageRect(const SkinImage& image, double x, double y, double w, double h) {
  if (image.IsEmpty()) return;
  painter_.drawImage(QRectF(x, y, w, h), image.image());
}

void SkinGraphics::DrawImageRectRect(const SkinImage& image, double x, double y, double w, double h,
                                     double sx, double sy, double sw, double sh) {
  if (image.IsEmpty()) return;
  painter_.drawImage(QRectF(x, y, w, h), image.image(), QRectF(sx, sy, sw, sh));
}

void SkinGraphics::DrawString(const std::string& gbk, double x, double y, const SkinFont& font,
                              const SkinBrush& brush) {
  painter_.save();
  const QString text = ToQString(gbk);
  painter_.setFont(FontCovering(font.font(), text));
  painter_.setPen(QPen(brush.brush(), 1));
  painter_.drawText(QRectF(x, y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
  painter_.restore();
}

}  // namespace cindral
