// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skin chooser's logic: what is selected when it opens, the palette and
// the swatch rectangles, hover on tabs, thumbnails and swatches, and picks:
// what they change, what they write when the look is kept, and that a pick
// of what is already selected does nothing.

#include <gtest/gtest.h>

#include "FakeFrameWindow.h"
#include "skin/SkinChooser.h"
#include "skin/SkinLook.h"

namespace cindral {
namespace {

using test::MemorySkinSettings;

struct Open {
  explicit Open(SkinLook start = {}, bool keep = false) : look(start) {
    chooser = std::make_unique<SkinChooser>(look, keep ? &settings : nullptr, [this] { ++picks; });
  }
  SkinLook look;
  MemorySkinSettings settings;
  int picks = 0;
  std::unique_ptr<SkinChooser> chooser;
};

int SwatchIndex(int column, int row) { return (column - 1) * 7 + (row - 1); }

SkinLook Colour(uint32_t colour) {
  SkinLook look;
  look.style = 2;
  look.colour = colour;
  return look;
}

TEST(SkinChooserTest, OpensOnThePicturesPageWithTheCurrentThumbnailSelected) {
  SkinLook look;
  look.pictureId = 6;
  Open o(look);
  EXPECT_EQ(o.chooser->tabs()[0].state, SkinChooser::kSelected);
  EXPECT_EQ(o.chooser->tabs()[1].state, SkinChooser::kNormal);
  for (const auto& t : o.chooser->thumbnails()) {
    EXPECT_EQ(t.state, t.index == 6 ? SkinChooser::kSelected : SkinChooser::kNormal);
  }
  for (const auto& s : o.chooser->swatches()) EXPECT_EQ(s.state, SkinChooser::kNormal);
}

TEST(SkinChooserTest, OpensOnTheColoursPageWithBothSwatchesOfADoubledColour) {
  Open o(Colour(0x3F0166));
  EXPECT_EQ(o.chooser->tabs()[1].state, SkinChooser::kSelected);
  EXPECT_EQ(o.chooser->tabs()[0].state, SkinChooser::kNormal);
  int selected = 0;
  for (const auto& s : o.chooser->swatches()) selected += s.state == SkinChooser::kSelected;
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(o.chooser->swatches()[SwatchIndex(10, 2)].state, SkinChooser::kSelected);
  EXPECT_EQ(o.chooser->swatches()[SwatchIndex(10, 3)].state, SkinChooser::kSelected);
  for (const auto& t : o.chooser->thumbnails()) EXPECT_EQ(t.state, SkinChooser::kNormal);
  // A colour that is not in the palette marks nothing.
  Open other(Colour(0x123456));
  for (const auto& s : other.chooser->swatches()) EXPECT_EQ(s.state, SkinChooser::kNormal);
}

TEST(SkinChooserTest, PaletteAndRectanglesAsLaidOut) {
  EXPECT_EQ(SkinChooser::PaletteColour(1, 1), 0x00007Eu);
  EXPECT_EQ(SkinChooser::PaletteColour(1, 7), 0x279412u);
  EXPECT_EQ(SkinChooser::PaletteColour(6, 5), 0xE49C01u);
  EXPECT_EQ(SkinChooser::PaletteColour(12, 1), 0x202020u);
  EXPECT_EQ(SkinChooser::PaletteColour(12, 7), 0x78BEE6u);
  Open o;
  ASSERT_EQ(o.chooser->swatches().size(), 84u);
  const auto& last = o.chooser->swatches()[SwatchIndex(12, 7)];
  EXPECT_EQ(last.hit, (FrameRect{8 + 17 * 11, 37 + 18 * 6, 15, 16}));
  EXPECT_EQ(last.cell, (FrameRect{7 + 17 * 11, 36 + 18 * 6, 17, 18}));
  EXPECT_EQ(o.chooser->thumbnails()[8].rect, (FrameRect{6 + 69 * 2, 36 + 44 * 2, 68, 43}));
  EXPECT_EQ(o.chooser->tabs()[1].rect, (FrameRect{40, 0, 40, 30}));
}

TEST(SkinChooserTest, HoverMarksTabsAndThumbnailsAndKeepsTheSelection) {
  SkinLook look;
  look.pictureId = 2;
  Open o(look);
  auto& c = *o.chooser;
  EXPECT_TRUE(c.OnMouseMove(60, 10));  // colours tab
  EXPECT_EQ(c.tabs()[1].state, SkinChooser::kHover);
  EXPECT_TRUE(c.OnMouseMove(10, 10));  // pictures tab, the selected one
  EXPECT_EQ(c.tabs()[0].state, SkinChooser::kSelectedHover);
  EXPECT_EQ(c.tabs()[1].state, SkinChooser::kNormal);
  EXPECT_TRUE(c.OnMouseMove(75, 36));  // thumbnail 2, selected: both edges belong to it
  EXPECT_EQ(c.tabs()[0].state, SkinChooser::kSelected);
  EXPECT_EQ(c.thumbnails()[1].state, SkinChooser::kSelectedHover);
  EXPECT_TRUE(c.OnMouseMove(6, 79));  // thumbnail 1's bottom left
  EXPECT_EQ(c.thumbnails()[1].state, SkinChooser::kSelected);
  EXPECT_EQ(c.thumbnails()[0].state, SkinChooser::kHover);
  EXPECT_EQ(c.thumbnails()[3].state, SkinChooser::kNormal);
  EXPECT_TRUE(c.OnMouseMove(74, 80));  // thumbnail 4's top right
  EXPECT_EQ(c.thumbnails()[0].state, SkinChooser::kNormal);
  EXPECT_EQ(c.thumbnails()[3].state, SkinChooser::kHover);
  EXPECT_TRUE(c.OnMouseMove(215, 170));
  EXPECT_FALSE(c.OnMouseMove(216, 171));  // nothing left to change
  // Swatches do not hover while the pictures page is shown.
  for (const auto& s : c.swatches()) EXPECT_EQ(s.state, SkinChooser::kNormal);
}

TEST(SkinChooserTest, SwatchHoverAndTheGapsBetweenSwatches) {
  Open o(Colour(0x202020));
  auto& c = *o.chooser;
  c.OnMouseMove(8, 37);  // top left of swatch (1, 1)
  EXPECT_EQ(c.swatches()[0].state, SkinChooser::kHover);
  c.OnMouseMove(23, 53);  // its bottom right
  EXPECT_EQ(c.swatches()[0].state, SkinChooser::kHover);
  c.OnMouseMove(24, 45);  // between columns 1 and 2
  for (const auto& s : c.swatches()) {
    EXPECT_NE(s.state, SkinChooser::kHover);
  }
  // A selected swatch keeps its state under the pointer.
  const auto& black = c.swatches()[SwatchIndex(12, 1)];
  c.OnMouseMove(black.hit.left + 1, black.hit.top + 1);
  EXPECT_EQ(black.state, SkinChooser::kSelected);
}

TEST(SkinChooserTest, PickingAThumbnailSelectsOnlyItAndWritesWhenKept) {
  Open o(Colour(0x202020), true);
  auto& c = *o.chooser;
  c.OnLeftButtonDown(10, 10);  // to the pictures page
  EXPECT_EQ(c.tabs()[0].state, SkinChooser::kSelected);
  EXPECT_EQ(c.tabs()[1].state, SkinChooser::kNormal);
  EXPECT_EQ(o.picks, 0);
  c.OnLeftButtonDown(6 + 69 * 1 + 5, 36 + 44 + 5);  // thumbnail 5
  EXPECT_EQ(o.picks, 1);
  EXPECT_EQ(o.look.style, 1);
  EXPECT_EQ(o.look.pictureId, 5);
  EXPECT_EQ(o.look.headerId, 5);
  EXPECT_EQ(o.look.colour, 0x202020u);  // kept for the plain look
  EXPECT_EQ(o.settings.values["style"], "1");
  EXPECT_EQ(o.settings.values["picid"], "5");
  EXPECT_EQ(o.settings.values.count("color"), 0u);
  for (const auto& s : c.swatches()) EXPECT_EQ(s.state, SkinChooser::kNormal);

  c.OnLeftButtonDown(6 + 5, 36 + 5);  // thumbnail 1: the plain look
  EXPECT_EQ(o.look.pictureId, 1);
  EXPECT_EQ(o.look.colour, 13998394u);  // not the start-up default 14591565
  EXPECT_TRUE(o.look.IsPlain());
  EXPECT_EQ(o.look.headerId, 5);  // the picture stays loaded
  EXPECT_EQ(o.settings.values["picid"], "1");
  EXPECT_EQ(o.settings.values["color"], "13998394");
  int selected = 0;
  for (const auto& t : c.thumbnails()) selected += t.state != SkinChooser::kNormal;
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(c.thumbnails()[0].state, SkinChooser::kSelected);

  // The selected thumbnail again: nothing happens.
  const int writes = o.settings.writes;
  c.OnLeftButtonDown(6 + 5, 36 + 5);
  EXPECT_EQ(o.picks, 2);
  EXPECT_EQ(o.settings.writes, writes);
}

TEST(SkinChooserTest, PickingAColourSelectsItsSwatchesOnly) {
  SkinLook look;
  look.pictureId = 3;
  look.headerId = 3;
  Open o(look, true);
  auto& c = *o.chooser;
  c.OnLeftButtonDown(41, 29);  // the colours tab, at its corner
  EXPECT_EQ(c.tabs()[1].state, SkinChooser::kSelected);
  const auto& first = c.swatches()[SwatchIndex(6, 5)];
  c.OnLeftButtonDown(first.hit.left, first.hit.top);
  EXPECT_EQ(o.look.style, 2);
  EXPECT_EQ(o.look.colour, 0xE49C01u);
  EXPECT_EQ(o.settings.values["style"], "2");
  EXPECT_EQ(o.settings.values["color"], std::to_string(0xE49C01));
  for (const auto& t : c.thumbnails()) EXPECT_EQ(t.state, SkinChooser::kNormal);
  // The doubled colour: both of its swatches, and no longer the first pick.
  const auto& doubled = c.swatches()[SwatchIndex(10, 3)];
  c.OnLeftButtonDown(doubled.hit.left + 15, doubled.hit.top + 16);
  EXPECT_EQ(o.look.colour, 0x3F0166u);
  EXPECT_EQ(first.state, SkinChooser::kNormal);
  EXPECT_EQ(c.swatches()[SwatchIndex(10, 2)].state, SkinChooser::kSelected);
  EXPECT_EQ(doubled.state, SkinChooser::kSelected);
  EXPECT_EQ(o.picks, 2);
  // A selected swatch again: nothing.
  c.OnLeftButtonDown(doubled.hit.left + 1, doubled.hit.top + 1);
  EXPECT_EQ(o.picks, 2);
}

TEST(SkinChooserTest, APressOutsideClosesItAndAPressInsideKeepsItOpen) {
  Open o;
  EXPECT_EQ(o.chooser->OnLeftButtonDown(-1, 50), SkinChooser::Press::kClose);
  EXPECT_EQ(o.chooser->OnLeftButtonDown(100, 178), SkinChooser::Press::kClose);
  EXPECT_EQ(o.chooser->OnLeftButtonDown(221, 177), SkinChooser::Press::kStay);
  EXPECT_EQ(o.chooser->OnLeftButtonDown(0, 0), SkinChooser::Press::kStay);
  EXPECT_EQ(o.picks, 0);
}

}  // namespace
}  // namespace cindral
