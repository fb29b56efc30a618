// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowControls.h"

#include <QtGlobal>

#include "ui/WindowBuilder.h"

namespace cindral {

std::vector<ControlLayout> WindowControls::Layouts() const {
  std::vector<ControlLayout> layouts;
  layouts.reserve(controls_.size());
  for (const Entry& control : controls_) layouts.push_back(control.layout);
  return layouts;
}

void WindowControls::Find(const QWidget* window) {
  for (const Entry& control : controls_) {
    // Only a window built from another layout lacks a control.
    if (!control.take(FindControl(window, QString::fromUtf8(control.layout.name)))) {
      qFatal("Window %s has no control %s of its kind", qPrintable(window->objectName()),
             control.layout.name);
    }
  }
}

}  // namespace cindral
