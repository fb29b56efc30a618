// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Layouts.h"

namespace cindral {
namespace {

using K = ControlKind;

constexpr const char* kYaHei = "微软雅黑";
constexpr const char* kSong = "宋体";
constexpr FontSpec kNoFont{};

FontSpec YaHei(int pixels) { return FontSpec{kYaHei, pixels}; }
FontSpec Song(int pixels) { return FontSpec{kSong, pixels}; }

// The verdict labels show a full-width question mark until the first answer.
constexpr const char* kNoVerdict = "？";

// The word-and-meaning form shared by the entry and the update window; only
// the submit button's left edge differs between them.
std::vector<ControlSpec> WordFormControls(int submitLeft) {
  return {
      {"标签输入单词", K::Label, 72, 32, 70, 25, YaHei(16), "输入单词"},
      {"编辑框输入单词", K::Edit, 72, 62, 300, 40, YaHei(16)},
      {"标签输入释义", K::Label, 72, 132, 70, 25, YaHei(16), "输入释义"},
      {"编辑框输入释义", K::Edit, 72, 162, 300, 40, YaHei(16)},
      {"按钮提交", K::Button, submitLeft, 239, 110, 50, YaHei(21), "提交"},
  };
}

// The small spelling windows (forgotten words, practice from the card).
std::vector<ControlSpec> SpellingPracticeControls() {
  return {
      {"标签判断单词对错", K::Label, 157, 15, 60, 60, YaHei(56)},
      {"编辑框拼写遗忘单词", K::Edit, 20, 90, 333, 60, YaHei(20)},
  };
}

}  // namespace

const std::vector<ControlSpec>& MainWindowButtons() {
  static const std::vector<ControlSpec> buttons{
      {"按钮录入单词", K::Button, 151, 166, 128, 40, YaHei(16), "录入单词"},
      {"按钮连连看", K::Button, 349, 166, 128, 40, YaHei(16), "连连看"},
      {"按钮查看单词本", K::Button, 80, 251, 128, 40, YaHei(16), "查看单词本"},
      {"按钮打乱单词本", K::Button, 250, 251, 128, 40, YaHei(16), "打乱单词本"},
      {"按钮清空单词本", K::Button, 420, 251, 128, 40, YaHei(16), "清空单词本"},
  };
  return buttons;
}

const WindowSpec& EntryWindowLayout() {
  static const WindowSpec layout = [] {
    WindowSpec entry{"窗口输入单词", "输入单词", 450, 350, WordFormControls(177)};
    // Under the form, ending where the boxes end: a word list instead of
    // typing, and what it added.
    entry.controls.push_back({"标签导入结果", K::Label, 72, 311, 156, 22, YaHei(13)});
    entry.controls.push_back(
        {"按钮从文件导入", K::Button, 232, 308, 140, 28, YaHei(13), "从文件导入…(Ctrl+I)"});
    return entry;
  }();
  return layout;
}

const WindowSpec& SpellingWindowLayout() {
  static const WindowSpec layout{
      "窗口拼写",
      "单词拼写",
      550,
      400,
      {
          {"标签释义", K::Label, 22, 50, 500, 50, YaHei(29)},
          {"时钟", K::Timer, 40, 96, 32, 32, kNoFont},
          {"标签判断单词对错", K::Label, 472, 159, 60, 60, YaHei(56), kNoVerdict},
          {"编辑框输入单词", K::Edit, 72, 165, 400, 60, YaHei(21)},
          {"按钮提交", K::Button, 118, 269, 110, 50, YaHei(21), "提交"},
          {"按钮遗忘", K::Button, 316, 269, 110, 50, YaHei(21), "遗忘"},
      }};
  return layout;
}

const WindowSpec& LearningWindowLayout() {
  static const WindowSpec layout{
      "窗口单词学习",
      "单词学习",
      1100,
      700,
      {
          {"高级选择夹", K::TabControl, 0, 0, 980, 700, kNoFont, "必应词典\n有道词典\n译典通词典"},
          {"按钮删除单词", K::Button, 988, 20, 100, 50, YaHei(16), "从生词本中删除(D)"},
          {"超文本浏览框译典通", K::WebView, 0, 23, 980, 678, kNoFont},
          {"超文本浏览框有道", K::WebView, 0, 23, 980, 678, kNoFont},
          {"超文本浏览框必应", K::WebView, 0, 23, 980, 678, kNoFont},
          {"按钮遗忘单词", K::Button, 988, 80, 100, 50, YaHei(21), "遗忘(F)"},
          {"按钮已会单词", K::Button, 988, 140, 100, 50, YaHei(21), "已会(→)"},
          {"按钮下一个单词", K::Button, 988, 140, 100, 50, YaHei(20), "下一个(→)"},
          {"标签提示", K::Label, 988, 200, 110, 30, YaHei(12), "按S键练习拼写哦！"},
          {"进度条", K::ProgressBar, 1045, 254, 10, 232, kNoFont},
          {"标签单词熟练度", K::Label, 1005, 284, 25, 110, YaHei(16), "单词熟练度"},
          {"标签熟练度", K::Label, 998, 409, 40, 30, YaHei(16)},
          {"时钟保证获取焦点", K::Timer, 984, 448, 32, 24, kNoFont},
          {"编辑框保证获取焦点", K::Edit, 1008, 496, 64, 24, kNoFont},
          {"按钮更新单词", K::Button, 988, 555, 100, 50, YaHei(21), "更新单词"},
          {"标签当前进度", K::Label, 982, 615, 80, 20, YaHei(16), "当前进度："},
          {"标签左提示背诵进度", K::Label, 981, 640, 45, 25, YaHei(19)},
          {"标签中提示背诵进度", K::Label, 1025, 640, 20, 25, YaHei(29), "/"},
          {"标签右提示背诵进度", K::Label, 1045, 640, 45, 25, YaHei(19)},
      }};
  return layout;
}

const WindowSpec& ChoiceWindowLayout() {
  static const WindowSpec layout{
      "窗口选择",
      "单词选择",
      550,
      400,
      {
          {"标签单词", K::Label, 22, 40, 500, 50, YaHei(29)},
          {"时钟保证获取焦点", K::Timer, 384, 96, 32, 40, kNoFont},
          {"时钟", K::Timer, 480, 96, 32, 40, kNoFont},
          {"编辑框提供快捷键", K::Edit, 24, 136, 64, 32, kNoFont},
          {"标签1", K::Label, 100, 143, 25, 25, YaHei(19), "1"},
          {"单选框单词1", K::RadioButton, 130, 143, 400, 25, YaHei(19)},
          {"标签2", K::Label, 100, 197, 25, 25, YaHei(19), "2"},
          {"单选框单词2", K::RadioButton, 130, 197, 400, 25, YaHei(19)},
          {"标签判断释义对错", K::Label, 40, 200, 60, 60, YaHei(56), kNoVerdict},
          {"标签3", K::Label, 100, 251, 25, 25, YaHei(19), "3"},
          {"单选框单词3", K::RadioButton, 130, 251, 400, 25, YaHei(19)},
          {"标签4", K::Label, 100, 306, 25, 25, YaHei(19), "4"},
          {"单选框单词4", K::RadioButton, 130, 306, 400, 25, YaHei(19)},
          {"标签", K::Label, 415, 340, 130, 30, Song(12), "可以直接用键盘选择哦！"},
      }};
  return layout;
}

const WindowSpec& GameWindowLayout() {
  static const WindowSpec layout{
      "窗口连连看",
      "单词连连看",
      550,
      428,
      {
          {"超级按钮1", K::PictureButton, 0, 0, 190, 100, YaHei(19)},
          {"图片框", K::PictureBox, 0, 0, 380, 400, kNoFont},
          {"超级按钮2", K::PictureButton, 190, 0, 190, 100, YaHei(19)},
          {"标签提示", K::Label, 408, 10, 100, 30, YaHei(19), "单词库总数"},
          {"标签提示背诵进度", K::Label, 415, 40, 80, 40, YaHei(29)},
          {"超级按钮3", K::PictureButton, 0, 100, 190, 100, YaHei(19)},
          {"超级按钮4", K::PictureButton, 190, 100, 190, 100, YaHei(19)},
          {"按钮换背景", K::Button, 415, 110, 88, 40, YaHei(19), "换背景"},
          {"按钮自定义背景", K::Button, 415, 180, 88, 40, YaHei(16), "自定义背景"},
          {"超级按钮5", K::PictureButton, 0, 200, 190, 100, YaHei(19)},
          {"超级按钮6", K::PictureButton, 190, 200, 190, 100, YaHei(19)},
          {"按钮换重新选词", K::Button, 416, 250, 88, 40, YaHei(19), "更新单词"},
          {"超级按钮7", K::PictureButton, 0, 300, 190, 100, YaHei(19)},
          {"超级按钮8", K::PictureButton, 190, 300, 190, 100, YaHei(19)},
          {"通用对话框", K::FileDialog, 464, 344, 40, 32, kNoFont},
      }};
  return layout;
}

const WindowSpec& ForgottenReviewWindowLayout() {
  static const WindowSpec layout{
      "窗口每日遗忘单词测试",
      "每日遗忘单词测试",
      550,
      400,
      {
          {"标签单词", K::Label, 22, 10, 500, 50, YaHei(29)},
          {"标签释义", K::Label, 44, 80, 456, 120, YaHei(35)},
          {"按钮添加到生词本", K::Button, 82, 230, 100, 50, YaHei(14), "添加到生词本(A)"},
          {"按钮上一个", K::Button, 222, 230, 100, 50, YaHei(14), "上一个(←)"},
          {"按钮下一个", K::Button, 362, 230, 100, 50, YaHei(14), "下一个(→)"},
          {"编辑框提供快捷键", K::Edit, 96, 304, 72, 32, kNoFont},
          {"时钟保证获取焦点", K::Timer, 40, 312, 32, 32, kNoFont},
          {"标签", K::Label, 394, 340, 150, 30, Song(12),
           "按S键可以练习拼写；\n按→键或~键复习下一个哦！"},
      }};
  return layout;
}

const WindowSpec& ForgottenSpellingWindowLayout() {
  static const WindowSpec layout{"窗口拼写遗忘单词", "遗忘单词拼写", 380, 250,
                                 SpellingPracticeControls()};
  return layout;
}

const WindowSpec& WordBookWindowLayout() {
  static const WindowSpec layout{
      "窗口单词本",
      "我的单词本",
      550,
      400,
      {
          {"编辑框单词本", K::MultiLineEdit, 32, 26, 480, 320, YaHei(16)},
      }};
  return layout;
}

const WindowSpec& IntensiveReviewWindowLayout() {
  static const WindowSpec layout{
      "窗口熟练度复习",
      "强化提高",
      550,
      400,
      {
          {"标签提示进度", K::Label, 435, 5, 100, 30, YaHei(19), "当前进度"},
          {"编辑框提供快捷键", K::Edit, 8, 15, 72, 32, kNoFont},
          {"标签左提示背诵进度", K::Label, 432, 30, 45, 25, YaHei(19)},
          {"标签中提示背诵进度", K::Label, 476, 30, 20, 25, YaHei(29), "/"},
          {"标签右提示背诵进度", K::Label, 496, 30, 45, 25, YaHei(19)},
          {"标签单词", K::Label, 22, 50, 500, 50, YaHei(29)},
          {"标签释义", K::Label, 44, 150, 456, 120, YaHei(35), kNoVerdict},
          // The IPA beside the speaker button; the English entry over the
          // meaning while W shows it.
          {"标签音标", K::Label, 70, 108, 450, 30, YaHei(16)},
          {"编辑框离线释义", K::MultiLineEdit, 22, 144, 506, 180, YaHei(12)},
          {"时钟保证获取焦点", K::Timer, 16, 312, 32, 32, kNoFont},
          {"标签", K::Label, 382, 329, 175, 40, Song(12),
           "按←键学习上一个单词；\n按S键显示释义；\n按→键或~键学习下一个单词！"},
      }};
  return layout;
}

// The controls under the group box are placed inside it: their rectangles are
// measured from the box's top left.
const WindowSpec& IntensiveChooserWindowLayout() {
  static const WindowSpec layout{
      "窗口熟练度选择模式",
      "选择强化复习模式",
      380,
      250,
      {
          {"分组框", K::GroupBox, 72, 8, 230, 150, YaHei(12), "选择要强化复习的单词熟练度"},
          {"组合框", K::ComboBox, 45, 30, 140, 28, YaHei(14),
           "≥1%熟练度单词\n≥30%熟练度单词\n≥50%熟练度单词\n≥80%熟练度单词\n不选"},
          {"标签", K::Label, 20, 80, 190, 16, YaHei(12), "自定义强化复习单词熟练度（1-99）"},
          {"标签百分号", K::Label, 140, 104, 15, 28, YaHei(16), "%"},
          {"编辑框输入熟练度", K::Edit, 73, 105, 60, 28, YaHei(16), ""},
          {"按钮开始", K::Button, 127, 170, 120, 40, YaHei(19), "开始"},
      }};
  return layout;
}

const WindowSpec& UpdateWordWindowLayout() {
  static const WindowSpec layout{"窗口更新单词", "更新单词", 450, 350, WordFormControls(167)};
  return layout;
}

const WindowSpec& PracticeSpellingWindowLayout() {
  static const WindowSpec layout{"窗口学习单词拼写", "学习单词拼写", 380, 250,
                                 SpellingPracticeControls()};
  return layout;
}

const WindowSpec& StatisticsWindowLayout() {
  static const WindowSpec layout{
      "窗口学习统计",
      "学习统计",
      760,
      580,
      {
          {"图片框统计", K::PictureBox, 0, 0, 760, 530, kNoFont},
          {"按钮保存图片", K::Button, 620, 536, 120, 36, YaHei(16), "保存为图片…"},
      }};
  return layout;
}

const WindowSpec& ImportWindowLayout() {
  static const WindowSpec layout{
      "窗口导入单词",
      "导入单词",
      640,
      500,
      {
          {"标签文件", K::Label, 20, 10, 600, 22, YaHei(14)},
          {"标签编码", K::Label, 20, 34, 600, 22, YaHei(14)},
          // Shown for a file of more than two columns.
          {"标签单词列", K::Label, 20, 64, 60, 22, YaHei(14), "单词列："},
          {"下拉单词列", K::ComboBox, 80, 62, 200, 26, YaHei(14)},
          {"标签释义列", K::Label, 320, 64, 60, 22, YaHei(14), "释义列："},
          {"下拉释义列", K::ComboBox, 380, 62, 200, 26, YaHei(14)},
          {"表格单词", K::Table, 20, 94, 600, 192, YaHei(14), "行\n单词\n释义\n已有"},
          // Shown for a long list: all its words become one group.
          {"标签一组", K::Label, 20, 290, 600, 22, YaHei(14)},
          {"标签问题", K::Label, 20, 318, 380, 22, YaHei(14), "有问题的行（不会导入）："},
          // Shown when words of the list are in the book already.
          {"复选框也导入已有", K::CheckBox, 440, 317, 180, 22, YaHei(14), "也导入已有的单词"},
          {"表格问题", K::Table, 20, 342, 600, 96, YaHei(14), "行\n原因"},
          {"标签摘要", K::Label, 20, 448, 360, 40, YaHei(14)},
          {"按钮导入", K::Button, 400, 448, 100, 40, YaHei(16), "导入"},
          {"按钮取消", K::Button, 520, 448, 100, 40, YaHei(16), "取消"},
      }};
  return layout;
}

const ControlSpec& LearningSpeakerButton() {
  // Under the proficiency figure, left of the bar.
  static const ControlSpec button{"按钮朗读单词", K::SpeakerButton, 994, 446, 40, 40, kNoFont};
  return button;
}

const ControlSpec& DrillSpeakerButton() {
  // Under the start of the word.
  static const ControlSpec button{"按钮朗读单词", K::SpeakerButton, 22, 104, 40, 40, kNoFont};
  return button;
}

const ControlSpec& GameSpeakerButton() {
  // Under the right column's buttons.
  static const ControlSpec button{"按钮朗读单词", K::SpeakerButton, 439, 300, 40, 40, kNoFont};
  return button;
}

std::vector<const WindowSpec*> AllWindowLayouts() {
#define CINDRAL_WINDOW_LAYOUT(id, window, name, owner) &window##Layout(),
  return {CINDRAL_WINDOWS(CINDRAL_WINDOW_LAYOUT)};
#undef CINDRAL_WINDOW_LAYOUT
}

}  // namespace cindral
