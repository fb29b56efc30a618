// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FittingRadioButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/ControlText.h"
#include "ui/TextFit.h"

namespace cindral {

FittingRadioButton::FittingRadioButton(QWidget* parent) : QRadioButton(parent) {}

QRect FittingRadioButton::TextArea() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

QString FittingRadioButton::PlainText() const { return ControlQText(this); }

int FittingRadioButton::ShownPixelSize() const {
  return PixelSizeOf(FitText(font(), TextArea(), PlainText()).font);
}

bool FittingRadioButton::TextFits() const { return FitText(font(), TextArea(), PlainText()).fits; }

void FittingRadioButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_RadioButton, option);  // the indicator

  const QRect area = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
  const TextFit fit = FitText(font(), area, PlainText());
  painter.setFont(fit.font);
  int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
  if (fit.wrap) flags |= Qt::TextWordWrap;
  painter.drawItemText(area, flags, palette(), isEnabled(), caption, QPalette::WindowText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = area;
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace cindral
