// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame's small pictures: caption buttons, page backgrounds, the skin
// button, the size grip, the parts of the skin chooser and of the message
// box. Glyphs are white with a soft dark edge so they read on any header.

#include <QImage>

namespace cindral::pictures {

class FrameArt {
 public:
  enum State { kNormal, kHover, kPressed };
  enum Glyph { kClose, kMinimize, kMenu, kMaximize, kRestore, kBubble };

  static QImage CaptionButton(Glyph glyph, State state);
  static QImage PageBackground(bool selected);
  static QImage SizeGrip();
  static QImage SkinIcon();
  static QImage SkinBackground(bool pressed);

  static QImage ChooserBackground();
  static QImage Tab(bool colours, State state);  // kPressed: the selected look
  static QImage TabUnderlay();
  static QImage ContentFrame();
  static QImage Thumbnail(int n);  // RGB
  static QImage ThumbnailOverlay(bool selected);
  static QImage ColourMark();

  static QImage BoxClose(State state);
  // kPressed + 1: the default button's look.
  static QImage BoxButton(int look);
};

}  // namespace cindral::pictures
