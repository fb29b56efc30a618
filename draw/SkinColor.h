// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours of the skin: a 24-bit value 0x00BBGGRR (red in the low byte), and
// the ARGB form (0xAARRGGBB) in which colours are drawn.

#include <QColor>
#include <cstdint>

namespace cindral {

class SkinColor {
 public:
  // (alpha << 24) | (red << 16) | (green << 8) | blue. Alpha is taken modulo
  // 256, like the byte it becomes.
  static uint32_t Argb(uint32_t colour, int alpha);
  // A colour is light when at least two of its three channels are 125 or
  // more; dark otherwise.
  static bool IsDark(uint32_t colour);
  // The colour channels of an ARGB value as 0x00BBGGRR.
  static uint32_t FromArgb(uint32_t argb);
  static QColor ToQColor(uint32_t argb);
};

}  // namespace cindral
