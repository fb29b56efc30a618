// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowTable.h"

#include "WindowHeaders.h"  // windows/<window>.h of every entry, made by the build
#include "core/Program.h"
#include "lookup/DictionaryPages.h"
#include "ui/Layouts.h"

namespace cindral {
namespace {

enum class Over { Front, Main };

QWidget* Owner(const WindowOpening& opening, Over over) {
  return over == Over::Main ? opening.mainWindow : opening.front;
}

// A Run function takes what its window works on: the application object,
// the word book alone, or the application object and the card's pages.
void Run(void (*run)(Program&, QWidget*), const WindowOpening& opening, QWidget* owner) {
  run(opening.program, owner);
}
void Run(void (*run)(Database&, QWidget*), const WindowOpening& opening, QWidget* owner) {
  run(opening.program.db(), owner);
}
void Run(void (*run)(Program&, DictionaryPages&, QWidget*), const WindowOpening& opening,
         QWidget* owner) {
  run(opening.program, opening.dictionary(), owner);
}

}  // namespace

void RunWindow(WindowId id, const WindowOpening& opening) {
  switch (id) {
#define CINDRAL_RUN_WINDOW(id, window, name, owner)          \
  case WindowId::id:                                         \
    Run(&Run##window, opening, Owner(opening, Over::owner)); \
    return;
    CINDRAL_WINDOWS(CINDRAL_RUN_WINDOW)
#undef CINDRAL_RUN_WINDOW
  }
}

const WindowLayout& LayoutOf(WindowId id) {
  switch (id) {
#define CINDRAL_WINDOW_LAYOUT(id, window, name, owner) \
  case WindowId::id:                                   \
    return window##Layout();
    CINDRAL_WINDOWS(CINDRAL_WINDOW_LAYOUT)
#undef CINDRAL_WINDOW_LAYOUT
  }
  return EntryWindowLayout();
}

}  // namespace cindral
