// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key codes the study windows bind their shortcuts to. The window layer
// turns each key press into one of these (ui/VirtualKey.h), so the logic
// never sees a toolkit's key numbers: letters are their upper-case ASCII
// codes and digits their ASCII codes, whatever the Shift state.

namespace cindral {

enum KeyCode : int {
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
  kKey1 = '1',
  kKey2 = '2',
  kKey3 = '3',
  kKey4 = '4',
  kKeyA = 'A',
  kKeyD = 'D',
  kKeyF = 'F',
  kKeyP = 'P',
  kKeyS = 'S',
  kKeyW = 'W',
  kKeyTilde = 192,  // the `~ key
};

}  // namespace cindral
