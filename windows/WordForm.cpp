// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WordForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "ui/ControlText.h"
#include "ui/ModalWindow.h"

namespace cindral {

WordForm::WordForm(ModalWindow* window, const WordFormControls& controls,
                   std::function<void()> submit)
    : word_(controls.word), meaning_(controls.meaning) {
  QObject::connect(controls.submit, &QPushButton::clicked, window, std::move(submit));
}

bool WordForm::Holds(const QWidget* control) const {
  return control == word_ || control == meaning_;
}

std::string WordForm::word() const { return ControlText(word_); }
std::string WordForm::meaning() const { return ControlText(meaning_); }

}  // namespace cindral
