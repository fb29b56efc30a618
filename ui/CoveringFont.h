// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts for painting a known text. A font may merge in other faces for
// characters its own face lacks; finding those faces is a search through
// every font on the system, the first time a face is used (about a tenth
// of the program's start-up). A text whose every character the face holds
// is painted with the face alone, so the search waits until a text needs
// it; any other text keeps the merging font and shows every character.

#include <QFont>
#include <QString>

namespace cindral {

// `font` without merging when its own face holds every character of
// `text` (blanks and control characters aside); `font` otherwise.
QFont FontCovering(const QFont& font, const QString& text);

}  // namespace cindral
