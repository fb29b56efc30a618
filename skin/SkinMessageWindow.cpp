// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinMessageWindow.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "draw/SkinGraphics.h"
#include "draw/SkinRegion.h"
#include "skin/SkinMessage.h"

namespace cindral {

SkinMessageWindow::SkinMessageWindow(SkinMessage& box, const SkinLook& look, const QIcon& smallIcon,
                                     QWidget* owner, bool composited)
    : box_(box), look_(look), icon_(smallIcon) {
  // A window of its own, kept above its owner.
  window_ = new QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
  window_->setObjectName(QStringLiteral("MessageBox10"));
  window_->setWindowTitle(owner != nullptr ? owner->windowTitle() : QString());
  window_->setWindowModality(Qt::ApplicationModal);
  window_->setMouseTracking(true);
  window_->setFixedSize(SkinMessage::kWidth, box.Height());
  SkinRegion::SetTopRounded(window_, SkinMessage::kWidth, box.Height(), 5, 5);
  subclass_.Subclass(window_, [this](QEvent* event) { return Procedure(event); });
  // Opaque, the bottom edge's half-transparent line falls on white, as it
  // does on the main window's client panel beneath.
  subclass_.SetLayered(composited, Qt::white);
}

SkinMessageWindow::~SkinMessageWindow() {
  subclass_.Unsubclass();
  delete window_.data();
}

void SkinMessageWindow::Run(QPoint screenPosition) {
  window_->move(screenPosition);
  window_->show();
  window_->raise();
  window_->activateWindow();
  loop_.Run();
}

void SkinMessageWindow::Close() { loop_.Close(window_); }

bool SkinMessageWindow::Procedure(QEvent* event) {
  SkinMessage::Action action = SkinMessage::Action::kNone;
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter& painter = subclass_.BeginLayeredPaint();
      SkinGraphics g(painter);
      box_.Paint(g, look_, icon_);
      subclass_.EndBufferedPaint();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (drag_.OnMouseMove(*mouse)) return true;
      const QPoint p = mouse->position().toPoint();
      action = box_.OnMouseMove(p.x(), p.y());
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      const QPoint p = mouse->position().toPoint();
      drag_.Disarm();
      action = box_.OnLeftButtonDown(p.x(), p.y());
      if (action == SkinMessage::Action::kMove) {
        drag_.Arm(window_, {}, mouse->globalPosition().toPoint());
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      const bool followed = drag_.IsFollowing();
      drag_.OnRelease();
      if (followed) return true;
      const QPoint p = mouse->position().toPoint();
      action = box_.OnLeftButtonUp(p.x(), p.y());
      break;
    }
    case QEvent::Leave:
      action = box_.OnMouseLeave();
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return true;  // no keyboard handling: Enter and Escape do nothing
    case QEvent::Close:
      // Closed another way (by the window system): the result stays as it is.
      Close();
      return false;
    default:
      return false;
  }
  if (action == SkinMessage::Action::kRedraw) window_->repaint();
  if (action == SkinMessage::Action::kClose) Close();
  return true;
}

}  // namespace cindral
