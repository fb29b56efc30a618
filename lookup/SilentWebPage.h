// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A web page of the dictionary views that can be told to show no dialog of
// its own: while silent, script alerts, confirmations (also the one before
// leaving a page) and prompts, file choosers, certificate and login
// questions, permission requests and new windows are all answered "no"
// without a word to the learner.

#include <QWebEnginePage>

namespace cindral {

class SilentWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  SilentWebPage(QWebEngineProfile* profile, QObject* parent = nullptr);

  void SetSilent(bool silent) { silent_ = silent; }
  // How many dialogs and windows the page kept to itself.
  int Suppressed() const { return suppressed_; }

 protected:
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                        QString* result) override;
  QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                          const QStringList& acceptedMimeTypes) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  bool silent_ = true;
  int suppressed_ = 0;
};

}  // namespace cindral
