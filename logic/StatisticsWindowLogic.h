// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the statistics window 窗口学习统计: one read of the whole
// word book and today's plan, turned into what the progress picture shows:
// the course's 100 days as a timeline, the words of each group, how the
// words spread over the proficiency bands, and today's due count. Changes
// nothing in the book; the picture may be saved as a file.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Program.h"

namespace cindral {

class StatisticsWindowLogic {
 public:
  static constexpr int kCourseDays = 100;

  // One day of the course: day 1 is the day group 1 was entered, days 89
  // to 100 are the review-only phase.
  struct CourseDay {
    int number = 0;        // 1..100
    bool review = false;   // a day of the review-only phase
    bool learned = false;  // words were entered on it
    bool due = false;      // the words entered on it are due today
    bool past = false;     // before today
    bool today = false;
  };

  // Words whose proficiency lies in [low, high].
  struct Band {
    int32_t low = 0;
    int32_t high = 0;
    int32_t words = 0;
  };

  explicit StatisticsWindowLogic(Program& program) : program_(program) {}

  // Reads the word book once.
  void Opened();

  // 保存为图片…: asks for the file (学习统计-YYYY-MM-DD.png at first, .png
  // added to a name without it) and writes there, whole, the PNG file that
  // `picture` makes (empty when it cannot be made); the learner hears where
  // the file is, or that nothing was saved.
  void SavePicture(const std::function<std::string()>& picture);

  // Visible state.
  // Whether the course has begun: its first word is of group 1 (otherwise
  // the days carry no dates and none is marked).
  bool courseStarted() const { return courseStarted_; }
  const std::array<CourseDay, kCourseDays>& days() const { return days_; }
  // Today's day of the course, 1..100; 0 before or after it (or unknown).
  int todayNumber() const { return todayNumber_; }
  // Words per group number, in group order.
  const std::map<int32_t, int32_t>& groups() const { return groups_; }
  // 1–29, 30–49, 50–79, 80–99, 100; values outside 1..100 count in the
  // nearest band.
  const std::array<Band, 5>& bands() const { return bands_; }
  int32_t wordCount() const { return wordCount_; }
  // The length of today's due list, as the learning card counts it.
  int32_t dueCount() const { return dueCount_; }

 private:
  Program& program_;
  bool courseStarted_ = false;
  std::array<CourseDay, kCourseDays> days_{};
  int todayNumber_ = 0;
  std::map<int32_t, int32_t> groups_;
  std::array<Band, 5> bands_{};
  int32_t wordCount_ = 0;
  int32_t dueCount_ = 0;
};

}  // namespace cindral
