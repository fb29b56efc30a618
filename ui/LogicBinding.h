#pragma once
// Small bindings between a window's Qt-free logic and its widgets.

#include <functional>

#include "app/core/LogicTimer.h"

class QLineEdit;
class QWidget;

namespace cindral {

// The window's timer control `name` follows the logic's timer from now on
// (every change of interval is applied at once, 0 stops it), and each of its
// ticks runs `onTick`.
void BindTimer(QWidget* window, const char* name, LogicTimer& model, std::function<void()> onTick);

// A focus-holder box: the edit box that takes a window's keyboard shortcuts.
// It shows nothing and takes no typing (nor an input method, which would
// swallow the letter keys), yet holds the focus like any edit box.
void MakeFocusHolder(QLineEdit* box);

}  // namespace cindral
