// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves what a window shows, for looking at the windows without a screen.

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace cindral {

// Renders `widget` (shown or not) and writes it as a PNG file.
inline bool SaveScreenshot(QWidget* widget, const QString& path) {
  if (widget == nullptr) return false;
  const QPixmap picture = widget->grab();
  return !picture.isNull() && picture.save(path, "PNG");
}

}  // namespace cindral
