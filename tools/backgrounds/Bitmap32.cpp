// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/backgrounds/Bitmap32.h"

#include <algorithm>
#include <cmath>

namespace cindral {
namespace {

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A 4 x 4 ordered dither, in steps of one sixteenth of a colour level.
float Dither(int x, int y) {
  static constexpr int kBayer[4][4] = {
      {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (static_cast<float>(kBayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

char Channel(float value, float dither) {
  const float level = std::floor(std::clamp(value, 0.0f, 1.0f) * 255.0f + dither);
  return static_cast<char>(static_cast<int>(std::clamp(level, 0.0f, 255.0f)));
}

}  // namespace

Rgb Hex(uint32_t rgb) {
  return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
          static_cast<float>((rgb >> 8) & 0xFF) / 255.0f, static_cast<float>(rgb & 0xFF) / 255.0f};
}

Rgb Mix(const Rgb& a, const Rgb& b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Bitmap32::Bitmap32(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void Bitmap32::Blend(int x, int y, const Rgb& colour, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Rgb& pixel = at(x, y);
  pixel = Mix(pixel, colour, coverage);
}

std::string Bitmap32::FileBytes() const {
  const uint32_t pixelBytes = 4u * static_cast<uint32_t>(width_) * static_cast<uint32_t>(height_);
  std::string out;
  out.reserve(54 + pixelBytes);
  out += "BM";
  Put32(out, 54 + pixelBytes);  // file size
  Put32(out, 0);                // reserved
  Put32(out, 54);               // offset of the pixels
  Put32(out, 40);               // information header size
  Put32(out, static_cast<uint32_t>(width_));
  Put32(out, static_cast<uint32_t>(height_));  // positive: rows bottom up
  Put16(out, 1);                               // planes
  Put16(out, 32);                              // bits per pixel
  Put32(out, 0);                               // BI_RGB: uncompressed
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dots per inch, in dots per metre
  Put32(out, 2835);
  Put32(out, 0);  // colours in the table
  Put32(out, 0);  // important colours
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const Rgb& p = at(x, y);
      const float d = Dither(x, y);
      out.push_back(Channel(p.b, d));
      out.push_back(Channel(p.g, d));
      out.push_back(Channel(p.r, d));
      out.push_back(static_cast<char>(0xFF));
    }
  }
  return out;
}

}  // namespace cindral
