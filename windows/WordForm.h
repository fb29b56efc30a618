// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word-and-meaning form that the entry window and the update window
// share: its two boxes, and 提交 bound to the window's submit.

#include <functional>
#include <string>

#include "ui/Layouts.h"

class QLineEdit;
class QWidget;

namespace cindral {

class ModalWindow;

class WordForm {
 public:
  WordForm(ModalWindow* window, const WordFormControls& controls, std::function<void()> submit);

  QLineEdit* wordBox() const { return word_; }
  QLineEdit* meaningBox() const { return meaning_; }
  // Whether `control` is one of the two boxes.
  bool Holds(const QWidget* control) const;

  // The boxes' texts (GBK).
  std::string word() const;
  std::string meaning() const;

  // Hands the boxes' texts to the logic before it handles an event.
  template <class Logic>
  void PassTexts(Logic& logic) const {
    logic.SetWord(word());
    logic.SetMeaning(meaning());
  }

 private:
  QLineEdit* word_;
  QLineEdit* meaning_;
};

}  // namespace cindral
