// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinFrame.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "draw/SkinBrush.h"
#include "draw/SkinColor.h"
#include "draw/SkinFont.h"
#include "draw/SkinGraphics.h"
#include "draw/SkinImage.h"
#include "draw/SkinPen.h"
#include "skin/QtFrameWindow.h"
#include "skin/SkinChooser.h"
#include "skin/SkinMessage.h"
#include "store/Gbk.h"

namespace cindral {

namespace {

constexpr int kHeaderWidth = 840;
constexpr int kHeaderHeight = 200;
// A wider window repeats strips of the header's right end, this wide.
constexpr int kHeaderStripWidth = 50;

// The caption buttons hang from the top edge, 19 high; their left edges lie
// this far from the window's right edge.
constexpr int kCaptionTop = 1;
constexpr int kCaptionHeight = 19;
constexpr int kCloseFromRight = 49;
constexpr int kMaximizeFromRight = 76;
constexpr int kMinimizeFromRight = 103;
constexpr int kMenu0FromRight = 130;
constexpr int kMenu1FromRight = 158;

// The skin chooser's button below the caption buttons.
constexpr int kSkinButtonFromRight = 30;
constexpr int kSkinButtonTop = 70;
constexpr int kSkinButtonWidth = 28;
constexpr int kSkinButtonHeight = 22;

// The status line along the bottom edge.
constexpr int kStatusLeft = 4;
constexpr int kStatusHeight = 19;

// The page buttons in a row under the caption, the first at kPageLeft.
constexpr int kPageLeft = 8;
constexpr int kPageStep = 78;
constexpr int kPageTop = 30;
constexpr int kPageWidth = 76;
constexpr int kPageHeight = 71;

FrameButton Caption(SkinPicture normal, SkinPicture hover, SkinPicture pressed, int left,
                    int width) {
  FrameButton b;
  b.normal = normal;
  b.hover = hover;
  b.pressed = pressed;
  b.rect = {left, kCaptionTop, width, kCaptionHeight};
  return b;
}

SkinImage Picture(SkinPicture picture) { return SkinImage::FromBytes(SkinPictureBytes(picture)); }

void DrawInto(SkinGraphics& g, SkinPicture picture, const FrameRect& r) {
  g.DrawImageRect(Picture(picture), r.left, r.top, r.width, r.height);
}

}  // namespace

SkinFrame::SkinFrame() : menuNames_{GBK("菜单 1"), GBK("菜单 2")} {}
SkinFrame::~SkinFrame() = default;

void SkinFrame::Attach(QWidget* window, bool persist, SkinSettings* settings) {
  if (IsAttached() || window == nullptr) return;
  auto qtWindow = std::make_unique<QtFrameWindow>(window, *this);
  FrameWindow* raw = qtWindow.get();
  ownedWindow_ = std::move(qtWindow);
  Attach(raw, persist, settings);
}

void SkinFrame::Attach(FrameWindow* window, bool persist, SkinSettings* settings) {
  if (IsAttached() || window == nullptr) return;
  window_ = window;
  frameReady_ = true;
  status_ = GBK("Cindral 皮肤引擎 " CINDRAL_VERSION);
  persist_ = persist;
  settings_ = settings;
  LoadSkin();
}

void SkinFrame::LoadSkin() {
  look_.Load(PersistedSettings());
  const int w = window_ != nullptr ? window_->Width() : 0;
  using P = SkinPicture;
  // Close, minimise, menu item 0, menu item 1, maximise, restore; then entry
  // 2 becomes a copy of the maximise entry.
  captions_ = {
      Caption(P::kCloseNormal, P::kCloseHover, P::kClosePressed, w - kCloseFromRight, 39),
      Caption(P::kMinimizeNormal, P::kMinimizeHover, P::kMinimizePressed,
              w - kMinimizeFromRight, 27),
      Caption(P::kMenu0Normal, P::kMenu0Hover, P::kMenu0Pressed, w - kMenu0FromRight, 27),
      Caption(P::kMenu1Normal, P::kMenu1Hover, P::kMenu1Pressed, w - kMenu1FromRight, 28),
      Caption(P::kMaximizeNormal, P::kMaximizeHover, P::kMaximizePressed,
              w - kMaximizeFromRight, 27),
      Caption(P::kRestoreNormal, P::kRestoreNormal, P::kRestorePressed, w - kMaximizeFromRight,
              27),
  };
  captions_.insert(captions_.begin() + 1, captions_[4]);
  skinButton_ = FrameButton{};
  skinButton_.normal = P::kSkinIcon;
  skinButton_.hover = P::kSkinHover;
  skinButton_.pressed = P::kSkinPressed;
  skinButton_.rect = {w - kSkinButtonFromRight, kSkinButtonTop, kSkinButtonWidth,
                      kSkinButtonHeight};
}

bool SkinFrame::SetStatusText(const std::string& gbk) {
  if (!IsAttached()) return false;
  status_ = gbk;
  window_->Invalidate(
      {kStatusLeft, window_->Height() - kStatusHeight, window_->Width(), kStatusHeight});
  window_->UpdateNow();
  return true;
}

void SkinFrame::SetMenuNames(std::string first, std::string second) {
  menuNames_ = {std::move(first), std::move(second)};
}

bool SkinFrame::AddPage(const std::string& label, std::string iconBytes) {
  if (!IsAttached()) return false;
  const int i = static_cast<int>(pages_.size()) + 1;
  PageButton page;
  page.label = label;
  page.icon = std::move(iconBytes);
  page.state = i == 1 ? PageButton::kSelected : PageButton::kNormal;
  page.rect = {kPageLeft + kPageStep * (i - 1), kPageTop, kPageWidth, kPageHeight};
  page.index = i;
  pages_.push_back(std::move(page));
  return true;
}

bool SkinFrame::SetPageHandler(Handler handler) {
  if (!IsAttached()) return false;
  pageHandler_ = std::move(handler);
  return true;
}

bool SkinFrame::SetMenuHandler(Handler handler) {
  if (!IsAttached()) return false;
  menuHandler_ = std::move(handler);
  return true;
}

int SkinFrame::StripCount(int width) {
  return width > kHeaderWidth ? (width - kHeaderWidth) / kHeaderStripWidth + 1 : 0;
}

uint32_t SkinFrame::BackgroundColour() const {
  if (look_.IsPlain()) return look_.colour;
  return SkinColor::FromArgb(look_.HeaderImage().GetPixel(1, 204));
}

void SkinFrame::Paint(QPainter& painter) const {
  if (!IsAttached()) return;
  SkinGraphics g(painter);
  g.SetSmoothingMode(SkinGraphics::kHighQuality);
  const int w = window_->Width(), h = window_->Height();

  uint32_t background = look_.colour;
  if (look_.IsPlain()) {
    g.FillRectangle(SkinBrush(SkinColor::Argb(background, 255)), -1, -1, w, h);
  } else {
    const SkinImage& header = look_.HeaderImage();
    background = SkinColor::FromArgb(header.GetPixel(1, 204));
    g.FillRectangle(SkinBrush(SkinColor::Argb(background, 255)), -1, -1, w, h);
    g.DrawImageRectRect(header, w - kHeaderWidth, 0, kHeaderWidth, kHeaderHeight, 0, 5,
                        kHeaderWidth, kHeaderHeight);
    // A wider window continues the picture to the left: pictures 2 to 6
    // stretch their first column, the textures repeat their first strip.
    const double sourceWidth = look_.pictureId <= 6 ? 1 : kHeaderStripWidth;
    for (int k = 1; k <= StripCount(w); ++k) {
      g.DrawImageRectRect(header, kHeaderStripWidth * (k - 1), 0, kHeaderStripWidth,
                          kHeaderHeight, 0, 5, sourceWidth, kHeaderHeight);
    }
  }
  const uint32_t textColour = SkinColor::IsDark(background) ? 0xFFFFFF : 0;
  const SkinBrush text(SkinColor::Argb(textColour, 255));

  SkinPen pen(SkinColor::Argb(0, 120), 1);
  g.DrawRoundRect(pen, 0, 0, w - 2, h - 2, 3);
  pen.SetColor(SkinColor::Argb(0xFFFFFF, 100));
  g.DrawRoundRect(pen, 1, 1, w - 4, h - 4, 3);

  g.DrawImageRect(SkinImage::FromIcon(window_->SmallIcon(), 16), 7, 6, 16, 16);
  const SkinFont title(QStringLiteral("宋体"), 13, SkinFont::kBold);
  g.DrawString(window_->Title(), 25, 8, title, text);

  for (size_t i = 0; i < 5 && i < captions_.size(); ++i) {
    DrawInto(g, captions_[i].Picture(), captions_[i].rect);
  }

  const SkinFont label(QStringLiteral("宋体"), 12, SkinFont::kRegular);
  for (const PageButton& page : pages_) {
    const FrameRect& r = page.rect;
    if (page.state == PageButton::kHover) DrawInto(g, SkinPicture::kPageHover, r);
    if (page.state == PageButton::kSelected) DrawInto(g, SkinPicture::kPageSelected, r);
    g.DrawImageRect(SkinImage::FromBytes(page.icon), r.left + 20, r.top + 10, 36, 36);
    g.DrawString(page.label, r.left + 12, r.top + 52, label, text);
  }

  const FrameRect& s = skinButton_.rect;
  if (skinButton_.state != FrameButton::kNormal) {
    DrawInto(g, skinButton_.state == FrameButton::kHover ? skinButton_.hover : skinButton_.pressed,
             SkinButtonBackground());
  }
  DrawInto(g, skinButton_.normal, {s.left, s.top, 14, 14});

  const FrameRect panel = ClientPanel();
  g.FillRectangle(SkinBrush(SkinColor::Argb(0xFFFFFF, 255)), panel.left, panel.top, panel.width,
                  panel.height);
  g.DrawRectangle(SkinPen(SkinColor::Argb(0, 100), 1), panel.left, panel.top, panel.width,
                  panel.height);

  g.DrawString(status_, kStatusLeft, h - kStatusHeight, pages_.empty() ? title : label, text);
  DrawInto(g, SkinPicture::kSizeGrip, {w - 13, h - 13, 9, 8});
}

FrameRect SkinFrame::ClientPanel() const {
  if (!IsAttached()) return {};
  return {2, 105, window_->Width() - 6, window_->Height() - 130};
}

void SkinFrame::Redraw(const FrameRect& rect) { window_->Invalidate(rect); }

FrameRect SkinFrame::SkinButtonBackground() const {
  const FrameRect& s = skinButton_.rect;
  return {s.left - 7, s.top - 4, s.width, s.height};
}

FrameRect SkinFrame::SkinButtonArea() const {
  const FrameRect& s = skinButton_.rect;
  const FrameRect b = SkinButtonBackground();
  return {b.left, b.top, s.left + s.width - b.left, s.top + s.height - b.top};
}

bool SkinFrame::WindowProc(QEvent* event) {
  if (!IsAttached()) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      OnMouseMove(p.x(), p.y());
      return false;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      const QPoint p = mouse->position().toPoint();
      OnLeftButtonDown(p.x(), p.y());
      return false;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      const QPoint p = mouse->position().toPoint();
      OnLeftButtonUp(p.x(), p.y());
      return false;
    }
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      const QPoint p = mouse->position().toPoint();
      OnDoubleClick(p.x(), p.y());
      return true;
    }
    case QEvent::Leave:
      OnMouseLeave();
      window_->InvalidateAll();
      return false;
    default:
      return false;
  }
}

