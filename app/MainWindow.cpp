#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>

#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/WindowBuilder.h"

namespace cindral {

namespace {
constexpr int kPageBarHeight = 40;
constexpr int kStatusHeight = 28;
}  // namespace

MainWindow::MainWindow(Program& program, QWidget* parent)
    : QWidget(parent), program_(program), logic_(program) {
  setObjectName(QStringLiteral("启动窗口"));
  setWindowTitle(QStringLiteral("Cindral 单词本"));
  setFixedSize(kWidth, kHeight);

  pages_ = new QTabBar(this);
  pages_->setObjectName(QStringLiteral("页面栏"));
  pages_->setFont(DesignedFont({"微软雅黑", 16}));
  pages_->setExpanding(true);
  pages_->setDrawBase(true);
  const QStyle::StandardPixmap icons[] = {QStyle::SP_DirHomeIcon, QStyle::SP_FileDialogInfoView,
                                          QStyle::SP_DialogApplyButton, QStyle::SP_ArrowUp};
  const char* captions[] = {"我的主页", "单词学习", "分组测验", "强化提高"};
  for (int i = 0; i < 4; ++i) {
    pages_->addTab(style()->standardIcon(icons[i]), QString::fromUtf8(captions[i]));
  }
  pages_->setGeometry(0, 0, kWidth, kPageBarHeight);
  // A press on a page, also on the page already shown, as the skinned frame
  // reports it.
  connect(pages_, &QTabBar::tabBarClicked, this, [this](int page) {
    if (page < 0) return;
    Guarded([this, page] { logic_.OnPageSelected(page); });
  });

  BuildControls(this, MainWindowButtons());
  entryButton_ = Control<QPushButton>(this, "按钮录入单词");
  const std::pair<const char*, void (MainWindowLogic::*)()> buttons[] = {
      {"按钮录入单词", &MainWindowLogic::OnEntryButton},
      {"按钮连连看", &MainWindowLogic::OnGameButton},
      {"按钮查看单词本", &MainWindowLogic::OnNotebookButton},
      {"按钮打乱单词本", &MainWindowLogic::OnShuffleButton},
      {"按钮清空单词本", &MainWindowLogic::OnResetButton},
  };
  for (const auto& [name, handler] : buttons) {
    connect(Control<QPushButton>(this, name), &QPushButton::clicked, this,
            [this, handler = handler] { Guarded([this, handler] { (logic_.*handler)(); }); });
  }

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("状态栏"));
  status_->setFont(DesignedFont({"微软雅黑", 13}));
  status_->setText(QStringLiteral("Cindral 单词本 · 每天一组新单词，按艾宾浩斯曲线复习，记得牢"));
  status_->setContentsMargins(10, 0, 10, 0);
  status_->setGeometry(0, kHeight - kStatusHeight, kWidth, kStatusHeight);
  status_->setAutoFillBackground(true);
  status_->setBackgroundRole(QPalette::AlternateBase);
}

void MainWindow::SetEntryButtonEnabled(bool enabled) { entryButton_->setEnabled(enabled); }

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
