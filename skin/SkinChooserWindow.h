// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin chooser on the desktop: a 222 x 178 popup with per-pixel alpha
// (object name "SkinEdit10") that shows a SkinChooser and passes the mouse
// to it. Run() returns when it has closed: after a press outside it, or
// when it loses the focus (another window or program becomes active).
// Where no compositing manager shows the alpha, the popup is cut to the
// rounded outline of its background picture and drawn opaque.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "draw/WindowSubclass.h"
#include "skin/AccessibleAreas.h"
#include "skin/NestedLoop.h"

namespace cindral {

class SkinChooser;

class SkinChooserWindow {
 public:
  // `composited`: a compositing manager shows the per-pixel alpha.
  SkinChooserWindow(SkinChooser& chooser, QWidget* owner, bool composited);
  // The outline: 222 x 178 pixels, corners rounded by 4.
  static QRegion Outline();
  ~SkinChooserWindow();
  SkinChooserWindow(const SkinChooserWindow&) = delete;
  SkinChooserWindow& operator=(const SkinChooserWindow&) = delete;

  // Shows the chooser with its top left at `screenPosition`; returns when it
  // has closed.
  void Run(QPoint screenPosition);
  void Close();
  QWidget* widget() const { return popup_; }

 private:
  bool Procedure(QEvent* event);
  // The tabs, thumbnails and swatches, for the accessibility interface.
  std::vector<AccessibleArea> ChooserAreas() const;

  SkinChooser& chooser_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> popup_;
  WindowSubclass subclass_;
  NestedLoop loop_;
};

}  // namespace cindral
