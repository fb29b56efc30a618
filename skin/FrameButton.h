// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption button of the skinned frame, or its skin button: three
// pictures and the state that chooses among them.

#include "skin/FrameRect.h"
#include "skin/SkinPicture.h"

namespace cindral {

struct FrameButton {
  enum State { kNormal = 0, kHover = 1, kPressed = 2 };

  SkinPicture normal = SkinPicture::kCount;
  SkinPicture hover = SkinPicture::kCount;
  SkinPicture pressed = SkinPicture::kCount;
  int state = kNormal;
  FrameRect rect;

  SkinPicture Picture() const {
    return state == kPressed ? pressed : state == kHover ? hover : normal;
  }
};

// The hover rule of the skin's buttons: a normal button under the pointer
// shows its hover look, a hovered one left by the pointer is normal again,
// and any other state (pressed, selected) stays. True when it changed.
inline bool FollowPointer(int& state, bool inside) {
  if (inside && state == 0) {
    state = 1;
    return true;
  }
  if (!inside && state == 1) {
    state = 0;
    return true;
  }
  return false;
}

}  // namespace cindral
