// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window system as the logic sees it, on the desktop: study windows
// opened modally over the window in front, found again by their layout
// names while they exist. The shell also keeps the learning card's
// dictionary views, made when the first card opens and reused by every
// later card.

#include <functional>
#include <memory>

#include "core/Shell.h"

class QWidget;

namespace cindral {

class DictionaryPages;
class MainWindow;
class ModalWindow;
class Program;

class DesktopShell final : public Shell {
 public:
  // `openPages` makes the learning card's dictionary pages when the first
  // card opens (by default from the program's pages module).
  using PagesMaker = std::function<std::unique_ptr<DictionaryPages>()>;
  explicit DesktopShell(PagesMaker openPages = {});
  ~DesktopShell() override;

  // The program and the main window come after the shell (they need it).
  void Attach(Program* program, MainWindow* mainWindow) {
    program_ = program;
    mainWindow_ = mainWindow;
  }

  void OpenWindow(WindowId id) override;
  bool IsWindowOpen(WindowId id) const override;
  void CloseWindow(WindowId id) override;
  void ShowWindow(WindowId id, bool shown) override;
  void ActivateWindow(WindowId id) override;
  void SetEntryButtonEnabled(bool enabled) override;
  void EndProgram() override;
  void BringMainWindowToFront() override;
  // The dialog opens in the folder last used for `kind` (else the home
  // folder), and the folder chosen is kept for the next time.
  FileChoice ChooseFile(FileKind kind, const std::string& title, bool save,
                        const std::vector<std::string>& filters,
                        const std::string& suggested) override;
  std::string ChooseFolder(const std::string& title, const std::string& start) override;
  void ShowFolder(const std::string& path, std::function<void()> failed) override;
  // The learning card: its pages module and web engine start at the next
  // turn of the event loop, once.
  void PrepareWindow(WindowId id) override;

  // The learning card's pages; made with the first card.
  DictionaryPages& Dictionary();

 private:
  // The open window of this kind, or nullptr.
  ModalWindow* FindOpen(WindowId id) const;
  // The window a new one opens over: the modal window in front, else the
  // main window.
  QWidget* Owner() const;

  Program* program_ = nullptr;
  MainWindow* mainWindow_ = nullptr;
  PagesMaker openPages_;
  bool warmUpAsked_ = false;
  std::unique_ptr<DictionaryPages> dictionary_;
};

}  // namespace cindral
