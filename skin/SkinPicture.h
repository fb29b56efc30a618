// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures the skin engine carries inside the program, as PNG bytes
// (made by tools/pictures at build time). All are RGBA except the chooser
// thumbnails, which are RGB.

#include <string_view>

namespace cindral {

enum class SkinPicture {
  // Header pictures 2..9, 840 x 205.
  kHeader2,
  kHeader3,
  kHeader4,
  kHeader5,
  kHeader6,
  kHeader7,
  kHeader8,
  kHeader9,
  // Page button backgrounds, 76 x 71.
  kPageHover,
  kPageSelected,
  // Size grip, 9 x 8.
  kSizeGrip,
  // Caption buttons: close 39 x 19, menu item 1 28 x 19, the others 27 x 19.
  kCloseNormal,
  kCloseHover,
  kClosePressed,
  kMinimizeNormal,
  kMinimizeHover,
  kMinimizePressed,
  kMenu0Normal,
  kMenu0Hover,
  kMenu0Pressed,
  kMaximizeNormal,
  kMaximizeHover,
  kMaximizePressed,
  kMenu1Normal,
  kMenu1Hover,
  kMenu1Pressed,
  kRestoreNormal,
  kRestorePressed,
  // Skin button: icon 14 x 14, backgrounds 28 x 22.
  kSkinIcon,
  kSkinHover,
  kSkinPressed,
  // Chooser.
  kChooserBackground,  // 218 x 174
  kTabPicturesNormal,  // tabs 40 x 30
  kTabPicturesHover,
  kTabPicturesSelected,
  kTabColoursNormal,
  kTabColoursHover,
  kTabColoursSelected,
  kTabUnderlay,
  kContentFrame,  // 208 x 133
  kThumbnail1,    // thumbnails 68 x 43, RGB
  kThumbnail2,
  kThumbnail3,
  kThumbnail4,
  kThumbnail5,
  kThumbnail6,
  kThumbnail7,
  kThumbnail8,
  kThumbnail9,
  kThumbnailHover,
  kThumbnailSelected,
  kColourMark,  // 16 x 17
  // Message box.
  kBoxInformation,  // icons 40 x 40
  kBoxSuccess,
  kBoxWarning,
  kBoxError,
  kBoxQuestion,
  kBoxCloseNormal,  // 40 x 19
  kBoxCloseHover,
  kBoxClosePressed,
  kBoxButtonNormal,  // 69 x 21
  kBoxButtonHover,
  kBoxButtonPressed,
  kBoxButtonDefault,
  kCount
};

// The PNG bytes of a picture; they live as long as the program.
std::string_view SkinPictureBytes(SkinPicture picture);

}  // namespace cindral
