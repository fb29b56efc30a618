#pragma once
// The main window 启动窗口: a page bar with the four pages, the five
// buttons, and a status line. The page bar stands where the skinned frame
// will draw its page buttons and reports a press on a page the same way.

#include <QWidget>

#include "app/MainWindowLogic.h"

class QLabel;
class QPushButton;
class QTabBar;

namespace cindral {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Outer size, chosen to frame the five buttons with even margins.
  static constexpr int kWidth = 628;
  static constexpr int kHeight = 380;

  explicit MainWindow(Program& program, QWidget* parent = nullptr);

  MainWindowLogic& logic() { return logic_; }
  void SetEntryButtonEnabled(bool enabled);
  void BringToFront();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Guarded(const std::function<void()>& handler);

  Program& program_;
  MainWindowLogic logic_;
  QTabBar* pages_ = nullptr;
  QPushButton* entryButton_ = nullptr;
  QLabel* status_ = nullptr;
  bool closingHandled_ = false;
};

}  // namespace cindral
