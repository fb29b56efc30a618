// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web engine draws its pages with OpenGL in contexts shared with one
// made for the whole program. The toolkit makes that context as the
// application object is made, when asked to beforehand, but doing so loads
// the system's graphics library and costs every start-up a tenth of a
// second, while the pages are needed only once a learning card opens. So
// the context is made here, once, just before the engine starts.

namespace cindral {

// Makes the shared context unless it exists. On a screen without OpenGL
// it stays invalid, and the engine draws its pages in software.
void ShareDrawingContexts();

}  // namespace cindral
