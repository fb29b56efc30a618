// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/backgrounds/GameBackgrounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>

namespace cindral {
namespace {

// ---- Smooth noise, the same on every machine (no library generator).

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float Random01(int32_t x, int32_t y, uint32_t seed) {
  return static_cast<float>(Hash(x, y, seed) >> 8) / 16777216.0f;
}

float Smooth(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const auto ix = static_cast<int32_t>(fx);
  const auto iy = static_cast<int32_t>(fy);
  const float u = Smooth(0, 1, x - fx);
  const float v = Smooth(0, 1, y - fy);
  const float top = Random01(ix, iy, seed) * (1 - u) + Random01(ix + 1, iy, seed) * u;
  const float bottom = Random01(ix, iy + 1, seed) * (1 - u) + Random01(ix + 1, iy + 1, seed) * u;
  return top * (1 - v) + bottom * v;
}

// Fractal noise in 0..1: octaves of value noise, each half as strong.
float Fbm(float x, float y, uint32_t seed, int octaves = 4) {
  float sum = 0;
  float weight = 0.5f;
  float total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
    total += weight;
    x *= 2.03f;
    y *= 2.03f;
    weight *= 0.5f;
  }
  return sum / total;
}

// ---- Painting helpers.

struct Stop {
  float at;  // 0..1 of the height
  Rgb colour;
};

Rgb Gradient(std::initializer_list<Stop> stops, float t) {
  const Stop* previous = stops.begin();
  if (t <= previous->at) return previous->colour;
  for (const Stop& stop : stops) {
    if (t <= stop.at)
      return Mix(previous->colour, stop.colour, (t - previous->at) / (stop.at - previous->at));
    previous = &stop;
  }
  return previous->colour;
}

void FillVertical(Bitmap32& picture, std::initializer_list<Stop> stops) {
  for (int y = 0; y < picture.height(); ++y) {
    const Rgb colour =
        Gradient(stops, static_cast<float>(y) / static_cast<float>(picture.height()));
    for (int x = 0; x < picture.width(); ++x) picture.at(x, y) = colour;
  }
}

// A soft round glow added to the light already there.
void Glow(Bitmap32& picture, float cx, float cy, float radius, const Rgb& colour, float strength) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const float d = std::hypot(static_cast<float>(x) - cx, static_cast<float>(y) - cy) / radius;
      picture.Blend(x, y, colour, strength * std::exp(-d * d));
    }
  }
}

// A disc with a soft edge of one pixel.
void Disc(Bitmap32& picture, float cx, float cy, float radius, const Rgb& colour, float alpha = 1) {
  const int x0 = static_cast<int>(std::floor(cx - radius - 1));
  const int x1 = static_cast<int>(std::ceil(cx + radius + 1));
  const int y0 = static_cast<int>(std::floor(cy - radius - 1));
  const int y1 = static_cast<int>(std::ceil(cy + radius + 1));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(static_cast<float>(x) - cx, static_cast<float>(y) - cy);
      picture.Blend(x, y, colour, alpha * std::clamp(radius - d + 0.5f, 0.0f, 1.0f));
    }
  }
}

// Soft clouds in the band from `top` to `bottom` (pixel rows).
void Clouds(Bitmap32& picture, float top, float bottom, float scaleX, float scaleY, uint32_t seed,
            const Rgb& colour, float strength) {
  for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y) {
    const float fade = Smooth(top, top + 20, static_cast<float>(y)) *
                       (1 - Smooth(bottom - 40, bottom, static_cast<float>(y)));
    for (int x = 0; x < picture.width(); ++x) {
      const float n = Fbm(static_cast<float>(x) / scaleX, static_cast<float>(y) / scaleY, seed, 5);
      picture.Blend(x, y, colour, strength * fade * Smooth(0.52f, 0.78f, n));
    }
  }
}

// One range of hills or mountains seen from afar: its crest runs at `base`
// (a fraction of the height) raised by up to `amplitude`; below the crest
// the colour runs from `crest` downwards into `foot`, and mist gathers low.
struct Range {
  float base;
  float amplitude;
  float period;  // pixels per noise cell along the crest
  uint32_t seed;
  Rgb crest;
  Rgb foot;
  bool sharp = false;  // ridged peaks instead of rounded hills
  Rgb mist{};
  float mistStrength = 0;
};

