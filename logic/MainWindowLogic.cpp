// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/MainWindowLogic.h"

#include <cstdio>

#include "core/OpenNote.h"
#include "logic/ConflictCopiesChoice.h"
#include "logic/DataFolderChange.h"
#include "logic/ExportLogic.h"
#include "logic/WordBookCommands.h"
#include "plan/DayPlan.h"
#include "plan/EntryGate.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {

bool MainWindowLogic::MayOpenHere() {
  OpenNote* note = program_.openNote();
  OpenNoteContent other;
  if (note == nullptr || !note->OpenElsewhere(CurrentDateTime(program_.clock()), &other)) {
    return true;
  }
  return program_.prompter().Ask(
      GBK("单词本正在另一台电脑（") + other.host + GBK("）上使用，从 ") +
          DateTimeText(other.since, "%04d-%02d-%02d %02d:%02d") +
          GBK(" 起。\n两台电脑同时使用同一个单词本时，同步软件会用一台电脑上的单词本覆盖另一台的，"
              "那台电脑上的学习记录就丢了。最好先在那台电脑上关闭 Cindral。\n\n"
              "仍要在这台电脑上打开单词本吗？"),
      GBK("提示"));
}

void MainWindowLogic::WriteNote() {
  OpenNote* note = program_.openNote();
  if (note == nullptr) return;
  if (!note->Write(CurrentDateTime(program_.clock()))) {
    std::fprintf(stderr,
                 "cindral: %s cannot be written: other computers will not see that the "
                 "book is open here\n",
                 GbkToUtf8(note->path()).c_str());
  }
}

void MainWindowLogic::OnNoteTimer() { WriteNote(); }

bool MainWindowLogic::OnMainWindowCreated() {
  program_.state().ForgottenPosition = 1;
  if (!MayOpenHere()) return false;
  if (!SettleConflictCopies(program_)) return false;
  if (!program_.db().OpenDatabase(GBK("单词本"))) {
    program_.prompter().Fail(GBK("数据库连接出错，请确认数据库是否已存在！"), GBK("出错了"));
    return false;
  }
  // The counters are read once the book is open: a change that a crash cut
  // short is rolled back by the open, which puts the settings file of
  // before the change back as well.
  program_.LoadReviewPosition();
  program_.LoadCurrentGroup();
  // A repair that dropped whole words kept a copy of the book first: the
  // learner hears of it, and where the copy lies.
  const std::string copy = program_.db().RepairCopy();
  if (!copy.empty()) {
    const std::size_t slash = copy.rfind('/');
    program_.prompter().Inform(
        GBK("单词本文件记录的单词数与文件不符，已按文件修复。修复前的单词本已另存为：") +
            copy.substr(slash == std::string::npos ? 0 : slash + 1),
        GBK("提示"));
  }
  // A journal of another book (a copy put back, or one a sync tool brought
  // from another computer) was kept aside rather than written into this one.
  const std::string aside = program_.db().JournalSetAside();
  if (!aside.empty()) {
    const std::size_t slash = aside.rfind('/');
    program_.prompter().Inform(GBK("单词本旁边有一份未完成的修改记录，它不属于现在的单词本（可能来"
                                   "自另一份单词本或另一台电脑），"
                                   "没有用到单词本上，已另存为：") +
                                   aside.substr(slash == std::string::npos ? 0 : slash + 1),
                               GBK("提示"));
  }
  program_.random().SeedRandom(static_cast<uint32_t>(SecondOf(CurrentDateTime(program_.clock()))));
  ComputeDayPlan(program_, PlanMoment::kStart);
  // The learner left the entry window of a day whose words could not be
  // stored: the program ends instead of showing the main window.
  return !program_.EndRequested();
}

void MainWindowLogic::OnMainWindowShown() {
  // The note that the book is open here: a write the window need not wait for.
  WriteNote();
  if (program_.openNote() != nullptr) noteTimer_.Set(OpenNote::kRefreshMilliseconds);
  program_.WriteHeldDailyFlags();
  // The day's backup, taken before the decay changes anything.
  if (!program_.backups().TakenOn(program_.Today())) {
    std::string reason;
    if (!program_.BackUp(&reason)) {
      program_.prompter().Inform(
          GBK("今天的自动备份没有成功：") + reason + GBK("。单词本照常可以使用。"), GBK("提示"));
    }
  }
  DecayProficiency(program_);
}

void MainWindowLogic::OnPageSelected(int page) {
  switch (page) {
    case kLearningPage:
    case kTestPage:
      if (IsCourseFinished(program_.state().ReviewPhaseStart, program_.Today())) {
        program_.prompter().Inform(GBK("您已经学习完毕，请重置单词数据库后继续开始单词之旅！"),
                                   GBK("成功了"));
      } else {
        program_.shell().OpenWindow(page == kLearningPage ? WindowId::Learning
                                                          : WindowId::Spelling);
      }
      break;
    case kIntensivePage:
      if (program_.db().RecordCount() == 0) {
        program_.prompter().Inform(GBK("您还没有录入单词，请先录入一下吧！"), GBK("提示"));
      } else {
        program_.shell().OpenWindow(WindowId::IntensiveChooser);
      }
      break;
    default:  // the home page shows the main window's own buttons
      break;
  }
}

void MainWindowLogic::OnPageHovered(int page) {
  if (page == kLearningPage) program_.shell().PrepareWindow(WindowId::Learning);
}

void MainWindowLogic::OnMainWindowClosing() {
  noteTimer_.Set(0);
  if (OpenNote* note = program_.openNote()) note->Remove();
  if (program_.ReviewPosition() > static_cast<int64_t>(program_.state().DueList.size())) {
    program_.SetReviewPosition(1);
  }
}

void MainWindowLogic::OnEntryButton() { OpenEntryGate(program_); }
void MainWindowLogic::OnGameButton() { program_.shell().OpenWindow(WindowId::Game); }
void MainWindowLogic::OnNotebookButton() { program_.shell().OpenWindow(WindowId::WordBook); }
void MainWindowLogic::OnShuffleButton() { ShuffleWordBook(program_); }
void MainWindowLogic::OnResetButton() { ResetWordBook(program_); }

void MainWindowLogic::OnImportMenu() { program_.shell().OpenWindow(WindowId::Import); }

void MainWindowLogic::OnUndoImportMenu() { UndoLastImportCommand(program_); }

void MainWindowLogic::OnExportMenu() { ExportLogic(program_).Run(); }

void MainWindowLogic::OnStatisticsMenu() { program_.shell().OpenWindow(WindowId::Statistics); }

void MainWindowLogic::OnDataFolderMenu() { ChangeDataFolder(program_); }

void MainWindowLogic::OnBackupFolderMenu() {
  const Backups& backups = program_.backups();
  backups.MakeFolder();
  // The program (and its prompter) outlives every window.
  Prompter& prompter = program_.prompter();
  program_.shell().ShowFolder(backups.Folder(), [&prompter, folder = backups.Folder()] {
    prompter.Inform(GBK("备份文件夹在：") + folder, GBK("提示"));
  });
}

}  // namespace cindral
