// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The designed layouts of every window of the program. Sizes are the client
// area in device-independent pixels; each control's rectangle is measured
// from the top left of its window (or of its group box, see ControlLayout).

#include <vector>

#include "core/Windows.h"
#include "ui/Layout.h"

namespace cindral {

// The five buttons of the main window's client area.
const std::vector<ControlLayout>& MainWindowButtons();

// One layout for each window of core/Windows.h: <window>Layout(), named
// as the entry names the window.
#define CINDRAL_WINDOW_LAYOUT(id, window, name, owner) const WindowLayout& window##Layout();
CINDRAL_WINDOWS(CINDRAL_WINDOW_LAYOUT)
#undef CINDRAL_WINDOW_LAYOUT

// The speaker buttons the study windows carry beyond their designed
// controls, each where it covers none of them.
const ControlLayout& LearningSpeakerButton();  // on 窗口单词学习
const ControlLayout& DrillSpeakerButton();     // on 窗口熟练度复习
const ControlLayout& GameSpeakerButton();      // on 窗口连连看

// Every window's layout, in the order of core/Windows.h, for checks that
// hold for all of them.
std::vector<const WindowLayout*> AllWindowLayouts();

}  // namespace cindral
