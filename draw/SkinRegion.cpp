// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinRegion.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace cindral {

QRegion SkinRegion::Rounded(int left, int top, int right, int bottom, int ew, int eh) {
  const int width = right - left - 1;
  const int height = bottom - top - 1;
  if (width <= 0 || height <= 0) return {};
  const double rx = std::min(ew, width) / 2.0;
  const double ry = std::min(eh, height) / 2.0;
  QRegion region;
  for (int row = 0; row < height; ++row) {
    // Distance of the row's centre into the corner ellipse, from its centre line.
    const double fromEdge = std::min(row + 0.5, height - row - 0.5);
    double inset = 0;
    if (ry > 0 && fromEdge < ry) {
      const double dy = (ry - fromEdge) / ry;
      inset = rx - rx * std::sqrt(std::max(0.0, 1 - dy * dy));
    }
    const int cut = static_cast<int>(std::lround(inset));
    if (width - 2 * cut > 0) region += QRect(left + cut, top + row, width - 2 * cut, 1);
  }
  return region;
}

QRegion SkinRegion::TopRounded(int width, int height, int ew, int eh) {
  return Rounded(0, 0, width, height, ew, eh) + QRegion(0, 10, width - 1, height - 10);
}

void SkinRegion::SetRounded(QWidget* window, int left, int top, int right, int bottom, int ew,
                            int eh) {
  window->setMask(Rounded(left, top, right, bottom, ew, eh));
}

void SkinRegion::SetTopRounded(QWidget* window, int width, int height, int ew, int eh) {
  window->setMask(TopRounded(width, height, ew, eh));
}

}  // namespace cindral
