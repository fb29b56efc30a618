// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VirtualKey.h"

#include <Qt>

namespace cindral {

int VirtualKeyCode(int qtKey) {
  // Letters: Qt numbers them by their upper-case ASCII codes too.
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
  switch (qtKey) {
    // The choice's numbers, shifted or not.
    case Qt::Key_1:
    case Qt::Key_Exclam:
      return kKey1;
    case Qt::Key_2:
    case Qt::Key_At:
      return kKey2;
    case Qt::Key_3:
    case Qt::Key_NumberSign:
      return kKey3;
    case Qt::Key_4:
    case Qt::Key_Dollar:
      return kKey4;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_QuoteLeft:   // `
    case Qt::Key_AsciiTilde:  // ~ (the same key with Shift)
      return kKeyTilde;
    default:
      return 0;
  }
}

}  // namespace cindral
