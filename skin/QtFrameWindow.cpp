// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/QtFrameWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "draw/SkinRegion.h"
#include "skin/AccessibleAreas.h"
#include "skin/SkinChooserWindow.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMessageWindow.h"
#include "ui/Text.h"

namespace cindral {

QtFrameWindow::QtFrameWindow(QWidget* window, SkinFrame& frame, const WindowSystem* system)
    : window_(window), frame_(frame), system_(system != nullptr ? *system : desktop_) {
  window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window->setMouseTracking(true);
  // The frame paints every pixel: no background fill before each paint.
  window->setAttribute(Qt::WA_OpaquePaintEvent);
  window->setAttribute(Qt::WA_Hover, false);
  subclass_.Subclass(window, [this](QEvent* event) { return Procedure(event); });
  SetRoundedShape(window->width(), window->height());
  ExposeAccessibleAreas(window, [this] { return FrameAreas(); });
}

namespace {

QRect ToQRect(const FrameRect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace

std::vector<AccessibleArea> QtFrameWindow::FrameAreas() const {
  std::vector<AccessibleArea> areas;
  for (const PageButton& page : frame_.Pages()) {
    areas.push_back({ToQString(page.label), QAccessible::PageTab, ToQRect(page.rect), true, true,
                     page.state == PageButton::kSelected});
  }
  // Caption entries 1 to 5; 6 and 7 only hold pictures.
  const std::vector<FrameButton>& captions = frame_.CaptionButtons();
  const QString names[] = {QStringLiteral("关闭"),
                           IsMaximized() ? QStringLiteral("还原") : QStringLiteral("最大化"),
                           QStringLiteral("最小化"), ToQString(frame_.MenuNames()[0]),
                           ToQString(frame_.MenuNames()[1])};
  for (size_t i = 0; i < captions.size() && i < 5; ++i) {
    areas.push_back({names[i], QAccessible::Button, ToQRect(captions[i].rect)});
  }
  if (!captions.empty()) {
    areas.push_back(
        {QStringLiteral("更换皮肤"), QAccessible::Button, ToQRect(frame_.SkinButton().rect)});
  }
  return areas;
}

QtFrameWindow::~QtFrameWindow() { subclass_.Unsubclass(); }

std::string QtFrameWindow::Title() const { return FromQString(window_->windowTitle()); }

QIcon QtFrameWindow::SmallIcon() const {
  const QIcon icon = window_->windowIcon();
  return icon.isNull() ? QApplication::windowIcon() : icon;
}

void QtFrameWindow::Invalidate(const FrameRect& rect) {
  window_->update(QRect(rect.left, rect.top, rect.width, rect.height));
}

void QtFrameWindow::SetRoundedShape(int width, int height) {
  SkinRegion::SetRounded(window_, 0, 0, width, height, 5, 5);
}

void QtFrameWindow::SetCursor(FrameCursor cursor) {
  cursor_ = cursor;
  switch (cursor) {
    case FrameCursor::kArrow:
      window_->unsetCursor();
      break;
    case FrameCursor::kSizeNeSw:
      window_->setCursor(Qt::SizeBDiagCursor);
      break;
    case FrameCursor::kSizeNwSe:
      window_->setCursor(Qt::SizeFDiagCursor);
      break;
    case FrameCursor::kSizeWe:
      window_->setCursor(Qt::SizeHorCursor);
      break;
    case FrameCursor::kSizeNs:
      window_->setCursor(Qt::SizeVerCursor);
      break;
  }
}

void QtFrameWindow::Maximize() {
  normalGeometry_ = window_->geometry();
  window_->showMaximized();
}

void QtFrameWindow::Restore() {
  window_->showNormal();
  // Without a window manager nothing puts the window back: do it here.
  if (!system_.PlacesMaximisedWindows()) Place(normalGeometry_);
}

void QtFrameWindow::FitToWorkArea() {
  // A window manager that keeps the maximised state fits the window into
  // its work area itself; a geometry asked for on top would end that state.
  if (system_.PlacesMaximisedWindows()) return;
  if (QScreen* screen = window_->screen()) Place(screen->availableGeometry());
}

void QtFrameWindow::Place(const QRect& geometry) {
  QWindow* handle = window_->windowHandle();
  if (handle == nullptr || !geometry.isValid() || window_->geometry() == geometry) return;
  // Through the native window: QWidget::setGeometry() would take the widget
  // out of its maximised state. The widget follows once the window system
  // reports the change, so it never runs ahead of what the server has.
  handle->setGeometry(geometry);
}

void QtFrameWindow::ArmDrag(Qt::Edges edges) { drag_.Arm(window_, edges, lastPress_); }

void QtFrameWindow::StartMove() { ArmDrag({}); }

void QtFrameWindow::StartResize(FrameEdge edge) {
  switch (edge) {
    case FrameEdge::kRight:
      ArmDrag(Qt::RightEdge);
      break;
    case FrameEdge::kTop:
      ArmDrag(Qt::TopEdge);
      break;
    case FrameEdge::kTopRight:
      ArmDrag(Qt::TopEdge | Qt::RightEdge);
      break;
    case FrameEdge::kBottom:
      ArmDrag(Qt::BottomEdge);
      break;
    case FrameEdge::kBottomRight:
      ArmDrag(Qt::BottomEdge | Qt::RightEdge);
      break;
  }
}

void QtFrameWindow::RunChooser(SkinChooser& chooser, QPoint screenPosition) {
  SkinChooserWindow popup(chooser, window_, system_.Composites());
  popup.Run(screenPosition);
}

void QtFrameWindow::RunMessageBox(SkinMessage& box, QPoint screenPosition) {
  {
    SkinMessageWindow window(box, frame_.Look(), SmallIcon(), window_, system_.Composites());
    window.Run(screenPosition);
  }
  // The main window comes back to the front.
  if (window_ != nullptr) {
    window_->raise();
    window_->activateWindow();
  }
}

bool QtFrameWindow::Procedure(QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter& painter = subclass_.BeginBufferedPaint();
      frame_.Paint(painter);
      subclass_.EndBufferedPaint();
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        lastPress_ = mouse->globalPosition().toPoint();
        drag_.Disarm();
      }
      return frame_.WindowProc(event);
    }
    case QEvent::MouseMove: {
      if (drag_.OnMouseMove(*static_cast<QMouseEvent*>(event))) return true;
      return frame_.WindowProc(event);
    }
    case QEvent::MouseButtonRelease: {
      const bool followed = drag_.IsFollowing();
      drag_.OnRelease();
      if (followed) return true;
      return frame_.WindowProc(event);
    }
    case QEvent::Resize:
    case QEvent::WindowStateChange:
      frame_.OnSize(window_->isMinimized()   ? SkinFrame::SizeType::kMinimized
                    : window_->isMaximized() ? SkinFrame::SizeType::kMaximized
                                             : SkinFrame::SizeType::kRestored);
      window_->update();
      return false;
    default:
      return frame_.WindowProc(event);
  }
}

}  // namespace cindral
