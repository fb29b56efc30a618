// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the main window 启动窗口: the start-up steps that run while
// it is created, its four pages, its five buttons and its closing.

#include "core/LogicTimer.h"
#include "core/Program.h"

namespace cindral {

class MainWindowLogic {
 public:
  enum Page { kHomePage = 0, kLearningPage = 1, kTestPage = 2, kIntensivePage = 3 };

  explicit MainWindowLogic(Program& program) : program_(program) {}

  // When another computer has the book open (see OpenNote.h), asks first
  // whether to go on; settles the conflict copies a sync tool left beside
  // the book (see ConflictCopiesChoice.h); then opens the word database
  // (telling the learner when repairing it dropped words, and where their
  // copy lies, or where another book's journal went), reads the counters
  // then, from the settings file as the open left it (the open rolls back a
  // change that a crash cut short, the settings file with it), seeds the
  // generator and computes today's plan (the entry window of a new day
  // opens from it). False when the program must end: the learner chose not
  // to open a book open elsewhere, a choice between conflict copies could
  // not be finished, the word database could not be opened (the message
  // has been shown), or the learner left the entry window because today's
  // words could not be stored.
  bool OnMainWindowCreated();
  // Once the main window is on the screen: the note that the book is open
  // on this computer (refreshed while it runs), the daily flags the plan reset
  // and held, the day's backup (at the first start of a day), then the
  // daily decay. None shows anything unless it fails, so the learner does
  // not wait for them to see the window.
  void OnMainWindowShown();
  void OnPageSelected(int page);
  // The pointer came onto a page: the learning card's pages start ahead.
  void OnPageHovered(int page);
  // Removes this computer's note beside the book.
  void OnMainWindowClosing();
  // Refreshes the note while the program runs.
  LogicTimer& noteTimer() { return noteTimer_; }
  void OnNoteTimer();

  // The five buttons.
  void OnEntryButton();
  void OnGameButton();
  void OnNotebookButton();
  void OnShuffleButton();
  void OnResetButton();

  // The client panel's context menu.
  void OnImportMenu();        // 导入单词…
  void OnExportMenu();        // 导出单词…
  void OnStatisticsMenu();    // 学习统计
  void OnUndoImportMenu();    // 撤销上次导入
  void OnBackupFolderMenu();  // 打开备份文件夹
  void OnDataFolderMenu();    // 更换单词本文件夹…

 private:
  bool MayOpenHere();
  void WriteNote();

  Program& program_;
  LogicTimer noteTimer_;
};

}  // namespace cindral
