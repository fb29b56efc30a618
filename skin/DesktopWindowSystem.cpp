// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/DesktopWindowSystem.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace cindral {

namespace {

// The X server's connection of the application, or null off X11.
xcb_connection_t* Connection() {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

// The X screen the application's display names (":0.1" is screen 1).
int ScreenNumber() {
  int display = 0, screen = 0;
  char* host = nullptr;
  const QByteArray name = qgetenv("DISPLAY");
  if (xcb_parse_display(name.constData(), &host, &display, &screen) == 0) screen = 0;
  std::free(host);
  return screen;
}

xcb_window_t Root(xcb_connection_t* c, int screen) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screen && it.rem > 1; ++i) xcb_screen_next(&it);
  return it.data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const std::string& name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The 32-bit values of a window's property (atoms, windows).
std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type) {
  std::vector<uint32_t> values;
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
  if (reply == nullptr) return values;
  if (reply->format == 32) {
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    values.assign(data, data + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return values;
}

}  // namespace

bool DesktopWindowSystem::Composites() const {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return true;
  const xcb_atom_t selection = Atom(c, "_NET_WM_CM_S" + std::to_string(ScreenNumber()));
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
  const bool owned = reply != nullptr && reply->owner != XCB_NONE;
  std::free(reply);
  return owned;
}

bool DesktopWindowSystem::PlacesMaximisedWindows() const {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return true;
  const xcb_window_t root = Root(c, ScreenNumber());
  const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  // The check window names itself; one left behind by a window manager
  // that has gone names nothing (or no longer exists).
  const std::vector<uint32_t> wm = Property(c, root, check, XCB_ATOM_WINDOW);
  if (wm.size() != 1 || Property(c, wm[0], check, XCB_ATOM_WINDOW) != wm) return false;
  const std::vector<uint32_t> supported =
      Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  auto listed = [&](const char* name) {
    return std::find(supported.begin(), supported.end(), Atom(c, name)) != supported.end();
  };
  return listed("_NET_WM_STATE_MAXIMIZED_VERT") && listed("_NET_WM_STATE_MAXIMIZED_HORZ");
}

}  // namespace cindral
