// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinChooser.h"

#include "draw/SkinBrush.h"
#include "draw/SkinColor.h"
#include "draw/SkinGraphics.h"
#include "draw/SkinImage.h"
#include "draw/SkinPen.h"
#include "skin/FrameButton.h"
#include "skin/SkinLook.h"

namespace cindral {

namespace {

// One line per column, rows 1 to 7 from top to bottom (0x00BBGGRR).
constexpr uint32_t kPalette[SkinChooser::kColumns][SkinChooser::kRows] = {
    {0x00007E, 0x000096, 0x0000B2, 0x0500E6, 0x2B44D8, 0x4169EC, 0x279412},
    {0x004A84, 0x005496, 0x0069AC, 0x0791E8, 0x0095F4, 0x31AFFF, 0x3CBF19},
    {0x006774, 0x008996, 0x01B6C2, 0x00CFDC, 0x00E1F0, 0x05E91F, 0x41EE1F},
    {0x006A48, 0x00764D, 0x0F946A, 0x14AD7C, 0x1FC28E, 0x17CCD3, 0x4AD9EA},
    {0x085420, 0x136020, 0x2C7A20, 0x419420, 0x4FA420, 0x69BA27, 0x7AC4A5},
    {0x1E432B, 0x344D20, 0x5C6C20, 0x6A7E20, 0xE49C01, 0xF4B801, 0xF4CB7D},
    {0x0A2920, 0x263420, 0x384320, 0x705F53, 0x7B8164, 0xE89665, 0xDAAB89},
    {0x4C0001, 0x262620, 0x362C20, 0x503E20, 0x77626A, 0x76788B, 0x7C8FAD},
    {0x4A002F, 0x410044, 0x2BF873, 0x37F87B, 0x58299B, 0x524FA9, 0x6E81C9},
    {0x400050, 0x3F0166, 0x3F0166, 0x1516C9, 0x2204F7, 0x485808, 0x6D9711},
    {0x350170, 0x2E00A4, 0x3500BE, 0x4600E6, 0x255F0B, 0x3A7915, 0x4E9511},
    {0x202020, 0x353535, 0x01476F, 0x20668E, 0x4187AF, 0x5EA4CC, 0x78BEE6},
};

constexpr uint32_t kSeparatorColour = 14408924;  // 0x00DBDCDC

SkinPicture Thumb(int n) {
  return static_cast<SkinPicture>(static_cast<int>(SkinPicture::kThumbnail1) + n - 1);
}

void Draw(SkinGraphics& g, SkinPicture picture, const FrameRect& r) {
  g.DrawImageRect(SkinImage::FromBytes(SkinPictureBytes(picture)), r.left, r.top, r.width,
                  r.height);
}

}  // namespace

uint32_t SkinChooser::PaletteColour(int column, int row) { return kPalette[column - 1][row - 1]; }

SkinChooser::SkinChooser(SkinLook& look, SkinSettings* settings, std::function<void()> lookChanged)
    : look_(look), settings_(settings), lookChanged_(std::move(lookChanged)) {
  tabs_[0] = {{0, 0, 40, 30},
              SkinPicture::kTabPicturesNormal,
              SkinPicture::kTabPicturesHover,
              SkinPicture::kTabPicturesSelected};
  tabs_[1] = {{40, 0, 40, 30},
              SkinPicture::kTabColoursNormal,
              SkinPicture::kTabColoursHover,
              SkinPicture::kTabColoursSelected};
  tabs_[look.style == 2 ? 1 : 0].state = kSelected;
  for (int n = 1; n <= 9; ++n) {
    const int row = (n - 1) / 3, column = (n - 1) % 3;
    thumbnails_[n - 1] = {{6 + 69 * column, 36 + 44 * row, 68, 43}, n, kNormal};
  }
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kRows; ++r) {
      Swatch& s = swatches_[(c - 1) * kRows + (r - 1)];
      s.hit = {8 + 17 * (c - 1), 37 + 18 * (r - 1), 15, 16};
      s.cell = {7 + 17 * (c - 1), 36 + 18 * (r - 1), 17, 18};
      s.colour = PaletteColour(c, r);
    }
  }
  if (look.style != 2) {
    if (look.pictureId >= 1 && look.pictureId <= 9) {
      thumbnails_[look.pictureId - 1].state = kSelected;
    }
  } else {
    MarkSwatchesOf(look.colour);
  }
}

void SkinChooser::MarkSwatchesOf(uint32_t colour) {
  for (Swatch& s : swatches_) s.state = s.colour == colour ? kSelected : kNormal;
}

bool SkinChooser::Hover(int& state, bool inside) {
  int next = state;
  if (inside) {
    next = IsSelected(state) ? kSelectedHover : kHover;
  } else if (state == kSelectedHover) {
    next = kSelected;
  } else if (state == kHover) {
    next = kNormal;
  }
  const bool changed = next != state;
  state = next;
  return changed;
}

