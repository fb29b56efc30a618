// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every window the logic may open, registered once. Each entry gives
//   the id       WindowId::<id>, by which the logic opens it,
//   the window   <window>: its layout <window>Layout() (ui/Layouts), its
//                logic (logic/<window>Logic, or the logic its Run function
//                names) and Run<window> (windows/<window>.h),
//   its name     the window's Chinese name, the layout's name,
//   its owner    Front: opens over the window in front; Main: over the main
//                window.
// A new window is one entry here plus its logic, its layout and its window
// (docs/architecture.md lists the files, in order). The declaration of its
// layout, the window table that opens it and the list of the windows'
// headers that table includes (made by windows/CMakeLists.txt), the shell
// and the tests follow from the entry.

// X(id, window, name, owner)
#define CINDRAL_WINDOWS(X)                                                 \
  X(Entry, EntryWindow, "窗口输入单词", Front)                             \
  /* page "单词学习", and the card of the group test */                    \
  X(Learning, LearningWindow, "窗口单词学习", Front)                       \
  /* page "分组测验" */                                                    \
  X(Spelling, SpellingWindow, "窗口拼写", Front)                           \
  /* page "强化提高" */                                                    \
  X(IntensiveChooser, IntensiveChooserWindow, "窗口熟练度选择模式", Main)  \
  /* opened by the chooser */                                              \
  X(IntensiveReview, IntensiveReviewWindow, "窗口熟练度复习", Front)       \
  X(Game, GameWindow, "窗口连连看", Main)                                  \
  X(WordBook, WordBookWindow, "窗口单词本", Front)                         \
  /* the group test's four meanings */                                     \
  X(Choice, ChoiceWindow, "窗口选择", Front)                               \
  /* after the group test */                                               \
  X(ForgottenReview, ForgottenReviewWindow, "窗口每日遗忘单词测试", Front) \
  /* from the learning card */                                             \
  X(UpdateWord, UpdateWordWindow, "窗口更新单词", Front)                   \
  /* from the learning card */                                             \
  X(PracticeSpelling, PracticeSpellingWindow, "窗口学习单词拼写", Front)   \
  /* from the forgotten-word review */                                     \
  X(ForgottenSpelling, ForgottenSpellingWindow, "窗口拼写遗忘单词", Front) \
  /* 学习统计 on the main window's menu */                                 \
  X(Statistics, StatisticsWindow, "窗口学习统计", Front)                   \
  /* 导入单词… on the main window's menu */                                \
  X(Import, ImportWindow, "窗口导入单词", Front)

namespace cindral {

enum class WindowId {
#define CINDRAL_WINDOW_ID(id, window, name, owner) id,
  CINDRAL_WINDOWS(CINDRAL_WINDOW_ID)
#undef CINDRAL_WINDOW_ID
};

}  // namespace cindral
