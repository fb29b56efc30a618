// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/IntensiveChooserWindowLogic.h"

#include "core/KeyCodes.h"
#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

std::optional<int32_t> IntensiveChooserWindowLogic::ItemThreshold(int item) {
  // "≥1%熟练度单词", "≥30%熟练度单词", "≥50%熟练度单词", "≥80%熟练度单词"
  static constexpr int32_t kThresholds[] = {1, 30, 50, 80};
  if (item < 0 || item >= 4) return std::nullopt;
  return kThresholds[item];
}

void IntensiveChooserWindowLogic::KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) Start();
}

void IntensiveChooserWindowLogic::Start() {
  std::vector<DueEntry>& list = program_.state().IntensiveList;
  list.clear();

  // A list item wins over a typed value.
  int32_t threshold = 0;
  if (const std::optional<int32_t> fromItem = ItemThreshold(item_)) {
    threshold = *fromItem;
  } else {
    threshold = TextToInteger(customText_);
    if (threshold < kLowestCustom || threshold > kHighestCustom) {
      program_.prompter().Inform(GBK("请您选择或输入正确的强化复习的单词熟练度！"), GBK("提示"));
      return;
    }
  }
  threshold_ = threshold;

  Database& db = program_.db();
  {
    // One lock for the walk, under which the book is read in large blocks.
    WholeFileScope scope(db, WholeFileScope::Kind::Shared);
    db.GoFirst();
    const int32_t count = db.RecordCount();
    for (int32_t i = 0; i < count; ++i) {
      const int32_t proficiency = ReadIntegerField(db, kProficiency);
      if (proficiency >= threshold) {
        list.push_back({ReadIntegerField(db, kGroupNumber), ReadTextField(db, kWord),
                        ReadTextField(db, kMeaning), proficiency,
                        ReadIntegerField(db, kSerialNumber)});
      }
      db.Skip(1);
    }
  }

  if (list.empty()) {
    program_.prompter().Inform(GBK("没有要强化复习的单词！"), GBK("提示"));
    return;
  }
  program_.shell().OpenWindow(WindowId::IntensiveReview);
  closed_ = true;
}

}  // namespace cindral
