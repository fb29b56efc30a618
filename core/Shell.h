// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the logic asks of the main window and of the window system: opening
// windows modally, closing, hiding and activating the windows that are open,
// and the state of the main window. The desktop implements it with Qt; tests
// script it.

#include <functional>
#include <string>
#include <vector>

#include "core/Windows.h"

namespace cindral {

// The kinds of file the learner picks in a file dialog. Each kind's dialog
// opens in the folder last used for that kind.
enum class FileKind {
  Import,          // a word list to import
  Export,          // the exported word list
  Picture,         // the statistics picture saved
  GameBackground,  // the word game's own background picture
};

// A file the learner picked in the desktop's file dialog.
struct FileChoice {
  std::string path;  // GBK, the full path; empty when the learner cancelled
  int filter = 0;    // the index of the file type chosen
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the window modally; returns when it has been closed.
  virtual void OpenWindow(WindowId id) = 0;
  // Whether a window of this kind exists: opened (its creation may still be
  // running) and not yet closed. A hidden window still exists.
  virtual bool IsWindowOpen(WindowId id) const = 0;
  // Closes the open window of this kind from the program's side, without
  // asking it; the call that opened it returns once the windows opened above
  // it have returned. Nothing happens when none is open.
  virtual void CloseWindow(WindowId id) = 0;
  // Hides an open window without closing it, or shows it again.
  virtual void ShowWindow(WindowId id, bool shown) = 0;
  // Brings an open window to the front and gives it the keyboard.
  virtual void ActivateWindow(WindowId id) = 0;
  virtual void SetEntryButtonEnabled(bool enabled) = 0;
  // The program ends: the windows still open close from the innermost out,
  // without asking, the main window last, once the caller has returned to
  // the event loop; no window opens any more. (During start-up, before the
  // main window is shown, the start ends instead: Program::EndRequested.)
  virtual void EndProgram() = 0;
  // The learner looks likely to open the window soon: what it needs that
  // takes long to start may start now, in the background. Does nothing by
  // default.
  virtual void PrepareWindow(WindowId id) { (void)id; }
  virtual void BringMainWindowToFront() = 0;
  // Asks the learner for a file of `kind` to read, or (`save`) to write;
  // `filters` are the file types offered, "说明 (*.ext)", and `suggested`
  // the name offered first (all GBK). Returns when the dialog has closed.
  virtual FileChoice ChooseFile(FileKind kind, const std::string& title, bool save,
                                const std::vector<std::string>& filters,
                                const std::string& suggested) = 0;
  // Asks the learner for a folder (GBK, the full path; empty when the
  // learner cancelled), starting in `start`.
  virtual std::string ChooseFolder(const std::string& title, const std::string& start) = 0;
  // Asks the desktop's file manager to show a folder (GBK path) and returns
  // at once; `failed` is called later when no file manager answered.
  virtual void ShowFolder(const std::string& path, std::function<void()> failed) = 0;
};

}  // namespace cindral
