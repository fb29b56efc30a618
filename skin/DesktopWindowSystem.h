// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window system of the desktop the program runs on. On X11 it asks the
// X server, as the desktop standards (ICCCM, EWMH) say:
//
// - a compositing manager owns the selection _NET_WM_CM_S<screen>;
// - a window manager that keeps maximised states puts a check window on
//   the root (_NET_SUPPORTING_WM_CHECK, naming itself) and lists
//   _NET_WM_STATE_MAXIMIZED_VERT and _HORZ in the root's _NET_SUPPORTED.
//
// Elsewhere both hold: a Wayland compositor blends and places every
// window, and the offscreen platform keeps the alpha and sizes maximised
// windows itself.

#include "skin/WindowSystem.h"

namespace cindral {

class DesktopWindowSystem final : public WindowSystem {
 public:
  bool Composites() const override;
  bool PlacesMaximisedWindows() const override;
};

}  // namespace cindral