void PaintRange(Bitmap32& picture, const Range& range) {
  const auto height = static_cast<float>(picture.height());
  for (int x = 0; x < picture.width(); ++x) {
    const float fx = static_cast<float>(x) / range.period;
    float lift = Fbm(fx, 0.5f, range.seed, 5);
    if (range.sharp) {
      const float ridge = 1 - std::fabs(2 * Fbm(fx * 0.7f, 3.5f, range.seed + 7, 5) - 1);
      lift = 0.45f * lift + 0.55f * ridge * ridge;
    }
    const float crestY = height * (range.base - range.amplitude * lift);
    // Mist lies level in the valleys, whatever the crest above does.
    const float mistTop = height * (range.base - range.amplitude * 0.3f);
    for (int y = std::max(0, static_cast<int>(crestY) - 1); y < picture.height(); ++y) {
      const float fy = static_cast<float>(y);
      const float depth = (fy - crestY) / std::max(1.0f, height - crestY);
      Rgb colour = Mix(range.crest, range.foot, std::sqrt(std::max(0.0f, depth)));
      colour = Mix(colour, range.mist, range.mistStrength * Smooth(mistTop, mistTop + 60, fy));
      picture.Blend(x, y, colour, std::clamp(fy - crestY + 0.5f, 0.0f, 1.0f));
    }
  }
}

// ---- The six pictures.

void PaintDawnHills(Bitmap32& p) {
  const auto w = static_cast<float>(p.width());
  const auto h = static_cast<float>(p.height());
  FillVertical(p, {{0.0f, Hex(0x7FA9D6)},
                   {0.32f, Hex(0xB7D1E9)},
                   {0.55f, Hex(0xF3DCC8)},
                   {0.66f, Hex(0xFBE6CF)}});
  Glow(p, 0.72f * w, 0.50f * h, 70, Hex(0xFFF0D8), 0.55f);
  Disc(p, 0.72f * w, 0.50f * h, 17, Hex(0xFFF8EC));
  Clouds(p, 0, 0.5f * h, 95, 26, 11, Hex(0xFFFBF4), 0.55f);
  const Rgb mist = Hex(0xF4E9DA);
  PaintRange(p, {0.60f, 0.10f, 120, 21, Hex(0xB4C8C2), Hex(0xA6BDB3), false, mist, 0.45f});
  PaintRange(p, {0.70f, 0.10f, 95, 22, Hex(0x98B79E), Hex(0x88AA8E), false, mist, 0.40f});
  PaintRange(p, {0.80f, 0.08f, 85, 23, Hex(0x7DA575), Hex(0x6D9768), false, mist, 0.30f});
  PaintRange(p, {0.91f, 0.07f, 70, 24, Hex(0x63905B), Hex(0x4E7C4A), false, mist, 0.12f});
}

