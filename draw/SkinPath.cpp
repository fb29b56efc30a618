// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinPath.h"

namespace cindral {

void SkinPath::AddArc(double x, double y, double w, double h, double start, double sweep) {
  const QRectF box(x, y, w, h);
  // QPainterPath counts angles counter-clockwise.
  if (path_.elementCount() == 0) path_.arcMoveTo(box, -start);
  path_.arcTo(box, -start, -sweep);
}

void SkinPath::AddLine(double x1, double y1, double x2, double y2) {
  if (path_.elementCount() == 0) {
    path_.moveTo(x1, y1);
  } else {
    path_.lineTo(x1, y1);
  }
  path_.lineTo(x2, y2);
}

}  // namespace cindral
