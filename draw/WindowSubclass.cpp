// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/WindowSubclass.h"

#include <QEvent>
#include <QPainter>

namespace cindral {

WindowSubclass::~WindowSubclass() { Unsubclass(); }

void WindowSubclass::Subclass(QWidget* window, Procedure procedure) {
  Unsubclass();
  window_ = window;
  procedure_ = std::move(procedure);
  window->installEventFilter(this);
}

void WindowSubclass::Unsubclass() {
  if (window_ != nullptr) window_->removeEventFilter(this);
  window_ = nullptr;
  procedure_ = nullptr;
}

QPainter& WindowSubclass::BeginBufferedPaint() {
  painter_ = std::make_unique<QPainter>(window_.data());
  return *painter_;
}

void WindowSubclass::SetLayered(bool composited, const QColor& under) {
  window_->setAttribute(Qt::WA_TranslucentBackground, composited);
  under_ = composited ? QColor(Qt::transparent) : under;
}

QPainter& WindowSubclass::BeginLayeredPaint() {
  QPainter& painter = BeginBufferedPaint();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(window_->rect(), under_);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  return painter;
}

void WindowSubclass::EndBufferedPaint() {
  if (painter_ != nullptr) painter_->end();
  painter_.reset();
}

bool WindowSubclass::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_ || !procedure_) return false;
  // The procedure may unsubclass (or destroy this object's owner) while it runs.
  const Procedure procedure = procedure_;
  return procedure(event);
}

}  // namespace cindral
