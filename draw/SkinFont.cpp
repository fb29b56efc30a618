#include "draw/SkinFont.h"

#include <QStringList>

#include "ui/InstalledFace.h"

namespace cindral {

SkinFont::SkinFont(const QString& family, int pixelSize, Style style) {
  font_.setFamilies(QStringList{InstalledFace(family)});
  font_.setPixelSize(pixelSize);
  font_.setBold(style == kBold);
  font_.setHintingPreference(QFont::PreferNoHinting);  // see DesignedFont
}

}  // namespace cindral
