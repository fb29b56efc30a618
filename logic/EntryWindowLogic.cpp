// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/EntryWindowLogic.h"

#include "book/TodaysWords.h"
#include "core/KeyCodes.h"
#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WordRecord.h"

namespace cindral {

void EntryWindowLogic::KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) Submit();
}

void EntryWindowLogic::Submit() {
  program_.LoadCurrentGroup();
  if (meaning_.empty() || word_.empty()) {
    program_.prompter().Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
    focus_ = word_.empty() ? Focus::Word : Focus::Meaning;
    return;
  }
  const bool added =
      AddTodaysWords(program_.db(), program_.settings(), program_.Today(), {{word_, meaning_}});
  // The first word of a new study day has raised groupnumber.
  program_.LoadCurrentGroup();
  if (!added) {
    // Keep what the learner typed so that nothing is lost silently.
    program_.prompter().Fail(GBK("单词保存失败，请再试！"), GBK("出错了"));
    return;
  }
  word_.clear();
  meaning_.clear();
  focus_ = Focus::Word;
}

bool EntryWindowLogic::QueryClose() {
  Database& db = program_.db();
  db.GoLast();
  if (SameDateTime(ReadDateField(db, kEntryDate), program_.Today())) return true;
  program_.prompter().Inform(GBK("您还没有录入今天的单词，窗口不能关闭！"), GBK("提示"));
  return false;
}

void EntryWindowLogic::Destroyed() { ComputeDayPlan(program_); }

}  // namespace cindral