void SkinFrame::OnMouseMove(int x, int y) {
  for (size_t i = 0; i < 5 && i < captions_.size(); ++i) {
    FrameButton& b = captions_[i];
    if (FollowPointer(b.state, b.rect.Contains(x, y))) Redraw(b.rect);
  }
  for (PageButton& page : pages_) {
    if (!FollowPointer(page.state, page.rect.Contains(x, y))) continue;
    Redraw(page.rect);
    if (page.state == PageButton::kHover && pageHoverHandler_) {
      // What the hover starts may keep the program busy at once (the work it
      // queues goes before a redraw left for later): the lit page is put
      // on the screen first.
      window_->UpdateNow();
      pageHoverHandler_(page.index - 1);
    }
  }
  if (FollowPointer(skinButton_.state, skinButton_.rect.Contains(x, y))) {
    Redraw(SkinButtonArea());
  }

  const int w = window_->Width(), h = window_->Height();
  FrameCursor cursor = FrameCursor::kArrow;
  if (!window_->IsMaximized()) {
    if (x >= w - 5) {
      cursor = y <= 4      ? FrameCursor::kSizeNeSw
               : y > h - 5 ? FrameCursor::kSizeNwSe
                           : FrameCursor::kSizeWe;
    } else if (y < 5 || y > h - 5) {
      cursor = FrameCursor::kSizeNs;
    }
  }
  if (window_->Cursor() != cursor) window_->SetCursor(cursor);
}

