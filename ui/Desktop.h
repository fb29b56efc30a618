// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prepares the process and the application object for the desktop:
//
// - The drawing contexts are shared between windows, which the web engine
//   of the dictionary pages needs (it starts only with the first card).
// - Screens: the layout pixel sizes are device-independent pixels. Qt 6
//   scales them by the screen's factor (QT_SCALE_FACTOR and friends still
//   apply); nothing here turns scaling off, and fractional factors are
//   passed through unrounded so a 150 % screen shows windows at 150 %.
// - Fonts: the layout faces "微软雅黑" and "宋体" are substituted by
//   installed CJK faces that resemble them (WenQuanYi Micro Hei and
//   AR PL UMing), unless the real faces are installed.
// - The desktop entry org.cindral.Cindral names the program to the desktop
//   (on Wayland, the windows' app id).
// - Qt's own Chinese translations, so the standard buttons read "是", "否",
//   "确定".
// - Chinese typing goes through the desktop's input method (ibus, or fcitx5
//   through its Qt 6 front end), which Qt chooses from the environment
//   (QT_IM_MODULE); nothing here forces one.

class QApplication;

namespace cindral {

// Call before the QApplication is created.
void PrepareDesktopProcess();

// Call once the QApplication exists. Returns whether Qt's Chinese
// translations were found and installed.
bool PrepareDesktop(QApplication& app);

}  // namespace cindral
