// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A decoded picture. Pictures are kept as PNG (or ICO) bytes and decoded when
// drawn; a picture that does not decode is empty: drawing it does nothing
// and its pixels read 0.

#include <QIcon>
#include <QImage>
#include <cstdint>
#include <string_view>

namespace cindral {

class SkinImage {
 public:
  SkinImage() = default;
  static SkinImage FromBytes(std::string_view bytes);
  // The icon's picture at `size` x `size` pixels.
  static SkinImage FromIcon(const QIcon& icon, int size);

  bool IsEmpty() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // ARGB of the pixel, 0 outside the picture.
  uint32_t GetPixel(int x, int y) const;
  const QImage& image() const { return image_; }

 private:
  explicit SkinImage(QImage image) : image_(std::move(image)) {}
  QImage image_;
};

}  // namespace cindral
