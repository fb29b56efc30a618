// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the picture generator: blank pictures, painters set up
// for smooth drawing, a seeded sequence for scattering details the same way
// on every build, and rounded shapes.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

namespace cindral::pictures {

// A transparent ARGB picture.
QImage Blank(int width, int height);

// Antialiased drawing, smooth scaling.
void Smooth(QPainter& painter);

QPainterPath RoundedRect(const QRectF& rect, double radius);

// The same numbers on every build: scattered details stay where they are.
class Scatter {
 public:
  explicit Scatter(uint32_t seed) : state_(seed) {}
  // Uniform in [0, 1).
  double Next();
  double Between(double low, double high) { return low + (high - low) * Next(); }

 private:
  uint32_t state_;
};

}  // namespace cindral::pictures
