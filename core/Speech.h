// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Speaking English words aloud, as the study windows see it. The desktop
// speaks through the system's speech engine, started in the background the
// first time a window asks; tests script it. Speaking never waits for the
// voice: Speak returns at once.

#include <functional>
#include <string>

namespace cindral {

class Speech {
 public:
  enum class State {
    Starting,    // the engine is being started
    Ready,       // words can be spoken
    Unavailable  // no engine, or it failed: reason() says why
  };

  virtual ~Speech() = default;
  // The engine's state; the first call starts the engine.
  virtual State state() = 0;
  // Why words cannot be spoken (GBK); empty unless Unavailable.
  virtual std::string reason() const = 0;
  // Starts speaking the word (GBK) and returns; does nothing unless Ready.
  virtual void Speak(const std::string& word) = 0;
  // Whether a word asked for is being read and it is not known yet whether
  // it can be heard: a voice that has read no word to its end may have no
  // sound device. False once one word has been heard, or the voice failed.
  virtual bool trying() const { return false; }
  // `listener` is called whenever state() or trying() changes, until
  // removed. Returns the token for RemoveListener.
  virtual int AddListener(std::function<void()> listener) = 0;
  virtual void RemoveListener(int token) = 0;

  // Whether the learner has been told why the voice cannot be heard: the
  // study windows say it once a run, where the learner asked for a word.
  bool failureTold() const { return failureTold_; }
  void SetFailureTold() { failureTold_ = true; }

 private:
  bool failureTold_ = false;
};

// The speech of a program without an engine: never available.
class NoSpeech final : public Speech {
 public:
  State state() override { return State::Unavailable; }
  std::string reason() const override;
  void Speak(const std::string&) override {}
  int AddListener(std::function<void()>) override { return 0; }
  void RemoveListener(int) override {}
};

}  // namespace cindral
