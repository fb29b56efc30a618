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
#include "ui/SpeakerControl.h"

namespace cindral {

LearningWindow::LearningWindow(Program& program, DictionaryPages& views, QWidget* parent)
    : LogicWindow(program, LearningWindowLayout(), parent),
      ui_(this),
      views_(views),
      places_{ui_.bingPage, ui_.youdaoPage, ui_.dreyePage},
      focus_(HoldFocus(ui_.keyBox, ui_.focusTimer)) {
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &LearningWindow::ShowPlaceOfTab);
  ShowPlaceOfTab(ui_.tabs->currentIndex());

  HandleClicks(ui_.next, &LearningWindowLogic::NextButton);
  HandleClicks(ui_.known, &LearningWindowLogic::KnownButton);
  HandleClicks(ui_.forgotten, &LearningWindowLogic::ForgottenButton);
  HandleClicks(ui_.deleteWord, &LearningWindowLogic::DeleteButton);
  HandleClicks(ui_.update, &LearningWindowLogic::UpdateButton);
  speaker_ = std::make_unique<SpeakerControl>(
      this, LearningSpeakerButton(), program.speech(),
      [this] { Handle(&LearningWindowLogic::SpeakerButton); }, [this] { Show(); });

  HandleClose(&LearningWindowLogic::Destroyed);
}

LearningWindow::~LearningWindow() {
  if (viewsAttached_) views_.Release();
}

void LearningWindow::Run() {
  Handle(&LearningWindowLogic::Created);
  Open();
  // Once the windows opened above the card have gone too.
  Guarded([this] { logic_.AfterClosed(); });
}

void LearningWindow::ShowPlaceOfTab(int tab) {
  for (int i = 0; i < static_cast<int>(places_.size()); ++i) {
    if (places_[i] != nullptr) places_[i]->setVisible(i == tab);
  }
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
