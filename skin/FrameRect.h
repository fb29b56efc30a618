// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rectangle of the skinned windows, in window pixels. A point on any of
// its four edges is inside: a button of width 27 at left 10 answers for
// x = 10 to x = 37.

namespace cindral {

struct FrameRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Contains(int x, int y) const {
    return left <= x && x <= left + width && top <= y && y <= top + height;
  }
  bool operator==(const FrameRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

}  // namespace cindral
