// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ConflictCopiesChoice.h"

#include "book/BookComparison.h"
#include "core/ConflictChoice.h"
#include "core/ConflictCopies.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "logic/OwnFiles.h"
#include "store/Convert.h"
#include "store/DateTime.h"
#include "store/FatalError.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

// The most words that differ listed in the details.
constexpr std::size_t kListed = 500;

std::string Counters(const std::string& settingsPath) {
  const std::string review = ReadProfileString(settingsPath, "Config", "reviewnumber", "-");
  const std::string group = ReadProfileString(settingsPath, "Config", "groupnumber", "-");
  return GBK("复习位置 ") + review + GBK("，当前第 ") + group + GBK(" 组");
}

std::string Summary(const BookSummary& s) {
  return IntegerToText(s.words) + GBK(" 个单词，") + IntegerToText(s.groups) +
         GBK(" 组，最后录入 ") +
         (s.lastEntry == 0 ? std::string("-") : DateTimeText(s.lastEntry, "%04d-%02d-%02d")) +
         GBK("，熟练度合计 ") + std::to_string(s.proficiencySum);
}

std::string DifferenceLine(const WordDifference& d) {
  using Kind = WordDifference::Kind;
  switch (d.kind) {
    case Kind::kOnlyInFirst:
      return d.word + GBK("：只在这台电脑上的单词本里（第 ") + d.first + GBK(" 组）");
    case Kind::kOnlyInSecond:
      return d.word + GBK("：只在冲突副本里（第 ") + d.first + GBK(" 组）");
    case Kind::kGroup:
      return d.word + GBK("：组 ") + d.first + " / " + d.second;
    case Kind::kMeaning:
      return d.word + GBK("：释义 ") + d.first + " / " + d.second;
    case Kind::kProficiency:
      return d.word + GBK("：熟练度 ") + d.first + " / " + d.second;
  }
  return d.word;
}

// Both books side by side, and the words that differ (the details).
void Describe(const std::string& folder, const ConflictSet& set, Choice* choice) {
  std::string mine = GBK("这台电脑上的单词本：");
  std::string theirs = GBK("冲突副本：");
  if (!set.book.empty()) {
    Database a;
    Database b;
    BookComparison c;
    bool read = false;
    try {
      read = a.OpenDatabase(folder + "/" + GBK("单词本.EDB"), Access::ReadOnly, Share::DenyNone) &&
             b.OpenDatabase(folder + "/" + set.book, Access::ReadOnly, Share::DenyNone) &&
             CompareBooks(a, b, &c);
    } catch (const FatalError&) {
      read = false;
    }
    if (read) {
      mine += Summary(c.first);
      theirs += Summary(c.second);
      choice->text += GBK("\n\n不同的单词：") + std::to_string(c.differences.size()) + GBK(" 个");
      std::size_t listed = 0;
      for (const WordDifference& d : c.differences) {
        if (listed++ == kListed) {
          choice->details += GBK("……\n");
          break;
        }
        choice->details += DifferenceLine(d) + "\n";
      }
    } else {
      theirs += GBK("读不出来（") + DatabaseErrorText(LastDatabaseError()) + GBK("）");
    }
  }
  const Settings settings(folder);
  mine += (set.book.empty() ? "" : GBK("；")) + Counters(settings.Path());
  if (!set.settings.empty()) {
    theirs += (set.book.empty() ? "" : GBK("；")) + Counters(folder + "/" + set.settings);
  }
  choice->text = GBK("同步软件在单词本旁边留下了一份冲突副本（") + set.tag +
                 GBK("）：两台电脑都改过单词本，同步软件没法把它们合在一起。请选择保留哪一份；"
                     "另一份会整个移到 backups 文件夹里，不会删掉。\n\n") +
                 mine + "\n" + theirs + choice->text;
}

}  // namespace

bool SettleConflictCopies(Program& program) {
  const std::string folder = program.settings().programDirectory();
  ConflictChoice choice(folder);
  std::string reason;
  if (!choice.FinishCutShort(&reason)) {
    program.prompter().Fail(GBK("上次选择冲突副本时没有做完，这次也没能做完：") + reason +
                                GBK("。请检查单词本所在的文件夹。"),
                            GBK("出错了"));
    return false;
  }
  const bool withSide = PathExists(folder + "/" + GBK("单词本.EDT"));
  const double now = CurrentDateTime(program.clock());
  for (const ConflictSet& set : FindConflictCopies(folder)) {
    bool keepCopy = false;
    if (set.Whole(withSide)) {
      Choice offer;
      offer.caption = GBK("冲突副本");
      offer.buttons = {GBK("保留这台电脑上的"), GBK("改用冲突副本"), GBK("以后再说")};
      offer.escape = 2;
      Describe(folder, set, &offer);
      const int answer = program.prompter().Choose(offer);
      if (answer != 0 && answer != 1) continue;
      keepCopy = answer == 1;
    }
    std::string aside;
    if (!choice.Carry(set, keepCopy, now, &aside, &reason)) {
      program.prompter().Fail(
          GBK("冲突副本没能处理完：") + reason + GBK("。下次启动时会接着做完。"), GBK("出错了"));
      return false;
    }
    if (!set.Whole(withSide)) {
      std::string files;
      for (const std::string& f : set.Files()) files += "\n" + f;
      program.prompter().Inform(
          GBK("同步软件在单词本旁边留下的冲突副本不完整（单词本和它的 .EDT 文件没有成对），"
              "不能代替现在的单词本，已经移到 ") +
              aside + GBK("：") + files,
          GBK("提示"));
    }
  }
  return true;
}

}  // namespace cindral
