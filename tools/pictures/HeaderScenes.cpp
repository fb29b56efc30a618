// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeaderScenes.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "Canvas.h"

namespace cindral::pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

QImage Opaque(const QColor& colour) {
  QImage image(HeaderScenes::kWidth, HeaderScenes::kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(colour);
  return image;
}

void VerticalGradient(QPainter& p, const QRectF& rect,
                      std::initializer_list<std::pair<double, QColor>> stops) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  for (const auto& [at, colour] : stops) gradient.setColorAt(at, colour);
  p.fillRect(rect, gradient);
}

// A band below a wavy edge y = base + sum of sines, filled with `brush`.
void Hill(QPainter& p, double base, double amplitude, double wavelength, double phase,
          const QBrush& brush, double fromX = 0) {
  QPainterPath path;
  path.moveTo(fromX, HeaderScenes::kHeight);
  for (double x = fromX; x <= HeaderScenes::kWidth + 4; x += 4) {
    const double y = base + amplitude * std::sin(2 * kPi * x / wavelength + phase) +
                     amplitude * 0.4 * std::sin(2 * kPi * x / (wavelength * 0.37) + phase * 2);
    path.lineTo(x, y);
  }
  path.lineTo(HeaderScenes::kWidth + 4, HeaderScenes::kHeight);
  path.closeSubpath();
  p.fillPath(path, brush);
}

void Cloud(QPainter& p, double x, double y, double size, int alpha) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, alpha));
  QPainterPath cloud;
  cloud.setFillRule(Qt::WindingFill);
  cloud.addEllipse(QPointF(x, y), size, size * 0.55);
  cloud.addEllipse(QPointF(x + size * 0.8, y + size * 0.1), size * 0.75, size * 0.45);
  cloud.addEllipse(QPointF(x - size * 0.8, y + size * 0.15), size * 0.6, size * 0.38);
  cloud.addEllipse(QPointF(x + size * 0.2, y - size * 0.35), size * 0.55, size * 0.45);
  p.drawPath(cloud.simplified());
}

void Bird(QPainter& p, double x, double y, double span, const QColor& colour) {
  QPainterPath path;
  path.moveTo(x - span, y - span * 0.3);
  path.quadTo(x - span * 0.4, y - span * 0.5, x, y);
  path.quadTo(x + span * 0.4, y - span * 0.5, x + span, y - span * 0.3);
  p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

}  // namespace

