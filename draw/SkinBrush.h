// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A solid fill in one ARGB colour.

#include <QBrush>
#include <cstdint>

namespace cindral {

class SkinBrush {
 public:
  explicit SkinBrush(uint32_t argb);
  void SetColor(uint32_t argb);
  const QBrush& brush() const { return brush_; }

 private:
  QBrush brush_;
};

}  // namespace cindral
