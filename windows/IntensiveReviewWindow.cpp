// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/IntensiveReviewWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/KeyCodes.h"
#include "ui/ControlText.h"
#include "ui/FocusHolder.h"
#include "ui/SpeakerControl.h"
#include "ui/Text.h"
#include "ui/TimerBinding.h"

namespace cindral {

IntensiveReviewWindow::IntensiveReviewWindow(Program& program, QWidget* parent)
    : LogicWindow(program, IntensiveReviewWindowLayout(), parent), ui_(this) {
  MakeFocusHolder(ui_.keyBox);
  BindTimer(ui_.focusTimer, logic_.focusTimer(),
            [this] { Handle(&IntensiveReviewWindowLogic::FocusTimerTick); });
  // The keys reach the drill through the focus holder (or the window, in
  // the moment before the timer gives the focus back).
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != ui_.keyBox && control != this) return false;
    if (key != kKeyLeft && key != kKeyRight && key != kKeyTilde && key != kKeyS && key != kKeyP &&
        key != kKeyW) {
      return false;
    }
    Handle([this, key] { logic_.KeyDown(key); });
    return true;
  });
  // The offline entry is read, never edited, and never takes the keys.
  ui_.entry->setReadOnly(true);
  ui_.entry->setFocusPolicy(Qt::NoFocus);
  ui_.entry->hide();
  speaker_ = std::make_unique<SpeakerControl>(
      this, DrillSpeakerButton(), program.speech(),
      [this] { Handle(&IntensiveReviewWindowLogic::SpeakerButton); }, [this] { Show(); });
  Handle(&IntensiveReviewWindowLogic::Opened);
}

IntensiveReviewWindow::~IntensiveReviewWindow() = default;

void IntensiveReviewWindow::Show() {
  SetControlText(ui_.word, logic_.word());
  SetControlText(ui_.meaning, logic_.meaning());
  SetControlText(ui_.pronunciation, logic_.pronunciation());
  if (logic_.entryText().empty() != ui_.entry->isHidden()) {
    ui_.entry->setPlainText(ToQString(logic_.entryText()));
    ui_.entry->setVisible(!logic_.entryText().empty());
  }
  SetControlText(ui_.position, logic_.positionText());
  SetControlText(ui_.count, logic_.countText());
  speaker_->Show(logic_.speaker().look());
  if (logic_.focus() == IntensiveReviewWindowLogic::Focus::KeyBox && !ui_.keyBox->hasFocus()) {
    ui_.keyBox->setFocus();
  }
}

void RunIntensiveReviewWindow(Program& program, QWidget* parent) {
  IntensiveReviewWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