void PaintCalmSea(Bitmap32& p) {
  const auto w = static_cast<float>(p.width());
  const auto h = static_cast<float>(p.height());
  const float horizon = 0.46f * h;
  const float sunX = 0.34f * w;
  FillVertical(p, {{0.0f, Hex(0x9AB6DE)}, {0.28f, Hex(0xC6D1EA)}, {0.46f, Hex(0xF4DEE0)}});
  Glow(p, sunX, horizon - 12, 60, Hex(0xFFE9D6), 0.6f);
  Disc(p, sunX, horizon - 12, 13, Hex(0xFFF6EA));
  Clouds(p, 0.04f * h, horizon - 20, 140, 9, 31, Hex(0xFBF1F2), 0.5f);
  const float shore = 0.86f * h;
  for (int y = static_cast<int>(horizon); y < p.height(); ++y) {
    const float fy = static_cast<float>(y);
    const float t = std::max(0.0f, (fy - horizon) / (h - horizon));
    for (int x = 0; x < p.width(); ++x) {
      const float fx = static_cast<float>(x);
      Rgb colour = Mix(Hex(0xA9C0D9), Hex(0x48759E), std::pow(t, 0.8f));
      // Long, low swells that grow nearer the viewer.
      const float swell = ValueNoise(fx / (10 + 60 * t), fy / (1.2f + 5 * t), 41);
      colour = Mix(colour, Hex(0xE6EEF6), Smooth(0.62f, 0.82f, swell) * (0.18f + 0.22f * t));
      // The sun's path on the water, broken by the waves.
      const float dx = (fx - sunX) / (8 + 45 * t);
      const float glint =
          std::exp(-dx * dx) * Smooth(0.45f, 0.75f, ValueNoise(fx / 3, fy / 1.5f, 42));
      colour = Mix(colour, Hex(0xFCE7D2), 0.65f * glint);
      // Sand, with a wavy edge and a line of foam.
      const float edge = shore + 5 * std::sin(fx / 23) + 6 * (Fbm(fx / 40, 7.5f, 43) - 0.5f);
      if (fy > edge - 1) {
        const float sandT = (fy - edge) / (h - edge + 1);
        const Rgb sand = Mix(Hex(0xEEDFC3), Hex(0xD8C39E), sandT);
        colour = Mix(colour, sand, std::clamp(fy - edge + 0.5f, 0.0f, 1.0f));
        colour = Mix(colour, Hex(0xFFFFFF),
                     0.75f * std::exp(-std::pow((fy - edge - 1.5f) / 1.6f, 2.0f)));
      }
      p.at(x, y) = colour;
    }
  }
}

void PaintDuskMountains(Bitmap32& p) {
  const auto w = static_cast<float>(p.width());
  const auto h = static_cast<float>(p.height());
  FillVertical(p, {{0.0f, Hex(0x3C4978)},
                   {0.22f, Hex(0x6B699A)},
                   {0.40f, Hex(0xB792AE)},
                   {0.52f, Hex(0xEFC2A2)},
                   {0.58f, Hex(0xF6D5B4)}});
  // The first stars above the fading light.
  for (int i = 0; i < 70; ++i) {
    const float x = Random01(i, 1, 51) * w;
    const float y = Random01(i, 2, 51) * 0.28f * h;
    const float brightness = 0.35f + 0.5f * Random01(i, 3, 51);
    Disc(p, x, y, 0.6f + 0.5f * Random01(i, 4, 51), Hex(0xFFF8F0),
         brightness * (1 - y / (0.3f * h)));
  }
  Glow(p, 0.3f * w, 0.55f * h, 90, Hex(0xFFDDBB), 0.35f);
  const Rgb mist = Hex(0xDDBDC3);
  PaintRange(p, {0.52f, 0.14f, 70, 61, Hex(0xB8A1BA), Hex(0xC3AABD), true, mist, 0.5f});
  PaintRange(p, {0.61f, 0.14f, 62, 62, Hex(0x8F80A6), Hex(0x9E8DAF), true, mist, 0.45f});
  PaintRange(p, {0.71f, 0.13f, 56, 63, Hex(0x66638D), Hex(0x787299), true, mist, 0.4f});
  PaintRange(p, {0.82f, 0.11f, 50, 64, Hex(0x484B73), Hex(0x575780), true, mist, 0.3f});
  PaintRange(p, {0.93f, 0.08f, 46, 65, Hex(0x2F3454), Hex(0x262A47), true, mist, 0.12f});
}

