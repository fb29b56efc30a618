// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameArt.h"

#include <QLinearGradient>
#include <cmath>

#include "Canvas.h"
#include "HeaderScenes.h"

namespace cindral::pictures {

namespace {

// Strokes `path` white over a faint dark halo, so it reads on light and dark.
void GlyphStroke(QPainter& p, const QPainterPath& path, const QColor& colour = Qt::white,
                 double width = 1.4) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 120), width + 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
}

QPainterPath GlyphPath(FrameArt::Glyph glyph, const QPointF& c) {
  QPainterPath path;
  switch (glyph) {
    case FrameArt::kClose:
      path.moveTo(c + QPointF(-4, -4));
      path.lineTo(c + QPointF(4, 4));
      path.moveTo(c + QPointF(4, -4));
      path.lineTo(c + QPointF(-4, 4));
      break;
    case FrameArt::kMinimize:
      path.moveTo(c + QPointF(-5, 4));
      path.lineTo(c + QPointF(5, 4));
      break;
    case FrameArt::kMenu:  // a small box with an arrow pointing down into it
      path.addRect(QRectF(c + QPointF(-5, -2), QSizeF(10, 7)));
      path.moveTo(c + QPointF(0, -6));
      path.lineTo(c + QPointF(0, 2));
      path.moveTo(c + QPointF(-2.5, -0.5));
      path.lineTo(c + QPointF(0, 2));
      path.lineTo(c + QPointF(2.5, -0.5));
      break;
    case FrameArt::kMaximize:
      path.addRect(QRectF(c + QPointF(-4, -4), QSizeF(9, 9)));
      path.moveTo(c + QPointF(-4, -3));
      path.lineTo(c + QPointF(5, -3));
      break;
    case FrameArt::kRestore:
      path.addRect(QRectF(c + QPointF(-5, -2), QSizeF(7, 7)));
      path.moveTo(c + QPointF(-2, -2));
      path.lineTo(c + QPointF(-2, -5));
      path.lineTo(c + QPointF(5, -5));
      path.lineTo(c + QPointF(5, 2));
      path.lineTo(c + QPointF(2, 2));
      break;
    case FrameArt::kBubble: {  // a speech bubble with a tail at the lower left
      QPainterPath bubble;
      bubble.addRoundedRect(QRectF(c + QPointF(-6, -5), QSizeF(12, 8.5)), 2.5, 2.5);
      QPainterPath tail;
      tail.moveTo(c + QPointF(-3.5, 3));
      tail.lineTo(c + QPointF(-4.5, 6.5));
      tail.lineTo(c + QPointF(0, 3));
      path = bubble.united(tail);
      break;
    }
  }
  return path;
}

}  // namespace

QImage FrameArt::CaptionButton(Glyph glyph, State state) {
  const int width = glyph == kClose ? 39 : glyph == kBubble ? 28 : 27;
  QImage image = Blank(width, 19);
  QPainter p(&image);
  Smooth(p);
  const QRectF face(0, 0, width, 19);
  if (state != kNormal) {
    QColor fill;
    if (glyph == kClose) {
      fill = state == kHover ? QColor(226, 64, 56, 235) : QColor(176, 40, 34, 240);
    } else {
      fill = state == kHover ? QColor(255, 255, 255, 60) : QColor(0, 0, 0, 60);
    }
    // Rounded only at the bottom: the button hangs from the window's top edge.
    QPainterPath shape;
    shape.moveTo(face.topLeft());
    shape.lineTo(face.topRight());
    shape.lineTo(face.right(), face.bottom() - 3);
    shape.quadTo(face.bottomRight(), QPointF(face.right() - 3, face.bottom()));
    shape.lineTo(face.left() + 3, face.bottom());
    shape.quadTo(face.bottomLeft(), QPointF(face.left(), face.bottom() - 3));
    shape.closeSubpath();
    p.fillPath(shape, fill);
  }
  const QPointF centre(width / 2.0, 9.5 + (state == kPressed ? 0.5 : 0));
  const bool red = glyph == kClose && state == kNormal;
  GlyphStroke(p, GlyphPath(glyph, centre), red ? QColor(236, 236, 236) : Qt::white,
              glyph == kClose ? 1.6 : 1.3);
  return image;
}

