// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A button drawn without a face of its own, so the picture behind it shows
// through. Its text (wrapped, centred, and shrunk when long) sits on a soft
// rounded plate in the palette's base colour, so that it stays readable over
// any picture; the plate brightens under the mouse and darkens when pressed.
// A checked button is the chosen one: a highlight frame runs round the
// whole button and its plate takes a tint of the highlight colour.

#include <QAbstractButton>

namespace cindral {

class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);

  QSize sizeHint() const override;

  // Where the text is drawn and the plate behind it, in the button's
  // coordinates, and the pixel size the text is drawn at.
  QRect TextArea() const;
  QRectF PlateRect() const;
  int ShownPixelSize() const;
  // Whether the whole text fits on the plate.
  bool TextFits() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool hovered_ = false;
};

}  // namespace cindral
