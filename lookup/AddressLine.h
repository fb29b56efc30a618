// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line of plain text a dictionary place shows instead of a page: the
// address, selectable, wrapped, never read as markup.

class QLabel;
class QWidget;

namespace cindral {

// Adds the line to `place`, in a margin-free column laid out over the
// whole place (made on first use; a page added later goes below it).
QLabel* AddAddressLine(QWidget* place);

}  // namespace cindral
