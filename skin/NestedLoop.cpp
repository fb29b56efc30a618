// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/NestedLoop.h"

#include <QEventLoop>
#include <QWidget>

namespace cindral {

void NestedLoop::Run() {
  if (closed_) return;
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void NestedLoop::Close(QWidget* popup) {
  if (closed_) return;
  closed_ = true;
  if (popup != nullptr) popup->hide();
  if (loop_ != nullptr) loop_->quit();
}

}  // namespace cindral
