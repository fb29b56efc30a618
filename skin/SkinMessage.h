// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned message box's contents and behaviour: the text broken into
// lines, the box's height, its icon, its one or two buttons and the close
// button, their states under the mouse, and the result. Coordinates are the
// box's own; the box is 300 pixels wide.

#include <optional>
#include <string>
#include <vector>

#include "skin/FrameRect.h"
#include "skin/SkinPicture.h"

class QIcon;

namespace cindral {

class SkinGraphics;
class SkinLook;

class SkinMessage {
 public:
  static constexpr int kWidth = 300;
  static constexpr int kLineBytes = 32;

  // Results.
  static constexpr int kOk = 1;       // "确定"
  static constexpr int kCancel = 0;   // "取消"
  static constexpr int kClosed = -1;  // the close button, or no box could be shown
  static constexpr int kOther = 100;  // closed some other way

  enum State { kNormal = 0, kHover = 1, kPressed = 2, kDefaultLook = 3 };

  struct Button {
    FrameRect rect;
    std::string label;  // GBK
    bool isDefault = false;
    int state = kNormal;
  };

  // buttons: 1 "确定" only, 2 "取消" only, anything else both. icon 0..4:
  // information, success, warning, error, question (others: information).
  // defaultButton 2 makes the second of two buttons the default; any other
  // value the first. No title: "信息：".
  SkinMessage(const std::string& text, int buttons = 0, int icon = 0, int defaultButton = 1,
              std::optional<std::string> title = std::nullopt);

  // Pieces between "\r\n"; a piece longer than 32 bytes is cut into lines of
  // at most 32 bytes, never through a two-byte character.
  static std::vector<std::string> SplitLines(const std::string& text);

  int Height() const { return height_; }
  const std::string& Title() const { return title_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::vector<Button>& Buttons() const { return buttons_; }
  SkinPicture Icon() const { return icon_; }
  int CloseState() const { return closeState_; }
  static FrameRect CloseRect() { return {250, 0, 40, 20}; }
  int Result() const { return result_; }

  // Input; each tells the box window what to do next.
  enum class Action { kNone, kRedraw, kMove, kClose };
  Action OnMouseMove(int x, int y);
  Action OnLeftButtonDown(int x, int y);
  Action OnLeftButtonUp(int x, int y);
  Action OnMouseLeave();

  // The box in `look`, with the main window's small icon.
  void Paint(SkinGraphics& g, const SkinLook& look, const QIcon& smallIcon) const;

 private:
  int RestingState(const Button& b) const { return b.isDefault ? kDefaultLook : kNormal; }

  std::string title_;
  std::vector<std::string> lines_;
  int height_ = 140;
  std::vector<Button> buttons_;
  SkinPicture icon_ = SkinPicture::kBoxInformation;
  int closeState_ = kNormal;
  int result_ = kOther;
};

}  // namespace cindral
