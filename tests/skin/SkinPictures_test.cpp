// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures carried in the program: each decodes at its catalogued size,
// as RGBA PNG (the chooser thumbnails as RGB), and the header textures
// repeat every 50 columns where the frame tiles them.

#include <gtest/gtest.h>

#include <QImage>

#include "app/ProgramPicture.h"
#include "draw/SkinImage.h"
#include "skin/SkinPicture.h"

namespace cindral {
namespace {

// PNG colour type and bit depth from the header chunk.
int ColourType(std::string_view png) { return static_cast<unsigned char>(png[25]); }
int BitDepth(std::string_view png) { return static_cast<unsigned char>(png[24]); }

QSize CataloguedSize(SkinPicture p) {
  using P = SkinPicture;
  const int i = static_cast<int>(p);
  if (i <= static_cast<int>(P::kHeader9)) return {840, 205};
  switch (p) {
    case P::kPageHover:
    case P::kPageSelected:
      return {76, 71};
    case P::kSizeGrip:
      return {9, 8};
    case P::kCloseNormal:
    case P::kCloseHover:
    case P::kClosePressed:
      return {39, 19};
    case P::kMenu1Normal:
    case P::kMenu1Hover:
    case P::kMenu1Pressed:
      return {28, 19};
    case P::kSkinIcon:
      return {14, 14};
    case P::kSkinHover:
    case P::kSkinPressed:
      return {28, 22};
    case P::kChooserBackground:
      return {218, 174};
    case P::kContentFrame:
      return {208, 133};
    case P::kColourMark:
      return {16, 17};
    case P::kBoxInformation:
    case P::kBoxSuccess:
    case P::kBoxWarning:
    case P::kBoxError:
    case P::kBoxQuestion:
      return {40, 40};
    case P::kBoxCloseNormal:
    case P::kBoxCloseHover:
    case P::kBoxClosePressed:
      return {40, 19};
    case P::kBoxButtonNormal:
    case P::kBoxButtonHover:
    case P::kBoxButtonPressed:
    case P::kBoxButtonDefault:
      return {69, 21};
    default:
      break;
  }
  if (i >= static_cast<int>(P::kTabPicturesNormal) && i <= static_cast<int>(P::kTabUnderlay)) {
    return {40, 30};
  }
  if (i >= static_cast<int>(P::kThumbnail1) && i <= static_cast<int>(P::kThumbnailSelected)) {
    return {68, 43};
  }
  return {27, 19};  // minimise, menu item 0, maximise, restore
}

TEST(SkinPicturesTest, EveryPictureDecodesAtItsCataloguedSizeAndFormat) {
  for (int i = 0; i < static_cast<int>(SkinPicture::kCount); ++i) {
    const auto picture = static_cast<SkinPicture>(i);
    const std::string_view png = SkinPictureBytes(picture);
    ASSERT_GT(png.size(), 33u) << i;
    EXPECT_EQ(png.substr(1, 3), "PNG") << i;
    const SkinImage image = SkinImage::FromBytes(png);
    ASSERT_FALSE(image.IsEmpty()) << i;
    EXPECT_EQ(QSize(image.Width(), image.Height()), CataloguedSize(picture)) << i;
    const bool thumbnail = i >= static_cast<int>(SkinPicture::kThumbnail1) &&
                           i <= static_cast<int>(SkinPicture::kThumbnail9);
    EXPECT_EQ(ColourType(png), thumbnail ? 2 : 6) << i;
    EXPECT_EQ(BitDepth(png), 8) << i;
  }
  EXPECT_TRUE(SkinPictureBytes(SkinPicture::kCount).empty());
}

TEST(SkinPicturesTest, TexturesRepeatEveryFiftyColumns) {
  for (SkinPicture p : {SkinPicture::kHeader7, SkinPicture::kHeader8, SkinPicture::kHeader9}) {
    const SkinImage image = SkinImage::FromBytes(SkinPictureBytes(p));
    int differing = 0;
    for (int y = 5; y < 205; ++y) {
      for (int x = 0; x < 50; ++x) {
        const QColor a(image.GetPixel(x, y)), b(image.GetPixel(x + 50, y));
        if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                std::abs(a.blue() - b.blue()) >
            12) {
          ++differing;
        }
      }
    }
    EXPECT_LT(differing, 20) << static_cast<int>(p);
  }
}

TEST(ProgramPicturesTest, PageIconsAndProgramIconsDecode) {
  for (int i = 0; i < static_cast<int>(ProgramPicture::kCount); ++i) {
    const SkinImage image =
        SkinImage::FromBytes(ProgramPictureBytes(static_cast<ProgramPicture>(i)));
    ASSERT_FALSE(image.IsEmpty()) << i;
    const int expected = i < 4 ? 36 : i == 4 ? 16 : i == 5 ? 32 : 48;
    EXPECT_EQ(image.Width(), expected);
    EXPECT_EQ(image.Height(), expected);
  }
}

}  // namespace
}  // namespace cindral
