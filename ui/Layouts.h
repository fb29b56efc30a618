// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layouts of every window of the program. Sizes are the client
// area in device-independent pixels; each control's rectangle is measured
// from the top left of its window (or of its group box, see ControlLayout).
//
// Each window's controls are a struct (WindowControls.h), one member a
// control in the order they are built: its kind, name, rectangle, font and
// the text it holds from the start. The window's own name, caption and size
// are in its <window>Layout() (Layouts.cpp), which lists the struct's
// controls. A control is added to a window by adding its member.

#include <vector>

#include "core/Windows.h"
#include "ui/Layout.h"
#include "ui/WindowControls.h"

namespace cindral {

inline constexpr FontLayout kNoFont{};
constexpr FontLayout YaHei(int pixels) { return FontLayout{"微软雅黑", pixels}; }
constexpr FontLayout Song(int pixels) { return FontLayout{"宋体", pixels}; }

// The verdict labels show a full-width question mark until the first answer.
inline constexpr const char* kNoVerdict = "？";

// The five buttons of the main window's client area.
struct MainWindowControls : WindowControls {
  Button entry{this, "按钮录入单词", {151, 166, 128, 40}, YaHei(16), "录入单词"};
  Button game{this, "按钮连连看", {349, 166, 128, 40}, YaHei(16), "连连看"};
  Button notebook{this, "按钮查看单词本", {80, 251, 128, 40}, YaHei(16), "查看单词本"};
  Button shuffle{this, "按钮打乱单词本", {250, 251, 128, 40}, YaHei(16), "打乱单词本"};
  Button reset{this, "按钮清空单词本", {420, 251, 128, 40}, YaHei(16), "清空单词本"};
};

// The word-and-meaning form shared by the entry and the update window; only
// the submit button's left edge differs between them.
struct WordFormControls : WindowControls {
  Label wordTitle{this, "标签输入单词", {72, 32, 70, 25}, YaHei(16), "输入单词"};
  Edit word{this, "编辑框输入单词", {72, 62, 300, 40}, YaHei(16)};
  Label meaningTitle{this, "标签输入释义", {72, 132, 70, 25}, YaHei(16), "输入释义"};
  Edit meaning{this, "编辑框输入释义", {72, 162, 300, 40}, YaHei(16)};
  Button submit;

