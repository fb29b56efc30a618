// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpeakerControl.h"

#include "ui/SpeakerButton.h"
#include "ui/Text.h"
#include "ui/WindowBuilder.h"

namespace cindral {

SpeakerControl::SpeakerControl(QWidget* window, const ControlLayout& place, Speech& speech,
                               std::function<void()> clicked, std::function<void()> speechChanged)
    : speech_(speech),
      button_(qobject_cast<SpeakerButton*>(BuildControls(window, {place}).front())),
      listener_(speech.AddListener(std::move(speechChanged))) {
  QObject::connect(button_, &SpeakerButton::clicked, button_,
                   [clicked = std::move(clicked)] { clicked(); });
}

SpeakerControl::~SpeakerControl() { speech_.RemoveListener(listener_); }

void SpeakerControl::Show(bool enabled, const std::string& tip) {
  button_->setEnabled(enabled);
  const QString text = ToQString(tip);
  if (button_->toolTip() != text) button_->setToolTip(text);
}

}  // namespace cindral