QImage FrameArt::PageBackground(bool selected) {
  QImage image = Blank(76, 71);
  QPainter p(&image);
  Smooth(p);
  const QRectF box(0.5, 0.5, 75, 70);
  QLinearGradient fill(0, 0, 0, 71);
  if (selected) {
    fill.setColorAt(0, QColor(255, 255, 255, 120));
    fill.setColorAt(1, QColor(255, 255, 255, 70));
  } else {
    fill.setColorAt(0, QColor(255, 255, 255, 70));
    fill.setColorAt(1, QColor(255, 255, 255, 30));
  }
  p.setPen(QPen(QColor(255, 255, 255, selected ? 170 : 110), 1));
  p.setBrush(fill);
  p.drawRoundedRect(box, 4, 4);
  p.setPen(QPen(QColor(0, 0, 0, selected ? 60 : 35), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(box.adjusted(-0.0, -0.0, 0, 0).translated(0, 0), 4, 4);
  p.setPen(QPen(QColor(255, 255, 255, selected ? 140 : 80), 1));
  p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
  return image;
}

QImage FrameArt::SizeGrip() {
  QImage image = Blank(9, 8);
  QPainter p(&image);
  // Six dots in a stair: three on the bottom row, two above, one at the top.
  const QPoint dots[] = {{7, 6}, {4, 6}, {1, 6}, {7, 3}, {4, 3}, {7, 0}};
  for (const QPoint& d : dots) {
    p.fillRect(QRect(d, QSize(2, 2)), QColor(255, 255, 255, 150));
    p.fillRect(QRect(d, QSize(1, 1)), QColor(0, 0, 0, 110));
  }
  return image;
}

QImage FrameArt::SkinIcon() {
  QImage image = Blank(14, 14);
  QPainter p(&image);
  Smooth(p);
  // A painter's palette with a thumb hole and three dabs of colour.
  QPainterPath palette;
  palette.addEllipse(QRectF(0.8, 1.5, 12.4, 11));
  QPainterPath hole;
  hole.addEllipse(QRectF(8.2, 7.2, 3, 2.6));
  palette = palette.subtracted(hole);
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  p.setBrush(QColor(250, 246, 236));
  p.drawPath(palette);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(226, 70, 60));
  p.drawEllipse(QPointF(4.2, 5.2), 1.5, 1.5);
  p.setBrush(QColor(70, 150, 230));
  p.drawEllipse(QPointF(7.6, 4.2), 1.5, 1.5);
  p.setBrush(QColor(250, 196, 50));
  p.drawEllipse(QPointF(4.0, 9.0), 1.5, 1.5);
  return image;
}

QImage FrameArt::SkinBackground(bool pressed) {
  QImage image = Blank(28, 22);
  QPainter p(&image);
  Smooth(p);
  p.setPen(QPen(pressed ? QColor(255, 255, 255, 230) : QColor(255, 255, 255, 120), 1));
  p.setBrush(pressed ? QColor(255, 255, 255, 220) : QColor(120, 120, 120, 110));
  p.drawRoundedRect(QRectF(0.5, 0.5, 27, 21), 3, 3);
  return image;
}

QImage FrameArt::ChooserBackground() {
  QImage image = Blank(218, 174);
  QPainter p(&image);
  Smooth(p);
  // A soft shadow one pixel wide around a white card.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(QRectF(0, 0, 218, 174), 4, 4);
  p.setBrush(QColor(252, 252, 252));
  p.setPen(QPen(QColor(160, 164, 170), 1));
  p.drawRoundedRect(QRectF(1.5, 1.5, 215, 171), 3, 3);
  return image;
}

QImage FrameArt::Tab(bool colours, State state) {
  QImage image = Blank(40, 30);
  QPainter p(&image);
  Smooth(p);
  if (state == kHover) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 232, 240));
    p.drawRoundedRect(QRectF(2, 3, 36, 25), 3, 3);
  }
  const QColor ink = state == kPressed ? QColor(40, 110, 200)
                     : state == kHover ? QColor(60, 70, 84)
                                       : QColor(120, 126, 136);
  p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (!colours) {  // a framed picture with a hill and a sun
    p.drawRoundedRect(QRectF(11.5, 8.5, 17, 13), 1.5, 1.5);
    QPainterPath hill;
    hill.moveTo(12, 21);
    hill.lineTo(17, 15);
    hill.lineTo(20.5, 18.5);
    hill.lineTo(23, 16);
    hill.lineTo(28, 21);
    p.drawPath(hill);
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24.5, 12), 1.6, 1.6);
  } else {  // four swatches
    const QColor swatches[] = {QColor(226, 80, 70), QColor(250, 190, 60), QColor(70, 160, 90),
                               QColor(70, 130, 220)};
    for (int i = 0; i < 4; ++i) {
      const QRectF cell(12 + (i % 2) * 9, 8 + (i / 2) * 8, 7, 6);
      p.setPen(QPen(ink, 1));
      QColor fill = swatches[i];
      if (state == kNormal) fill.setAlpha(150);
      p.setBrush(fill);
      p.drawRect(cell);
    }
  }
  return image;
}

QImage FrameArt::TabUnderlay() {
  QImage image = Blank(40, 30);
  QPainter p(&image);
  p.fillRect(QRect(0, 0, 40, 30), Qt::white);
  p.fillRect(QRect(0, 0, 40, 3), QColor(250, 196, 40));
  p.fillRect(QRect(0, 0, 1, 30), QColor(219, 220, 220));
  p.fillRect(QRect(39, 0, 1, 30), QColor(219, 220, 220));
  return image;
}

