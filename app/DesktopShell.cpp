// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopShell.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <utility>

#include "app/MainWindow.h"
#include "lookup/DictionaryPages.h"
#include "ui/FolderView.h"
#include "ui/ModalWindow.h"
#include "ui/RecentFolders.h"
#include "ui/TerminationSignals.h"
#include "ui/Text.h"
#include "windows/WindowTable.h"

namespace cindral {

DesktopShell::DesktopShell(PagesMaker openPages) : openPages_(std::move(openPages)) {}
DesktopShell::~DesktopShell() = default;

void DesktopShell::OpenWindow(WindowId id) {
  // The program is ending: the window would only be closed again.
  if (ClosingAllWindows()) return;
  RunWindow(
      id, {*program_, Owner(), mainWindow_, [this]() -> DictionaryPages& { return Dictionary(); }});
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

void DesktopShell::EndProgram() { CloseAllWindows(); }

void DesktopShell::BringMainWindowToFront() {
  if (mainWindow_ != nullptr) mainWindow_->BringToFront();
}

FileChoice DesktopShell::ChooseFile(FileKind kind, const std::string& title, bool save,
                                    const std::vector<std::string>& filters,
                                    const std::string& suggested) {
  QStringList types;
  for (const std::string& filter : filters) types << ToQString(filter);
  const QString folder = StartFolder(kind);
  const QString start = suggested.empty() ? folder : QDir(folder).filePath(ToQString(suggested));
  QString chosenType = types.value(0);
  const QString path = save ? QFileDialog::getSaveFileName(Owner(), ToQString(title), start,
                                                           types.join(";;"), &chosenType)
                            : QFileDialog::getOpenFileName(Owner(), ToQString(title), start,
                                                           types.join(";;"), &chosenType);
  if (path.isEmpty()) return {};
  RememberFolder(kind, path);
  return {FromQString(QFileInfo(path).absoluteFilePath()),
          static_cast<int>(std::max<qsizetype>(types.indexOf(chosenType), 0))};
}

std::string DesktopShell::ChooseFolder(const std::string& title, const std::string& start) {
  const QString path =
      QFileDialog::getExistingDirectory(Owner(), ToQString(title), ToQString(start));
  return path.isEmpty() ? std::string() : FromQString(QFileInfo(path).absoluteFilePath());
}

void DesktopShell::ShowFolder(const std::string& path, std::function<void()> failed) {
  ShowFolderOnDesktop(ToQString(path), std::move(failed));
}

void DesktopShell::PrepareWindow(WindowId id) {
  if (id != WindowId::Learning || warmUpAsked_) return;
  warmUpAsked_ = true;
  QTimer::singleShot(0, mainWindow_, [this] { Dictionary().WarmUp(); });
}

DictionaryPages& DesktopShell::Dictionary() {
  if (!dictionary_) dictionary_ = openPages_ ? openPages_() : OpenDictionaryPages();
  return *dictionary_;
}

}  // namespace cindral
