#pragma once
// What the logic asks of the main window and of the window system: opening a
// window modally and the state of the main window. The desktop implements it
// with Qt; tests script it.

namespace cindral {

enum class WindowId {
  Entry,             // 窗口输入单词
  Learning,          // 窗口单词学习 (page "单词学习")
  GroupTest,         // 窗口拼写 (page "分组测验")
  IntensiveChooser,  // 窗口熟练度选择模式 (page "强化提高")
  IntensiveReview,   // 窗口熟练度复习, opened by the chooser
  Game,              // 窗口连连看
  Notebook,          // 窗口单词本
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the window modally; returns when it has been closed.
  virtual void OpenWindow(WindowId id) = 0;
  virtual void SetEntryButtonEnabled(bool enabled) = 0;
  virtual void BringMainWindowToFront() = 0;
};

}  // namespace cindral
