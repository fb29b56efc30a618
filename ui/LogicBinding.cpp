#include "ui/LogicBinding.h"

#include <QLineEdit>
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

void MakeFocusHolder(QLineEdit* box) {
  if (box == nullptr) return;
  box->setReadOnly(true);
  box->setFrame(false);
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; }"));
}

}  // namespace cindral
