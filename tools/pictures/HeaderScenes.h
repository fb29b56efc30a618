// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight header pictures (840 x 205). The frame shows rows 5 to 204 at
// the top of the window, right-aligned; above the white client panel only
// the first hundred rows stay in view, so every scene keeps its subject
// there. The last row is the colour of the status line and of the strip
// that widens a window beyond 840 pixels: scenes 2 to 6 keep their first
// column a plain gradient (it is stretched), scenes 7 to 9 repeat every 50
// columns (their first 50 columns are tiled).

#include <QImage>

namespace cindral::pictures {

class HeaderScenes {
 public:
  static constexpr int kWidth = 840;
  static constexpr int kHeight = 205;

  static QImage Lighthouse();    // 2
  static QImage Meadow();        // 3
  static QImage WindTurbines();  // 4
  static QImage BlueWaves();     // 5
  static QImage Underwater();    // 6
  static QImage GreyWood();      // 7
  static QImage BrownWood();     // 8
  static QImage PinkDots();      // 9
  // Scene `id` (2..9).
  static QImage Scene(int id);
};

}  // namespace cindral::pictures
