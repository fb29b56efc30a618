#pragma once
// The word book listing 窗口单词本: every word in one read-only box, built
// once when the window opens. Ctrl+F opens the find bar under the box (the
// window grows by its height); F3 and Shift+F3 find the next and the
// previous match; Escape closes the bar, and once it is closed the window.

#include <cstddef>

#include "logic/WordBookWindowLogic.h"
#include "store/Database.h"
#include "ui/ModalWindow.h"

class QPlainTextEdit;

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

  WordBookWindowLogic logic_;
  QPlainTextEdit* box_;
  ListingFindBar* bar_;
};

// Opens the listing modally; returns when it has closed.
void RunWordBookWindow(Database& db, QWidget* parent);

}  // namespace cindral
