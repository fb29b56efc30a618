#pragma once
// The word book listing 窗口单词本: every word in one read-only box, built
// once when the window opens.

#include "store/Database.h"
#include "ui/ModalWindow.h"

namespace cindral {

class WordBookWindow : public ModalWindow {
  Q_OBJECT

 public:
  WordBookWindow(Database& db, QWidget* parent = nullptr);
};

// Opens the listing modally; returns when it has closed.
void RunWordBookWindow(Database& db, QWidget* parent);

}  // namespace cindral
