// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the desktop's window system does for the skin's windows, asked each
// time it matters (a compositing manager may start or stop while the
// program runs). The desktop's answers come from DesktopWindowSystem;
// tests supply their own.

namespace cindral {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // A compositing manager blends each window with what lies beneath it by
  // the window's per-pixel alpha. Without one, a transparent pixel reaches
  // the screen as black.
  virtual bool Composites() const = 0;
  // A window manager sizes and places a maximised window itself (into the
  // part of the screen its panels leave free) and keeps the window's
  // maximised state. Without one, the program places the window.
  virtual bool PlacesMaximisedWindows() const = 0;
};

}  // namespace cindral
