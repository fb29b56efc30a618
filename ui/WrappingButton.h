// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button whose caption wraps onto more lines when one line is too
// narrow for it, as the laid-out buttons do ("从生词本中删除(D)" in a
// 100-pixel button shows on two lines).

#include <QPushButton>

namespace cindral {

class WrappingButton : public QPushButton {
  Q_OBJECT

 public:
  explicit WrappingButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace cindral
