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
  const int32_t failure = LastDatabaseError();
  // The first word of a new study day has raised groupnumber.
  program_.LoadCurrentGroup();
  if (!added) {
    // Keep what the learner typed so that nothing is lost silently, and say
    // why. A day without its first word keeps the window open: the learner
    // hears how to leave should the book stay unwritable (a full disk).
    saveFailed_ = true;
    std::string text = GBK("单词保存失败（") + DatabaseErrorText(failure) + GBK("），请再试！");
    if (!TodayHasWords()) {
      text += GBK("\n如果仍然无法保存，可以关闭本窗口退出程序，下次启动时再录入今天的单词。");
    }
    program_.prompter().Fail(text, GBK("出错了"));
    return;
  }
  word_.clear();
  meaning_.clear();
  focus_ = Focus::Word;
}

bool EntryWindowLogic::TodayHasWords() {
  Database& db = program_.db();
  db.GoLast();
  return SameDateTime(ReadDateField(db, kEntryDate), program_.Today());
}

bool EntryWindowLogic::QueryClose() {
  if (TodayHasWords()) return true;
  if (saveFailed_) {
    // The day cannot begin while the book cannot be written, and the plan
    // would only open this window again: leaving ends the program.
    leaving_ = program_.prompter().Ask(
        GBK("今天的单词还没有保存。关闭窗口将退出程序，下次启动时再录入今天的单词。要退出吗？"),
        GBK("询问"));
    return leaving_;
  }
  program_.prompter().Inform(GBK("您还没有录入今天的单词，窗口不能关闭！"), GBK("提示"));
  return false;
}

void EntryWindowLogic::Destroyed() {
  if (leaving_) {
    program_.EndRun();
  } else {
    ComputeDayPlan(program_);
  }
}

}  // namespace cindral
