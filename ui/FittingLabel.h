// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that shows its whole text (see TextFit.h): a long meaning in a
// one-line label shrinks instead of running out of sight. Always plain text.

#include <QLabel>

namespace cindral {

class FittingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FittingLabel(QWidget* parent = nullptr);

  // The pixel size the current text is drawn at, and whether it fits there.
  int ShownPixelSize() const;
  bool TextFits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace cindral
