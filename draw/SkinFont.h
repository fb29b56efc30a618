// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font of a named family at a size in pixels.

#include <QFont>
#include <QString>

namespace cindral {

class SkinFont {
 public:
  enum Style { kRegular = 0, kBold = 1 };
  SkinFont(const QString& family, int pixelSize, Style style);
  const QFont& font() const { return font_; }

 private:
  QFont font_;
};

}  // namespace cindral