void SkinFrame::OnLeftButtonDown(int x, int y) {
  if (skinButton_.rect.Contains(x, y)) {
    if (skinButton_.state != FrameButton::kPressed) {
      skinButton_.state = FrameButton::kPressed;
      Redraw(SkinButtonArea());
    }
    OpenChooser();
  } else if (skinButton_.state == FrameButton::kHover) {
    skinButton_.state = FrameButton::kNormal;
    Redraw(SkinButtonArea());
  }

  for (PageButton& page : pages_) {
    if (!page.rect.Contains(x, y)) continue;
    if (page.state != PageButton::kSelected) {
      for (PageButton& other : pages_) {
        if (other.state == PageButton::kSelected) {
          other.state = PageButton::kNormal;
          Redraw(other.rect);
        }
      }
      page.state = PageButton::kSelected;
      Redraw(page.rect);
    }
    // The handler runs also for the page already selected.
    if (pageHandler_) pageHandler_(page.index - 1);
    break;
  }

  for (size_t i = 0; i < 5 && i < captions_.size(); ++i) {
    FrameButton& b = captions_[i];
    if (b.rect.Contains(x, y) && b.state != FrameButton::kPressed) {
      b.state = FrameButton::kPressed;
      Redraw(b.rect);
      return;
    }
  }
  PressForMoveOrSize(x, y);
}

