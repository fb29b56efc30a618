// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/IntensiveReviewWindowLogic.h"

#include "core/KeyCodes.h"
#include "store/Convert.h"
#include "store/Gbk.h"

namespace cindral {

IntensiveReviewWindowLogic::IntensiveReviewWindowLogic(Program& program)
    : program_(program), speaker_(program, GBK("朗读单词（P）")) {}

int32_t IntensiveReviewWindowLogic::Count() const {
  return static_cast<int32_t>(program_.state().IntensiveList.size());
}

void IntensiveReviewWindowLogic::Opened() {
  focus_.Request();
  focus_.Start();
  // The first card asks with the full-width mark; every later one with "?".
  Show(1, GBK("？"));
}

void IntensiveReviewWindowLogic::Show(int32_t position, const std::string& meaning) {
  const int32_t count = Count();
  // The chooser opens the drill only with words; an empty list shows no card.
  if (count == 0) return;
  position_ = position;
  word_ = program_.state().IntensiveList[static_cast<size_t>(position - 1)].Word;
  meaning_ = meaning;
  pronunciation_ = program_.offlineDictionary().Pronunciation(word_).value_or(std::string());
  entryText_.clear();
  speaker_.SetWord(word_);
  positionText_ = IntegerToText(position);
  countText_ = IntegerToText(count);
}

void IntensiveReviewWindowLogic::KeyDown(int keyCode) {
  const int32_t count = Count();
  if (count == 0) return;
  switch (keyCode) {
    case kKeyLeft:
      Show(position_ <= 1 ? count : position_ - 1, "?");
      break;
    case kKeyRight:
    case kKeyTilde:
      Show(position_ >= count ? 1 : position_ + 1, "?");
      break;
    case kKeyS:
      meaning_ = program_.state().IntensiveList[static_cast<size_t>(position_ - 1)].Meaning;
      break;
    case kKeyP:
      speaker_.Speak();
      break;
    case kKeyW:
      if (!entryText_.empty()) {
        entryText_.clear();
      } else {
        entryText_ = program_.offlineDictionary().Text(word_);
        if (entryText_.empty()) entryText_ = GBK("离线词典里没有这个单词。");
      }
      break;
    default:
      break;
  }
}

}  // namespace cindral
