// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinBrush.h"

#include "draw/SkinColor.h"

namespace cindral {

SkinBrush::SkinBrush(uint32_t argb) : brush_(SkinColor::ToQColor(argb)) {}

void SkinBrush::SetColor(uint32_t argb) { brush_.setColor(SkinColor::ToQColor(argb)); }

}  // namespace cindral
