// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/GameWindowLogic.h"

#include <algorithm>
#include <vector>

#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WordRecord.h"

namespace cindral {

GameWindowLogic::GameWindowLogic(Program& program)
    : program_(program), speaker_(program, GBK("朗读单词")) {
  speaker_.SetNoWordTip(GBK("先点一个单词或释义，再点这里朗读"));
}

void GameWindowLogic::DealWords() {
  selection_ = 0;
  speaker_.SetWord({});
  Database& db = program_.db();
  const int32_t count = db.RecordCount();
  if (count < kMinimumRecords) {
    program_.prompter().Inform(GBK("单词库单词数目不够，请积累一些单词再玩吧！"), GBK("提示"));
    closed_ = true;
    return;
  }

  RandomGenerator& random = program_.random();
  // Four different record numbers, in the order they are drawn.
  int accepted = 0;
  while (accepted < kWordsPerDeal) {
    const int32_t r = random.RandomInRange(1, count);
    if (std::find(drawn_.begin(), drawn_.begin() + accepted, r) == drawn_.begin() + accepted) {
      drawn_[static_cast<size_t>(accepted++)] = r;
    }
  }
  for (int k = 1; k <= kWordsPerDeal; ++k) {
    db.GoTo(drawn_[static_cast<size_t>(k - 1)]);
    texts_[static_cast<size_t>(2 * k - 1)] = ReadTextField(db, kWord);
    texts_[static_cast<size_t>(2 * k)] = ReadTextField(db, kMeaning);
  }

  // Items taken at random from the pool 1..8, which closes up behind each.
  std::vector<int> pool;
  for (int item = 1; item <= kButtons; ++item) pool.push_back(item);
  for (int i = 1; i <= kButtons; ++i) {
    const int32_t j = random.RandomInRange(1, static_cast<int32_t>(pool.size()));
    order_[static_cast<size_t>(i)] = pool[static_cast<size_t>(j - 1)];
    pool.erase(pool.begin() + (j - 1));
  }
  for (int i = 1; i <= kButtons; ++i) {
    captions_[Index(i)] = texts_[static_cast<size_t>(order_[static_cast<size_t>(i)])];
  }
}

void GameWindowLogic::Opened() {
  DealWords();
  visible_.fill(true);
  countText_ = IntegerToText(program_.db().RecordCount());
}

void GameWindowLogic::DealAgain() {
  DealWords();
  visible_.fill(true);
}

void GameWindowLogic::Click(int button) {
  // A vanished button takes no clicks.
  if (button < 1 || button > kButtons || !visible_[Index(button)] || closed_) return;
  // Items 2k-1 and 2k are the word and the meaning of draw k.
  const int item = order_[static_cast<size_t>(button)];
  speaker_.SetWord(texts_[static_cast<size_t>(item % 2 == 1 ? item : item - 1)]);
  if (selection_ == 0) {
    selection_ = button;
    return;
  }
  const int a = order_[static_cast<size_t>(selection_)];
  const int b = order_[static_cast<size_t>(button)];
  // The word and the meaning of one draw: items 2k-1 and 2k.
  const bool pair = (a % 2 == 1) ? b == a + 1 : b == a - 1;
  if (pair) {
    visible_[Index(button)] = false;
    visible_[Index(selection_)] = false;
    selection_ = 0;
  } else {
    selection_ = button;
  }
}

void GameWindowLogic::NextBackground() {
  int32_t& index = program_.state().BackgroundIndex;
  index = index >= kBuiltInBackgrounds ? 1 : index + 1;
}

}  // namespace cindral
