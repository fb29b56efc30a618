// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/Speaker.h"

#include "store/Gbk.h"

namespace cindral {

bool Speaker::enabled() {
  return !word_.empty() && program_.speech().state() == Speech::State::Ready;
}

std::string Speaker::tip() {
  Speech& speech = program_.speech();
  switch (speech.state()) {
    case Speech::State::Starting:
      return GBK("正在启动语音引擎……");
    case Speech::State::Unavailable:
      return speech.reason();
    case Speech::State::Ready:
      break;
  }
  return word_.empty() && !noWordTip_.empty() ? noWordTip_ : readyTip_;
}

void Speaker::Speak() {
  if (enabled()) program_.speech().Speak(word_);
}

}  // namespace cindral
