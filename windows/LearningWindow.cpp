// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/LearningWindow.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include "lookup/DictionaryAddresses.h"
#include "lookup/DictionaryPages.h"
#include "ui/ControlText.h"
#include "ui/FocusHolder.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/SpeakerControl.h"
#include "ui/TimerBinding.h"
#include "ui/WindowBuilder.h"

namespace cindral {

LearningWindow::LearningWindow(Program& program, DictionaryPages& views, QWidget* parent)
    : ModalWindow(LearningWindowLayout(), parent),
      program_(program),
      views_(views),
      logic_(program),
      tabs_(Control<QTabWidget>(this, "高级选择夹")),
      places_{Control<QWidget>(this, "超文本浏览框必应"),
              Control<QWidget>(this, "超文本浏览框有道"),
              Control<QWidget>(this, "超文本浏览框译典通")},
      focus_(this, Control<QLineEdit>(this, "编辑框保证获取焦点"), logic_.focusTimer(),
             [this](const std::function<void()>& step) { Handle(step); },
             [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); }),
      progress_(Control<QProgressBar>(this, "进度条")),
      next_(Control<QPushButton>(this, "按钮下一个单词")),
      known_(Control<QPushButton>(this, "按钮已会单词")),
      forgotten_(Control<QPushButton>(this, "按钮遗忘单词")),
      delete_(Control<QPushButton>(this, "按钮删除单词")) {
  connect(tabs_, &QTabWidget::currentChanged, this, &LearningWindow::ShowPlaceOfTab);
  ShowPlaceOfTab(tabs_->currentIndex());

  auto bind = [this](QPushButton* button, void (LearningWindowLogic::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Handle([=] { (logic_.*handler)(); }); });
  };
  bind(next_, &LearningWindowLogic::NextButton);
  bind(known_, &LearningWindowLogic::KnownButton);
  bind(forgotten_, &LearningWindowLogic::ForgottenButton);
  bind(delete_, &LearningWindowLogic::DeleteButton);
  bind(Control<QPushButton>(this, "按钮更新单词"), &LearningWindowLogic::UpdateButton);
  speaker_ = std::make_unique<SpeakerControl>(
      this, LearningSpeakerButton(), program.speech(),
      [this] { Handle([this] { logic_.SpeakerButton(); }); }, [this] { Show(); });

  SetClosedHandler([this] { RunGuarded(program_.prompter(), [this] { logic_.Destroyed(); }); });
}

LearningWindow::~LearningWindow() {
  if (viewsAttached_) views_.Release();
}

void LearningWindow::Run() {
  Handle([this] { logic_.Created(); });
  Open();
  // Once the windows opened above the card have gone too.
  RunGuarded(program_.prompter(), [this] { logic_.AfterClosed(); });
}

void LearningWindow::ShowPlaceOfTab(int tab) {
  for (int i = 0; i < static_cast<int>(places_.size()); ++i) {
    if (places_[i] != nullptr) places_[i]->setVisible(i == tab);
  }
}

void LearningWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
}

void LearningWindow::Show() {
  const bool study = logic_.showsNextButton();
  for (QPushButton* button : {known_, forgotten_, delete_}) {
    button->setVisible(!study);
    button->setEnabled(!study);
  }
  next_->setVisible(study);
  next_->setEnabled(study);
  SetControlText(Control<QWidget>(this, "标签左提示背诵进度"), logic_.positionText());
  SetControlText(Control<QWidget>(this, "标签右提示背诵进度"), logic_.countText());
  SetControlText(Control<QWidget>(this, "标签熟练度"), logic_.proficiencyText());
  // The bar shows 0..100; a damaged value outside stays at the nearest end.
  progress_->setValue(qBound(0, logic_.progressValue(), 100));
  speaker_->Show(logic_.speaker().look());

  if (preparationsDone_ != logic_.viewPreparations()) {
    preparationsDone_ = logic_.viewPreparations();
    views_.PrepareDictionaryViews();
  }
  if (pageLoadsShown_ != logic_.pageLoads()) {
    pageLoadsShown_ = logic_.pageLoads();
    // The views come (and the web engine starts) with the first word to
    // show: a card that closes at once, on an empty list, starts nothing.
    if (!viewsAttached_) {
      viewsAttached_ = true;
      views_.Attach(places_);
      views_.PrepareDictionaryViews();
    }
    views_.LoadDictionaryPages(
        BuildDictionaryAddresses(logic_.pagesWord(), ReadDictionaryBases(program_.settings())),
        logic_.pagesWord(), logic_.pagesMeaning());
  }
  focus_.Follow(logic_.focusRequests());
  if (logic_.closed() && !IsClosed()) CloseWindow();
}

void RunLearningWindow(Program& program, DictionaryPages& views, QWidget* parent) {
  LearningWindow window(program, views, parent);
  window.Run();
}

}  // namespace cindral
