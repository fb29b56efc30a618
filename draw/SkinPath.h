// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An outline built from arcs and lines; each piece joins the previous one
// with a straight line, so a sequence of pieces makes one connected figure.
// Angles are in degrees, clockwise from the positive x axis (y grows down).

#include <QPainterPath>

namespace cindral {

class SkinPath {
 public:
  // The arc of the ellipse in the box (x, y, w, h) from `start`, sweeping `sweep`.
  void AddArc(double x, double y, double w, double h, double start, double sweep);
  void AddLine(double x1, double y1, double x2, double y2);
  const QPainterPath& path() const { return path_; }

 private:
  QPainterPath path_;
};

}  // namespace cindral
