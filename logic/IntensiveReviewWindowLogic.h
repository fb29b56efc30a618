// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the drill 窗口熟练度复习: the words chosen in the chooser
// (program state IntensiveList) as flash cards, the word first and its
// meaning on request. Keys go to a hidden focus-holder box, which a 500 ms
// timer keeps focused. Changes no stored data.

#include <cstdint>
#include <string>

#include "core/Program.h"
#include "logic/FocusKeeper.h"
#include "logic/Speaker.h"

namespace cindral {

class IntensiveReviewWindowLogic {
 public:
  // Where the keyboard focus belongs: always the focus-holder box.
  enum class Focus { KeyBox };

  explicit IntensiveReviewWindowLogic(Program& program);

  // Window events.
  void Opened();
  // ← previous, → or ~ next (both wrap around), S shows the meaning, P
  // reads the word aloud, W shows or hides the word's English entry from
  // the offline dictionary.
  void KeyDown(int keyCode);
  void SpeakerButton() { speaker_.Speak(); }
  void FocusTimerTick() { focus_.Request(); }

  // Visible state.
  int32_t position() const { return position_; }  // 1-based, 0 with no words
  const std::string& word() const { return word_; }
  const std::string& meaning() const { return meaning_; }
  // The word's IPA beside it (GBK), empty where none is known.
  const std::string& pronunciation() const { return pronunciation_; }
  // The offline entry, while W shows it (GBK); empty otherwise.
  const std::string& entryText() const { return entryText_; }
  const std::string& positionText() const { return positionText_; }  // left label
  const std::string& countText() const { return countText_; }        // right label
  LogicTimer& focusTimer() { return focus_.timer(); }
  int focusTimerInterval() const { return focus_.timer().interval(); }
  Focus focus() const { return Focus::KeyBox; }
  // The speaker button: the word on the card.
  Speaker& speaker() { return speaker_; }

 private:
  int32_t Count() const;
  void Show(int32_t position, const std::string& meaning);

  Program& program_;
  int32_t position_ = 0;
  std::string word_;
  std::string meaning_;
  std::string pronunciation_;
  std::string entryText_;
  std::string positionText_;
  std::string countText_;
  FocusKeeper focus_{false};  // runs once the drill has opened
  Speaker speaker_;
};

}  // namespace cindral
