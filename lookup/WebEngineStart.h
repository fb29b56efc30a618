// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting the web engine of the dictionary pages. It starts only when the
// first learning card opens; these checks and settings run just before.

namespace cindral {

// Whether the engine's helper process and resources are where the engine
// will look for them. Without them it would end the whole program when it
// starts, so the card shows plain text lines instead.
bool WebEngineCanStart();

// Settings the engine reads once, as it starts: run as root (tests, build
// machines) its sandbox cannot work and is switched off, otherwise it stays
// on; on a screen without graphics (the offscreen and minimal platforms)
// the engine draws without a GPU. Flags already given by the user are kept.
void PrepareWebEngineStart();

}  // namespace cindral
