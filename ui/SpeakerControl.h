// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speaker button of a study window, bound: built at its place, clicks
// handed on, and the window told whenever the program's speech changes its
// state (the engine started, or failed), so it can show the button anew.

#include <functional>
#include <string>

#include "core/Speech.h"
#include "ui/Layout.h"

class QWidget;

namespace cindral {

class SpeakerButton;

class SpeakerControl {
 public:
  SpeakerControl(QWidget* window, const ControlLayout& place, Speech& speech,
                 std::function<void()> clicked, std::function<void()> speechChanged);
  ~SpeakerControl();
  SpeakerControl(const SpeakerControl&) = delete;
  SpeakerControl& operator=(const SpeakerControl&) = delete;

  // Shows the logic's state: enabled or not, and the tooltip (GBK).
  void Show(bool enabled, const std::string& tip);
  SpeakerButton* button() const { return button_; }

 private:
  Speech& speech_;
  SpeakerButton* button_;
  int listener_;
};

}  // namespace cindral
