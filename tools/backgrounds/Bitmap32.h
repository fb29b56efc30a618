// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture being painted, in floating-point colour, written out as an
// uncompressed 32-bit bitmap: a 14-byte file header, a 40-byte information
// header (BI_RGB, 32 bits per pixel), then the rows bottom up, each pixel as
// blue, green, red and an unused byte. The file is exactly
// 54 + 4 * width * height bytes long.

#include <cstdint>
#include <string>
#include <vector>

namespace cindral {

struct Rgb {
  float r = 0, g = 0, b = 0;  // 0..1
};

// Colour from 0xRRGGBB.
Rgb Hex(uint32_t rgb);
Rgb Mix(const Rgb& a, const Rgb& b, float t);

class Bitmap32 {
 public:
  Bitmap32(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Rgb& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // Lays `colour` over the pixel with the given coverage (0..1).
  void Blend(int x, int y, const Rgb& colour, float coverage);

  // The file's bytes; colours are rounded with a fine ordered dither so that
  // long, gentle gradients show no bands.
  std::string FileBytes() const;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace cindral
