// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A radio button that shows its whole caption (see TextFit.h): the four
// meanings of the choice window stay readable however long they are.

#include <QRadioButton>

namespace cindral {

class FittingRadioButton : public QRadioButton {
  Q_OBJECT

 public:
  explicit FittingRadioButton(QWidget* parent = nullptr);

  // The pixel size the caption is drawn at, and whether it fits there.
  int ShownPixelSize() const;
  bool TextFits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextArea() const;
  QString PlainText() const;
};

}  // namespace cindral
