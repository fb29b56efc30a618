#include "ui/PictureButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>

namespace cindral {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

QSize PictureButton::sizeHint() const {
  const QFontMetrics metrics(font());
  return metrics.size(Qt::TextShowMnemonic, text()).grownBy(QMargins(8, 8, 8, 8));
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect area = rect();

  if (!icon().isNull()) {
    icon().paint(&painter, area, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
  }
  if (isDown()) {
    painter.fillRect(area, QColor(0, 0, 0, 48));
  } else if (hovered_ && isEnabled()) {
    painter.fillRect(area, QColor(255, 255, 255, 72));
  }
  if (isChecked()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
  } else if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(area.adjusted(2, 2, -3, -3));
  }

  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.setFont(font());
  // The text is set with its & doubled (see ControlText), so mnemonic
  // drawing shows it literally.
  painter.drawText(area.adjusted(6, 4, -6, -4),
                   Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

}  // namespace cindral
