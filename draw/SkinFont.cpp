// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinFont.h"

#include "ui/InstalledFace.h"

namespace cindral {

SkinFont::SkinFont(const QString& family, int pixelSize, Style style) {
  SetLayoutFace(&font_, family);
  font_.setPixelSize(pixelSize);
  font_.setBold(style == kBold);
}

}  // namespace cindral
