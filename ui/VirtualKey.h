#pragma once
// The key codes the windows bind their shortcuts to: the codes of the
// desktop the program was first made for, so that bindings read as designed
// (Enter 13, → 39, ~ 192, letters 65..90, digits 48..57).

namespace cindral {

enum VirtualKey : int {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyDelete = 46,
  kKeyTilde = 192,  // the `~ key
};

// The code of a Qt key (Qt::Key), 0 for keys that have none. Keypad digits
// give the same codes as the digits of the main block, so that either picks
// a numbered choice.
int VirtualKeyCode(int qtKey);

}  // namespace cindral
