// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window a SkinFrame draws and drives, as the frame sees it: its size
// and state, redraws, the cursor, the window commands, moving and sizing by
// the window system, and the two popups the frame opens over it. The
// desktop implementation is QtFrameWindow; tests supply their own.

#include <QIcon>
#include <QPoint>
#include <string>

#include "skin/FrameRect.h"

namespace cindral {

class SkinChooser;
class SkinMessage;

enum class FrameCursor { kArrow, kSizeNeSw, kSizeNwSe, kSizeWe, kSizeNs };

// The edge or corner a sizing starts from.
enum class FrameEdge { kRight, kTop, kTopRight, kBottom, kBottomRight };

class FrameWindow {
 public:
  virtual ~FrameWindow() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool IsMaximized() const = 0;
  virtual std::string Title() const = 0;  // GBK
  virtual QIcon SmallIcon() const = 0;
  // The window's top left on the screen.
  virtual QPoint ScreenPosition() const = 0;

  // Redraw of a part (or all) of the window, later, without erasing first.
  virtual void Invalidate(const FrameRect& rect) = 0;
  virtual void InvalidateAll() = 0;
  // Carries out pending redraws now.
  virtual void UpdateNow() = 0;
  // Shape of the window: the rounded outline of a width x height window.
  virtual void SetRoundedShape(int width, int height) = 0;
  virtual FrameCursor Cursor() const = 0;
  virtual void SetCursor(FrameCursor cursor) = 0;

  virtual void Close() = 0;
  virtual void Maximize() = 0;
  virtual void Restore() = 0;
  virtual void Minimize() = 0;
  // A maximised window fills the part of the screen the taskbar leaves free.
  virtual void FitToWorkArea() = 0;
  // Hands the window to the window system for a move, or a sizing from
  // `edge`, following the mouse while its button is held.
  virtual void StartMove() = 0;
  virtual void StartResize(FrameEdge edge) = 0;

  // Show the chooser at `screenPosition` (its top left) and return when it
  // has closed; the same for the message box, centred over the window.
  virtual void RunChooser(SkinChooser& chooser, QPoint screenPosition) = 0;
  virtual void RunMessageBox(SkinMessage& box, QPoint screenPosition) = 0;
};

}  // namespace cindral
