#pragma once
// The program's voice on the desktop: Qt's text-to-speech engine (speech
// dispatcher with eSpeak NG on Debian), reading words in English. The
// engine is started the first time a window asks for it, on a thread of its
// own, so neither starting it nor speaking ever holds up a window; its
// state comes back to the windows through the listeners.

#include <QObject>
#include <QString>
#include <map>

#include "app/core/Speech.h"

class QThread;

namespace cindral {

class SpeechWorker;

class DesktopSpeech final : public QObject, public Speech {
  Q_OBJECT

 public:
  // `engine`: the text-to-speech plugin to use; empty = Qt's default.
  explicit DesktopSpeech(QString engine = {}, QObject* parent = nullptr);
  ~DesktopSpeech() override;

  State state() override;
  std::string reason() const override { return reason_; }
  void Speak(const std::string& word) override;
  int AddListener(std::function<void()> listener) override;
  void RemoveListener(int token) override;

 private:
  void Start();
  void Settle(State state, const std::string& reason);

  QString engine_;
  QThread* thread_ = nullptr;
  SpeechWorker* worker_ = nullptr;
  State state_ = State::Starting;
  bool started_ = false;
  std::string reason_;
  std::map<int, std::function<void()>> listeners_;
  int nextToken_ = 1;
};

}  // namespace cindral
