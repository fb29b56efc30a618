#include "draw/SkinFont.h"

#include "ui/InstalledFace.h"

namespace cindral {

SkinFont::SkinFont(const QString& family, int pixelSize, Style style) {
  SetDesignedFace(&font_, family);
  font_.setPixelSize(pixelSize);
  font_.setBold(style == kBold);
}

}  // namespace cindral
