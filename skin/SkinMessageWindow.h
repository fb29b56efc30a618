// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned message box on the desktop: a 300-pixel-wide window with
// rounded top corners and per-pixel alpha (object name "MessageBox10"),
// modal over the whole program, that shows a SkinMessage and passes the
// mouse to it. A press off its buttons moves it. Keys do nothing. Run()
// returns when it has closed. Where no compositing manager shows the alpha,
// the box is drawn opaque within the same outline.

#include <QPointer>
#include <QWidget>

#include "draw/WindowSubclass.h"
#include "skin/NestedLoop.h"
#include "skin/WindowDrag.h"

class QIcon;

namespace cindral {

class SkinLook;
class SkinMessage;

class SkinMessageWindow {
 public:
  // `composited`: a compositing manager shows the per-pixel alpha.
  SkinMessageWindow(SkinMessage& box, const SkinLook& look, const QIcon& smallIcon, QWidget* owner,
                    bool composited);
  ~SkinMessageWindow();
  SkinMessageWindow(const SkinMessageWindow&) = delete;
  SkinMessageWindow& operator=(const SkinMessageWindow&) = delete;

  void Run(QPoint screenPosition);
  QWidget* widget() const { return window_; }

 private:
  bool Procedure(QEvent* event);
  void Close();

  SkinMessage& box_;
  const SkinLook& look_;
  QIcon icon_;
  QPointer<QWidget> window_;
  WindowSubclass subclass_;
  WindowDrag drag_;
  NestedLoop loop_;
};

}  // namespace cindral
