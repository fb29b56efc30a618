#include "ui/FocusHolder.h"

#include <QLineEdit>

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
