// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinMessage.h"

#include <QIcon>

#include "draw/SkinBrush.h"
#include "draw/SkinColor.h"
#include "draw/SkinFont.h"
#include "draw/SkinGraphics.h"
#include "draw/SkinImage.h"
#include "draw/SkinPath.h"
#include "draw/SkinPen.h"
#include "skin/SkinLook.h"
#include "store/Gbk.h"

namespace cindral {

namespace {

constexpr uint32_t kPanelColour = 16446703;  // 0x00FAF4EF

SkinPath TopRoundedOutline(double x, double y, double w, double h, double r) {
  SkinPath path;
  path.AddArc(x, y, 2 * r, 2 * r, 180, 90);
  path.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
  path.AddLine(x + w, y + r + 2, x + w, y + h - 2);
  path.AddLine(x + w, y + h - 1, x, y + h - 1);
  path.AddLine(x, y + h - 2, x, y + 4);
  return path;
}

}  // namespace

SkinMessage::SkinMessage(const std::string& text, int buttons, int icon, int defaultButton,
                         std::optional<std::string> title)
    : title_(title ? *title : GBK("信息：")), lines_(SplitLines(text)) {
  if (lines_.size() > 3) height_ = 140 + static_cast<int>(lines_.size() - 3) * 14;
  const int top = height_ - 30;
  if (buttons == 1) {
    buttons_.push_back({{218, top, 69, 21}, GBK("确定")});
  } else if (buttons == 2) {
    buttons_.push_back({{218, top, 69, 21}, GBK("取消")});
  } else {
    buttons_.push_back({{140, top, 69, 21}, GBK("确定")});
    buttons_.push_back({{218, top, 69, 21}, GBK("取消")});
  }
  const SkinPicture icons[] = {SkinPicture::kBoxInformation, SkinPicture::kBoxSuccess,
                               SkinPicture::kBoxWarning, SkinPicture::kBoxError,
                               SkinPicture::kBoxQuestion};
  icon_ = icons[icon >= 0 && icon <= 4 ? icon : 0];
  // With a single button, asking for the second as default leaves none.
  const size_t defaultIndex = defaultButton == 2 ? 1 : 0;
  if (defaultIndex < buttons_.size()) {
    buttons_[defaultIndex].isDefault = true;
    buttons_[defaultIndex].state = kDefaultLook;
  }
}

std::vector<std::string> SkinMessage::SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find("\r\n", start);
    const std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
    if (piece.size() < kLineBytes + 1) {
      lines.push_back(piece);
    } else {
      size_t from = 0;
      while (from < piece.size()) {
        size_t at = from;
        while (at < piece.size()) {
          const size_t length = GbkCharLength(piece, at);
          if (at + length - from > kLineBytes) break;
          at += length;
        }
        lines.push_back(piece.substr(from, at - from));
        from = at;
      }
    }
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

SkinMessage::Action SkinMessage::OnMouseMove(int x, int y) {
  bool changed = false;
  const bool onClose = CloseRect().Contains(x, y);
  if (onClose && closeState_ == kNormal) {
    closeState_ = kHover;
    changed = true;
  } else if (!onClose && closeState_ != kNormal) {
    closeState_ = kNormal;
    changed = true;
  }
  for (Button& b : buttons_) {
    int next = b.state;
    if (b.rect.Contains(x, y)) {
      if (b.state != kPressed) next = kHover;
    } else {
      next = RestingState(b);
    }
    changed |= next != b.state;
    b.state = next;
  }
  return changed ? Action::kRedraw : Action::kNone;
}

SkinMessage::Action SkinMessage::OnLeftButtonDown(int x, int y) {
  if (CloseRect().Contains(x, y)) {
    closeState_ = kPressed;
    return Action::kRedraw;
  }
  for (Button& b : buttons_) {
    if (b.rect.Contains(x, y)) {
      b.state = kPressed;
      return Action::kRedraw;
    }
  }
  return Action::kMove;
}

SkinMessage::Action SkinMessage::OnLeftButtonUp(int x, int y) {
  if (CloseRect().Contains(x, y)) {
    result_ = kClosed;
    return Action::kClose;
  }
  for (const Button& b : buttons_) {
    if (b.rect.Contains(x, y)) {
      result_ = b.label == GBK("确定") ? kOk : kCancel;
      return Action::kClose;
    }
  }
  return Action::kNone;
}

SkinMessage::Action SkinMessage::OnMouseLeave() {
  bool changed = false;
  if (closeState_ != kNormal) {
    closeState_ = kNormal;
    changed = true;
  }
  for (Button& b : buttons_) {
    if (b.state == kHover) {
      b.state = RestingState(b);
      changed = true;
    }
  }
  return changed ? Action::kRedraw : Action::kNone;
}

void SkinMessage::Paint(SkinGraphics& g, const SkinLook& look, const QIcon& smallIcon) const {
  g.SetSmoothingMode(SkinGraphics::kHighQuality);
  uint32_t background = look.colour;
  if (look.IsPlain()) {
    g.FillRectangle(SkinBrush(SkinColor::Argb(look.colour, 255)), -1, -1, kWidth, height_);
  } else {
    const SkinImage& header = look.HeaderImage();
    background = SkinColor::FromArgb(header.GetPixel(1, 204));
    if (height_ >= 200) {
      g.FillRectangle(SkinBrush(SkinColor::Argb(background, 255)), -1, -1, kWidth, height_);
    }
    g.DrawImageRectRect(header, -540, 0, 840, 200, 0, 5, 840, 200);
  }
  SkinPen pen(SkinColor::Argb(0, 120), 1);
  g.DrawPath(pen, TopRoundedOutline(0, 0, 298, height_, 3));
  pen.SetColor(SkinColor::Argb(0xFFFFFF, 100));
  g.DrawPath(pen, TopRoundedOutline(1, 1, 296, height_ - 2, 3));

  g.DrawImageRect(SkinImage::FromIcon(smallIcon, 16), 7, 5, 16, 16);
  const bool lightPicture = !look.IsPlain() && (look.pictureId == 3 || look.pictureId == 6);
  const bool whiteTitle = !lightPicture && SkinColor::IsDark(background);
  const SkinFont bold(QStringLiteral("宋体"), 12, SkinFont::kBold);
  g.DrawString(title_, 25, 7, bold, SkinBrush(SkinColor::Argb(whiteTitle ? 0xFFFFFF : 0, 255)));

  const SkinPicture closes[] = {SkinPicture::kBoxCloseNormal, SkinPicture::kBoxCloseHover,
                                SkinPicture::kBoxClosePressed};
  g.DrawImageRect(SkinImage::FromBytes(SkinPictureBytes(closes[closeState_])), 250, 1, 40, 19);

  g.FillRectangle(SkinBrush(SkinColor::Argb(kPanelColour, 255)), 3, 26, 292, height_ - 30);
  g.DrawRectangle(SkinPen(SkinColor::Argb(0, 80), 1), 3, 26, 292, height_ - 30);
  g.DrawImageRect(SkinImage::FromBytes(SkinPictureBytes(icon_)), 30, 45, 40, 40);

  const SkinFont regular(QStringLiteral("宋体"), 12, SkinFont::kRegular);
  const SkinBrush black(SkinColor::Argb(0, 255));
  for (size_t i = 0; i < lines_.size(); ++i) {
    g.DrawString(lines_[i], 80, 55 + 14 * static_cast<double>(i), regular, black);
  }
  const SkinPicture looks[] = {SkinPicture::kBoxButtonNormal, SkinPicture::kBoxButtonHover,
                               SkinPicture::kBoxButtonPressed, SkinPicture::kBoxButtonDefault};
  for (const Button& b : buttons_) {
    g.DrawImageRect(SkinImage::FromBytes(SkinPictureBytes(looks[b.state])), b.rect.left, b.rect.top,
                    b.rect.width, b.rect.height);
    g.DrawString(b.label, b.rect.left + 22, b.rect.top + 5, regular, black);
  }
}

}  // namespace cindral
