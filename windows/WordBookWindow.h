// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word book listing 窗口单词本: every word in one read-only box, built
// once when the window opens. The box shows its last lines (where it opens)
// at once and takes the earlier ones in slices while the window is on the
// screen, so that a large book shows and answers at once. Ctrl+F opens the
// find bar under the box (the window grows by its height); F3 and Shift+F3
// find the next and the previous match; Escape closes the bar, and once it
// is closed the window.

#include <cstddef>

#include "logic/WordBookWindowLogic.h"
#include "store/Database.h"
#include "ui/Layouts.h"
#include "ui/ModalWindow.h"

class QString;
class QTimer;

namespace cindral {

class ListingFindBar;

class WordBookWindow : public ModalWindow {
  Q_OBJECT

 public:
  WordBookWindow(Database& db, QWidget* parent = nullptr);

 private:
  void ShowFindBar();
  void HideFindBar();
  // Finds from the box's selection: forward from where it ends (or, while
  // the query is being typed, from where it starts), back from where it starts.
  void Find(bool backward, bool again);
  // Between byte offsets of the listing and positions in the box, whose
  // lines end in LF alone; `known` is a line at or before the offset.
  int BoxPosition(std::size_t offset, ListingLine known) const;
  std::size_t ListingOffset(int position) const;
  // The listing's bytes [from, to) as the box shows them.
  QString BoxText(std::size_t from, std::size_t to) const;
  // Puts the slice of lines before those in the box at its top; all of
  // them with `all`. False once every line is in.
  bool FillEarlierLines(bool all);

  Found<WordBookWindowControls> ui_;
  WordBookWindowLogic logic_;
  ListingFindBar* bar_;
  // Lines the box starts with, and lines a slice adds.
  static constexpr std::size_t kFirstLines = 400;
  static constexpr std::size_t kSliceLines = 2500;
  QTimer* filler_;
  std::size_t shownFrom_ = 0;    // the listing's first byte in the box
  std::size_t linesAbove_ = 0;   // the listing's lines not yet in the box
};

// Opens the listing modally; returns when it has closed.
void RunWordBookWindow(Database& db, QWidget* parent);

}  // namespace cindral
