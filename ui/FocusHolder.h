#pragma once
// The edit boxes that hold the keyboard focus for a window's shortcuts. They
// take every key press but keep no text and show nothing: a letter typed
// there is a shortcut, not input, and the input method stays out of the
// way so that "S" reaches the window as the S key.

class QLineEdit;

namespace cindral {

void MakeFocusHolder(QLineEdit* box);

}  // namespace cindral
