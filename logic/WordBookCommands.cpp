// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/WordBookCommands.h"

#include <string>

#include "book/LastImport.h"
#include "book/WordBookChanges.h"
#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/Gbk.h"

namespace cindral {

void ShuffleWordBook(Program& program) {
  // A backup first; a shuffle loses no word, so it goes on without one.
  program.BackUp(nullptr);
  const int32_t groups = program.LoadCurrentGroup();
  const bool shuffled = ShuffleGroups(program.db(), groups, program.random());
  ComputeDayPlan(program);
  if (shuffled) {
    program.prompter().Inform(GBK("打乱成功！"), GBK("成功！"));
  } else {
    program.prompter().Fail(GBK("打乱失败，单词本没有改变，请再试！"), GBK("出错了"));
  }
}

void ResetWordBook(Program& program) {
  Prompter& prompter = program.prompter();
  if (!prompter.Ask(GBK("您确认要清除单词本吗？"), GBK("询问"))) return;
  // Cleared without a backup, the words are gone for good: the learner
  // decides whether to go on.
  std::string reason;
  if (!program.BackUp(&reason) &&
      !prompter.Ask(
          GBK("自动备份没有成功：") + reason + GBK("\n清空以后单词本将无法恢复，仍然要清空吗？"),
          GBK("询问"))) {
    return;
  }
  if (!ClearWordBook(program.db(), program.settings(), program.DecayTakenToday())) {
    prompter.Fail(GBK("删除失败，请再试！"), GBK("出错了"));
    return;
  }
  prompter.Inform(GBK("删除成功！"), GBK("成功"));

  AppState& state = program.state();
  state.ReviewPhaseStart = kZeroDate;
  state.DueList.clear();
  state.ForgottenList.clear();
  state.ForgottenPosition = 1;
  program.LoadReviewPosition();
  program.LoadCurrentGroup();
  program.shell().SetEntryButtonEnabled(true);
  ComputeDayPlan(program);
}

void UndoLastImportCommand(Program& program) {
  Prompter& prompter = program.prompter();
  int32_t words = 0;
  // Asked only when it can be done; the undo checks again under its lock.
  UndoOutcome outcome = CheckUndoLastImport(program.db(), &words);
  if (outcome == UndoOutcome::Undone) {
    if (!prompter.Ask(GBK("撤销上次导入，从单词本中删除那次导入的 ") + IntegerToText(words) +
                          GBK(" 个单词吗？"),
                      GBK("询问"))) {
      return;
    }
    program.BackUp(nullptr);
    outcome = UndoLastImport(program.db(), program.settings(), &words);
  }
  switch (outcome) {
    case UndoOutcome::Undone:
      break;
    case UndoOutcome::NothingToUndo:
      return prompter.Inform(GBK("没有可以撤销的导入。"), GBK("提示"));
    case UndoOutcome::ChangedSince:
      return prompter.Inform(GBK("上次导入的单词后来已经学习、更新或删除过，不能撤销。"),
                             GBK("提示"));
    case UndoOutcome::WordsAfter:
      return prompter.Inform(GBK("上次导入之后又添加了单词，不能撤销。"), GBK("提示"));
    case UndoOutcome::Failed:
      return prompter.Fail(GBK("撤销失败，单词本没有改变，请再试！"), GBK("出错了"));
  }
  // The day's plan as the book now stands; the review phase's start is
  // found again from the first record (none when the book is empty).
  program.state().ReviewPhaseStart = kZeroDate;
  program.LoadCurrentGroup();
  ComputeDayPlan(program);
  prompter.Inform(GBK("已撤销上次导入的 ") + IntegerToText(words) + GBK(" 个单词。"), GBK("成功"));
}

}  // namespace cindral
