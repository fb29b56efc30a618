#pragma once
// The window system as the logic sees it, on the desktop: study windows
// opened modally over the main window.

#include "app/core/Shell.h"

namespace cindral {

class MainWindow;
class Program;

class DesktopShell final : public Shell {
 public:
  // The program and the main window come after the shell (they need it).
  void Attach(Program* program, MainWindow* mainWindow) {
    program_ = program;
    mainWindow_ = mainWindow;
  }

  void OpenWindow(WindowId id) override;
  void SetEntryButtonEnabled(bool enabled) override;
  void BringMainWindowToFront() override;

 private:
  Program* program_ = nullptr;
  MainWindow* mainWindow_ = nullptr;
};

}  // namespace cindral
