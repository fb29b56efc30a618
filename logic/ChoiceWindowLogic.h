// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the choice window 窗口选择 of the group test: the word with
// four meanings, its own and those of three other records drawn at random;
// the learner picks one with a click or the keys 1 to 4, the verdict stays
// 300 ms, then the card opens with this window hidden beneath it. With
// fewer than four records in the word book nothing is asked: the card opens
// at once. The learner cannot close this window; the test closes it.

#include <array>
#include <string>

#include "core/LogicTimer.h"
#include "core/Program.h"
#include "logic/FocusKeeper.h"

namespace cindral {

class ChoiceWindowLogic {
 public:
  static constexpr int kVerdictInterval = 300;
  static constexpr int32_t kChoices = 4;

  explicit ChoiceWindowLogic(Program& program);

  // Window events.
  void Created();
  void Choose(int button);    // a click on radio button 1..4
  bool KeyDown(int keyCode);  // in 编辑框提供快捷键: "1".."4" act as clicks
  void TimerTick();           // 时钟
  void FocusTimerTick() { focus_.Request(); }  // 时钟保证获取焦点
  bool QueryClose() const { return false; }

  // Visible state.
  const std::string& wordText() const { return word_; }  // 标签单词
  // The caption of radio button 1..4 (单选框单词).
  const std::string& optionText(int button) const { return options_.at(button - 1); }
  // The radio button checked, 0 for none.
  int checkedButton() const { return checked_; }
  const std::string& verdictText() const { return verdict_; }  // 标签判断释义对错
  // ChoiceOrder: button i shows candidate ChoiceOrder[i] (1..3 the drawn
  // records' meanings, 4 the word's own); all 0 when nothing was drawn.
  const std::array<int32_t, kChoices>& choiceOrder() const { return order_; }
  // The record numbers whose meanings were drawn.
  const std::array<int32_t, kChoices - 1>& drawnRecords() const { return drawn_; }
  // How many times the keyboard focus was sent to 编辑框提供快捷键.
  int focusRequests() const { return focus_.requests(); }
  LogicTimer& timer() { return timer_; }
  LogicTimer& focusTimer() { return focus_.timer(); }

 private:
  void DrawRecords(int32_t recordCount, int32_t ownRecord);
  void DrawOrder();

  Program& program_;
  std::string word_;
  std::string meaning_;  // the right answer
  std::array<std::string, kChoices> options_;
  std::array<int32_t, kChoices> order_{};
  std::array<int32_t, kChoices - 1> drawn_{};
  int checked_ = 0;
  std::string verdict_;
  LogicTimer timer_;
  FocusKeeper focus_;
};

}  // namespace cindral