QImage HeaderScenes::Lighthouse() {
  QImage image = Opaque(Qt::black);
  QPainter p(&image);
  Smooth(p);
  const double horizon = 78;
  VerticalGradient(
      p, QRectF(0, 0, kWidth, horizon),
      {{0, QColor(22, 44, 84)}, {0.55, QColor(48, 88, 138)}, {1, QColor(214, 150, 112)}});
  // The evening glow low behind the lighthouse.
  QRadialGradient glow(QPointF(700, horizon), 260);
  glow.setColorAt(0, QColor(255, 196, 128, 170));
  glow.setColorAt(1, QColor(255, 196, 128, 0));
  p.fillRect(QRectF(60, 0, kWidth - 60, horizon), glow);
  VerticalGradient(
      p, QRectF(0, horizon, kWidth, kHeight - horizon),
      {{0, QColor(56, 96, 140)}, {0.25, QColor(36, 72, 114)}, {1, QColor(22, 52, 88)}});
  // Light on the water: short strokes, denser under the glow.
  Scatter scatter(2);
  for (int i = 0; i < 260; ++i) {
    const double x = scatter.Between(60, kWidth);
    const double y = scatter.Between(horizon + 2, 118);
    const double near = std::exp(-std::pow((x - 700) / 160, 2));
    const int alpha = static_cast<int>(40 + 120 * near);
    p.setPen(QPen(QColor(255, 214, 170, alpha), 1));
    const double length = 3 + 10 * near * scatter.Next();
    p.drawLine(QPointF(x, y), QPointF(x + length, y));
  }
  // Rocks.
  p.setPen(Qt::NoPen);
  QPainterPath rocks;
  rocks.moveTo(560, horizon + 20);
  rocks.cubicTo(585, horizon - 4, 610, horizon - 10, 640, horizon - 8);
  rocks.cubicTo(672, horizon - 14, 705, horizon - 2, 735, horizon + 10);
  rocks.cubicTo(748, horizon + 16, 760, horizon + 22, 770, horizon + 24);
  rocks.lineTo(560, horizon + 24);
  rocks.closeSubpath();
  p.fillPath(rocks, QColor(30, 38, 52));
  // The tower: white with two red bands, narrowing upwards.
  const double base = horizon - 6, top = 30, cx = 652;
  QPainterPath tower;
  tower.moveTo(cx - 15, base);
  tower.lineTo(cx - 10, top);
  tower.lineTo(cx + 10, top);
  tower.lineTo(cx + 15, base);
  tower.closeSubpath();
  QLinearGradient shade(cx - 15, 0, cx + 15, 0);
  shade.setColorAt(0, QColor(250, 246, 238));
  shade.setColorAt(1, QColor(196, 200, 210));
  p.fillPath(tower, shade);
  p.save();
  p.setClipPath(tower);
  p.fillRect(QRectF(cx - 20, top + 10, 40, 9), QColor(196, 58, 52));
  p.fillRect(QRectF(cx - 20, top + 28, 40, 9), QColor(196, 58, 52));
  p.restore();
  // Gallery, lantern and roof.
  p.fillRect(QRectF(cx - 13, top - 2, 26, 3), QColor(40, 44, 56));
  p.fillRect(QRectF(cx - 7, top - 11, 14, 9), QColor(255, 226, 140));
  p.setPen(QPen(QColor(40, 44, 56), 1));
  p.drawLine(QPointF(cx, top - 11), QPointF(cx, top - 2));
  p.setPen(Qt::NoPen);
  QPainterPath roof;
  roof.moveTo(cx - 9, top - 11);
  roof.lineTo(cx, top - 19);
  roof.lineTo(cx + 9, top - 11);
  roof.closeSubpath();
  p.fillPath(roof, QColor(170, 50, 46));
  // The beam, sweeping out to sea.
  QPainterPath beam;
  beam.moveTo(cx - 4, top - 7);
  beam.lineTo(430, top - 26);
  beam.lineTo(430, top + 6);
  beam.closeSubpath();
  QLinearGradient fade(cx, 0, 430, 0);
  fade.setColorAt(0, QColor(255, 236, 170, 110));
  fade.setColorAt(1, QColor(255, 236, 170, 0));
  p.fillPath(beam, fade);
  QRadialGradient lamp(QPointF(cx, top - 7), 16);
  lamp.setColorAt(0, QColor(255, 244, 200, 200));
  lamp.setColorAt(1, QColor(255, 244, 200, 0));
  p.fillRect(QRectF(cx - 16, top - 23, 32, 32), lamp);
  Bird(p, 520, 26, 5, QColor(20, 34, 60, 180));
  Bird(p, 540, 20, 4, QColor(20, 34, 60, 160));
  Bird(p, 760, 40, 4, QColor(20, 34, 60, 150));
  return image;
}

