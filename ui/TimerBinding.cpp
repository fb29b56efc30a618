// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TimerBinding.h"

#include <QTimer>

#include "ui/WindowBuilder.h"

namespace cindral {

void BindTimer(QWidget* window, const char* name, LogicTimer& model, std::function<void()> onTick) {
  auto* timer = Control<QTimer>(window, name);
  if (timer == nullptr) return;
  QObject::connect(timer, &QTimer::timeout, window, std::move(onTick));
  SetTimerInterval(timer, model.interval());
  model.Follow([timer](int milliseconds) { SetTimerInterval(timer, milliseconds); });
}

}  // namespace cindral
