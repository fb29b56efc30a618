#include "app/DesktopShell.h"

#include <QApplication>

#include "app/MainWindow.h"
#include "modes/EntryWindow.h"
#include "modes/GameWindow.h"
#include "modes/IntensiveChooserWindow.h"
#include "modes/IntensiveReviewWindow.h"
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
    case WindowId::IntensiveChooser:
      RunIntensiveChooserWindow(*program_, mainWindow_);
      break;
    case WindowId::IntensiveReview: {
      // Opened from the chooser: modal over it.
      QWidget* opener = QApplication::activeModalWidget();
      RunIntensiveReviewWindow(*program_, opener != nullptr ? opener : mainWindow_);
      break;
    }
    case WindowId::Game:
      RunGameWindow(*program_, mainWindow_);
      break;
    case WindowId::Learning:
    case WindowId::GroupTest:
      // The study windows of these pages are not part of the program yet;
      // their pages open nothing.
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
