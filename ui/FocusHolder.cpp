// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FocusHolder.h"

#include <QLineEdit>

#include "ui/ModalWindow.h"
#include "ui/TimerBinding.h"

namespace cindral {

void MakeFocusHolder(QLineEdit* box) {
  if (box == nullptr) return;
  box->setReadOnly(true);
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setFrame(false);
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setFocusPolicy(Qt::StrongFocus);
  // Invisible but still focusable (a hidden widget could not take the focus).
  box->setStyleSheet(
      QStringLiteral("QLineEdit { background: transparent; border: none; color: transparent;"
                     " selection-background-color: transparent; }"));
}

}  // namespace cindral

namespace cindral {

FocusHolder::FocusHolder(ModalWindow* window, QLineEdit* box, QTimer* timer, LogicTimer& focusTimer,
                         Handler handle, std::function<bool(int key)> keyDown,
                         std::function<void()> focusTick)
    : box_(box) {
  MakeFocusHolder(box);
  window->SetKeyHandler([box, handle, keyDown](QWidget* control, int key) {
    if (control != box) return false;
    bool used = false;
    handle([&] { used = keyDown(key); });
    return used;
  });
  BindTimer(timer, focusTimer, [handle, focusTick] { handle(focusTick); });
}

void FocusHolder::Follow(int focusRequests) {
  if (requestsDone_ == focusRequests) return;
  requestsDone_ = focusRequests;
  box_->setFocus();
}

}  // namespace cindral
