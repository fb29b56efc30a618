// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin chooser's contents and behaviour: two page tabs (pictures,
// colours), nine header thumbnails and 84 colour swatches. A pick changes
// the look at once and tells the owner, which repaints the main window; the
// chooser stays open after a pick. Coordinates are the chooser's own.
//
// States of tabs and thumbnails: 0 normal, 1 hover, 2 selected, 3 selected
// and hovered. Swatches: 0 normal, 1 hover, 2 selected.

#include <array>
#include <cstdint>
#include <functional>

#include "skin/FrameRect.h"
#include "skin/SkinPicture.h"

namespace cindral {

class SkinGraphics;
class SkinLook;
class SkinSettings;

class SkinChooser {
 public:
  static constexpr int kWidth = 222;
  static constexpr int kHeight = 178;
  static constexpr int kColumns = 12;
  static constexpr int kRows = 7;

  enum State { kNormal = 0, kHover = 1, kSelected = 2, kSelectedHover = 3 };

  struct Tab {
    FrameRect rect;
    SkinPicture normal, hover, selected;
    int state = kNormal;
  };
  struct Thumbnail {
    FrameRect rect;
    int index = 0;  // 1..9, the picture id it picks
    int state = kNormal;
  };
  struct Swatch {
    FrameRect hit;   // where a press picks it
    FrameRect cell;  // the painted cell, one pixel larger all round
    uint32_t colour = 0;
    int state = kNormal;
  };

  // The palette colour of column c (1..12), row r (1..7), 0x00BBGGRR.
  static uint32_t PaletteColour(int column, int row);

  // `settings` null: picks are not written. `lookChanged` runs after every
  // pick.
  SkinChooser(SkinLook& look, SkinSettings* settings, std::function<void()> lookChanged);

  // Each returns whether anything changed (the chooser is then repainted).
  bool OnMouseMove(int x, int y);
  enum class Press { kStay, kClose };
  // A press outside the chooser closes it.
  Press OnLeftButtonDown(int x, int y, bool* changed = nullptr);

  void Paint(SkinGraphics& g) const;

  const std::array<Tab, 2>& tabs() const { return tabs_; }
  const std::array<Thumbnail, 9>& thumbnails() const { return thumbnails_; }
  const std::array<Swatch, kColumns * kRows>& swatches() const { return swatches_; }
  bool PicturesPageShown() const { return IsSelected(tabs_[0].state); }

 private:
  static bool IsSelected(int state) { return state == kSelected || state == kSelectedHover; }
  // Hover rule of tabs and thumbnails; true when the state changed.
  static bool Hover(int& state, bool inside);
  void MarkSwatchesOf(uint32_t colour);
  void PaintPictures(SkinGraphics& g) const;
  void PaintColours(SkinGraphics& g) const;

  SkinLook& look_;
  SkinSettings* settings_;
  std::function<void()> lookChanged_;
  std::array<Tab, 2> tabs_;
  std::array<Thumbnail, 9> thumbnails_;
  std::array<Swatch, kColumns * kRows> swatches_;
};

}  // namespace cindral
