// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/IntensiveReviewWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/KeyCodes.h"
#include "ui/ControlText.h"
#include "ui/FocusHolder.h"
#include "ui/Guard.h"
#include "ui/Layouts.h"
#include "ui/SpeakerControl.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

namespace cindral {

IntensiveReviewWindow::IntensiveReviewWindow(Program& program, QWidget* parent)
    : ModalWindow(IntensiveReviewWindowLayout(), parent),
      program_(program),
      logic_(program),
      keyBox_(Control<QLineEdit>(this, "编辑框提供快捷键")),
      focusTimer_(Control<QTimer>(this, "时钟保证获取焦点")) {
  MakeFocusHolder(keyBox_);
  connect(focusTimer_, &QTimer::timeout, this,
          [this] { Handle([this] { logic_.FocusTimerTick(); }); });
  // The keys reach the drill through the focus holder (or the window, in
  // the moment before the timer gives the focus back).
  SetKeyHandler([this](QWidget* control, int key) {
    if (control != keyBox_ && control != this) return false;
    if (key != kKeyLeft && key != kKeyRight && key != kKeyTilde && key != kKeyS && key != kKeyP &&
        key != kKeyW) {
      return false;
    }
    Handle([this, key] { logic_.KeyDown(key); });
    return true;
  });
  // The offline entry is read, never edited, and never takes the keys.
  auto* entry = Control<QPlainTextEdit>(this, "编辑框离线释义");
  entry->setReadOnly(true);
  entry->setFocusPolicy(Qt::NoFocus);
  entry->hide();
  speaker_ = std::make_unique<SpeakerControl>(
      this, DrillSpeakerButton(), program.speech(),
      [this] { Handle([this] { logic_.SpeakerButton(); }); }, [this] { Show(); });
  Handle([this] { logic_.Opened(); });
}

IntensiveReviewWindow::~IntensiveReviewWindow() = default;

void IntensiveReviewWindow::Handle(const std::function<void()>& handler) {
  RunGuarded(program_.prompter(), handler);
  Show();
}

void IntensiveReviewWindow::Show() {
  SetControlText(Control<QWidget>(this, "标签单词"), logic_.word());
  SetControlText(Control<QWidget>(this, "标签释义"), logic_.meaning());
  SetControlText(Control<QWidget>(this, "标签音标"), logic_.pronunciation());
  auto* entry = Control<QPlainTextEdit>(this, "编辑框离线释义");
  if (logic_.entryText().empty() != entry->isHidden()) {
    entry->setPlainText(ToQString(logic_.entryText()));
    entry->setVisible(!logic_.entryText().empty());
  }
  SetControlText(Control<QWidget>(this, "标签左提示背诵进度"), logic_.positionText());
  SetControlText(Control<QWidget>(this, "标签右提示背诵进度"), logic_.countText());
  speaker_->Show(logic_.speaker().look());
  if (focusTimer_->interval() != logic_.focusTimerInterval() || !focusTimer_->isActive()) {
    SetTimerInterval(focusTimer_, logic_.focusTimerInterval());
  }
  if (logic_.focus() == IntensiveReviewWindowLogic::Focus::KeyBox && !keyBox_->hasFocus()) {
    keyBox_->setFocus();
  }
}

void RunIntensiveReviewWindow(Program& program, QWidget* parent) {
  IntensiveReviewWindow window(program, parent);
  window.Open();
}

}  // namespace cindral
