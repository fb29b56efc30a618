// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of the skinned windows: a header picture or a plain colour.
//
//   style 1, picture id 2..9   header picture
//   style 1, picture id 1      plain look in the skin colour
//   style 2                    plain look in the skin colour
//
// The values start at their defaults, or from section "Skin" of the settings
// file when the look is kept between runs, and change only through the
// chooser's picks, which are written back when the look is kept.

#include <cstdint>
#include <string_view>

#include "draw/SkinImage.h"

namespace cindral {

class SkinSettings;

class SkinLook {
 public:
  static constexpr uint32_t kDefaultColour = 14591565;    // 0x00DEA64D
  static constexpr uint32_t kThumbnailColour = 13998394;  // 0x00D5993A, the plain thumbnail's

  int style = 1;
  uint32_t colour = kDefaultColour;
  int pictureId = 1;
  int headerId = 0;  // the header picture kept (2..9), 0 for none yet

  bool IsPlain() const { return style == 2 || pictureId == 1; }
  // The header picture's PNG bytes; empty when none was loaded.
  std::string_view HeaderBytes() const;
  // The header picture decoded. It is decoded once each time the picture
  // changes, not on every paint: decoding it costs more than all the rest
  // of a paint together, and every hover repaints part of the frame.
  const SkinImage& HeaderImage() const;

  // `settings` null: the defaults, nothing read. Otherwise the values are
  // read from the settings file, which is created empty when missing.
  void Load(SkinSettings* settings);
  // Thumbnail n (1..9) of the chooser; the values written when `settings`
  // is not null.
  void PickThumbnail(int n, SkinSettings* settings);
  void PickColour(uint32_t colour, SkinSettings* settings);

 private:
  void LoadHeader(int id);

  mutable int decodedHeaderId_ = 0;
  mutable SkinImage decodedHeader_;
};

}  // namespace cindral
