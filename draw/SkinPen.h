// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pen of one ARGB colour and a width in pixels.

#include <QPen>
#include <cstdint>

namespace cindral {

class SkinPen {
 public:
  SkinPen(uint32_t argb, double width);
  void SetColor(uint32_t argb);
  const QPen& pen() const { return pen_; }

 private:
  QPen pen_;
};

}  // namespace cindral
