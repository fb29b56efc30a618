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
#include "ui/SpeakerControl.h"

namespace cindral {

LearningWindow::LearningWindow(Program& program, DictionaryPages& views, QWidget* parent)
    : ModalWindow(LearningWindowLayout(), parent),
      ui_(this),
      program_(program),
      views_(views),
      logic_(program),
      places_{ui_.bingPage, ui_.youdaoPage, ui_.dreyePage},
      focus_(
          this, ui_.keyBox, ui_.focusTimer, logic_.focusTimer(),
          [this](const std::function<void()>& step) { Handle(step); },
          [this](int key) { return logic_.KeyDown(key); }, [this] { logic_.FocusTimerTick(); }) {
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &LearningWindow::ShowPlaceOfTab);
  ShowPlaceOfTab(ui_.tabs->currentIndex());

  auto bind = [this](QPushButton* button, void (LearningWindowLogic::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Handle([=] { (logic_.*handler)(); }); });
  };
  bind(ui_.next, &LearningWindowLogic::NextButton);
  bind(ui_.known, &LearningWindowLogic::KnownButton);
  bind(ui_.forgotten, &LearningWindowLogic::ForgottenButton);
  bind(ui_.deleteWord, &LearningWindowLogic::DeleteButton);
  bind(ui_.update, &LearningWindowLogic::UpdateButton);
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
  for (QPushButton* button : {ui_.known.get(), ui_.forgotten.get(), ui_.deleteWord.get()}) {
    button->setVisible(!study);
    button->setEnabled(!study);
  }
  ui_.next->setVisible(study);
  ui_.next->setEnabled(study);
  SetControlText(ui_.position, logic_.positionText());
  SetControlText(ui_.count, logic_.countText());
  SetControlText(ui_.proficiency, logic_.proficiencyText());
  // The bar shows 0..100; a damaged value outside stays at the nearest end.
  ui_.progress->setValue(qBound(0, logic_.progressValue(), 100));
  speaker_->Show(logic_.speaker().enabled(), logic_.speaker().tip());

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
