// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six built-in backgrounds of the word game: calm pictures painted from
// gradients and smooth noise, at the sizes the game's picture box expects
// (see GameBackgroundSize).

#include "tools/backgrounds/Bitmap32.h"

namespace cindral {

constexpr int kGameBackgroundCount = 6;

struct PictureSize {
  int width;
  int height;
};

// Background 1..6: dawn hills, a calm sea, mountains at dusk, a wave
// pattern, a meadow, a night sky.
PictureSize GameBackgroundSize(int index);
Bitmap32 PaintGameBackground(int index);

}  // namespace cindral
