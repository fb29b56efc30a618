// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving and sizing a frameless window with the mouse. A press arms a move
// (or a sizing from some edges); the first movement of the mouse with its
// button still held hands the window to the window system
// (QWindow::startSystemMove / startSystemResize), which then follows the
// pointer natively on X11 and Wayland. Waiting for the movement keeps
// double-clicks and plain clicks with the window, and never starts a move
// after the button was released (say, while a window opened by the press
// was running). Where the window system offers neither, the window follows
// the pointer by itself until the button is released; on Wayland, where
// only the compositor places windows, it stays where it is.

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QMouseEvent;

namespace cindral {

class WindowDrag {
 public:
  // `edges` empty: a move.
  void Arm(QWidget* window, Qt::Edges edges, QPoint globalPress);
  void Disarm();
  bool IsFollowing() const { return following_; }

  // Returns true when the event was used for the drag.
  bool OnMouseMove(const QMouseEvent& event);
  void OnRelease() { Disarm(); }

  // Where a window that started at `start` goes when the pointer has moved
  // by `delta` from the press, dragged by `edges` (none: moved), no smaller
  // than `minimum`.
  static QRect Dragged(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum);

 private:
  QPointer<QWidget> window_;
  Qt::Edges edges_;
  QPoint press_;
  QRect startGeometry_;
  bool following_ = false;
};

}  // namespace cindral
