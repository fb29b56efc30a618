// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ModalWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>

#include "ui/VirtualKey.h"
#include "ui/WindowBuilder.h"

namespace cindral {

ModalWindow::ModalWindow(const WindowLayout& layout, QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  for (QObject* object : BuildWindow(this, layout)) {
    // Containers take no keys of their own; their controls do.
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->isWindow() || qobject_cast<QGroupBox*>(widget)) continue;
    widget->installEventFilter(this);
    keyControls_.insert(widget);
  }
}

ModalWindow::~ModalWindow() {
  // A window deleted while open still ends the call that opened it.
  if (loop_ != nullptr) loop_->exit();
}

void ModalWindow::Open() {
  if (closed_) return;
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  QEventLoop loop;
  loop_ = &loop;
  QPointer<ModalWindow> self(this);
  loop.exec(QEventLoop::DialogExec);
  if (self) self->loop_ = nullptr;
}

void ModalWindow::CloseWindow() { done(QDialog::Accepted); }

void ModalWindow::done(int result) {
  const bool first = !closed_;
  closed_ = true;
  QPointer<ModalWindow> self(this);
  const bool hadKeyboard = isActiveWindow() || QApplication::activeWindow() == nullptr;
  QDialog::done(result);
  if (!self) return;
  if (loop_ != nullptr) loop_->exit();
  if (first && closedHandler_) {
    // A copy: the handler may replace itself or delete the window.
    const std::function<void()> handler = closedHandler_;
    handler();
    if (!self) return;
  }
  if (hadKeyboard) HandKeyboardBack();
}

// The keyboard goes to the window now in front: the modal window on top, or
// the window this one was opened over. A window manager would do it, but
// one is not always there to do it.
void ModalWindow::HandKeyboardBack() {
  QWidget* next = QApplication::activeModalWidget();
  if (next == nullptr && parentWidget() != nullptr) next = parentWidget()->window();
  if (next != nullptr && next != this && next->isVisible()) next->activateWindow();
}

void ModalWindow::reject() {
  if (closed_) return;
  if (closeQuery_ && !closeQuery_()) return;
  done(QDialog::Rejected);
}

void ModalWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) reject();
  if (closed_) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool ModalWindow::OfferKey(QWidget* control, int qtKey) {
  const int code = VirtualKeyCode(qtKey);
  if (code == 0 || !keyHandler_) return false;
  const std::function<bool(QWidget*, int)> handler = keyHandler_;
  return handler(control, code);
}

bool ModalWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && keyControls_.contains(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (OfferKey(static_cast<QWidget*>(watched), key->key())) {
      key->accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ModalWindow::keyPressEvent(QKeyEvent* event) {
  if (OfferKey(this, event->key())) {
    event->accept();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Escape:
      event->accept();
      reject();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // No default button: Enter does only what the key handler makes of it.
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace cindral
