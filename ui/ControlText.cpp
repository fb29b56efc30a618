// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "ui/Text.h"

namespace cindral {
namespace {

// Buttons and group boxes read a single & as a mnemonic marker; && shows one &.
QString EscapeMnemonics(QString text) {
  return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString UnescapeMnemonics(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    plain.append(text[i]);
  }
  return plain;
}

}  // namespace

void SetControlQText(QWidget* control, const QString& text) {
  if (control == nullptr) return;
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(EscapeMnemonics(text));
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(EscapeMnemonics(text));
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
    memo->setPlainText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0) combo->setCurrentIndex(index);
  } else if (control->isWindow()) {
    control->setWindowTitle(text);
  }
}

QString ControlQText(const QWidget* control) {
  if (control == nullptr) return {};
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
    return UnescapeMnemonics(button->text());
  }
  if (auto* group = qobject_cast<const QGroupBox*>(control))
    return UnescapeMnemonics(group->title());
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (auto* memo = qobject_cast<const QPlainTextEdit*>(control)) return memo->toPlainText();
  if (auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
  if (control->isWindow()) return control->windowTitle();
  return {};
}

void SetControlText(QWidget* control, const std::string& gbk) {
  SetControlQText(control, ToQString(gbk));
}

std::string ControlText(const QWidget* control) { return FromQString(ControlQText(control)); }

}  // namespace cindral
