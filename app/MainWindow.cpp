// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "app/ProgramPicture.h"
#include "draw/SkinImage.h"
#include "store/Gbk.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/TimerBinding.h"
#include "ui/WindowBuilder.h"

namespace cindral {

namespace {

std::string Bytes(ProgramPicture picture) { return std::string(ProgramPictureBytes(picture)); }

QIcon ProgramIcon() {
  QIcon icon;
  for (ProgramPicture size :
       {ProgramPicture::kIcon16, ProgramPicture::kIcon32, ProgramPicture::kIcon48}) {
    icon.addPixmap(QPixmap::fromImage(SkinImage::FromBytes(ProgramPictureBytes(size)).image()));
  }
  return icon;
}

}  // namespace

const std::string& MainWindow::Slogan() {
  return GBK("Cindral 单词本 · 每天一组新单词，按艾宾浩斯曲线复习，记得牢");
}

// Each line fits the message box's 32-byte lines.
const std::string& MainWindow::AboutText() {
  return GBK(
      "Cindral 单词本 " CINDRAL_VERSION "\r\n"
      "每天录入一组新单词，\r\n"
      "按艾宾浩斯遗忘曲线安排复习：\r\n"
      "88 天学习，12 天巩固。\r\n"
      "许可证：GPL-3.0-or-later\r\n"
      "可自由复制修改分发，无任何担保。\r\n"
      "释义来自 CC-CEDICT，CC BY-SA 4.0\r\n"
      "—— 2026 Cindral 开发组");
}

const std::string& MainWindow::DedicationText() {
  return GBK(
      "献给每一位坚持背单词的你：\r\n"
      "一天一组，不求多，只求不断；\r\n"
      "日积月累，词汇自成江河。\r\n"
      "—— Cindral 开发组");
}

MainWindow::MainWindow(Program& program, QWidget* parent)
    : QWidget(parent), program_(program), logic_(program) {
  setObjectName(QStringLiteral("启动窗口"));
  setWindowTitle(QStringLiteral("Cindral 单词本"));
  setWindowIcon(ProgramIcon());
  resize(kWidth, kHeight);
  // Smaller than this, the buttons would leave the client panel.
  setMinimumSize(kWidth, kHeight);

  frame_.Attach(this, /*persist=*/false);
  frame_.SetStatusText(Slogan());
  frame_.SetPageHandler(
      [this](int page) { Guarded([this, page] { logic_.OnPageSelected(page); }); });
  frame_.SetPageHoverHandler(
      [this](int page) { Guarded([this, page] { logic_.OnPageHovered(page); }); });
  frame_.SetMenuHandler([this](int item) { Guarded([this, item] { OnMenuItem(item); }); });
  frame_.SetMenuNames(GBK("关于"), GBK("寄语"));
  frame_.AddPage(GBK("我的主页"), Bytes(ProgramPicture::kPageHome));
  frame_.AddPage(GBK("单词学习"), Bytes(ProgramPicture::kPageLearning));
  frame_.AddPage(GBK("分组测验"), Bytes(ProgramPicture::kPageTest));
  frame_.AddPage(GBK("强化提高"), Bytes(ProgramPicture::kPageIntensive));

  BuildControls(this, ui_.Layouts());
  ui_.Find(this);
  BindTimer(new QTimer(this), logic_.noteTimer(),
            [this] { Guarded([this] { logic_.OnNoteTimer(); }); });
  const std::pair<QPushButton*, void (MainWindowLogic::*)()> buttons[] = {
      {ui_.entry, &MainWindowLogic::OnEntryButton},
      {ui_.game, &MainWindowLogic::OnGameButton},
      {ui_.notebook, &MainWindowLogic::OnNotebookButton},
      {ui_.shuffle, &MainWindowLogic::OnShuffleButton},
      {ui_.reset, &MainWindowLogic::OnResetButton},
  };
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this,
            [this, handler = handler] { Guarded([this, handler] { (logic_.*handler)(); }); });
  }

  // The commands beyond the five buttons, out of sight until asked for.
  menu_ = new QMenu(this);
  const struct {
    const char* name;
    const char* text;
    const char* shortcut;
    void (MainWindowLogic::*handler)();
  } items[] = {
      {"菜单导入单词", "导入单词…", "Ctrl+I", &MainWindowLogic::OnImportMenu},
      {"菜单撤销上次导入", "撤销上次导入", "Ctrl+Z", &MainWindowLogic::OnUndoImportMenu},
      {"菜单导出单词", "导出单词…", "Ctrl+E", &MainWindowLogic::OnExportMenu},
      {"菜单学习统计", "学习统计", "Ctrl+T", &MainWindowLogic::OnStatisticsMenu},
      {"菜单打开备份文件夹", "打开备份文件夹", "Ctrl+B", &MainWindowLogic::OnBackupFolderMenu},
      {"菜单更换单词本文件夹", "更换单词本文件夹…", "", &MainWindowLogic::OnDataFolderMenu},
  };
  for (const auto& item : items) {
    QAction* action = menu_->addAction(QString::fromUtf8(item.text));
    action->setObjectName(QString::fromUtf8(item.name));
    // The shortcut is shown in the menu and works while the menu is shut.
    action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this,
            [this, handler = item.handler] { Guarded([this, handler] { (logic_.*handler)(); }); });
  }
}

void MainWindow::AfterFirstPaint(std::function<void()> step) {
  afterFirstPaint_ = std::move(step);
  // The frame takes the window's paint events before the window sees them;
  // a filter installed after the frame's is asked first.
  installEventFilter(this);
  QTimer::singleShot(2000, this, [this] { RunAfterFirstPaint(); });
}

void MainWindow::RunAfterFirstPaint() {
  if (!afterFirstPaint_) return;
  removeEventFilter(this);
  const std::function<void()> step = std::move(afterFirstPaint_);
  afterFirstPaint_ = nullptr;
  step();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The paint is drawn and flushed to the screen before control returns to
  // the event loop, where the step then runs.
  if (watched == this && event->type() == QEvent::Paint && afterFirstPaint_) {
    QTimer::singleShot(0, this, [this] { RunAfterFirstPaint(); });
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  const FrameRect panel = frame_.ClientPanel();
  QPoint at = event->pos();
  // From the keyboard's menu key: the middle of the panel.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    at = QPoint(panel.left + panel.width / 2, panel.top + panel.height / 2);
  } else if (!panel.Contains(at.x(), at.y())) {
    event->ignore();
    return;
  }
  menu_->popup(mapToGlobal(at));
  event->accept();
}

void MainWindow::OnMenuItem(int item) {
  frame_.ShowMessage(item == 0 ? AboutText() : DedicationText(), 1, 1, 1, GBK("提示"));
}

void MainWindow::SetEntryButtonEnabled(bool enabled) { ui_.entry->setEnabled(enabled); }

void MainWindow::BringToFront() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closingHandled_) {
    closingHandled_ = true;
    Guarded([this] { logic_.OnMainWindowClosing(); });
  }
  event->accept();
}

void MainWindow::Guarded(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
}

}  // namespace cindral
