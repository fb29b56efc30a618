// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buttons that a window draws itself, without a widget of their own (the
// frame's page, caption and skin buttons; the chooser's tabs, thumbnails
// and swatches), made known to the accessibility interface: each with its
// name, role, place and states, and a press action that clicks its middle
// through the window's own mouse handling, as the pointer would. A screen
// reader names them; a test presses them by name.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace cindral {

struct AccessibleArea {
  QString name;
  QAccessible::Role role = QAccessible::Button;
  QRect rect;  // in the window's coordinates
  bool shown = true;
  bool checkable = false;
  bool checked = false;
};

// The window's drawn buttons as they are at the moment of asking.
using AccessibleAreaSource = std::function<std::vector<AccessibleArea>()>;

// From now on `window`'s accessible interface has the areas that `source`
// gives as its children (after its child widgets). The source lives as
// long as the window.
void ExposeAccessibleAreas(QWidget* window, AccessibleAreaSource source);

}  // namespace cindral
