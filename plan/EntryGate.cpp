// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/EntryGate.h"

#include "book/TodaysWords.h"
#include "store/Gbk.h"

namespace cindral {

std::string EntryRefusal(Program& program) {
  return TodaysWordsRefusal(program.db(), program.Today(), program.state().ReviewPhaseStart);
}

void OpenEntryGate(Program& program) {
  const std::string refusal = EntryRefusal(program);
  if (refusal.empty()) {
    program.shell().OpenWindow(WindowId::Entry);
  } else {
    program.prompter().Inform(refusal, GBK("提示"));
  }
}

}  // namespace cindral