bool SkinChooser::OnMouseMove(int x, int y) {
  bool changed = false;
  for (Tab& tab : tabs_) changed |= Hover(tab.state, tab.rect.Contains(x, y));
  if (PicturesPageShown()) {
    for (Thumbnail& t : thumbnails_) changed |= Hover(t.state, t.rect.Contains(x, y));
  } else {
    for (Swatch& s : swatches_) changed |= FollowPointer(s.state, s.hit.Contains(x, y));
  }
  return changed;
}

SkinChooser::Press SkinChooser::OnLeftButtonDown(int x, int y, bool* changed) {
  bool any = false;
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
    if (changed != nullptr) *changed = false;
    return Press::kClose;
  }
  const FrameRect strip{0, 0, 80, 30};
  for (size_t i = 0; i < tabs_.size(); ++i) {
    if (tabs_[i].rect.Contains(x, y)) {
      if (!IsSelected(tabs_[i].state)) {
        tabs_[i].state = kSelected;
        any = true;
      }
      if (strip.Contains(x, y)) {
        Tab& other = tabs_[1 - i];
        if (other.state != kNormal) any = true;
        other.state = kNormal;
      }
      break;
    }
  }
  if (PicturesPageShown()) {
    for (Thumbnail& t : thumbnails_) {
      if (!t.rect.Contains(x, y) || IsSelected(t.state)) continue;
      // One thumbnail is selected at a time, and no colour beside it.
      for (Thumbnail& other : thumbnails_) other.state = kNormal;
      t.state = kSelected;
      for (Swatch& s : swatches_) s.state = kNormal;
      look_.PickThumbnail(t.index, settings_);
      any = true;
      if (lookChanged_) lookChanged_();
      break;
    }
  } else {
    for (Swatch& s : swatches_) {
      if (!s.hit.Contains(x, y) || s.state == kSelected) continue;
      const uint32_t colour = s.colour;
      for (Thumbnail& t : thumbnails_) t.state = kNormal;
      // Every swatch of the picked colour is marked, as when the chooser opens.
      MarkSwatchesOf(colour);
      look_.PickColour(colour, settings_);
      any = true;
      if (lookChanged_) lookChanged_();
      break;
    }
  }
  if (changed != nullptr) *changed = any;
  return Press::kStay;
}

void SkinChooser::Paint(SkinGraphics& g) const {
  g.DrawImageRect(SkinImage::FromBytes(SkinPictureBytes(SkinPicture::kChooserBackground)), 0, 0,
                  kWidth, kHeight);
  const SkinPen separator(SkinColor::Argb(kSeparatorColour, 255), 1);
  for (const Tab& tab : tabs_) {
    const FrameRect& r = tab.rect;
    switch (tab.state) {
      case kNormal:
        Draw(g, tab.normal, r);
        break;
      case kHover:
        Draw(g, tab.hover, r);
        break;
      default:
        if (tab.state == kSelectedHover) g.DrawLine(separator, 39, 29, 213, 29);
        Draw(g, SkinPicture::kTabUnderlay, r);
        Draw(g, tab.state == kSelected ? tab.selected : tab.hover, r);
        if (r.left > 0) g.DrawLine(separator, 0, 29, r.left, 29);
        g.DrawLine(separator, r.left + r.width, 29, 217, 29);
        if (&tab == &tabs_[0]) {
          PaintPictures(g);
        } else {
          PaintColours(g);
        }
        break;
    }
  }
}

void SkinChooser::PaintPictures(SkinGraphics& g) const {
  Draw(g, SkinPicture::kContentFrame, {5, 35, 208, 133});
  for (const Thumbnail& t : thumbnails_) {
    Draw(g, Thumb(t.index), t.rect);
    if (t.state == kHover || t.state == kSelectedHover) {
      Draw(g, SkinPicture::kThumbnailHover, t.rect);
    }
    if (IsSelected(t.state)) Draw(g, SkinPicture::kThumbnailSelected, t.rect);
  }
}

void SkinChooser::PaintColours(SkinGraphics& g) const {
  const SkinPen outline(SkinColor::Argb(0, 255), 1);
  SkinBrush fill(0);
  for (const Swatch& s : swatches_) {
    fill.SetColor(SkinColor::Argb(s.colour, 255));
    g.FillRectangle(fill, s.cell.left, s.cell.top, s.cell.width, s.cell.height);
    g.DrawRectangle(outline, s.cell.left, s.cell.top, s.cell.width, s.cell.height);
  }
  const SkinImage mark = SkinImage::FromBytes(SkinPictureBytes(SkinPicture::kColourMark));
  for (const Swatch& s : swatches_) {
    if (s.state != kNormal) g.DrawImageRect(mark, s.hit.left, s.hit.top, 16, 17);
  }
}

}  // namespace cindral