QImage HeaderScenes::Meadow() {
  QImage image = Opaque(Qt::black);
  QPainter p(&image);
  Smooth(p);
  VerticalGradient(p, QRectF(0, 0, kWidth, 90),
                   {{0, QColor(150, 204, 240)}, {1, QColor(226, 242, 250)}});
  QRadialGradient sun(QPointF(560, 28), 70);
  sun.setColorAt(0, QColor(255, 252, 220, 255));
  sun.setColorAt(0.18, QColor(255, 246, 200, 220));
  sun.setColorAt(1, QColor(255, 246, 200, 0));
  p.fillRect(QRectF(480, 0, 160, 100), sun);
  Cloud(p, 300, 30, 18, 200);
  Cloud(p, 740, 42, 14, 190);
  Cloud(p, 470, 56, 10, 170);
  Hill(p, 70, 6, 420, 0.8, QColor(170, 212, 150));
  Hill(p, 80, 5, 300, 2.1, QColor(150, 202, 118));
  QLinearGradient grass(0, 86, 0, kHeight);
  grass.setColorAt(0, QColor(138, 196, 96));
  grass.setColorAt(1, QColor(168, 212, 124));
  Hill(p, 92, 3, 500, 0.3, grass);
  // A tree on the rise.
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(689, 60, 5, 26), QColor(110, 82, 54));
  p.setBrush(QColor(92, 150, 74));
  p.drawEllipse(QPointF(691, 52), 19, 16);
  p.setBrush(QColor(110, 168, 84));
  p.drawEllipse(QPointF(684, 48), 11, 9);
  // Flowers scattered in the grass.
  Scatter scatter(3);
  const QColor petals[] = {QColor(255, 255, 255), QColor(255, 220, 90), QColor(244, 150, 180),
                           QColor(190, 160, 240)};
  for (int i = 0; i < 220; ++i) {
    const double x = scatter.Between(60, kWidth);
    const double y = scatter.Between(94, 112);
    const QColor colour = petals[static_cast<int>(scatter.Next() * 4) % 4];
    p.setBrush(colour);
    const double r = 0.9 + 1.1 * (y - 94) / 18;
    p.drawEllipse(QPointF(x, y), r, r);
  }
  return image;
}

QImage HeaderScenes::WindTurbines() {
  QImage image = Opaque(Qt::black);
  QPainter p(&image);
  Smooth(p);
  VerticalGradient(p, QRectF(0, 0, kWidth, 100),
                   {{0, QColor(58, 118, 186)}, {1, QColor(156, 198, 232)}});
  Cloud(p, 380, 34, 14, 150);
  Cloud(p, 600, 20, 11, 140);
  Hill(p, 78, 7, 380, 1.0, QColor(120, 170, 104));
  Hill(p, 90, 6, 520, 2.6, QColor(86, 146, 72));
  QLinearGradient field(0, 92, 0, kHeight);
  field.setColorAt(0, QColor(78, 138, 64));
  field.setColorAt(1, QColor(62, 116, 52));
  Hill(p, 100, 3, 610, 0.4, field);
  struct Turbine {
    double x, base, hub, blade, angle;
  } turbines[] = {{548, 84, 36, 22, 10}, {640, 80, 24, 28, 47}, {752, 88, 44, 18, 83}};
  for (const Turbine& t : turbines) {
    QPainterPath tower;
    tower.moveTo(t.x - 2.2, t.base);
    tower.lineTo(t.x - 1, t.hub);
    tower.lineTo(t.x + 1, t.hub);
    tower.lineTo(t.x + 2.2, t.base);
    tower.closeSubpath();
    p.fillPath(tower, QColor(246, 248, 250));
    for (int k = 0; k < 3; ++k) {
      const double a = (t.angle + 120 * k) * kPi / 180;
      QPainterPath blade;
      const QPointF tip(t.x + t.blade * std::cos(a), t.hub + t.blade * std::sin(a));
      const QPointF side(-std::sin(a) * 1.8, std::cos(a) * 1.8);
      blade.moveTo(t.x, t.hub);
      blade.quadTo(QPointF(t.x, t.hub) + (tip - QPointF(t.x, t.hub)) * 0.3 + side, tip);
      blade.quadTo(QPointF(t.x, t.hub) + (tip - QPointF(t.x, t.hub)) * 0.3 - side * 0.3,
                   QPointF(t.x, t.hub));
      p.fillPath(blade, QColor(238, 242, 246));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 220, 228));
    p.drawEllipse(QPointF(t.x, t.hub), 2.2, 2.2);
  }
  return image;
}

