// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopSpeech.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <vector>

#include "store/Gbk.h"
#include "ui/Text.h"

namespace cindral {

enum class SpeechOutcome {
  Ready,         // words can be spoken
  NoEngine,      // no text-to-speech engine is installed
  EngineFailed,  // the engine is there but cannot start or failed
  NoSound        // the engine runs, but what it reads never reaches a sound device
};

// Lives on the speech thread: makes the engine there and speaks through it.
//
// An engine whose service cannot open a sound device (no sound server, no
// card) takes words and then stays "speaking" for good, without an error.
// So until one word has been read to its end, each word is watched: read
// to its end, the voice is heard; still being read long after any word
// would be done, it is unheard.
class SpeechWorker : public QObject {
  Q_OBJECT

 public:
  SpeechWorker(QString engine, int firstWordLimitMs)
      : engine_(std::move(engine)), firstWordLimitMs_(firstWordLimitMs) {}

  void Start() {
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty() || (!engine_.isEmpty() && !engines.contains(engine_))) {
      emit Settled(SpeechOutcome::NoEngine);
      return;
    }
    tts_ = engine_.isEmpty() ? new QTextToSpeech(this) : new QTextToSpeech(engine_, this);
    if (tts_->state() == QTextToSpeech::Error) {
      emit Settled(SpeechOutcome::EngineFailed);
      return;
    }
    // An English voice (American when there is one); without any, the
    // engine's own default.
    QLocale english;
    bool found = false;
    for (const QLocale& locale : tts_->availableLocales()) {
      if (locale.language() != QLocale::English) continue;
      if (!found || locale.territory() == QLocale::UnitedStates) english = locale;
      found = true;
    }
    if (found) tts_->setLocale(english);
    connect(tts_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
      if (state == QTextToSpeech::Error) emit Settled(SpeechOutcome::EngineFailed);
      if (state == QTextToSpeech::Speaking) speaking_ = true;
      // A word read to its end (not one cut by the next word).
      if (state == QTextToSpeech::Ready && speaking_ && !heard_ && !unheard_) {
        speaking_ = false;
        if (cuts_ > 0) {
          --cuts_;
        } else {
          heard_ = true;
          if (watch_ != nullptr) watch_->stop();
          emit Heard();
        }
      }
    });
    watch_ = new QTimer(this);
    watch_->setSingleShot(true);
    connect(watch_, &QTimer::timeout, this, &SpeechWorker::CheckHeard);
    emit Settled(SpeechOutcome::Ready);
  }

  void Say(const QString& word) {
    if (tts_ == nullptr || unheard_) return;
    // A new word cuts the one still being read.
    if (speaking_) ++cuts_;
    tts_->stop();
    tts_->say(word);
    // Watched from the last word asked for: a word of n letters is read
    // in well under a second plus a fifth of a second a letter.
    if (!heard_) watch_->start(firstWordLimitMs_ + 200 * static_cast<int>(word.size()));
  }

 signals:
  void Settled(SpeechOutcome outcome);
  void Heard();

 private:
  void CheckHeard() {
    if (tts_->state() == QTextToSpeech::Speaking) {
      unheard_ = true;
      tts_->stop();
      emit Settled(SpeechOutcome::NoSound);
    } else if (tts_->state() == QTextToSpeech::Ready) {
      heard_ = true;
      emit Heard();
    }
  }

  QString engine_;
  int firstWordLimitMs_;
  QTextToSpeech* tts_ = nullptr;
  QTimer* watch_ = nullptr;
  bool speaking_ = false;  // the engine said it started a word
  int cuts_ = 0;           // words cut by the next, whose end is no hearing
  bool heard_ = false;     // a word has been read to its end
  bool unheard_ = false;   // a word never ended: nothing can be heard
};

DesktopSpeech::DesktopSpeech(QString engine, QObject* parent, SpeechLimits limits)
    : QObject(parent), engine_(std::move(engine)), limits_(limits) {}

DesktopSpeech::~DesktopSpeech() {
  if (thread_ == nullptr) return;
  thread_->quit();
  if (thread_->wait(QDeadlineTimer(1000))) return;
  // The engine is stuck inside a speech service that does not answer. The
  // program must still end: its thread is left to the end of the process
  // (kept reachable, so it is not taken for a leak).
  static auto* const abandoned = new std::vector<QThread*>;
  thread_->setParent(nullptr);
  abandoned->push_back(thread_);
}

Speech::State DesktopSpeech::state() {
  if (!started_) Start();
  return state_;
}

void DesktopSpeech::Start() {
  started_ = true;
  thread_ = new QThread(this);
  thread_->setObjectName(QStringLiteral("speech"));
  worker_ = new SpeechWorker(engine_, limits_.firstWordMs);
  worker_->moveToThread(thread_);
  connect(thread_, &QThread::started, worker_, &SpeechWorker::Start);
  connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
  connect(worker_, &SpeechWorker::Settled, this, [this](SpeechOutcome outcome) {
    switch (outcome) {
      case SpeechOutcome::Ready:
        Settle(State::Ready, {});
        break;
      case SpeechOutcome::NoEngine:
        Settle(State::Unavailable,
               GBK("没有找到语音引擎，无法朗读单词（请安装 speech-dispatcher 和 espeak-ng）"));
        break;
      case SpeechOutcome::EngineFailed:
        Settle(State::Unavailable,
               GBK("语音引擎无法启动，无法朗读单词（请检查 speech-dispatcher 和声音设备）"));
        break;
      case SpeechOutcome::NoSound:
        Settle(State::Unavailable,
               GBK("语音服务打不开声音设备，朗读听不到（请检查声音设备或声音服务）"));
        break;
    }
  });
  connect(worker_, &SpeechWorker::Heard, this, [this] {
    heard_ = true;
    SetTrying(false);
  });
  // An engine that answers late still becomes ready then.
  QTimer::singleShot(limits_.startMs, this, [this] {
    if (state_ == State::Starting) {
      Settle(State::Unavailable, GBK("语音服务没有回应，无法朗读单词（请检查 speech-dispatcher）"));
    }
  });
  thread_->start();
}

void DesktopSpeech::Settle(State state, const std::string& reason) {
  if (state == state_ && reason == reason_) return;
  state_ = state;
  reason_ = reason;
  if (state != State::Ready) trying_ = false;
  Notify();
}

void DesktopSpeech::SetTrying(bool trying) {
  if (trying == trying_) return;
  trying_ = trying;
  Notify();
}

void DesktopSpeech::Notify() {
  // A listener may remove itself (its window closing): call a copy.
  const auto listeners = listeners_;
  for (const auto& [token, listener] : listeners) {
    if (listeners_.count(token) != 0) listener();
  }
}

void DesktopSpeech::Speak(const std::string& word) {
  if (state() != State::Ready || word.empty()) return;
  if (!heard_) SetTrying(true);
  SpeechWorker* worker = worker_;
  QMetaObject::invokeMethod(
      worker, [worker, text = ToQString(word)] { worker->Say(text); }, Qt::QueuedConnection);
}

int DesktopSpeech::AddListener(std::function<void()> listener) {
  const int token = nextToken_++;
  listeners_[token] = std::move(listener);
  return token;
}

void DesktopSpeech::RemoveListener(int token) { listeners_.erase(token); }

}  // namespace cindral

#include "DesktopSpeech.moc"
