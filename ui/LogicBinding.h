#pragma once
// Small bindings between a window's Qt-free logic and its widgets.

#include "app/core/LogicTimer.h"

class QLineEdit;
class QTimer;

namespace cindral {

// The real timer follows the logic's timer from now on: every change of
// interval is applied at once (0 stops it).
void BindTimer(QTimer* timer, LogicTimer& model);

// A focus-holder box: the edit box that takes a window's keyboard shortcuts.
// It shows nothing and takes no typing (nor an input method, which would
// swallow the letter keys), yet holds the focus like any edit box.
void MakeFocusHolder(QLineEdit* box);

}  // namespace cindral
