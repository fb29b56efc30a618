// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/UpdateWordWindowLogic.h"

#include "core/KeyCodes.h"
#include "book/WordBookChanges.h"
#include "plan/DayPlan.h"
#include "store/Gbk.h"

namespace cindral {

void UpdateWordWindowLogic::Created() {
  if (const DueEntry* entry = CurrentDueEntry(program_)) {
    record_ = entry->SerialNumber;
    word_ = entry->Word;
    meaning_ = entry->Meaning;
  }
  focus_ = Focus::Meaning;
  meaningCaret_ = meaning_.size();
}

void UpdateWordWindowLogic::Submit() {
  if (closed_) return;
  Prompter& prompter = program_.prompter();
  if (word_.empty() || meaning_.empty()) {
    prompter.Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
    focus_ = word_.empty() ? Focus::Word : Focus::Meaning;
    return;
  }
  if (!RewriteWord(program_.db(), record_, word_, meaning_)) {
    // "更新成功！" would be a lie; the window stays so the learner can try again.
    prompter.Fail(GBK("更新失败，请再试！"), GBK("失败"));
    return;
  }
  ComputeDayPlan(program_);
  prompter.Inform(GBK("更新成功！"), GBK("成功"));
  closed_ = true;
}

bool UpdateWordWindowLogic::KeyDown(int keyCode) {
  if (keyCode != kKeyEnter) return false;
  Submit();
  return true;
}

}  // namespace cindral
