// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinColor.h"

namespace cindral {

uint32_t SkinColor::Argb(uint32_t colour, int alpha) {
  const uint32_t red = colour & 0xFF;
  const uint32_t green = (colour >> 8) & 0xFF;
  const uint32_t blue = (colour >> 16) & 0xFF;
  return (static_cast<uint32_t>(alpha) & 0xFF) << 24 | red << 16 | green << 8 | blue;
}

bool SkinColor::IsDark(uint32_t colour) {
  int light = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    if (((colour >> shift) & 0xFF) >= 125) ++light;
  }
  return light < 2;
}

uint32_t SkinColor::FromArgb(uint32_t argb) {
  const uint32_t red = (argb >> 16) & 0xFF;
  const uint32_t green = (argb >> 8) & 0xFF;
  const uint32_t blue = argb & 0xFF;
  return blue << 16 | green << 8 | red;
}

QColor SkinColor::ToQColor(uint32_t argb) { return QColor::fromRgba(static_cast<QRgb>(argb)); }

}  // namespace cindral
