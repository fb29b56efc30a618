// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WordForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "ui/ControlText.h"
#include "ui/ModalWindow.h"
#include "ui/WindowBuilder.h"

namespace cindral {

WordForm::WordForm(ModalWindow* window, std::function<void()> submit)
    : word_(Control<QLineEdit>(window, "编辑框输入单词")),
      meaning_(Control<QLineEdit>(window, "编辑框输入释义")) {
  QObject::connect(Control<QPushButton>(window, "按钮提交"), &QPushButton::clicked, window,
                   std::move(submit));
}

bool WordForm::Holds(const QWidget* control) const {
  return control == word_ || control == meaning_;
}

std::string WordForm::word() const { return ControlText(word_); }
std::string WordForm::meaning() const { return ControlText(meaning_); }

}  // namespace cindral
