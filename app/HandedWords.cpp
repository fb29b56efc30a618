// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HandedWords.h"

#include <QApplication>
#include <QTimer>

#include "plan/EntryGate.h"
#include "store/Gbk.h"
#include "ui/Guard.h"
#include "ui/TerminationSignals.h"
#include "windows/EntryWindow.h"

namespace cindral {

namespace {

// How many of a word's Chinese meanings fill the meaning box.
constexpr std::size_t kMeaningsFilledIn = 3;
// How often a word waiting behind a window over the entry window looks
// again.
constexpr int kRetryMilliseconds = 250;

}  // namespace

HandedWord HandedWords::Prepare(const std::string& word, const std::string& meaning) {
  HandedWord handed{Utf8ToGbk(word), Utf8ToGbk(meaning)};
  if (handed.meaning.empty()) {
    for (const ChineseMeaning& m : meanings_.Lookup(handed.word, kMeaningsFilledIn)) {
      if (!handed.meaning.empty()) handed.meaning += GBK("；");
      handed.meaning += m.word;
    }
  }
  return handed;
}

EntryWindow* HandedWords::OpenEntryWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* entry = qobject_cast<EntryWindow*>(widget);
    if (entry != nullptr && !entry->IsClosed()) return entry;
  }
  return nullptr;
}

bool HandedWords::OtherWindowInFront(const EntryWindow* entry) {
  const QWidget* front = QApplication::activeModalWidget();
  return front != nullptr && front != entry;
}

std::string HandedWords::Refusal(const EntryWindow* entry) {
  if (entry != nullptr) return {};
  if (OtherWindowInFront(nullptr)) return GBK("请先关闭正在使用的窗口，再添加单词。");
  return EntryRefusal(program_);
}

HandOverAnswer HandedWords::Refuse(const std::string& word, const std::string& why) {
  Prompter& prompter = program_.prompter();
  const std::string text = GBK("没有添加“") + word + GBK("”：") + why;
  QTimer::singleShot(0, qApp, [&prompter, text] {
    RunGuarded(prompter, [&] { prompter.Inform(text, GBK("提示")); });
  });
  return {false, GbkToUtf8(why)};
}

HandOverAnswer HandedWords::Take(const std::string& word, const std::string& meaning) {
  if (ClosingAllWindows()) return {false, "the program is ending"};
  HandedWord handed = Prepare(word, meaning);
  EntryWindow* entry = OpenEntryWindow();
  // While the program starts, and while an entry window opens for the word
  // before, the word waits its turn.
  if (started_ && !opening_) {
    const std::string why = Refusal(entry);
    if (!why.empty()) return Refuse(handed.word, why);
    opening_ = entry == nullptr;
  }
  waiting_.push_back(std::move(handed));
  TakeNextLater();
  return {true, {}};
}

void HandedWords::StartUpDone() {
  started_ = true;
  std::optional<HandedWord>& own = program_.state().EntryPrefill;
  if (own) {
    waiting_.push_front(std::move(*own));
    own.reset();
  }
  TakeNext();
}

void HandedWords::TakeNextLater(int milliseconds) {
  QTimer::singleShot(milliseconds, qApp,
                     [this] { RunGuarded(program_.prompter(), [this] { TakeNext(); }); });
}

void HandedWords::TakeNext() {
  EntryWindow* entry = OpenEntryWindow();
  if (waiting_.empty() || (!started_ && entry == nullptr) || ClosingAllWindows()) return;
  // A question or the import window over the entry window: the word waits
  // until the learner is back in the entry window.
  if (entry != nullptr && OtherWindowInFront(entry)) {
    TakeNextLater(kRetryMilliseconds);
    return;
  }
  HandedWord next = std::move(waiting_.front());
  waiting_.pop_front();
  // The program may have moved on since the word was taken: asked again.
  const std::string why = Refusal(entry);
  if (!why.empty()) {
    opening_ = false;
    Refuse(next.word, why);
  } else if (entry != nullptr) {
    entry->Prefill(next.word, next.meaning);
    program_.shell().ActivateWindow(WindowId::Entry);
  } else {
    opening_ = false;
    // The words after this one go into the window that opens now.
    if (!waiting_.empty()) TakeNextLater();
    program_.state().EntryPrefill = std::move(next);
    program_.shell().BringMainWindowToFront();
    program_.shell().OpenWindow(WindowId::Entry);
    program_.state().EntryPrefill.reset();
    return;
  }
  if (!waiting_.empty()) TakeNextLater();
}

}  // namespace cindral