// Seigaiha: rows of overlapping fans of rings, each row laid over the one
// above it, in soft sea colours that warm towards the bottom.
void PaintWavePattern(Bitmap32& p) {
  const auto h = static_cast<float>(p.height());
  constexpr float kRadius = 36;
  constexpr int kRings = 5;
  const float rowStep = kRadius / 2;
  FillVertical(p, {{0.0f, Hex(0xD3E7E2)}, {1.0f, Hex(0xF5E8D2)}});
  for (int y = 0; y < p.height(); ++y) {
    const float fy = static_cast<float>(y);
    const float t = fy / h;
    const Rgb light = Mix(Hex(0xD3E7E2), Hex(0xF5E8D2), t);
    const Rgb deep = Mix(Hex(0x9FC6C1), Hex(0xE2C9A6), t);
    for (int x = 0; x < p.width(); ++x) {
      const float fx = static_cast<float>(x);
      // The lowest row whose fan covers the point lies on top.
      const int lastRow = static_cast<int>(std::floor((fy + kRadius) / rowStep));
      for (int row = lastRow; row >= lastRow - 5; --row) {
        const float cy = static_cast<float>(row) * rowStep;
        const float shift = (row & 1) != 0 ? kRadius : 0;
        const float column = std::round((fx - shift) / (2 * kRadius));
        const float cx = column * 2 * kRadius + shift;
        const float d = std::hypot(fx - cx, fy - cy);
        if (d > kRadius + 0.5f) continue;
        const float rings = d / kRadius * kRings;
        const int ring = std::min(kRings - 1, static_cast<int>(rings));
        const float tint = 0.08f * (Random01(static_cast<int>(column), row, 71) - 0.5f);
        Rgb colour = Mix(ring % 2 == 0 ? deep : light, Hex(0xFFFFFF), 0.25f + tint);
        // A fine light line between the rings, and a darker rim on the fan.
        const float toLine = std::fabs(rings - std::round(rings)) * kRadius / kRings;
        colour = Mix(colour, Hex(0xFFFFFF), 0.55f * std::clamp(1.2f - toLine, 0.0f, 1.0f));
        colour = Mix(colour, Mix(deep, Hex(0x6F9C97), 0.3f),
                     0.5f * std::clamp(1.5f - (kRadius - d), 0.0f, 1.0f));
        p.at(x, y) = Mix(p.at(x, y), colour, std::clamp(kRadius - d + 0.5f, 0.0f, 1.0f));
        break;
      }
    }
  }
}

void PaintMeadow(Bitmap32& p) {
  const auto w = static_cast<float>(p.width());
  const auto h = static_cast<float>(p.height());
  FillVertical(p, {{0.0f, Hex(0x8CBFE8)}, {0.44f, Hex(0xE2EFF5)}});
  Clouds(p, 0.02f * h, 0.40f * h, 110, 38, 81, Hex(0xFFFFFF), 0.75f);
  PaintRange(p, {0.45f, 0.06f, 110, 82, Hex(0xA9C6AB), Hex(0xA2C2A0), false, Hex(0xE6F0EC), 0.3f});
  PaintRange(p, {0.49f, 0.025f, 14, 83, Hex(0x6F9A6C), Hex(0x86AE72), false, Hex(0xCFE3C2), 0.2f});
  const float field = 0.50f * h;
  for (int y = static_cast<int>(field); y < p.height(); ++y) {
    const float fy = static_cast<float>(y);
    const float t = std::max(0.0f, (fy - field) / (h - field));
    for (int x = 0; x < p.width(); ++x) {
      const float fx = static_cast<float>(x);
      Rgb colour = Mix(Hex(0xB8D88C), Hex(0x5C9847), std::pow(t, 0.7f));
      // Blades of grass: noise stretched upright, finer far away.
      const float blades = ValueNoise(fx / (0.8f + 1.6f * t), fy / (3 + 16 * t), 84);
      colour = Mix(colour, blades > 0.5f ? Hex(0xD6EBA6) : Hex(0x3F7A35),
                   0.18f * std::fabs(blades - 0.5f) * 2);
      // Gentle shade of the ground's swells.
      colour = Mix(colour, Hex(0x5A9446), 0.15f * Smooth(0.5f, 0.8f, Fbm(fx / 90, fy / 30, 85)));
      p.Blend(x, y, colour, std::clamp(fy - field + 0.5f, 0.0f, 1.0f));
    }
  }
  // Flowers, the near ones larger, drawn from far to near.
  constexpr int kFlowers = 420;
  const Rgb petals[] = {Hex(0xFFFBF2), Hex(0xF8D64E), Hex(0xF3A9C6), Hex(0xC9B6F0)};
  for (int i = 0; i < kFlowers; ++i) {
    const float depth = std::sqrt(static_cast<float>(i) / kFlowers);
    const float y = field + 6 + (h - field - 6) * depth;
    const float x = Random01(i, 1, 86) * w;
    const float radius = 0.5f + 2.4f * depth * (0.7f + 0.6f * Random01(i, 2, 86));
    const Rgb& petal = petals[Hash(i, 3, 86) % 4];
    Disc(p, x, y, radius, petal, 0.9f);
    if (radius > 1.6f) Disc(p, x, y, radius * 0.35f, Hex(0xE8A93A), 0.9f);
  }
}

