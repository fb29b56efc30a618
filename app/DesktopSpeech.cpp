#include "app/DesktopSpeech.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QThread>

#include "store/Gbk.h"
#include "ui/Text.h"

namespace cindral {

// Lives on the speech thread: makes the engine there and speaks through it.
class SpeechWorker : public QObject {
  Q_OBJECT

 public:
  explicit SpeechWorker(QString engine) : engine_(std::move(engine)) {}

  void Start() {
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty() || (!engine_.isEmpty() && !engines.contains(engine_))) {
      emit Settled(false, false);
      return;
    }
    tts_ = engine_.isEmpty() ? new QTextToSpeech(this) : new QTextToSpeech(engine_, this);
    if (tts_->state() == QTextToSpeech::Error) {
      emit Settled(false, true);
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
      if (state == QTextToSpeech::Error) emit Settled(false, true);
    });
    emit Settled(true, true);
  }

  void Say(const QString& word) {
    if (tts_ == nullptr) return;
    // A new word cuts the one still being read.
    tts_->stop();
    tts_->say(word);
  }

 signals:
  // ready: words can be spoken; found: an engine was there at all.
  void Settled(bool ready, bool found);

 private:
  QString engine_;
  QTextToSpeech* tts_ = nullptr;
};

DesktopSpeech::DesktopSpeech(QString engine, QObject* parent)
    : QObject(parent), engine_(std::move(engine)) {}

DesktopSpeech::~DesktopSpeech() {
  if (thread_ != nullptr) {
    thread_->quit();
    thread_->wait();
  }
}

Speech::State DesktopSpeech::state() {
  if (!started_) Start();
  return state_;
}

void DesktopSpeech::Start() {
  started_ = true;
  thread_ = new QThread(this);
  thread_->setObjectName(QStringLiteral("speech"));
  worker_ = new SpeechWorker(engine_);
  worker_->moveToThread(thread_);
  connect(thread_, &QThread::started, worker_, &SpeechWorker::Start);
  connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
  connect(worker_, &SpeechWorker::Settled, this, [this](bool ready, bool found) {
    if (ready) {
      Settle(State::Ready, {});
    } else if (found) {
      Settle(State::Unavailable,
             GBK("语音引擎无法启动，无法朗读单词（请检查 speech-dispatcher 和声音设备）"));
    } else {
      Settle(State::Unavailable,
             GBK("没有找到语音引擎，无法朗读单词（请安装 speech-dispatcher 和 espeak-ng）"));
    }
  });
  thread_->start();
}

void DesktopSpeech::Settle(State state, const std::string& reason) {
  if (state == state_ && reason == reason_) return;
  state_ = state;
  reason_ = reason;
  // A listener may remove itself (its window closing): call a copy.
  const auto listeners = listeners_;
  for (const auto& [token, listener] : listeners) {
    if (listeners_.count(token) != 0) listener();
  }
}

void DesktopSpeech::Speak(const std::string& word) {
  if (state() != State::Ready || word.empty()) return;
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
