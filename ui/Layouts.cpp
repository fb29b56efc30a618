// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Layouts.h"

namespace cindral {

const std::vector<ControlLayout>& MainWindowButtons() {
  static const std::vector<ControlLayout> buttons = MainWindowControls().Layouts();
  return buttons;
}

const WindowLayout& EntryWindowLayout() {
  static const WindowLayout layout{"窗口输入单词", "输入单词", 450, 350,
                                   EntryWindowControls().Layouts()};
  return layout;
}

const WindowLayout& SpellingWindowLayout() {
  static const WindowLayout layout{"窗口拼写", "单词拼写", 550, 400,
                                   SpellingWindowControls().Layouts()};
  return layout;
}

const WindowLayout& LearningWindowLayout() {
  static const WindowLayout layout{"窗口单词学习", "单词学习", 1100, 700,
                                   LearningWindowControls().Layouts()};
  return layout;
}

const WindowLayout& ChoiceWindowLayout() {
  static const WindowLayout layout{"窗口选择", "单词选择", 550, 400,
                                   ChoiceWindowControls().Layouts()};
  return layout;
}

const WindowLayout& GameWindowLayout() {
  static const WindowLayout layout{"窗口连连看", "单词连连看", 550, 428,
                                   GameWindowControls().Layouts()};
  return layout;
}

const WindowLayout& ForgottenReviewWindowLayout() {
  static const WindowLayout layout{"窗口每日遗忘单词测试", "每日遗忘单词测试", 550, 400,
                                   ForgottenReviewWindowControls().Layouts()};
  return layout;
}

const WindowLayout& ForgottenSpellingWindowLayout() {
  static const WindowLayout layout{"窗口拼写遗忘单词", "遗忘单词拼写", 380, 250,
                                   SpellingPracticeControls().Layouts()};
  return layout;
}

const WindowLayout& WordBookWindowLayout() {
  static const WindowLayout layout{"窗口单词本", "我的单词本", 550, 400,
                                   WordBookWindowControls().Layouts()};
  return layout;
}

const WindowLayout& IntensiveReviewWindowLayout() {
  static const WindowLayout layout{"窗口熟练度复习", "强化提高", 550, 400,
                                   IntensiveReviewWindowControls().Layouts()};
  return layout;
}

const WindowLayout& IntensiveChooserWindowLayout() {
  static const WindowLayout layout{"窗口熟练度选择模式", "选择强化复习模式", 380, 250,
                                   IntensiveChooserWindowControls().Layouts()};
  return layout;
}

const WindowLayout& UpdateWordWindowLayout() {
  static const WindowLayout layout{"窗口更新单词", "更新单词", 450, 350,
                                   UpdateWordWindowControls().Layouts()};
  return layout;
}

const WindowLayout& PracticeSpellingWindowLayout() {
  static const WindowLayout layout{"窗口学习单词拼写", "学习单词拼写", 380, 250,
                                   SpellingPracticeControls().Layouts()};
  return layout;
}

const WindowLayout& StatisticsWindowLayout() {
  static const WindowLayout layout{"窗口学习统计", "学习统计", 760, 580,
                                   StatisticsWindowControls().Layouts()};
  return layout;
}

const WindowLayout& ImportWindowLayout() {
  static const WindowLayout layout{"窗口导入单词", "导入单词", 640, 500,
                                   ImportWindowControls().Layouts()};
  return layout;
}

const ControlLayout& LearningSpeakerButton() {
  // Under the proficiency figure, left of the bar.
  static const ControlLayout button{"按钮朗读单词", ControlKind::SpeakerButton, 994, 446, 40, 40,
                                    kNoFont};
  return button;
}

const ControlLayout& DrillSpeakerButton() {
  // Under the start of the word.
  static const ControlLayout button{"按钮朗读单词", ControlKind::SpeakerButton, 22, 104, 40, 40,
                                    kNoFont};
  return button;
}

const ControlLayout& GameSpeakerButton() {
  // Under the right column's buttons.
  static const ControlLayout button{"按钮朗读单词", ControlKind::SpeakerButton, 439, 300, 40, 40,
                                    kNoFont};
  return button;
}

}  // namespace cindral
