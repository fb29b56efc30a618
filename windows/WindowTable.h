// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows of core/Windows.h as the desktop opens them: each entry's
// Run function, over its owner, and its layout.

#include <functional>

#include "core/Windows.h"
#include "ui/Layout.h"

class QWidget;

namespace cindral {

class DictionaryPages;
class Program;

// What a window may need from the shell that opens it.
struct WindowOpening {
  Program& program;
  QWidget* front = nullptr;       // the modal window in front, else the main window
  QWidget* mainWindow = nullptr;  // the main window
  // The learning card's pages, made when first asked for.
  std::function<DictionaryPages&()> dictionary;
};

// Opens the window modally over its owner; returns when it has closed.
void RunWindow(WindowId id, const WindowOpening& opening);

// The window's layout, whose name finds the window while it is open.
const WindowLayout& LayoutOf(WindowId id);

}  // namespace cindral
