// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 窗口拼写遗忘单词 over the forgotten-word review: the small spelling window
// of windows/PracticeSpellingWindow.h with its own layout, checking the
// forgotten word shown.

class QWidget;

namespace cindral {

class Program;

void RunForgottenSpellingWindow(Program& program, QWidget* parent);

}  // namespace cindral
