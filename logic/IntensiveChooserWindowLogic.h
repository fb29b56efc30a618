// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the chooser 窗口熟练度选择模式: the learner picks the lowest
// proficiency of the words to drill, from the list or typed in, and starts
// the intensive review over every word of the book that reaches it.

#include <cstdint>
#include <optional>
#include <string>

#include "core/Program.h"

namespace cindral {

class IntensiveChooserWindowLogic {
 public:
  // The list's items 0 to 3 carry a threshold; item 4 ("不选") and no
  // selection (-1) leave it to the typed value.
  static constexpr int kNoItem = -1;
  static constexpr int kItemCount = 5;
  // The threshold of a list item, or none for "不选" and no selection.
  static std::optional<int32_t> ItemThreshold(int item);
  // The typed threshold must lie within this range.
  static constexpr int32_t kLowestCustom = 1;
  static constexpr int32_t kHighestCustom = 99;

  explicit IntensiveChooserWindowLogic(Program& program) : program_(program) {}

  // Window events.
  void SelectItem(int item) { item_ = item; }
  void SetCustomText(std::string text) { customText_ = std::move(text); }
  // Enter in the threshold box starts.
  void KeyDown(int keyCode);
  // "开始": selects the words (program state IntensiveList) and opens the
  // drill; the chooser closes when the drill has closed.
  void Start();

  // Visible state.
  int item() const { return item_; }
  // The threshold of the last start that got past the refusal, 0 before.
  int32_t threshold() const { return threshold_; }
  // The chooser has done its work and closes.
  bool closed() const { return closed_; }

 private:
  Program& program_;
  int item_ = kNoItem;
  std::string customText_;
  int32_t threshold_ = 0;
  bool closed_ = false;
};

}  // namespace cindral
