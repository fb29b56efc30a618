// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing layer's promises: the colour conversion and the light/dark
// rule, crisp one-pixel strokes at whole coordinates, the window shapes,
// arcs in the skin's angle convention, and pictures that fail to decode.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "GuiTestApplication.h"
#include "draw/SkinBrush.h"
#include "draw/SkinColor.h"
#include "draw/SkinGraphics.h"
#include "draw/SkinImage.h"
#include "draw/SkinPath.h"
#include "draw/SkinPen.h"
#include "draw/SkinRegion.h"

CINDRAL_GUI_TEST_APPLICATION();

namespace cindral {
namespace {

TEST(SkinColorTest, ArgbPutsRedHighAndBlueLow) {
  EXPECT_EQ(SkinColor::Argb(0x00DEA64D, 255), 0xFF4DA6DEu);
  EXPECT_EQ(SkinColor::Argb(0x000000FF, 120), 0x78FF0000u);
  EXPECT_EQ(SkinColor::Argb(0x00FF0000, 0), 0x000000FFu);
  // Only the colour's three low bytes count.
  EXPECT_EQ(SkinColor::Argb(0xAB123456, 1), 0x01563412u);
  EXPECT_EQ(SkinColor::FromArgb(0xFF4DA6DE), 0x00DEA64Du);
}

TEST(SkinColorTest, LightNeedsTwoChannelsOf125OrMore) {
  EXPECT_FALSE(SkinColor::IsDark(0x00FFFFFF));
  EXPECT_FALSE(SkinColor::IsDark(0x00DEA64D));  // 0xDE and 0xA6 of three
  EXPECT_TRUE(SkinColor::IsDark(0x00202020));
  EXPECT_FALSE(SkinColor::IsDark(0x00007D7D));  // exactly 125 twice
  EXPECT_TRUE(SkinColor::IsDark(0x00007C7D));   // 124 and 125
  EXPECT_TRUE(SkinColor::IsDark(0x000000FF));   // one bright channel only
}

QImage Canvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

TEST(SkinGraphicsTest, OnePixelLinesAtWholeCoordinatesCoverExactlyThatPixel) {
  QImage image = Canvas(10, 10);
  {
    QPainter painter(&image);
    SkinGraphics g(painter);
    g.SetSmoothingMode(SkinGraphics::kHighQuality);
    g.DrawLine(SkinPen(0xFF000000, 1), 1, 4, 8, 4);
  }
  for (int x = 1; x <= 8; ++x) EXPECT_EQ(qAlpha(image.pixel(x, 4)), 255) << x;
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(qAlpha(image.pixel(x, 3)), 0);
    EXPECT_EQ(qAlpha(image.pixel(x, 5)), 0);
  }
}

// Lines along a row or a column are filled rather than stroked: pixel for
// pixel what the painter's stroke gives, whatever the colour, the direction,
// the smoothing and the painter's own offset.
TEST(SkinGraphicsTest, LinesGiveThePaintersOwnStrokePixelForPixel) {
  const struct {
    double x1, y1, x2, y2;
  } lines[] = {
      {0, 3, 0, 45},  {3, 0, 57, 0},   {58, 3, 58, 45}, {3, 46, 57, 46},  // an outline's sides
      {20, 7, 5, 7},  {7, 30, 7, 5},                                    // drawn backwards
      {9, 9, 9, 9},                                                     // no length
      {5, 5, 30, 20}, {2.5, 8, 40.5, 8}, {12, 4.5, 12, 30},             // not a run of pixels
  };
  for (const uint32_t colour : {0xFF000000u, 0x78000000u, 0x64FFFFFFu, 0x013366CCu}) {
    for (const bool smooth : {true, false}) {
      for (const QPoint offset : {QPoint(0, 0), QPoint(3, -2)}) {
        for (const auto& l : lines) {
          QImage drawn(64, 52, QImage::Format_ARGB32_Premultiplied);
          drawn.fill(0xFF808080);
          QImage stroked = drawn.copy();
          {
            QPainter painter(&drawn);
            painter.translate(offset);
            SkinGraphics g(painter);
            g.SetSmoothingMode(smooth ? SkinGraphics::kHighQuality : SkinGraphics::kNoSmoothing);
            g.DrawLine(SkinPen(colour, 1), l.x1, l.y1, l.x2, l.y2);
          }
          {
            QPainter painter(&stroked);
            painter.translate(offset);
            painter.setRenderHint(QPainter::Antialiasing, smooth);
            painter.translate(0.5, 0.5);
            painter.setPen(SkinPen(colour, 1).pen());
            painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
          }
          EXPECT_TRUE(drawn == stroked) << std::hex << colour << std::dec << " smooth " << smooth
                                        << " offset " << offset.x() << " line " << l.x1 << ","
                                        << l.y1 << " " << l.x2 << "," << l.y2;
        }
      }
    }
  }
}

TEST(SkinGraphicsTest, FillsCoverTheirWidthAndRoundRectsSpanWidthPlusOne) {
  QImage image = Canvas(20, 20);
  {
    QPainter painter(&image);
    SkinGraphics g(painter);
    g.SetSmoothingMode(SkinGraphics::kHighQuality);
    g.FillRectangle(SkinBrush(0xFF00FF00), -1, -1, 10, 10);  // pixels -1 .. 8
    g.DrawRoundRect(SkinPen(0xFFFF0000, 1), 10, 10, 8, 8, 3);
  }
  EXPECT_EQ(image.pixel(8, 8), 0xFF00FF00u);
  EXPECT_EQ(qAlpha(image.pixel(9, 9)), 0);
  EXPECT_EQ(image.pixel(10, 14), 0xFFFF0000u);  // left side
  EXPECT_EQ(image.pixel(18, 14), 0xFFFF0000u);  // right side at x + w
  EXPECT_EQ(image.pixel(14, 18), 0xFFFF0000u);  // bottom at y + h
  EXPECT_EQ(qAlpha(image.pixel(19, 14)), 0);
  EXPECT_LT(qAlpha(image.pixel(10, 10)), 128);  // the corner is cut by the arc
}

TEST(SkinPathTest, ArcsRunClockwiseFromTheirStartAngle) {
  SkinPath path;
  path.AddArc(0, 0, 6, 6, 180, 90);  // the top-left quarter: from (0, 3) to (3, 0)
  const QPointF start = path.path().elementAt(0);
  EXPECT_NEAR(start.x(), 0, 1e-6);
  EXPECT_NEAR(start.y(), 3, 1e-6);
  EXPECT_NEAR(path.path().currentPosition().x(), 3, 1e-6);
  EXPECT_NEAR(path.path().currentPosition().y(), 0, 1e-6);
  path.AddLine(10, 0, 10, 5);  // joined to the arc's end
  EXPECT_NEAR(path.path().currentPosition().y(), 5, 1e-6);
  EXPECT_TRUE(path.path().contains(QPointF(6, 1)));
}

TEST(SkinRegionTest, RoundedShapeEndsAtTheOutlineAndCutsTheCorners) {
  const QRegion shape = SkinRegion::Rounded(0, 0, 640, 440, 5, 5);
  EXPECT_FALSE(shape.contains(QPoint(0, 0)));
  EXPECT_FALSE(shape.contains(QPoint(638, 0)));
  EXPECT_FALSE(shape.contains(QPoint(0, 438)));
  EXPECT_TRUE(shape.contains(QPoint(1, 0)));
  EXPECT_TRUE(shape.contains(QPoint(0, 1)));
  EXPECT_TRUE(shape.contains(QPoint(638, 200)));  // the border's column, w - 2
  EXPECT_FALSE(shape.contains(QPoint(639, 200)));
  EXPECT_TRUE(shape.contains(QPoint(300, 438)));
  EXPECT_FALSE(shape.contains(QPoint(300, 439)));
  EXPECT_EQ(shape.boundingRect(), QRect(0, 0, 639, 439));
}

TEST(SkinRegionTest, TopRoundedShapeHasSquareBottomCorners) {
  const QRegion shape = SkinRegion::TopRounded(300, 140, 5, 5);
  EXPECT_FALSE(shape.contains(QPoint(0, 0)));
  EXPECT_FALSE(shape.contains(QPoint(298, 0)));
  EXPECT_TRUE(shape.contains(QPoint(0, 139)));    // square bottom left
  EXPECT_TRUE(shape.contains(QPoint(298, 139)));  // square bottom right
  EXPECT_FALSE(shape.contains(QPoint(299, 139)));
  EXPECT_FALSE(shape.contains(QPoint(0, 140)));
}

TEST(SkinImageTest, BadBytesGiveAnEmptyPictureThatDrawsNothing) {
  const SkinImage bad = SkinImage::FromBytes("not a picture");
  EXPECT_TRUE(bad.IsEmpty());
  EXPECT_EQ(bad.GetPixel(0, 0), 0u);
  QImage image = Canvas(4, 4);
  {
    QPainter painter(&image);
    SkinGraphics g(painter);
    g.DrawImageRect(bad, 0, 0, 4, 4);
  }
  EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
}

TEST(SkinImageTest, DecodesPngBytesAndReadsPixelsAsArgb) {
  QImage source(3, 2, QImage::Format_ARGB32);
  source.fill(QColor(10, 20, 30, 255));
  source.setPixel(2, 1, qRgba(200, 100, 50, 255));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(source.save(&buffer, "PNG"));
  const SkinImage image = SkinImage::FromBytes(std::string_view(png.constData(), png.size()));
  ASSERT_FALSE(image.IsEmpty());
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.GetPixel(2, 1), 0xFFC86432u);
  EXPECT_EQ(SkinColor::FromArgb(image.GetPixel(0, 0)), 0x001E140Au);
  EXPECT_EQ(image.GetPixel(3, 0), 0u);
  EXPECT_EQ(image.GetPixel(-1, 0), 0u);
}

}  // namespace
}  // namespace cindral
