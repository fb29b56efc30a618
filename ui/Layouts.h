#pragma once
// The designed layouts of every window of the program. Sizes are the client
// area in device-independent pixels; each control's rectangle is measured
// from the top left of its window (or of its group box, see ControlSpec).

#include <vector>

#include "ui/Layout.h"

namespace cindral {

// The five buttons of the main window's client area.
const std::vector<ControlSpec>& MainWindowButtons();

const WindowSpec& EntryWindowLayout();              // 窗口输入单词
const WindowSpec& SpellingWindowLayout();           // 窗口拼写
const WindowSpec& LearningWindowLayout();           // 窗口单词学习
const WindowSpec& ChoiceWindowLayout();             // 窗口选择
const WindowSpec& GameWindowLayout();               // 窗口连连看
const WindowSpec& ForgottenReviewWindowLayout();    // 窗口每日遗忘单词测试
const WindowSpec& ForgottenSpellingWindowLayout();  // 窗口拼写遗忘单词
const WindowSpec& WordBookWindowLayout();           // 窗口单词本
const WindowSpec& IntensiveReviewWindowLayout();    // 窗口熟练度复习
const WindowSpec& IntensiveChooserWindowLayout();   // 窗口熟练度选择模式
const WindowSpec& UpdateWordWindowLayout();         // 窗口更新单词
const WindowSpec& PracticeSpellingWindowLayout();   // 窗口学习单词拼写
const WindowSpec& StatisticsWindowLayout();         // 窗口学习统计
const WindowSpec& ImportWindowLayout();             // 窗口导入单词

// The speaker buttons the study windows carry beyond their designed
// controls, each where it covers none of them.
const ControlSpec& LearningSpeakerButton();  // on 窗口单词学习
const ControlSpec& DrillSpeakerButton();     // on 窗口熟练度复习
const ControlSpec& GameSpeakerButton();      // on 窗口连连看

// Every window above, for checks that hold for all of them.
std::vector<const WindowSpec*> AllWindowLayouts();

}  // namespace cindral
