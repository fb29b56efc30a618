// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Icons.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "Canvas.h"

namespace cindral::pictures {

namespace {

// A glossy ball of `colour` filling a `size` square.
void Ball(QPainter& p, double size, const QColor& colour) {
  const QRectF box(1, 1, size - 2, size - 2);
  QRadialGradient fill(QPointF(size * 0.4, size * 0.3), size * 0.75);
  fill.setColorAt(0, colour.lighter(135));
  fill.setColorAt(1, colour.darker(115));
  p.setPen(QPen(colour.darker(140), 1));
  p.setBrush(fill);
  p.drawEllipse(box);
  QLinearGradient shine(0, 2, 0, size * 0.5);
  shine.setColorAt(0, QColor(255, 255, 255, 110));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawEllipse(QRectF(size * 0.2, 3, size * 0.6, size * 0.42));
}

QPen Ink(double width) {
  return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A rounded tile with a top-to-bottom gradient, the ground of each page icon.
void Tile(QPainter& p, const QColor& top, const QColor& bottom) {
  QLinearGradient fill(0, 0, 0, 36);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setPen(QPen(bottom.darker(130), 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(1.5, 1.5, 33, 33), 8, 8);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(2.5, 2.5, 31, 31), 7, 7);
}

}  // namespace

QImage Icons::Box(BoxIcon icon) {
  QImage image = Blank(40, 40);
  QPainter p(&image);
  Smooth(p);
  const QColor colours[] = {QColor(46, 120, 214), QColor(52, 168, 83), QColor(240, 150, 30),
                            QColor(218, 56, 50), QColor(96, 120, 150)};
  Ball(p, 40, colours[icon]);
  p.setBrush(Qt::NoBrush);
  switch (icon) {
    case kInformation:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(20, 11.5), 2.6, 2.6);
      p.drawRoundedRect(QRectF(17.6, 16.5, 4.8, 14), 1.5, 1.5);
      break;
    case kSuccess: {
      QPainterPath tick;
      tick.moveTo(11.5, 20.5);
      tick.lineTo(17.5, 26.5);
      tick.lineTo(28.5, 13.5);
      p.setPen(Ink(4.2));
      p.drawPath(tick);
      break;
    }
    case kWarning:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(17.6, 8.5, 4.8, 15.5), 2, 2);
      p.drawEllipse(QPointF(20, 29.5), 2.7, 2.7);
      break;
    case kError:
      p.setPen(Ink(4.2));
      p.drawLine(QPointF(13.5, 13.5), QPointF(26.5, 26.5));
      p.drawLine(QPointF(26.5, 13.5), QPointF(13.5, 26.5));
      break;
    case kQuestion: {
      QPainterPath hook;
      hook.moveTo(14.2, 15.5);
      hook.cubicTo(14.2, 8.5, 26, 8, 26, 15);
      hook.cubicTo(26, 19.5, 20, 19.5, 20, 24);
      p.setPen(Ink(4));
      p.drawPath(hook);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(20, 30), 2.6, 2.6);
      break;
    }
  }
  return image;
}

QImage Icons::Page(int page) {
  QImage image = Blank(36, 36);
  QPainter p(&image);
  Smooth(p);
  switch (page) {
    case 0: {  // home: a house
      Tile(p, QColor(92, 170, 240), QColor(40, 110, 200));
      QPainterPath house;
      house.moveTo(9, 18);
      house.lineTo(18, 9.5);
      house.lineTo(27, 18);
      p.setPen(Ink(2.6));
      p.drawPath(house);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      QPainterPath body;
      body.addRect(QRectF(11.5, 17.5, 13, 9.5));
      QPainterPath door;
      door.addRoundedRect(QRectF(16, 20.5, 4, 6.5), 1, 1);
      p.drawPath(body.subtracted(door));
      break;
    }
    case 1: {  // learning: an open book
      Tile(p, QColor(112, 204, 120), QColor(44, 150, 74));
      QPainterPath left, right;
      left.moveTo(18, 12);
      left.cubicTo(15, 9.5, 11, 9.5, 7.5, 11);
      left.lineTo(7.5, 26);
      left.cubicTo(11, 24.5, 15, 24.5, 18, 27);
      left.closeSubpath();
      right.moveTo(18, 12);
      right.cubicTo(21, 9.5, 25, 9.5, 28.5, 11);
      right.lineTo(28.5, 26);
      right.cubicTo(25, 24.5, 21, 24.5, 18, 27);
      right.closeSubpath();
      p.setPen(QPen(QColor(30, 110, 56), 1));
      p.setBrush(Qt::white);
      p.drawPath(left);
      p.drawPath(right);
      p.setPen(QPen(QColor(120, 180, 130), 1));
      for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(10, 14.5 + i * 3.5), QPointF(15.5, 15 + i * 3.5));
        p.drawLine(QPointF(20.5, 15 + i * 3.5), QPointF(26, 14.5 + i * 3.5));
      }
      break;
    }
    case 2: {  // group test: a sheet with ticks
      Tile(p, QColor(252, 182, 80), QColor(226, 122, 26));
      p.setPen(QPen(QColor(180, 96, 20), 1));
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(10.5, 7.5, 15, 21), 2, 2);
      QPen tick(QColor(226, 122, 26), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      for (int i = 0; i < 3; ++i) {
        const double y = 13 + i * 5.5;
        QPainterPath mark;
        mark.moveTo(13, y);
        mark.lineTo(14.5, y + 1.5);
        mark.lineTo(17, y - 1.5);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        p.drawPath(mark);
        p.setPen(QPen(QColor(200, 200, 200), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, y), QPointF(23, y));
      }
      break;
    }
    default: {  // intensive review: a rising arrow over bars
      Tile(p, QColor(190, 130, 236), QColor(128, 72, 196));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 255, 255, 200));
      p.drawRect(QRectF(9, 21, 4, 6));
      p.drawRect(QRectF(15, 17, 4, 10));
      p.drawRect(QRectF(21, 13, 4, 14));
      QPainterPath arrow;
      arrow.moveTo(8, 18);
      arrow.lineTo(16, 11);
      arrow.lineTo(20, 14);
      arrow.lineTo(27.5, 7.5);
      p.setPen(Ink(2.2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(arrow);
      QPainterPath head;
      head.moveTo(28.5, 6.5);
      head.lineTo(22.5, 7.5);
      head.lineTo(27.5, 12.5);
      head.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPath(head);
      break;
    }
  }
  return image;
}

QImage Icons::Program(int size) {
  QImage image = Blank(size, size);
  QPainter p(&image);
  Smooth(p);
  p.scale(size / 32.0, size / 32.0);
  QLinearGradient fill(0, 0, 0, 32);
  fill.setColorAt(0, QColor(64, 170, 226));
  fill.setColorAt(1, QColor(28, 110, 190));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
  // A card with a bold "A" and a line of text under it.
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(7, 5, 18, 22), 2.5, 2.5);
  QPainterPath letter;
  letter.moveTo(11, 20);
  letter.lineTo(16, 8.5);
  letter.lineTo(21, 20);
  letter.moveTo(12.8, 16);
  letter.lineTo(19.2, 16);
  p.setPen(QPen(QColor(28, 110, 190), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(letter);
  p.setPen(QPen(QColor(250, 170, 40), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
  return image;
}

}  // namespace cindral::pictures
