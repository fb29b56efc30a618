// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the word game 窗口连连看: four words drawn at random from the
// whole book, their words and meanings dealt face up on eight buttons in
// random order. The learner clicks a word and its meaning (either first);
// a matching pair vanishes. Changes no stored data.

#include <array>
#include <cstdint>
#include <string>

#include "core/Program.h"
#include "logic/Speaker.h"

namespace cindral {

class GameWindowLogic {
 public:
  static constexpr int kButtons = 8;
  static constexpr int kWordsPerDeal = 4;
  static constexpr int kMinimumRecords = 4;
  static constexpr int kBuiltInBackgrounds = 6;

  explicit GameWindowLogic(Program& program);

  // Window events.
  void Opened();
  // "更新单词": a new deal, every button shown again.
  void DealAgain();
  // A click on button 1..8.
  void Click(int button);
  // "换背景": the next built-in background, 1 to 6 and round again.
  void NextBackground();
  // The speaker button: reads the word of the button clicked last.
  void SpeakerButton() { speaker_.Speak(); }

  // Visible state.
  const std::string& caption(int button) const { return captions_[Index(button)]; }
  bool visible(int button) const { return visible_[Index(button)]; }
  // The button chosen by the first click of a pair, 0 = none.
  int selection() const { return selection_; }
  const std::string& countText() const { return countText_; }
  // The built-in background shown, 1..6; 0 = none yet this run.
  int32_t background() const { return program_.state().BackgroundIndex; }
  // The book holds too few words: the window closes.
  bool closed() const { return closed_; }
  // The speaker button: the English word of the button clicked last (a
  // word, or the meaning of one), none after a new deal.
  Speaker& speaker() { return speaker_; }

  // The deal: for draw k (1..4) item 2k-1 is the word and item 2k its
  // meaning; button i shows texts()[order()[i]] (both 1-based, slot 0 unused).
  const std::array<std::string, kButtons + 1>& texts() const { return texts_; }
  const std::array<int, kButtons + 1>& order() const { return order_; }
  // The record numbers of the last deal, in draw order.
  const std::array<int32_t, kWordsPerDeal>& drawn() const { return drawn_; }

 private:
  static size_t Index(int button) { return static_cast<size_t>(button - 1); }
  void DealWords();

  Program& program_;
  std::array<std::string, kButtons + 1> texts_{};
  std::array<int, kButtons + 1> order_{};
  std::array<int32_t, kWordsPerDeal> drawn_{};
  std::array<std::string, kButtons> captions_{};
  std::array<bool, kButtons> visible_{};
  int selection_ = 0;
  std::string countText_;
  bool closed_ = false;
  Speaker speaker_;
};

}  // namespace cindral
