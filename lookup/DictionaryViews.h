// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three dictionary page views of the learning card, kept for the whole
// run: the web engine starts when the first card opens, and every later
// card borrows the same profile and views, so it opens fast. A card puts
// the views into its three places when it opens and gives them back when it
// closes.
//
// A page that cannot be loaded shows a small local page instead of the
// engine's error page (the word, its meaning, its offline dictionary entry,
// the address and a link to try again). A tab never shows another word's
// page: moving on to a word asks for its pages at once and lays a loading
// page for the word over each view until the word's page (or its local
// page) has loaded and drawn its first picture, unless only the part after
// "#" changes, which the page shown follows by itself; a service that
// stops answering gets the local page after a few seconds without progress.
// When the engine cannot start at all, each place shows the address as a
// line of plain text, and the card goes on working.

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "lookup/DictionaryAddresses.h"
#include "lookup/DictionaryPages.h"

class QLabel;
class QTimer;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

namespace cindral {

class OfflineEntry;
class SilentWebPage;

class DictionaryViews : public QObject, public DictionaryPages {
  Q_OBJECT

 public:
  explicit DictionaryViews(QObject* parent = nullptr);
  ~DictionaryViews() override;

  // Puts a view into each place (in tab order), starting the engine the
  // first time. The places keep them until Release().
  void Attach(const Places& places) override;
  // Takes the views back (emptied, so the next card never shows this card's
  // word); they stay ready for the next card.
  void Release() override;
  // Starts the engine and has each view's helper process come up (an
  // empty page), so that the first card only loads its pages.
  void WarmUp() override;

  // The first and the second view fetch their pages from the network and
  // show no dialog of their own; the third keeps its settings.
  void PrepareDictionaryViews() override;
  // Loads the three addresses (GBK, as built), in this order: the third
  // view, the first, the second. Returns at once; the pages load by
  // themselves. `word` and `meaning` (GBK) fill the page shown when a
  // service cannot be reached.
  void LoadDictionaryPages(const DictionaryAddresses& addresses, const std::string& word,
                           const std::string& meaning) override;

  // Whether the engine runs (false before the first card, and when it could
  // not start).
  bool EngineRunning() const { return profile_ != nullptr; }
  QWebEngineView* View(int page) const { return views_[page]; }
  SilentWebPage* Page(int page) const { return pages_[page]; }
  // The address as handed to the view for the last load.
  const QUrl& RequestedUrl(int page) const { return requested_[page]; }
  bool ShowsFailurePage(int page) const { return failed_[page]; }
  // What the view shows, as far as its loads have finished: nothing yet,
  // the word's loading page (laid over the view until the word's page has
  // loaded), the service's page, or the local page of a service that
  // cannot be reached.
  enum class Shown { Nothing, LoadingPage, ServicePage, FailurePage };
  Shown Showing(int page) const { return showing_[page]; }
  // Whether the word's loading page lies over the view, which may still
  // show another word's page underneath.
  bool Covered(int page) const;
  // Whether every view shows the address it was last asked for and has
  // finished loading it.
  bool RequestedPagesLoaded() const;
  // Whether, besides, no loading page lies over a view that is shown.
  bool PagesShown() const;

 signals:
  // A page could not be loaded and shows the local page instead.
  void FailurePageShown(int page);

 private:
  // A load with no progress for this long gives up for the local page.
  static constexpr int kStallMs = 5000;
  // How often a page that has loaded is asked whether it has drawn, and
  // for how long at most.
  static constexpr int kPictureAskMs = 10;
  static constexpr int kPictureWaitMs = 1000;

  bool StartEngine();
  void LoadingChanged(int page, const QWebEngineLoadingInfo& info);
  void ShowFailurePage(int page);
  // The word's page, or its local page, has loaded.
  void PageShown(int page);
  // Whether the page has loaded and its cover waits for its first picture.
  bool AwaitsFirstPicture(int page) const;
  // Asks the page shown whether it has drawn its first picture, as the
  // `asked`th time for the page of `number`, and lifts the cover once it
  // has (or has had kPictureWaitMs for it while shown).
  void AskFirstPicture(int page, int number, int asked);
  void ServicePageShown(int page, const QUrl& url);
  void UrlChanged(int page);
  void ForgetEarlierPages(int page);
  // Puts the word's loading page over an attached view.
  void Cover(int page, const std::string& word, const std::string& meaning);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void ShowTextLine(int page, bool shown);

  bool engineTried_ = false;
  QWebEngineProfile* profile_ = nullptr;
  std::array<QWebEngineView*, kDictionaryPages> views_{};
  std::array<SilentWebPage*, kDictionaryPages> pages_{};
  std::array<QWidget*, kDictionaryPages> covers_{};
  std::array<QPointer<QWidget>, kDictionaryPages> places_;
  std::array<QPointer<QLabel>, kDictionaryPages> lines_;
  std::array<QUrl, kDictionaryPages> requested_;
  // The address that loaded last, while its page is shown.
  std::array<QUrl, kDictionaryPages> shown_;
  std::array<QUrl, kDictionaryPages> failurePage_;
  std::array<Shown, kDictionaryPages> showing_{};
  // The address asked for before the last: the end of its load is not
  // the word's.
  std::array<QUrl, kDictionaryPages> earlier_;
  // Counts the pages each view has shown and the covers laid over it: the
  // first picture of the page of this number lifts the cover.
  std::array<int, kDictionaryPages> pictures_{};
  // Runs out when a page's load has made no progress for kStallMs.
  std::array<QTimer*, kDictionaryPages> stall_{};
  std::array<int, kDictionaryPages> progress_{};
  std::array<std::string, kDictionaryPages> addresses_;
  std::array<bool, kDictionaryPages> failed_{};
  // Renderer deaths since the page last loaded: a page whose renderer dies
  // twice in a row gets the text line.
  std::array<int, kDictionaryPages> crashes_{};
  std::string word_;
  std::string meaning_;
  // The offline dictionary, opened for the first local page, and the
  // entry of the word shown (made once for the three pages).
  std::unique_ptr<OfflineEntry> offline_;
  std::optional<std::string> offlineHtml_;
};

}  // namespace cindral
