// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TimerBinding.h"

#include <QTimer>

#include "ui/WindowBuilder.h"

namespace cindral {

void BindTimer(QTimer* timer, LogicTimer& model, std::function<void()> onTick) {
  QObject::connect(timer, &QTimer::timeout, timer, std::move(onTick));
  SetTimerInterval(timer, model.interval());
  model.Follow([timer](int milliseconds) { SetTimerInterval(timer, milliseconds); });
}

}  // namespace cindral
