#include "app/DesktopShell.h"

#include "app/MainWindow.h"
#include "modes/EntryWindow.h"
#include "modes/WordBookWindow.h"

namespace cindral {

void DesktopShell::OpenWindow(WindowId id) {
  switch (id) {
    case WindowId::Entry:
      RunEntryWindow(*program_, mainWindow_);
      break;
    case WindowId::Notebook:
      RunWordBookWindow(program_->db(), mainWindow_);
      break;
    case WindowId::Learning:
    case WindowId::GroupTest:
    case WindowId::IntensiveChooser:
    case WindowId::Game:
      // The study windows of these pages and of "连连看" are not part of the
      // program yet; their pages and button open nothing.
      break;
  }
}

void DesktopShell::SetEntryButtonEnabled(bool enabled) {
  if (mainWindow_ != nullptr) mainWindow_->SetEntryButtonEnabled(enabled);
}

void DesktopShell::BringMainWindowToFront() {
  if (mainWindow_ != nullptr) mainWindow_->BringToFront();
}

}  // namespace cindral
