// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The family a font of a layout face asks the font database for. A face
// the desktop lacks (宋体 and 微软雅黑 on most systems) sends the database
// through a search of every installed font for the nearest match, once for
// every style and script it is asked in: about 2 ms of the main window's
// first paint. The desktop's substitutes for the face (PrepareDesktop) name
// the installed faces that stand in for it; asking for the first of those
// by name finds it at once, and the same face as the search found.

#include <QFont>
#include <QString>

namespace cindral {

// `face` where the desktop has it; otherwise the first of its substitutes
// the desktop has; otherwise `face`, left to the database's own search.
QString InstalledFace(const QString& face);

// `font` in the layout `face`: its installed stand-in, with glyphs drawn
// without the faces' hinting programs (running them for the few dozen
// glyphs of the main window costs about a tenth of the start-up, and at
// these sizes the Chinese faces look the same without them).
void SetLayoutFace(QFont* font, const QString& face);

}  // namespace cindral
