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

SpeakerLook Speaker::look() {
  Speech& speech = program_.speech();
  const Speech::State state = speech.state();
  if (asked_ && state == Speech::State::Unavailable) {
    asked_ = false;
    TellFailure();
  } else if (asked_ && !speech.trying()) {
    asked_ = false;  // heard
  }
  // Asked while the engine started: once it is up the button speaks; if it
  // failed, the learner hears why.
  if (askedEarly_ && state != Speech::State::Starting) {
    askedEarly_ = false;
    raised_.clear();
    if (state == Speech::State::Unavailable) TellFailure();
  }
  SpeakerLook look;
  look.enabled = enabled();
  look.trying = asked_;
  look.tip = asked_ ? GBK("正在朗读……") : tip();
  look.note = asked_ ? GBK("正在朗读……") : raised_;
  if (look.note != lastNote_) {
    lastNote_ = look.note;
    ++noteSerial_;
  }
  look.noteSerial = noteSerial_;
  return look;
}

void Speaker::Speak() {
  if (word_.empty()) return;
  Speech& speech = program_.speech();
  raised_.clear();
  askedEarly_ = false;
  switch (speech.state()) {
    case Speech::State::Ready:
      speech.Speak(word_);
      asked_ = speech.trying();
      break;
    case Speech::State::Starting:
      raised_ = GBK("语音引擎正在启动，请稍候再按");
      askedEarly_ = true;
      break;
    case Speech::State::Unavailable:
      TellFailure();
      break;
  }
}

void Speaker::TellFailure() {
  Speech& speech = program_.speech();
  if (speech.failureTold()) return;
  raised_ = speech.reason();
  speech.SetFailureTold();
}

}  // namespace cindral
