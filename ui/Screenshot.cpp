// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Screenshot.h"

#include <QPixmap>
#include <QWidget>

namespace cindral {

bool SaveScreenshot(QWidget* widget, const QString& path) {
  if (widget == nullptr) return false;
  const QPixmap picture = widget->grab();
  return !picture.isNull() && picture.save(path, "PNG");
}

}  // namespace cindral
