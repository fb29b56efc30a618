// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/ChoiceWindowLogic.h"

#include <algorithm>

#include "core/KeyCodes.h"
#include "store/Gbk.h"
#include "store/WordRecord.h"

namespace cindral {

ChoiceWindowLogic::ChoiceWindowLogic(Program& program) : program_(program), verdict_(GBK("？")) {}

void ChoiceWindowLogic::Created() {
  focus_.Request();
  Database& db = program_.db();
  const int32_t records = db.RecordCount();
  const DueEntry* entry = CurrentDueEntry(program_);
  if (records < kChoices || entry == nullptr) {
    // Too few words to draw three others from: straight to the card.
    program_.shell().OpenWindow(WindowId::Learning);
    return;
  }
  word_ = entry->Word;
  meaning_ = entry->Meaning;
  DrawRecords(records, entry->SerialNumber);
  std::array<std::string, kChoices> candidates;
  for (int i = 0; i < kChoices - 1; ++i) {
    db.GoTo(drawn_[i]);
    candidates[i] = ReadTextField(db, kMeaning);
  }
  candidates[kChoices - 1] = meaning_;
  DrawOrder();
  for (int i = 0; i < kChoices; ++i) options_[i] = candidates[order_[i] - 1];
}

// Three different record numbers, none the word's own. With four records or
// more there are always three to find, so the draws end.
void ChoiceWindowLogic::DrawRecords(int32_t recordCount, int32_t ownRecord) {
  RandomGenerator& random = program_.random();
  int accepted = 0;
  while (accepted < kChoices - 1) {
    const int32_t r = random.RandomInRange(1, recordCount);
    if (r == ownRecord ||
        std::find(drawn_.begin(), drawn_.begin() + accepted, r) != drawn_.begin() + accepted) {
      continue;
    }
    drawn_[accepted++] = r;
  }
}

// A random permutation of 1..4: each place draws until it finds a number
// not taken by the places before it.
void ChoiceWindowLogic::DrawOrder() {
  RandomGenerator& random = program_.random();
  order_.fill(0);
  order_[0] = random.RandomInRange(1, kChoices);
  for (int i = 1; i < kChoices; ++i) {
    int32_t r = 0;
    do {
      r = random.RandomInRange(1, kChoices);
    } while (std::find(order_.begin(), order_.begin() + i, r) != order_.begin() + i);
    order_[i] = r;
  }
}

void ChoiceWindowLogic::Choose(int button) {
  // Nothing to choose from when the card opened at once.
  if (button < 1 || button > kChoices || order_[0] == 0) return;
  checked_ = button;
  // The texts are compared, so a drawn meaning equal to the word's own is
  // right as well.
  verdict_ = options_[button - 1] == meaning_ ? GBK("√") : GBK("×");
  timer_.Set(kVerdictInterval);
}

bool ChoiceWindowLogic::KeyDown(int keyCode) {
  if (keyCode < kKey1 || keyCode > kKey4) return false;
  Choose(keyCode - kKey1 + 1);
  return true;
}

void ChoiceWindowLogic::TimerTick() {
  timer_.Set(0);
  Shell& shell = program_.shell();
  // Hidden, not closed: while this window exists the card is the test's.
  shell.ShowWindow(WindowId::Choice, false);
  shell.OpenWindow(WindowId::Learning);
}

}  // namespace cindral
