// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/SilentWebPage.h"

#include <QAuthenticator>
#include <QWebEngineCertificateError>

namespace cindral {

SilentWebPage::SilentWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
  // Left unanswered, these would wait for a dialog; answered here they are
  // refused at once.
  connect(this, &QWebEnginePage::certificateError, this,
          [this](const QWebEngineCertificateError& error) {
            if (!silent_) return;
            ++suppressed_;
            auto refused = error;
            refused.rejectCertificate();
          });
  connect(this, &QWebEnginePage::authenticationRequired, this,
          [this](const QUrl&, QAuthenticator* authenticator) {
            if (!silent_) return;
            ++suppressed_;
            *authenticator = QAuthenticator();
          });
  connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
          [this](const QUrl&, QAuthenticator* authenticator, const QString&) {
            if (!silent_) return;
            ++suppressed_;
            *authenticator = QAuthenticator();
          });
  connect(this, &QWebEnginePage::featurePermissionRequested, this,
          [this](const QUrl& origin, Feature feature) {
            if (!silent_) return;
            ++suppressed_;
            setFeaturePermission(origin, feature, PermissionDeniedByUser);
          });
}

void SilentWebPage::javaScriptAlert(const QUrl& origin, const QString& message) {
  if (silent_) {
    ++suppressed_;
    return;
  }
  QWebEnginePage::javaScriptAlert(origin, message);
}

bool SilentWebPage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  if (silent_) {
    ++suppressed_;
    return false;
  }
  return QWebEnginePage::javaScriptConfirm(origin, message);
}

bool SilentWebPage::javaScriptPrompt(const QUrl& origin, const QString& message,
                                     const QString& defaultValue, QString* result) {
  if (silent_) {
    ++suppressed_;
    return false;
  }
  return QWebEnginePage::javaScriptPrompt(origin, message, defaultValue, result);
}

QStringList SilentWebPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                       const QStringList& acceptedMimeTypes) {
  if (silent_) {
    ++suppressed_;
    return {};
  }
  return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}

QWebEnginePage* SilentWebPage::createWindow(WebWindowType type) {
  if (silent_) {
    ++suppressed_;
    return nullptr;
  }
  return QWebEnginePage::createWindow(type);
}

}  // namespace cindral
