// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shapes of the skinned windows, set as the widget's mask: everything
// outside the shape is not part of the window (it neither shows nor takes
// the mouse).
//
// A rounded shape from (left, top) to (right, bottom) covers the columns
// left .. right - 2 and the rows top .. bottom - 2, so that an outline drawn
// at right - 2 and bottom - 2 is the window's edge; its corners are cut
// along an ellipse of ew x eh pixels. A plain rectangle from (left, top) to
// (right, bottom) covers left .. right - 1 and top .. bottom - 1.

#include <QRegion>

class QWidget;

namespace cindral {

class SkinRegion {
 public:
  static QRegion Rounded(int left, int top, int right, int bottom, int ew, int eh);
  // Rounded top corners, square bottom: the rounded shape (0, 0, width,
  // height) joined with the rectangle (0, 10, width - 1, height).
  static QRegion TopRounded(int width, int height, int ew, int eh);

  static void SetRounded(QWidget* window, int left, int top, int right, int bottom, int ew, int eh);
  static void SetTopRounded(QWidget* window, int width, int height, int ew, int eh);
};

}  // namespace cindral