QImage FrameArt::ContentFrame() {
  QImage image = Blank(208, 133);
  QPainter p(&image);
  p.fillRect(QRect(0, 0, 208, 133), Qt::white);
  p.setPen(QColor(226, 228, 232));
  p.drawRect(QRect(0, 0, 207, 132));
  return image;
}

QImage FrameArt::Thumbnail(int n) {
  QImage thumbnail(68, 43, QImage::Format_RGB32);
  if (n == 1) {
    QPainter p(&thumbnail);
    QLinearGradient blue(0, 0, 0, 43);
    blue.setColorAt(0, QColor(0x5A, 0xB0, 0xE4));
    blue.setColorAt(1, QColor(0x4D, 0xA6, 0xDE));
    p.fillRect(QRect(0, 0, 68, 43), blue);
    return thumbnail;
  }
  // The part of the scene that a window of the usual size shows, scaled down.
  const QImage scene = HeaderScenes::Scene(n);
  const QImage part = scene.copy(QRect(520, 5, 316, 200));
  thumbnail = part.scaled(68, 43, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
  return thumbnail;
}

QImage FrameArt::ThumbnailOverlay(bool selected) {
  QImage image = Blank(68, 43);
  QPainter p(&image);
  if (selected) {
    p.setPen(Qt::NoPen);
    p.fillRect(QRect(0, 0, 68, 2), QColor(96, 100, 108));
    p.fillRect(QRect(0, 41, 68, 2), QColor(96, 100, 108));
    p.fillRect(QRect(0, 0, 2, 43), QColor(96, 100, 108));
    p.fillRect(QRect(66, 0, 2, 43), QColor(96, 100, 108));
    // A check in the corner.
    Smooth(p);
    p.setBrush(QColor(96, 100, 108));
    p.drawEllipse(QRectF(53, 29, 13, 12));
    QPainterPath tick;
    tick.moveTo(56, 35);
    tick.lineTo(58.6, 37.6);
    tick.lineTo(63, 32.5);
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  } else {
    QPen dashed(QColor(255, 255, 255), 1, Qt::CustomDashLine);
    dashed.setDashPattern({2, 2});
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawRect(QRect(0, 0, 67, 42));
    p.setPen(dashed);
    p.drawRect(QRect(0, 0, 67, 42));
  }
  return image;
}

QImage FrameArt::ColourMark() {
  QImage image = Blank(16, 17);
  QPainter p(&image);
  Smooth(p);
  QPainterPath tick;
  tick.moveTo(3.5, 8.5);
  tick.lineTo(6.5, 11.5);
  tick.lineTo(12, 5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 150), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
  p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
  return image;
}

QImage FrameArt::BoxClose(State state) {
  QImage image = Blank(40, 19);
  QPainter p(&image);
  Smooth(p);
  if (state != kNormal) {
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(40, 0);
    shape.lineTo(40, 16);
    shape.quadTo(40, 19, 37, 19);
    shape.lineTo(3, 19);
    shape.quadTo(0, 19, 0, 16);
    shape.closeSubpath();
    p.fillPath(shape, state == kHover ? QColor(226, 64, 56, 235) : QColor(176, 40, 34, 240));
  }
  GlyphStroke(p, GlyphPath(kClose, QPointF(20, 9.5 + (state == kPressed ? 0.5 : 0))),
              state == kNormal ? QColor(236, 236, 236) : Qt::white, 1.6);
  return image;
}

QImage FrameArt::BoxButton(int look) {
  QImage image = Blank(69, 21);
  QPainter p(&image);
  Smooth(p);
  QLinearGradient face(0, 0, 0, 21);
  QColor border(172, 176, 184);
  switch (look) {
    case kHover:
      face.setColorAt(0, QColor(240, 247, 255));
      face.setColorAt(1, QColor(214, 232, 252));
      border = QColor(96, 150, 214);
      break;
    case kPressed:
      face.setColorAt(0, QColor(196, 220, 246));
      face.setColorAt(1, QColor(216, 232, 250));
      border = QColor(70, 120, 190);
      break;
    default:
      face.setColorAt(0, QColor(255, 255, 255));
      face.setColorAt(1, QColor(234, 236, 240));
      if (look == kPressed + 1) border = QColor(70, 130, 210);
      break;
  }
  p.setPen(QPen(border, 1));
  p.setBrush(face);
  p.drawRoundedRect(QRectF(0.5, 0.5, 68, 20), 3, 3);
  if (look == kPressed + 1) {  // the default button: a second, inner ring
    p.setPen(QPen(QColor(150, 190, 240), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 66, 18), 2, 2);
  }
  return image;
}

}  // namespace cindral::pictures
