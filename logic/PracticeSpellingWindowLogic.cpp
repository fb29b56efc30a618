// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/PracticeSpellingWindowLogic.h"

#include "core/KeyCodes.h"
#include "store/Gbk.h"

namespace cindral {

PracticeSpellingWindowLogic PracticeSpellingWindowLogic::ForDueWord(Program& program) {
  const DueEntry* entry = CurrentDueEntry(program);
  return PracticeSpellingWindowLogic(entry != nullptr ? entry->Word : std::string());
}

PracticeSpellingWindowLogic PracticeSpellingWindowLogic::ForForgottenWord(Program& program) {
  const AppState& state = program.state();
  const int32_t position = state.ForgottenPosition;
  if (position < 1 || static_cast<size_t>(position) > state.ForgottenList.size()) {
    return PracticeSpellingWindowLogic(std::string());
  }
  return PracticeSpellingWindowLogic(state.ForgottenList[static_cast<size_t>(position) - 1].Word);
}

bool PracticeSpellingWindowLogic::KeyDown(int keyCode) {
  if (keyCode != kKeyEnter || closed_) return false;
  // Byte for byte: letter case and blanks count.
  if (input_ == word_) {
    verdict_ = GBK("√");
    closed_ = true;
  } else {
    verdict_ = GBK("×");
  }
  return true;
}

}  // namespace cindral