QImage HeaderScenes::BlueWaves() {
  QImage image = Opaque(Qt::black);
  QPainter p(&image);
  Smooth(p);
  VerticalGradient(
      p, QRectF(0, 0, kWidth, kHeight),
      {{0, QColor(30, 78, 140)}, {0.5, QColor(36, 96, 166)}, {1, QColor(24, 64, 116)}});
  // Layered ribbons of light, each a band between two gentle waves.
  struct Ribbon {
    double base, amplitude, wavelength, phase, thickness;
    int alpha;
  } ribbons[] = {{26, 10, 520, 0.0, 16, 34}, {44, 14, 610, 1.3, 22, 28},
                 {62, 9, 450, 2.4, 12, 44},  {80, 12, 700, 3.7, 26, 30},
                 {98, 8, 380, 4.9, 10, 40},  {112, 10, 560, 0.7, 20, 24}};
  for (const Ribbon& r : ribbons) {
    QPainterPath band;
    for (double x = 0; x <= kWidth; x += 4) {
      const double y = r.base + r.amplitude * std::sin(2 * kPi * x / r.wavelength + r.phase);
      if (x == 0) {
        band.moveTo(x, y);
      } else {
        band.lineTo(x, y);
      }
    }
    for (double x = kWidth; x >= 0; x -= 4) {
      const double y = r.base + r.thickness +
                       r.amplitude * std::sin(2 * kPi * x / (r.wavelength * 1.1) + r.phase + 0.6);
      band.lineTo(x, y);
    }
    band.closeSubpath();
    QLinearGradient light(0, 0, kWidth, 0);
    light.setColorAt(0, QColor(170, 214, 255, r.alpha / 2));
    light.setColorAt(1, QColor(190, 228, 255, r.alpha + 20));
    p.fillPath(band, light);
    p.setPen(QPen(QColor(220, 240, 255, r.alpha + 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(band);
  }
  return image;
}

QImage HeaderScenes::Underwater() {
  QImage image = Opaque(Qt::black);
  QPainter p(&image);
  Smooth(p);
  VerticalGradient(p, QRectF(0, 0, kWidth, kHeight),
                   {{0, QColor(150, 222, 232)},
                    {0.35, QColor(84, 186, 206)},
                    {0.5, QColor(70, 170, 192)},
                    {0.62, QColor(200, 196, 150)},
                    {1, QColor(226, 214, 170)}});
  // Sun rays from the surface.
  Scatter scatter(6);
  for (int i = 0; i < 9; ++i) {
    const double x = 120 + i * 80 + scatter.Between(-20, 20);
    QPainterPath ray;
    ray.moveTo(x, 0);
    ray.lineTo(x + 14, 0);
    ray.lineTo(x - 30, 120);
    ray.lineTo(x - 58, 120);
    ray.closeSubpath();
    QLinearGradient fade(0, 0, 0, 120);
    fade.setColorAt(0, QColor(255, 255, 255, 70));
    fade.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(ray, fade);
  }
  // The sand floor with a soft ridge.
  QLinearGradient sand(0, 96, 0, kHeight);
  sand.setColorAt(0, QColor(214, 200, 150));
  sand.setColorAt(1, QColor(226, 214, 170));
  Hill(p, 100, 3, 340, 1.2, sand);
  // Sea grass.
  for (int i = 0; i < 10; ++i) {
    const double x = scatter.Between(560, 830);
    const double height = scatter.Between(24, 48);
    QPainterPath blade;
    blade.moveTo(x, 104);
    blade.cubicTo(x - 6, 104 - height * 0.4, x + 6, 104 - height * 0.7, x + scatter.Between(-4, 4),
                  104 - height);
    p.setPen(QPen(QColor(58, 138, 84, 220), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(blade);
  }
  // A few fish.
  struct Fish {
    double x, y, size;
    QColor colour;
  } fish[] = {{520, 42, 7, QColor(250, 150, 60)},
              {560, 54, 5, QColor(250, 190, 70)},
              {700, 34, 6, QColor(240, 120, 90)},
              {610, 70, 4, QColor(250, 210, 80)}};
  for (const Fish& f : fish) {
    p.setPen(Qt::NoPen);
    p.setBrush(f.colour);
    p.drawEllipse(QPointF(f.x, f.y), f.size * 1.6, f.size);
    QPainterPath tail;
    tail.moveTo(f.x + f.size * 1.3, f.y);
    tail.lineTo(f.x + f.size * 2.5, f.y - f.size * 0.9);
    tail.lineTo(f.x + f.size * 2.5, f.y + f.size * 0.9);
    tail.closeSubpath();
    p.drawPath(tail);
    p.setBrush(QColor(30, 40, 50));
    p.drawEllipse(QPointF(f.x - f.size * 0.9, f.y - f.size * 0.2), 1.1, 1.1);
  }
  // Bubbles rising.
  for (int i = 0; i < 26; ++i) {
    const double x = scatter.Between(480, 820);
    const double y = scatter.Between(8, 96);
    const double r = scatter.Between(1.2, 3.2);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.9));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(x, y), r, r);
  }
  return image;
}

namespace {

// Horizontal planks; the grain repeats every 50 columns.
QImage Wood(const QColor& light, const QColor& dark, uint32_t seed) {
  QImage image = Opaque(light);
  QPainter p(&image);
  Smooth(p);
  Scatter scatter(seed);
  const int plank = 34;
  for (int top = 0; top < HeaderScenes::kHeight; top += plank) {
    const double tone = scatter.Between(-0.06, 0.06);
    const QColor base = QColor::fromRgbF(std::clamp(light.redF() + tone, 0.0, 1.0),
                                         std::clamp(light.greenF() + tone, 0.0, 1.0),
                                         std::clamp(light.blueF() + tone, 0.0, 1.0));
    p.fillRect(QRectF(0, top, HeaderScenes::kWidth, plank), base);
    for (int line = 0; line < 9; ++line) {
      const double y0 = top + 2 + line * (plank - 4) / 9.0 + scatter.Between(0, 2);
      const double a1 = scatter.Between(0.3, 1.4), a2 = scatter.Between(0.2, 0.8);
      const double ph = scatter.Between(0, 2 * kPi);
      QPainterPath grain;
      for (double x = 0; x <= HeaderScenes::kWidth; x += 2) {
        const double y =
            y0 + a1 * std::sin(2 * kPi * x / 50 + ph) + a2 * std::sin(2 * kPi * x / 25 + ph * 1.7);
        if (x == 0) {
          grain.moveTo(x, y);
        } else {
          grain.lineTo(x, y);
        }
      }
      QColor colour = dark;
      colour.setAlpha(static_cast<int>(scatter.Between(30, 80)));
      p.setPen(QPen(colour, scatter.Between(0.6, 1.3)));
      p.setBrush(Qt::NoBrush);
      p.drawPath(grain);
    }
    // The seam between two planks.
    QColor seam = dark;
    seam.setAlpha(150);
    p.fillRect(QRectF(0, top + plank - 1, HeaderScenes::kWidth, 1), seam);
    p.fillRect(QRectF(0, top, HeaderScenes::kWidth, 1), QColor(255, 255, 255, 40));
  }
  return image;
}

}  // namespace

QImage HeaderScenes::GreyWood() { return Wood(QColor(184, 184, 178), QColor(90, 90, 86), 7); }

QImage HeaderScenes::BrownWood() { return Wood(QColor(132, 88, 56), QColor(60, 34, 18), 8); }

QImage HeaderScenes::PinkDots() {
  QImage image = Opaque(QColor(246, 208, 221));
  QPainter p(&image);
  Smooth(p);
  p.setPen(Qt::NoPen);
  // Two offset grids of dots, 25 columns apart: the pattern repeats every 50.
  for (int row = -1; row * 12.5 < kHeight + 10; ++row) {
    const double y = 10 + row * 12.5;  // (1, 204), the status colour, stays plain pink
    const double shift = (row % 2) * 12.5;
    for (double x = shift; x < kWidth + 25; x += 25) {
      p.setBrush(QColor(255, 255, 255, 190));
      p.drawEllipse(QPointF(x, y), 3.2, 3.2);
    }
  }
  return image;
}

QImage HeaderScenes::Scene(int id) {
  switch (id) {
    case 2:
      return Lighthouse();
    case 3:
      return Meadow();
    case 4:
      return WindTurbines();
    case 5:
      return BlueWaves();
    case 6:
      return Underwater();
    case 7:
      return GreyWood();
    case 8:
      return BrownWood();
    default:
      return PinkDots();
  }
}

}  // namespace cindral::pictures
