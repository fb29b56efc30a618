// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the learning card 窗口单词学习. Opened from page "单词学习"
// it is in study mode: the learner steps through today's words and earns
// the day's bonus at the end of the list. Opened by the group test while
// its choice window exists it is in test mode for one word: showing the
// card raises the word's proficiency, and the learner marks it known,
// forgotten or deletes it. The card has no word text of its own; it asks
// the window to load the word's dictionary pages.

#include <string>

#include "core/LogicTimer.h"
#include "core/Program.h"
#include "logic/FocusKeeper.h"
#include "logic/Speaker.h"

namespace cindral {

class LearningWindowLogic {
 public:
  explicit LearningWindowLogic(Program& program);

  // Window events. The keys are those pressed in the focus-holder box
  // 编辑框保证获取焦点; KeyDown returns whether the key is one of the card's.
  void Created();
  void NextButton();       // 下一个(→), study mode
  void KnownButton();      // 已会(→), test mode
  void ForgottenButton();  // 遗忘(F), test mode
  void DeleteButton();     // 从生词本中删除(D), test mode
  void UpdateButton();     // 更新单词
  void SpeakerButton();    // reads the word aloud, as key P does
  bool KeyDown(int keyCode);
  void FocusTimerTick() { focus_.Request(); }
  void Destroyed();
  // The window has gone and the windows above it too: a calendar day that
  // began while the card was open begins now (the card keeps the day it
  // was opened on).
  void AfterClosed();

  // Visible state.
  bool studyMode() const { return studyMode_; }
  // 按钮下一个单词 in study mode; 按钮已会单词, 按钮遗忘单词 and 按钮删除单词 in
  // test mode (shown and enabled, the others hidden and disabled).
  bool showsNextButton() const { return studyMode_; }
  bool showsTestButtons() const { return !studyMode_; }
  const std::string& positionText() const { return positionText_; }  // 标签左提示背诵进度
  const std::string& countText() const { return countText_; }        // 标签右提示背诵进度
  const std::string& proficiencyText() const { return proficiencyText_; }  // 标签熟练度, "35%"
  int32_t progressValue() const { return progress_; }                      // 进度条
  // The word whose dictionary pages were asked for last, with its meaning
  // (shown when a page cannot be reached); pageLoads() counts the requests
  // and viewPreparations() how often the views were prepared.
  const std::string& pagesWord() const { return pagesWord_; }
  const std::string& pagesMeaning() const { return pagesMeaning_; }
  int pageLoads() const { return pageLoads_; }
  int viewPreparations() const { return viewPreparations_; }
  // 时钟保证获取焦点, and how many times the keyboard focus was sent to the
  // focus-holder box (at creation and on every tick).
  LogicTimer& focusTimer() { return focus_.timer(); }
  int focusRequests() const { return focus_.requests(); }
  // The logic has closed the window.
  bool closed() const { return closed_; }
  // The speaker button: the word shown on the card.
  Speaker& speaker() { return speaker_; }

 private:
  void ShowCurrentWord();
  void AdvanceReviewPosition();
  void PracticeSpelling();
  void RefuseEmptyList();
  void RaiseShownWord();
  void ApplyLearningBonus();

  Program& program_;
  bool studyMode_ = true;
  bool closed_ = false;
  std::string positionText_;
  std::string countText_;
  std::string proficiencyText_;
  int32_t progress_ = 0;
  std::string pagesWord_;
  std::string pagesMeaning_;
  int pageLoads_ = 0;
  int viewPreparations_ = 0;
  FocusKeeper focus_;
  Speaker speaker_;
  StudyDayHold studyDay_;
};

}  // namespace cindral
