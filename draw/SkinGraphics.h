// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The surface the skin draws on, over a QPainter. Coordinates name pixels:
// a fill of (x, y, w, h) covers the pixels x .. x + w - 1, and a one-pixel
// line through (x, y) covers the pixel (x, y) itself, so outlines at whole
// coordinates stay crisp when smoothing is on.

#include <QPainter>
#include <string>

namespace cindral {

class SkinBrush;
class SkinFont;
class SkinImage;
class SkinPath;
class SkinPen;

class SkinGraphics {
 public:
  enum SmoothingMode { kNoSmoothing = 0, kHighQuality = 2 };

  explicit SkinGraphics(QPainter& painter) : painter_(painter) {}

  void SetSmoothingMode(int mode);

  void FillRectangle(const SkinBrush& brush, double x, double y, double w, double h);
  void DrawRectangle(const SkinPen& pen, double x, double y, double w, double h);
  void DrawLine(const SkinPen& pen, double x1, double y1, double x2, double y2);
  // Angles in degrees, clockwise from the positive x axis.
  void DrawArc(const SkinPen& pen, double x, double y, double w, double h, double start,
               double sweep);
  void DrawPath(const SkinPen& pen, const SkinPath& path);
  // Four lines and four quarter arcs of radius r; the outline spans
  // x .. x + w and y .. y + h.
  void DrawRoundRect(const SkinPen& pen, double x, double y, double w, double h, double r);

  // The whole picture stretched into (x, y, w, h).
  void DrawImageRect(const SkinImage& image, double x, double y, double w, double h);
  // The picture's part (sx, sy, sw, sh), in pixels, stretched into (x, y, w, h).
  void DrawImageRectRect(const SkinImage& image, double x, double y, double w, double h, double sx,
                         double sy, double sw, double sh);

  // GBK text with its top left at (x, y), on one line per line break,
  // neither wrapped nor clipped.
  void DrawString(const std::string& gbk, double x, double y, const SkinFont& font,
                  const SkinBrush& brush);

  QPainter& painter() { return painter_; }

 private:
  // Strokes run through pixel centres.
  void BeginStroke(const SkinPen& pen);
  void EndStroke();
  // A line the stroke would draw as a run of whole pixels along one row or
  // column.
  bool IsPixelRun(const SkinPen& pen, double x1, double y1, double x2, double y2) const;

  QPainter& painter_;
};

}  // namespace cindral