void PaintNightSky(Bitmap32& p) {
  const auto w = static_cast<float>(p.width());
  const auto h = static_cast<float>(p.height());
  FillVertical(p, {{0.0f, Hex(0x0F1B3C)},
                   {0.45f, Hex(0x23386B)},
                   {0.74f, Hex(0x4C6298)},
                   {0.80f, Hex(0x6A7DAE)}});
  // A faint band of distant stars across the sky.
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      const float fx = static_cast<float>(x);
      const float fy = static_cast<float>(y);
      const float along = (fx * 0.6f + fy * 0.8f);
      const float across = (-fx * 0.8f + fy * 0.6f) - 0.05f * h;
      const float band = std::exp(-std::pow(across / 70, 2.0f));
      const float n = Fbm(along / 60, across / 30, 91, 5);
      p.Blend(x, y, Hex(0xA8B8E6), 0.16f * band * Smooth(0.35f, 0.8f, n));
    }
  }
  for (int i = 0; i < 320; ++i) {
    const float x = Random01(i, 1, 92) * w;
    const float y = Random01(i, 2, 92) * 0.8f * h;
    const float size = Random01(i, 3, 92);
    const float brightness = 0.35f + 0.65f * Random01(i, 4, 92);
    Disc(p, x, y, 0.45f + 0.9f * size * size, Hex(0xFFFBEF), brightness);
    if (size > 0.93f) Glow(p, x, y, 5, Hex(0xDDE6FF), 0.35f);
  }
  // A crescent moon: a bright disc with a second, sky-coloured one over it.
  const float mx = 0.76f * w;
  const float my = 0.19f * h;
  Glow(p, mx, my, 75, Hex(0x8FA3D6), 0.35f);
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      const float fx = static_cast<float>(x);
      const float fy = static_cast<float>(y);
      const float lit = std::clamp(26 - std::hypot(fx - mx, fy - my) + 0.5f, 0.0f, 1.0f);
      const float shade = std::clamp(24 - std::hypot(fx - mx - 11, fy - my + 7) + 0.5f, 0.0f, 1.0f);
      p.Blend(x, y, Hex(0xF7EFD3), lit * (1 - shade));
    }
  }
  PaintRange(p, {0.84f, 0.07f, 120, 93, Hex(0x1D2850), Hex(0x18213F), false, Hex(0x2A3766), 0.3f});
  PaintRange(p, {0.93f, 0.05f, 80, 94, Hex(0x111833), Hex(0x0C1228), false, Hex(0x1A2345), 0.1f});
}

}  // namespace

PictureSize GameBackgroundSize(int index) {
  static constexpr PictureSize kSizes[kGameBackgroundCount] = {{380, 400}, {325, 396}, {344, 478},
                                                               {380, 537}, {393, 580}, {457, 497}};
  if (index < 1 || index > kGameBackgroundCount) throw std::out_of_range("no such background");
  return kSizes[index - 1];
}

Bitmap32 PaintGameBackground(int index) {
  const PictureSize size = GameBackgroundSize(index);
  Bitmap32 picture(size.width, size.height);
  switch (index) {
    case 1:
      PaintDawnHills(picture);
      break;
    case 2:
      PaintCalmSea(picture);
      break;
    case 3:
      PaintDuskMountains(picture);
      break;
    case 4:
      PaintWavePattern(picture);
      break;
    case 5:
      PaintMeadow(picture);
      break;
    default:
      PaintNightSky(picture);
      break;
  }
  return picture;
}

}  // namespace cindral
