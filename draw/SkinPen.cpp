// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinPen.h"

#include "draw/SkinColor.h"

namespace cindral {

SkinPen::SkinPen(uint32_t argb, double width) : pen_(SkinColor::ToQColor(argb)) {
  pen_.setWidthF(width);
  // Square ends and mitred joins keep one-pixel outlines closed at the corners.
  pen_.setCapStyle(Qt::SquareCap);
  pen_.setJoinStyle(Qt::MiterJoin);
}

void SkinPen::SetColor(uint32_t argb) { pen_.setColor(SkinColor::ToQColor(argb)); }

}  // namespace cindral
