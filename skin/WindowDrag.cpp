// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/WindowDrag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace cindral {

namespace {
// Movement that counts as a drag: small enough to feel immediate, large
// enough that the jitter of a double-click does not start one.
constexpr int kDragDistance = 3;

// Whether a window may set its own position on the screen. A Wayland
// compositor places every window itself.
bool WindowsPlaceThemselves() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
}  // namespace

void WindowDrag::Arm(QWidget* window, Qt::Edges edges, QPoint globalPress) {
  window_ = window;
  edges_ = edges;
  press_ = globalPress;
  startGeometry_ = window != nullptr ? window->geometry() : QRect();
  following_ = false;
}

void WindowDrag::Disarm() {
  window_ = nullptr;
  following_ = false;
}

bool WindowDrag::OnMouseMove(const QMouseEvent& event) {
  if (window_ == nullptr) return false;
  if (!(event.buttons() & Qt::LeftButton)) {
    Disarm();
    return false;
  }
  const QPoint delta = event.globalPosition().toPoint() - press_;
  if (following_) {
    window_->setGeometry(Dragged(startGeometry_, edges_, delta, window_->minimumSize()));
    return true;
  }
  if (delta.manhattanLength() < kDragDistance) return true;
  QWindow* handle = window_->windowHandle();
  const bool system =
      handle != nullptr &&
      (edges_ == Qt::Edges() ? handle->startSystemMove() : handle->startSystemResize(edges_));
  // The window system has the pointer now, and ends the drag on release;
  // or it places windows only itself (a Wayland compositor), and then a
  // drag it does not take leaves the window where it is.
  if (system || !WindowsPlaceThemselves()) {
    Disarm();
    return true;
  }
  following_ = true;
  window_->setGeometry(Dragged(startGeometry_, edges_, delta, window_->minimumSize()));
  return true;
}

QRect WindowDrag::Dragged(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum) {
  if (edges == Qt::Edges()) return start.translated(delta);
  QRect r = start;
  if (edges & Qt::RightEdge) r.setWidth(std::max(minimum.width(), start.width() + delta.x()));
  if (edges & Qt::BottomEdge) r.setHeight(std::max(minimum.height(), start.height() + delta.y()));
  if (edges & Qt::TopEdge) {
    const int height = std::max(minimum.height(), start.height() - delta.y());
    r.setTop(start.bottom() - height + 1);
    r.setHeight(height);
  }
  if (edges & Qt::LeftEdge) {
    const int width = std::max(minimum.width(), start.width() - delta.x());
    r.setLeft(start.right() - width + 1);
    r.setWidth(width);
  }
  return r;
}

}  // namespace cindral