void SkinFrame::PressForMoveOrSize(int x, int y) {
  if (!frameReady_ || window_->IsMaximized()) return;
  const int w = window_->Width(), h = window_->Height();
  if (x < w - 10 && y >= 11 && y < h - 10) {
    window_->StartMove();
  } else if (x >= w - 10) {
    if (y > 9 && y > h - 10) {
      window_->StartResize(FrameEdge::kBottomRight);
    } else if (y > 9) {
      window_->StartResize(FrameEdge::kRight);
    } else {
      window_->StartResize(FrameEdge::kTopRight);
    }
  } else if (y < 10) {
    window_->StartResize(FrameEdge::kTop);
  } else if (y > h - 10) {
    window_->StartResize(FrameEdge::kBottom);
  }
}

void SkinFrame::OnLeftButtonUp(int x, int y) {
  int holder = 0;
  for (size_t i = 0; i < captions_.size(); ++i) {
    FrameButton& b = captions_[i];
    if (b.rect.Contains(x, y)) {
      holder = static_cast<int>(i) + 1;
      break;
    }
    b.state = FrameButton::kNormal;
    Redraw(b.rect);
  }
  if (holder == 0) return;
  if (holder == 4 || holder == 5) {
    if (menuHandler_) menuHandler_(holder - 4);
  } else {
    CaptionAction(holder);
  }
  // The button is drawn released again, also after what it opened (a menu,
  // the about box) has closed while the pointer stays on it.
  OnMouseLeave();
}

void SkinFrame::OnMouseLeave() {
  for (FrameButton& b : captions_) {
    if (b.state == FrameButton::kNormal) continue;
    b.state = FrameButton::kNormal;
    Redraw(b.rect);
  }
}

void SkinFrame::OnDoubleClick(int x, int y) {
  if (y < 30 && x < window_->Width() - 149) CaptionAction(2);
}

void SkinFrame::CaptionAction(int index) {
  switch (index) {
    case 1:
      window_->Close();
      break;
    case 2:
      if (window_->IsMaximized()) {
        window_->Restore();
      } else {
        window_->Maximize();
      }
      break;
    case 3:
      window_->Minimize();
      break;
    default:
      break;
  }
}

void SkinFrame::LayoutButtons() {
  const int w = window_->Width();
  // In the order of captions_ (see LoadSkin).
  const int lefts[] = {w - kCloseFromRight,    w - kMaximizeFromRight, w - kMinimizeFromRight,
                       w - kMenu0FromRight,    w - kMenu1FromRight,    w - kMaximizeFromRight,
                       w - kMaximizeFromRight};
  for (size_t i = 0; i < captions_.size() && i < 7; ++i) captions_[i].rect.left = lefts[i];
  skinButton_.rect.left = w - kSkinButtonFromRight;
}

void SkinFrame::OnSize(SizeType type) {
  if (!IsAttached()) return;
  window_->SetRoundedShape(window_->Width(), window_->Height());
  LayoutButtons();
  if (type == SizeType::kMaximized) {
    captions_[1] = captions_[6];
    captions_[1].state = FrameButton::kNormal;
    window_->FitToWorkArea();
  } else if (type == SizeType::kRestored) {
    captions_[1] = captions_[5];
    captions_[1].state = FrameButton::kNormal;
  }
}

void SkinFrame::SetLook(const SkinLook& look) {
  look_ = look;
  if (!IsAttached()) return;
  window_->InvalidateAll();
  window_->UpdateNow();
}

void SkinFrame::OpenChooser() {
  const QPoint origin = window_->ScreenPosition();
  const QPoint at(origin.x() + skinButton_.rect.left - 201, origin.y() + skinButton_.rect.top + 18);
  SkinChooser chooser(look_, PersistedSettings(), [this] {
    window_->InvalidateAll();
    window_->UpdateNow();
  });
  window_->RunChooser(chooser, at);
  // Closing: the skin button comes back up.
  skinButton_.state = FrameButton::kNormal;
  Redraw(SkinButtonArea());
  window_->UpdateNow();
}

int SkinFrame::ShowMessage(const std::string& text, int buttons, int icon, int defaultButton,
                           std::optional<std::string> title) {
  if (!IsAttached() || boxOpen_) return SkinMessage::kClosed;
  SkinMessage box(text, buttons, icon, defaultButton, std::move(title));
  const QPoint origin = window_->ScreenPosition();
  const QPoint at(origin.x() + (window_->Width() - SkinMessage::kWidth) / 2,
                  origin.y() + (window_->Height() - box.Height()) / 2);
  boxOpen_ = true;
  frameReady_ = false;
  window_->RunMessageBox(box, at);
  frameReady_ = true;
  boxOpen_ = false;
  return box.Result();
}

}  // namespace cindral
