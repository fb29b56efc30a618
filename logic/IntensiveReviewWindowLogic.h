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
#include "logic/Speaker.h"

namespace cindral {

class IntensiveReviewWindowLogic {
 public:
  // Where the keyboard focus belongs: always the focus-holder box.
  enum class Focus { KeyBox };
  static constexpr int kFocusTimerInterval = 500;  // ms

  explicit IntensiveReviewWindowLogic(Program& program);

  // Window events.
  void Opened();
  // ← previous, → or ~ next (both wrap around), S shows the meaning, P
  // reads the word aloud, W shows or hides the word's English entry from
  // the offline dictionary.
  void KeyDown(int keyCode);
  void SpeakerButton() { speaker_.Speak(); }
  void FocusTimerTick() { focus_ = Focus::KeyBox; }

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
  int focusTimerInterval() const { return focusTimerInterval_; }
  Focus focus() const { return focus_; }
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
  int focusTimerInterval_ = 0;
  Focus focus_ = Focus::KeyBox;
  Speaker speaker_;
};

}  // namespace cindral
