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

  // Inside the procedure's handling of a paint event: a painter on the
  // window. The layered form starts from a fully transparent picture, for
  // windows that show per-pixel alpha.
  QPainter& BeginBufferedPaint();
  QPainter& BeginLayeredPaint();
  void EndBufferedPaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Procedure procedure_;
  std::unique_ptr<QPainter> painter_;
};

}  // namespace cindral
