// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speaker button of a study window, bound: built at its place, clicks
// handed on, and the window told whenever the program's speech changes its
// state (the engine started, or failed), so it can show the button anew.
// Beside the button, a small note (never a box, never taking the keyboard)
// says that the voice is being tried, or for a few seconds why it cannot
// be heard.

#include <functional>
#include <string>

#include "core/Speech.h"
#include "logic/Speaker.h"
#include "ui/Layout.h"

class QLabel;
class QTimer;
class QWidget;

namespace cindral {

class SpeakerButton;

class SpeakerControl {
 public:
  static constexpr int kNoteMs = 8000;  // how long a note about a failure stays

  SpeakerControl(QWidget* window, const ControlLayout& place, Speech& speech,
                 std::function<void()> clicked, std::function<void()> speechChanged);
  ~SpeakerControl();
  SpeakerControl(const SpeakerControl&) = delete;
  SpeakerControl& operator=(const SpeakerControl&) = delete;

  // Shows the logic's state: enabled or not, the tooltip, the trying look
  // and the note beside the button.
  void Show(const SpeakerLook& look);
  SpeakerButton* button() const { return button_; }
  QLabel* note() const { return note_; }

 private:
  void PlaceNote();

  Speech& speech_;
  SpeakerButton* button_;
  QLabel* note_;
  QTimer* noteTimer_;
  int noteSerial_ = 0;
  int listener_;
};

}  // namespace cindral
