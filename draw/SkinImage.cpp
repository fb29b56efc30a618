// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/SkinImage.h"

#include <QImageReader>

#include "draw/SkinStream.h"

namespace cindral {

SkinImage SkinImage::FromBytes(std::string_view bytes) {
  if (bytes.empty()) return {};
  SkinStream stream(bytes);
  QImageReader reader(stream.device());
  // A PNG picture goes straight to the built-in reader. Left to be
  // recognised, or even named while recognition is on, it is first offered
  // to every image plugin, each loaded for the purpose (with its libraries)
  // at the first picture.
  static constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
  if (bytes.substr(0, kPngSignature.size()) == kPngSignature) {
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
  }
  QImage image = reader.read();
  if (image.isNull()) return {};
  // One pixel format for every picture keeps drawing on the fast path.
  return SkinImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

SkinImage SkinImage::FromIcon(const QIcon& icon, int size) {
  if (icon.isNull()) return {};
  QImage image = icon.pixmap(size, size).toImage();
  if (image.isNull()) return {};
  if (image.size() != QSize(size, size)) {
    image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return SkinImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

uint32_t SkinImage::GetPixel(int x, int y) const {
  if (!image_.valid(x, y)) return 0;
  return static_cast<uint32_t>(image_.pixel(x, y));
}

}  // namespace cindral
