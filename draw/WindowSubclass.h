// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Takes a widget's events over: every event the widget receives goes first
// to a procedure, which handles it (true) or lets the widget handle it as
// usual (false). Paint events are drawn through the painter this object
// opens, on the window's back buffer: the whole picture reaches the screen
// in one transfer when the paint ends, so nothing flickers.

#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QEvent;

namespace cindral {

class WindowSubclass : public QObject {
  Q_OBJECT

 public:
  using Procedure = std::function<bool(QEvent* event)>;

  WindowSubclass() = default;
  ~WindowSubclass() override;

  // Routes the window's events to `procedure` until Unsubclass().
  void Subclass(QWidget* window, Procedure procedure);
  void Unsubclass();
  QWidget* window() const { return window_; }

  // A window drawn with per-pixel alpha (layered). `composited`: a
  // compositing manager blends the window with what lies beneath it, and
  // its transparent pixels show through. Without one they would reach the
  // screen as black: the window is then opaque, its picture laid over
  // `under`, and its owner cuts it to its outline. Before the window is
  // first shown.
  void SetLayered(bool composited, const QColor& under);

  // Inside the procedure's handling of a paint event: a painter on the
  // window. The layered form starts from a fully transparent picture, or
  // from the opaque colour SetLayered gave.
  QPainter& BeginBufferedPaint();
  QPainter& BeginLayeredPaint();
  void EndBufferedPaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Procedure procedure_;
  QColor under_ = Qt::transparent;
  std::unique_ptr<QPainter> painter_;
};

}  // namespace cindral
