// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/EntryWindowLogic.h"

#include "book/KnownWords.h"
#include "book/TodaysWords.h"
#include "core/KeyCodes.h"
#include "plan/DayPlan.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/Gbk.h"
#include "store/WordRecord.h"

namespace cindral {

namespace {

// The meanings a hint offers: a few, so that the line stays short.
constexpr std::size_t kHinted = 3;

}  // namespace

void EntryWindowLogic::SetWord(std::string text) {
  word_ = std::move(text);
  if (word_ != hinted_) Hint();
}

void EntryWindowLogic::Hint() {
  hinted_ = word_;
  hints_.clear();
  hintText_.clear();
  if (WordKey(word_).empty()) return;
  for (ChineseMeaning& m : program_.chineseMeanings().Lookup(word_, kHinted)) {
    hints_.push_back(std::move(m.word));
  }
  if (hints_.empty()) return;
  hintText_ = GBK("释义提示：");
  for (std::size_t i = 0; i < hints_.size(); ++i) hintText_ += (i ? GBK("；") : "") + hints_[i];
  hintText_ += GBK("　（按 F2 填入）");
}

void EntryWindowLogic::FillMeaning() {
  if (hints_.empty()) return;
  std::string meaning = meaning_.find_first_not_of(" \t") == std::string::npos ? "" : meaning_;
  for (const std::string& hint : hints_) {
    if (meaning.find(hint) != std::string::npos) continue;
    meaning += (meaning.empty() ? "" : GBK("；")) + hint;
  }
  meaning_ = std::move(meaning);
  focus_ = Focus::Meaning;
}

void EntryWindowLogic::Created() {
  focus_ = Focus::Word;
  std::optional<HandedWord>& handed = program_.state().EntryPrefill;
  if (!handed) return;
  const HandedWord word = std::move(*handed);
  handed.reset();
  Prefill(word.word, word.meaning);
}

void EntryWindowLogic::Prefill(std::string word, std::string meaning) {
  if (word == word_ && meaning == meaning_) return;
  if (!word_.empty() || !meaning_.empty()) {
    const std::string& typed = word_.empty() ? meaning_ : word_;
    if (!program_.prompter().Ask(
            GBK("“") + typed + GBK("”还没有提交，要换成“") + word + GBK("”吗？"), GBK("询问"))) {
      return;
    }
  }
  SetWord(std::move(word));
  meaning_ = std::move(meaning);
  focus_ = Focus::Meaning;
}

void EntryWindowLogic::KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) Submit();
}

void EntryWindowLogic::Submit() {
  program_.LoadCurrentGroup();
  if (meaning_.empty() || word_.empty()) {
    program_.prompter().Inform(GBK("请将单词和释义录入完整！"), GBK("提示"));
    focus_ = word_.empty() ? Focus::Word : Focus::Meaning;
    return;
  }
  if (!ConfirmKnownWord()) {
    // Kept as typed, for the learner to change or clear.
    focus_ = Focus::Word;
    return;
  }
  const bool added =
      AddTodaysWords(program_.db(), program_.settings(), program_.Today(), {{word_, meaning_}});
  const int32_t failure = LastDatabaseError();
  // The first word of a new study day has raised groupnumber.
  program_.LoadCurrentGroup();
  if (!added) {
    // Keep what the learner typed so that nothing is lost silently, and say
    // why. A day without its first word keeps the window open: the learner
    // hears how to leave should the book stay unwritable (a full disk).
    saveFailed_ = true;
    std::string text = GBK("单词保存失败（") + DatabaseErrorText(failure) + GBK("），请再试！");
    if (!TodayHasWords()) {
      text += GBK("\n如果仍然无法保存，可以关闭本窗口退出程序，下次启动时再录入今天的单词。");
    }
    program_.prompter().Fail(text, GBK("出错了"));
    return;
  }
  word_.clear();
  meaning_.clear();
  Hint();
  focus_ = Focus::Word;
}

bool EntryWindowLogic::ConfirmKnownWord() {
  const std::string key = WordKey(word_);
  if (key.empty()) return true;
  const auto found = FindKnownWords(program_.db(), {key});
  if (found.empty()) return true;
  const std::vector<KnownWord>& known = found.begin()->second;
  constexpr std::size_t kShown = 3;
  std::string text = GBK("单词本里已经有“") + word_ + GBK("”：");
  for (std::size_t i = 0; i < known.size() && i < kShown; ++i) {
    text += "\n" + KnownWordText(known[i], word_);
  }
  if (known.size() > kShown) {
    text += GBK("\n……共 ") + IntegerToText(static_cast<int32_t>(known.size())) + GBK(" 处");
  }
  return program_.prompter().Ask(text + GBK("\n\n还要再添加一次吗？"), GBK("询问"));
}

void EntryWindowLogic::Import() {
  Database& db = program_.db();
  const int32_t before = db.RecordCount();
  program_.shell().OpenWindow(WindowId::Import);
  const int32_t added = db.RecordCount() - before;
  if (added <= 0) return;
  imported_ += added;
  importText_ = GBK("已从文件导入 ") + IntegerToText(imported_) + GBK(" 个单词");
}

bool EntryWindowLogic::TodayHasWords() {
  Database& db = program_.db();
  db.GoLast();
  return SameDateTime(ReadDateField(db, kEntryDate), program_.Today());
}

bool EntryWindowLogic::QueryClose() {
  if (TodayHasWords()) return true;
  if (saveFailed_) {
    // The day cannot begin while the book cannot be written, and the plan
    // would only open this window again: leaving ends the program.
    leaving_ = program_.prompter().Ask(
        GBK("今天的单词还没有保存。关闭窗口将退出程序，下次启动时再录入今天的单词。要退出吗？"),
        GBK("询问"));
    return leaving_;
  }
  program_.prompter().Inform(GBK("您还没有录入今天的单词，窗口不能关闭！"), GBK("提示"));
  return false;
}

void EntryWindowLogic::Destroyed() {
  if (leaving_) {
    program_.EndRun();
  } else {
    ComputeDayPlan(program_);
  }
}

}  // namespace cindral
