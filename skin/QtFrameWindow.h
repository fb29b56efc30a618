// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A SkinFrame's window on the desktop: a frameless QWidget whose events go
// to the frame (paints through the frame, mouse input to its handlers, size
// and state changes to its size handling), with moving and sizing through
// the window system. A maximised window is placed by the window manager,
// which keeps its state; where none does, it is fitted here into the
// screen's available geometry. The chooser and the message box show their
// per-pixel alpha where a compositing manager runs, and are cut to their
// outlines where none does.

#include <QCursor>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

#include "draw/WindowSubclass.h"
#include "skin/AccessibleAreas.h"
#include "skin/DesktopWindowSystem.h"
#include "skin/FrameWindow.h"
#include "skin/WindowDrag.h"

namespace cindral {

class SkinFrame;

class QtFrameWindow final : public FrameWindow {
 public:
  // `system` null: the desktop's own. Otherwise it must outlive this object.
  QtFrameWindow(QWidget* window, SkinFrame& frame, const WindowSystem* system = nullptr);
  ~QtFrameWindow() override;

  int Width() const override { return window_->width(); }
  int Height() const override { return window_->height(); }
  bool IsMaximized() const override { return window_->isMaximized(); }
  std::string Title() const override;
  QIcon SmallIcon() const override;
  QPoint ScreenPosition() const override { return window_->geometry().topLeft(); }

  void Invalidate(const FrameRect& rect) override;
  void InvalidateAll() override { window_->update(); }
  void UpdateNow() override { window_->repaint(); }
  void SetRoundedShape(int width, int height) override;
  FrameCursor Cursor() const override { return cursor_; }
  void SetCursor(FrameCursor cursor) override;

  void Close() override { window_->close(); }
  void Maximize() override;
  void Restore() override;
  void Minimize() override { window_->showMinimized(); }
  void FitToWorkArea() override;
  void StartMove() override;
  void StartResize(FrameEdge edge) override;

  void RunChooser(SkinChooser& chooser, QPoint screenPosition) override;
  void RunMessageBox(SkinMessage& box, QPoint screenPosition) override;

 private:
  bool Procedure(QEvent* event);
  // The pages, caption buttons 1 to 5 and the skin button, for the
  // accessibility interface.
  std::vector<AccessibleArea> FrameAreas() const;
  void ArmDrag(Qt::Edges edges);
  void Place(const QRect& geometry);

  QPointer<QWidget> window_;
  SkinFrame& frame_;
  DesktopWindowSystem desktop_;
  const WindowSystem& system_;
  WindowSubclass subclass_;
  WindowDrag drag_;
  FrameCursor cursor_ = FrameCursor::kArrow;
  QRect normalGeometry_;
  QPoint lastPress_;
};

}  // namespace cindral
