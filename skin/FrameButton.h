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

}  // namespace cindral
