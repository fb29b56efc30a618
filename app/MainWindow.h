// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window 启动窗口: a frameless window that the skinned frame draws
// whole (header, caption buttons, the four page buttons, status line) with
// the five buttons on its white client panel. A press on a page goes to
// OnPageSelected, the two menu caption buttons open the about and the
// dedication texts in the skinned message box. A right click on the client
// panel opens its context menu: 导入单词…, 撤销上次导入, 导出单词…, 学习统计,
// 打开备份文件夹, each with its shortcut.

#include <QWidget>

#include "logic/MainWindowLogic.h"
#include "skin/SkinFrame.h"
#include "ui/Layouts.h"

class QMenu;

namespace cindral {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 440;

  explicit MainWindow(Program& program, QWidget* parent = nullptr);

  MainWindowLogic& logic() { return logic_; }
  SkinFrame& frame() { return frame_; }
  void SetEntryButtonEnabled(bool enabled);
  void BringToFront();

  // Menu item 0: about the program; 1: the dedication.
  void OnMenuItem(int item);
  static const std::string& AboutText();       // GBK
  static const std::string& DedicationText();  // GBK
  static const std::string& Slogan();          // GBK
  // The client panel's context menu (its actions are named 菜单导入单词,
  // 菜单撤销上次导入, 菜单导出单词, 菜单学习统计 and 菜单打开备份文件夹).
  QMenu* contextMenu() const { return menu_; }
  // Runs `step` once, as soon as the window's first paint has reached the
  // screen (or after two seconds, should no paint come).
  void AfterFirstPaint(std::function<void()> step);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunAfterFirstPaint();
  void Guarded(const std::function<void()>& handler);

  Program& program_;
  MainWindowLogic logic_;
  SkinFrame frame_;
  MainWindowControls ui_;  // the five buttons
  QMenu* menu_ = nullptr;
  bool closingHandled_ = false;
  std::function<void()> afterFirstPaint_;
};

}  // namespace cindral
