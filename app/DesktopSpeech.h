// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's voice on the desktop: Qt's text-to-speech engine (speech
// dispatcher with eSpeak NG on Debian), reading words in English. The
// engine is started the first time a window asks for it, on a thread of its
// own, so neither starting it nor speaking ever holds up a window; its
// state comes back to the windows through the listeners.

#include <QObject>
#include <QString>
#include <map>

#include "core/Speech.h"

class QThread;

namespace cindral {

class SpeechWorker;

// How long the engine is waited for. A speech service that has lost its
// sound device may take words and never finish them, or stop answering at
// all; neither may leave the voice "starting" or "ready" for good.
struct SpeechLimits {
  int startMs = 10000;     // the engine answers by then, or is unavailable
  int firstWordMs = 4000;  // the first word (plus 0.2 s a letter) is read by then
};

class DesktopSpeech final : public QObject, public Speech {
  Q_OBJECT

 public:
  // `engine`: the text-to-speech plugin to use; empty = Qt's default.
  explicit DesktopSpeech(QString engine = {}, QObject* parent = nullptr,
                         SpeechLimits limits = SpeechLimits());
  ~DesktopSpeech() override;

  State state() override;
  std::string reason() const override { return reason_; }
  void Speak(const std::string& word) override;
  bool trying() const override { return trying_; }
  int AddListener(std::function<void()> listener) override;
  void RemoveListener(int token) override;
  // A word has been read to its end: the voice reaches a sound device.
  bool heard() const { return heard_; }

 private:
  void Start();
  void Settle(State state, const std::string& reason);
  void SetTrying(bool trying);
  void Notify();

  QString engine_;
  SpeechLimits limits_;
  QThread* thread_ = nullptr;
  SpeechWorker* worker_ = nullptr;
  State state_ = State::Starting;
  bool started_ = false;
  bool heard_ = false;
  bool trying_ = false;
  std::string reason_;
  std::map<int, std::function<void()>> listeners_;
  int nextToken_ = 1;
};

}  // namespace cindral
