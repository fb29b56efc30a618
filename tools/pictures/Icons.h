// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Round icons of the message box (40 x 40), the four page icons of the main
// window (36 x 36) and the program's icon.

#include <QImage>

namespace cindral::pictures {

class Icons {
 public:
  enum BoxIcon { kInformation, kSuccess, kWarning, kError, kQuestion };
  static QImage Box(BoxIcon icon);
  // Pages 0..3: home, learning, group test, intensive review.
  static QImage Page(int page);
  static QImage Program(int size);
};

}  // namespace cindral::pictures