 protected:
  explicit WordFormControls(int submitLeft)
      : submit{this, "按钮提交", {submitLeft, 239, 110, 50}, YaHei(21), "提交"} {}
};

struct EntryWindowControls : WordFormControls {
  EntryWindowControls() : WordFormControls(177) {}
  // Under the meaning box: the typed word's Chinese meanings, which F2
  // fills in.
  Label meaningHint{this, "标签释义提示", {72, 206, 300, 24}, YaHei(13)};
  // Under the form, ending where the boxes end: a word list instead of
  // typing, and what it added.
  Label importResult{this, "标签导入结果", {72, 311, 156, 22}, YaHei(13)};
  Button importButton{
      this, "按钮从文件导入", {232, 308, 140, 28}, YaHei(13), "从文件导入…(Ctrl+I)"};
};

struct UpdateWordWindowControls : WordFormControls {
  UpdateWordWindowControls() : WordFormControls(167) {}
};

struct SpellingWindowControls : WindowControls {
  Label meaning{this, "标签释义", {22, 50, 500, 50}, YaHei(29)};
  Timer timer{this, "时钟", {40, 96, 32, 32}};
  Label verdict{this, "标签判断单词对错", {472, 159, 60, 60}, YaHei(56), kNoVerdict};
  Edit word{this, "编辑框输入单词", {72, 165, 400, 60}, YaHei(21)};
  Button submit{this, "按钮提交", {118, 269, 110, 50}, YaHei(21), "提交"};
  Button forgotten{this, "按钮遗忘", {316, 269, 110, 50}, YaHei(21), "遗忘"};
};

struct LearningWindowControls : WindowControls {
  TabControl tabs{this, "高级选择夹", {0, 0, 980, 700}, kNoFont, "必应词典\n有道词典\n译典通词典"};
  Button deleteWord{this, "按钮删除单词", {988, 20, 100, 50}, YaHei(16), "从生词本中删除(D)"};
  WebView dreyePage{this, "超文本浏览框译典通", {0, 23, 980, 678}};
  WebView youdaoPage{this, "超文本浏览框有道", {0, 23, 980, 678}};
  WebView bingPage{this, "超文本浏览框必应", {0, 23, 980, 678}};
  Button forgotten{this, "按钮遗忘单词", {988, 80, 100, 50}, YaHei(21), "遗忘(F)"};
  Button known{this, "按钮已会单词", {988, 140, 100, 50}, YaHei(21), "已会(→)"};
  Button next{this, "按钮下一个单词", {988, 140, 100, 50}, YaHei(20), "下一个(→)"};
  Label hint{this, "标签提示", {988, 200, 110, 30}, YaHei(12), "按S键练习拼写哦！"};
  ProgressBar progress{this, "进度条", {1045, 254, 10, 232}};
  Label proficiencyTitle{this, "标签单词熟练度", {1005, 284, 25, 110}, YaHei(16), "单词熟练度"};
  Label proficiency{this, "标签熟练度", {998, 409, 40, 30}, YaHei(16)};
  Timer focusTimer{this, "时钟保证获取焦点", {984, 448, 32, 24}};
  Edit keyBox{this, "编辑框保证获取焦点", {1008, 496, 64, 24}};
  Button update{this, "按钮更新单词", {988, 555, 100, 50}, YaHei(21), "更新单词"};
  Label progressTitle{this, "标签当前进度", {982, 615, 80, 20}, YaHei(16), "当前进度："};
  Label position{this, "标签左提示背诵进度", {981, 640, 45, 25}, YaHei(19)};
  Label slash{this, "标签中提示背诵进度", {1025, 640, 20, 25}, YaHei(29), "/"};
  Label count{this, "标签右提示背诵进度", {1045, 640, 45, 25}, YaHei(19)};
};

struct ChoiceWindowControls : WindowControls {
  Label word{this, "标签单词", {22, 40, 500, 50}, YaHei(29)};
  Timer focusTimer{this, "时钟保证获取焦点", {384, 96, 32, 40}};
  Timer timer{this, "时钟", {480, 96, 32, 40}};
  Edit keyBox{this, "编辑框提供快捷键", {24, 136, 64, 32}};
  // The radio buttons form one group (WindowBuilder.h), numbered 1 to 4.
  Label digit1{this, "标签1", {100, 143, 25, 25}, YaHei(19), "1"};
  RadioButton option1{this, "单选框单词1", {130, 143, 400, 25}, YaHei(19)};
  Label digit2{this, "标签2", {100, 197, 25, 25}, YaHei(19), "2"};
  RadioButton option2{this, "单选框单词2", {130, 197, 400, 25}, YaHei(19)};
  Label verdict{this, "标签判断释义对错", {40, 200, 60, 60}, YaHei(56), kNoVerdict};
  Label digit3{this, "标签3", {100, 251, 25, 25}, YaHei(19), "3"};
  RadioButton option3{this, "单选框单词3", {130, 251, 400, 25}, YaHei(19)};
  Label digit4{this, "标签4", {100, 306, 25, 25}, YaHei(19), "4"};
  RadioButton option4{this, "单选框单词4", {130, 306, 400, 25}, YaHei(19)};
  Label hint{this, "标签", {415, 340, 130, 30}, Song(12), "可以直接用键盘选择哦！"};
};

struct GameWindowControls : WindowControls {
  PictureButton button1{this, "超级按钮1", {0, 0, 190, 100}, YaHei(19)};
  PictureBox picture{this, "图片框", {0, 0, 380, 400}};
  PictureButton button2{this, "超级按钮2", {190, 0, 190, 100}, YaHei(19)};
  Label countTitle{this, "标签提示", {408, 10, 100, 30}, YaHei(19), "单词库总数"};
  Label count{this, "标签提示背诵进度", {415, 40, 80, 40}, YaHei(29)};
  PictureButton button3{this, "超级按钮3", {0, 100, 190, 100}, YaHei(19)};
  PictureButton button4{this, "超级按钮4", {190, 100, 190, 100}, YaHei(19)};
  Button nextBackground{this, "按钮换背景", {415, 110, 88, 40}, YaHei(19), "换背景"};
  Button ownBackground{this, "按钮自定义背景", {415, 180, 88, 40}, YaHei(16), "自定义背景"};
  PictureButton button5{this, "超级按钮5", {0, 200, 190, 100}, YaHei(19)};
  PictureButton button6{this, "超级按钮6", {190, 200, 190, 100}, YaHei(19)};
  Button dealAgain{this, "按钮换重新选词", {416, 250, 88, 40}, YaHei(19), "更新单词"};
  PictureButton button7{this, "超级按钮7", {0, 300, 190, 100}, YaHei(19)};
  PictureButton button8{this, "超级按钮8", {190, 300, 190, 100}, YaHei(19)};
  FileDialog fileDialog{this, "通用对话框", {464, 344, 40, 32}};
};

struct ForgottenReviewWindowControls : WindowControls {
  Label word{this, "标签单词", {22, 10, 500, 50}, YaHei(29)};
  Label meaning{this, "标签释义", {44, 80, 456, 120}, YaHei(35)};
  Button add{this, "按钮添加到生词本", {82, 230, 100, 50}, YaHei(14), "添加到生词本(A)"};
  Button previous{this, "按钮上一个", {222, 230, 100, 50}, YaHei(14), "上一个(←)"};
  Button next{this, "按钮下一个", {362, 230, 100, 50}, YaHei(14), "下一个(→)"};
  Edit keyBox{this, "编辑框提供快捷键", {96, 304, 72, 32}};
  Timer focusTimer{this, "时钟保证获取焦点", {40, 312, 32, 32}};
  Label hint{
      this, "标签", {394, 340, 150, 30}, Song(12), "按S键可以练习拼写；\n按→键或~键复习下一个哦！"};
};

// The small spelling windows (forgotten words, practice from the card).
struct SpellingPracticeControls : WindowControls {
  Label verdict{this, "标签判断单词对错", {157, 15, 60, 60}, YaHei(56)};
  Edit word{this, "编辑框拼写遗忘单词", {20, 90, 333, 60}, YaHei(20)};
};

struct WordBookWindowControls : WindowControls {
  MultiLineEdit listing{this, "编辑框单词本", {32, 26, 480, 320}, YaHei(16)};
};

struct IntensiveReviewWindowControls : WindowControls {
  Label progressTitle{this, "标签提示进度", {435, 5, 100, 30}, YaHei(19), "当前进度"};
  Edit keyBox{this, "编辑框提供快捷键", {8, 15, 72, 32}};
  Label position{this, "标签左提示背诵进度", {432, 30, 45, 25}, YaHei(19)};
  Label slash{this, "标签中提示背诵进度", {476, 30, 20, 25}, YaHei(29), "/"};
  Label count{this, "标签右提示背诵进度", {496, 30, 45, 25}, YaHei(19)};
  Label word{this, "标签单词", {22, 50, 500, 50}, YaHei(29)};
  Label meaning{this, "标签释义", {44, 150, 456, 120}, YaHei(35), kNoVerdict};
  // The IPA beside the speaker button; the English entry over the meaning
  // while W shows it.
  Label pronunciation{this, "标签音标", {70, 108, 450, 30}, YaHei(16)};
  MultiLineEdit entry{this, "编辑框离线释义", {22, 144, 506, 180}, YaHei(12)};
  Timer focusTimer{this, "时钟保证获取焦点", {16, 312, 32, 32}};
  Label hint{this,
             "标签",
             {382, 329, 175, 40},
             Song(12),
             "按←键学习上一个单词；\n按S键显示释义；\n按→键或~键学习下一个单词！"};
};

// The controls under the group box are placed inside it: their rectangles are
// measured from the box's top left.
struct IntensiveChooserWindowControls : WindowControls {
  GroupBox group{this, "分组框", {72, 8, 230, 150}, YaHei(12), "选择要强化复习的单词熟练度"};
  ComboBox list{this,
                "组合框",
                {45, 30, 140, 28},
                YaHei(14),
                "≥1%熟练度单词\n≥30%熟练度单词\n≥50%熟练度单词\n≥80%熟练度单词\n不选",
                &group};
  Label hint{this,  "标签", {20, 80, 190, 16}, YaHei(12), "自定义强化复习单词熟练度（1-99）",
             &group};
  Label percent{this, "标签百分号", {140, 104, 15, 28}, YaHei(16), "%", &group};
  Edit threshold{this, "编辑框输入熟练度", {73, 105, 60, 28}, YaHei(16), "", &group};
  Button start{this, "按钮开始", {127, 170, 120, 40}, YaHei(19), "开始"};
};

struct StatisticsWindowControls : WindowControls {
  PictureBox picture{this, "图片框统计", {0, 0, 760, 530}};
  Button save{this, "按钮保存图片", {620, 536, 120, 36}, YaHei(16), "保存为图片…"};
};

struct ImportWindowControls : WindowControls {
  Label file{this, "标签文件", {20, 10, 600, 22}, YaHei(14)};
  Label encoding{this, "标签编码", {20, 34, 600, 22}, YaHei(14)};
  // Shown for a file of more than two columns.
  Label wordColumnTitle{this, "标签单词列", {20, 64, 60, 22}, YaHei(14), "单词列："};
  ComboBox wordColumn{this, "下拉单词列", {80, 62, 200, 26}, YaHei(14)};
  Label meaningColumnTitle{this, "标签释义列", {320, 64, 60, 22}, YaHei(14), "释义列："};
  ComboBox meaningColumn{this, "下拉释义列", {380, 62, 200, 26}, YaHei(14)};
  Table words{this, "表格单词", {20, 94, 600, 192}, YaHei(14), "行\n单词\n释义\n已有"};
  // Shown for a long list: all its words become one group.
  Label oneGroup{this, "标签一组", {20, 290, 600, 22}, YaHei(14)};
  Label problemsTitle{this, "标签问题", {20, 318, 380, 22}, YaHei(14), "有问题的行（不会导入）："};
  // Shown when words of the list are in the book already.
  CheckBox takeKnown{this, "复选框也导入已有", {440, 317, 180, 22}, YaHei(14), "也导入已有的单词"};
  Table problems{this, "表格问题", {20, 342, 600, 96}, YaHei(14), "行\n原因"};
  Label summary{this, "标签摘要", {20, 448, 360, 40}, YaHei(14)};
  Button importButton{this, "按钮导入", {400, 448, 100, 40}, YaHei(16), "导入"};
  Button cancelButton{this, "按钮取消", {520, 448, 100, 40}, YaHei(16), "取消"};
};

// The five buttons of the main window's client area.
const std::vector<ControlLayout>& MainWindowButtons();

// One layout for each window of core/Windows.h: <window>Layout(), named
// as the entry names the window.
#define CINDRAL_WINDOW_LAYOUT(id, window, name, owner) const WindowLayout& window##Layout();
CINDRAL_WINDOWS(CINDRAL_WINDOW_LAYOUT)
#undef CINDRAL_WINDOW_LAYOUT

// The speaker buttons the study windows carry beyond their laid-out
// controls, each where it covers none of them.
const ControlLayout& LearningSpeakerButton();  // on 窗口单词学习
const ControlLayout& DrillSpeakerButton();     // on 窗口熟练度复习
const ControlLayout& GameSpeakerButton();      // on 窗口连连看

}  // namespace cindral
