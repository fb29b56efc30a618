#include "draw/SkinFont.h"

#include <QStringList>

namespace cindral {

SkinFont::SkinFont(const QString& family, int pixelSize, Style style) {
  font_.setFamilies(QStringList{family});
  font_.setPixelSize(pixelSize);
  font_.setBold(style == kBold);
  font_.setHintingPreference(QFont::PreferNoHinting);  // see DesignedFont
}

}  // namespace cindral
