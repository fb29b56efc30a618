// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page of the skinned frame: its label, its icon and its state.

#include <string>

#include "skin/FrameRect.h"

namespace cindral {

struct PageButton {
  enum State { kNormal = 0, kHover = 1, kSelected = 2 };

  std::string label;  // GBK
  std::string icon;   // picture bytes (PNG or ICO)
  int state = kNormal;
  FrameRect rect;
  int index = 0;  // 1-based
};

}  // namespace cindral
