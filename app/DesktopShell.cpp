#include "app/DesktopShell.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <utility>

#include "app/MainWindow.h"
#include "lookup/DictionaryPages.h"
#include "windows/ChoiceWindow.h"
#include "windows/EntryWindow.h"
#include "windows/ForgottenReviewWindow.h"
#include "windows/GameWindow.h"
#include "windows/ImportWindow.h"
#include "windows/IntensiveChooserWindow.h"
#include "windows/IntensiveReviewWindow.h"
#include "windows/LearningWindow.h"
#include "windows/PracticeSpellingWindow.h"
#include "windows/SpellingWindow.h"
#include "windows/StatisticsWindow.h"
#include "windows/UpdateWordWindow.h"
#include "windows/WordBookWindow.h"
#include "ui/FolderView.h"
#include "ui/Layouts.h"
#include "ui/Text.h"

namespace cindral {
namespace {

const WindowSpec& LayoutOf(WindowId id) {
  switch (id) {
    case WindowId::Entry:
      return EntryWindowLayout();
    case WindowId::Learning:
      return LearningWindowLayout();
    case WindowId::GroupTest:
      return SpellingWindowLayout();
    case WindowId::IntensiveChooser:
      return IntensiveChooserWindowLayout();
    case WindowId::IntensiveReview:
      return IntensiveReviewWindowLayout();
    case WindowId::Game:
      return GameWindowLayout();
    case WindowId::Notebook:
      return WordBookWindowLayout();
    case WindowId::Choice:
      return ChoiceWindowLayout();
    case WindowId::ForgottenReview:
      return ForgottenReviewWindowLayout();
    case WindowId::UpdateWord:
      return UpdateWordWindowLayout();
    case WindowId::PracticeSpelling:
      return PracticeSpellingWindowLayout();
    case WindowId::ForgottenSpelling:
      return ForgottenSpellingWindowLayout();
    case WindowId::Statistics:
      return StatisticsWindowLayout();
    case WindowId::Import:
      return ImportWindowLayout();
  }
  return EntryWindowLayout();
}

}  // namespace

DesktopShell::DesktopShell(PagesMaker openPages) : openPages_(std::move(openPages)) {}
DesktopShell::~DesktopShell() = default;

void DesktopShell::OpenWindow(WindowId id) {
  QWidget* owner = Owner();
  switch (id) {
    case WindowId::Entry:
      RunEntryWindow(*program_, owner);
      break;
    case WindowId::Notebook:
      RunWordBookWindow(program_->db(), owner);
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
      RunLearningWindow(*program_, Dictionary(), owner);
      break;
    case WindowId::GroupTest:
      RunSpellingWindow(*program_, owner);
      break;
    case WindowId::Choice:
      RunChoiceWindow(*program_, owner);
      break;
    case WindowId::ForgottenReview:
      RunForgottenReviewWindow(*program_, owner);
      break;
    case WindowId::UpdateWord:
      RunUpdateWordWindow(*program_, owner);
      break;
    case WindowId::PracticeSpelling:
      RunPracticeSpellingWindow(*program_, owner);
      break;
    case WindowId::ForgottenSpelling:
      RunForgottenSpellingWindow(*program_, owner);
      break;
    case WindowId::Statistics:
      RunStatisticsWindow(*program_, owner);
      break;
    case WindowId::Import:
      RunImportWindow(*program_, owner);
      break;
  }
}

ModalWindow* DesktopShell::FindOpen(WindowId id) const {
  const QString name = QString::fromUtf8(LayoutOf(id).name);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<ModalWindow*>(widget);
    if (window != nullptr && !window->IsClosed() && window->objectName() == name) return window;
  }
  return nullptr;
}

QWidget* DesktopShell::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return mainWindow_;
}

bool DesktopShell::IsWindowOpen(WindowId id) const { return FindOpen(id) != nullptr; }

void DesktopShell::CloseWindow(WindowId id) {
  if (ModalWindow* window = FindOpen(id)) window->CloseWindow();
}

void DesktopShell::ShowWindow(WindowId id, bool shown) {
  if (ModalWindow* window = FindOpen(id)) window->setVisible(shown);
}

void DesktopShell::ActivateWindow(WindowId id) {
  if (ModalWindow* window = FindOpen(id)) {
    window->raise();
    window->activateWindow();
  }
}

void DesktopShell::SetEntryButtonEnabled(bool enabled) {
  if (mainWindow_ != nullptr) mainWindow_->SetEntryButtonEnabled(enabled);
}

void DesktopShell::BringMainWindowToFront() {
  if (mainWindow_ != nullptr) mainWindow_->BringToFront();
}

FileChoice DesktopShell::ChooseFile(const std::string& title, bool save,
                                    const std::vector<std::string>& filters,
                                    const std::string& suggested) {
  QStringList types;
  for (const std::string& filter : filters) types << ToQString(filter);
  // The learner's documents are where word lists come from and go to.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString start = suggested.empty() ? folder : QDir(folder).filePath(ToQString(suggested));
  QString chosenType = types.value(0);
  const QString path = save ? QFileDialog::getSaveFileName(Owner(), ToQString(title), start,
                                                           types.join(";;"), &chosenType)
                            : QFileDialog::getOpenFileName(Owner(), ToQString(title), start,
                                                           types.join(";;"), &chosenType);
  if (path.isEmpty()) return {};
  return {FromQString(path), static_cast<int>(std::max<qsizetype>(types.indexOf(chosenType), 0))};
}

void DesktopShell::ShowFolder(const std::string& path, std::function<void()> failed) {
  ShowFolderOnDesktop(ToQString(path), std::move(failed));
}

DictionaryPages& DesktopShell::Dictionary() {
  if (!dictionary_) dictionary_ = openPages_ ? openPages_() : OpenDictionaryPages();
  return *dictionary_;
}

}  // namespace cindral
