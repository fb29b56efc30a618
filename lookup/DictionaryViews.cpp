// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/DictionaryViews.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "lookup/AddressLine.h"
#include "lookup/FailurePage.h"
#include "lookup/OfflineEntry.h"
#include "lookup/SilentWebPage.h"
#include "lookup/WebEngineStart.h"
#include "ui/Text.h"

namespace cindral {
namespace {

// The address as the view must get it: the GBK bytes of the word already
// percent-encoded, so that the view sends them as they are (a QUrl made from
// raw bytes above 0x7F would replace them with U+FFFD).
QUrl ViewUrl(const std::string& address) {
  return QUrl::fromEncoded(QByteArray::fromStdString(EncodeAddressForView(address)));
}

// A local page as an address of its own, so that its load is told from
// any other (another word's loading page, the local failure page).
QUrl PageUrl(const std::string& html) {
  return QUrl(QStringLiteral("data:text/html;charset=utf-8;base64,") +
              QString::fromLatin1(QByteArray::fromStdString(html).toBase64()));
}

// The page shown follows a change of the part after "#" by itself.
bool SameDocument(const QUrl& shown, const QUrl& next) {
  return !shown.isEmpty() &&
         shown.adjusted(QUrl::RemoveFragment) == next.adjusted(QUrl::RemoveFragment);
}

bool IsLocalPage(const QUrl& url) { return url.scheme() == QLatin1String("data"); }

// Whether the document a view shows has drawn its first picture on the
// screen (true, too, when that cannot be known). It runs in a world of the
// program's own beside the page's: the page's scripts never see it.
const char kPaintedScript[] =
    "(function () { try { return performance.getEntriesByType('paint').length > 0; }"
    " catch (e) { return true; } })()";

}  // namespace

DictionaryViews::DictionaryViews(QObject* parent) : QObject(parent) {}

DictionaryViews::~DictionaryViews() {
  Release();
  // The pages (children of their views) go before the profile they use.
  for (QWebEngineView*& view : views_) {
    delete view;
    view = nullptr;
  }
  delete profile_;
}

bool DictionaryViews::StartEngine() {
  if (engineTried_) return profile_ != nullptr;
  engineTried_ = true;
  if (!WebEngineCanStart()) return false;
  PrepareWebEngineStart();

  // Off the record: nothing of the services is written to disk.
  profile_ = new QWebEngineProfile();
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  // Downloads are refused (left unaccepted, a download request is cancelled).
  connect(profile_, &QWebEngineProfile::downloadRequested, this,
          [](QWebEngineDownloadRequest* download) { download->cancel(); });

  for (int i = 0; i < kDictionaryPages; ++i) {
    auto* view = new QWebEngineView();
    auto* page = new SilentWebPage(profile_, view);
    view->setPage(page);
    // A page that cannot load gets this program's local page, without the
    // engine's own error page showing first.
    page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    views_[i] = view;
    pages_[i] = page;
    // The word's loading page, laid over the view while the view may still
    // show another word's page.
    auto* cover = new QWidget(view);
    // White, yet not marked opaque, so that the view beneath goes on
    // drawing: a view kept from drawing loads its pages more slowly.
    cover->setAttribute(Qt::WA_StyledBackground);
    cover->setStyleSheet(QStringLiteral("background: white;"));
    auto* text = new QLabel(cover);
    text->setTextFormat(Qt::RichText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setWordWrap(true);
    // The page's left margin comes with its style, its top one from here.
    auto* layout = new QVBoxLayout(cover);
    layout->setContentsMargins(0, 48, 0, 0);
    layout->addWidget(text);
    cover->hide();
    covers_[i] = cover;
    view->installEventFilter(this);
    stall_[i] = new QTimer(this);
    stall_[i]->setSingleShot(true);
    stall_[i]->setInterval(kStallMs);
    connect(stall_[i], &QTimer::timeout, this, [this, i] {
      // The service has stopped answering: its page will not come.
      views_[i]->stop();
      ShowFailurePage(i);
    });
    connect(page, &QWebEnginePage::loadingChanged, this,
            [this, i](const QWebEngineLoadingInfo& info) { LoadingChanged(i, info); });
    // Also after a change of what follows "#", which loads nothing.
    connect(
        page, &QWebEnginePage::urlChanged, this, [this, i] { UrlChanged(i); },
        Qt::QueuedConnection);
    connect(page, &QWebEnginePage::loadProgress, this, [this, i](int progress) {
      if (!stall_[i]->isActive() || progress <= progress_[i]) return;
      progress_[i] = progress;
      stall_[i]->start();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this, i](QWebEnginePage::RenderProcessTerminationStatus status, int) {
              if (status == QWebEnginePage::NormalTerminationStatus) return;
              if (++crashes_[i] >= 2) {
                ShowTextLine(i, true);
              } else {
                ShowFailurePage(i);
              }
            });
  }
  return true;
}

void DictionaryViews::LoadingChanged(int i, const QWebEngineLoadingInfo& info) {
  const QUrl url = info.url();
  const auto status = info.status();
  if (IsLocalPage(url)) {
    // A local page of an earlier word, superseded, changes nothing.
    if (status != QWebEngineLoadingInfo::LoadSucceededStatus) return;
    if (url == failurePage_[i]) {
      showing_[i] = Shown::FailurePage;
      PageShown(i);
    }
    return;
  }
  // The end of the word before's page, come in after the move to the next
  // word, changes nothing: it is the next word's page that lifts the cover.
  if (status != QWebEngineLoadingInfo::LoadStartedStatus && url == earlier_[i] &&
      url != requested_[i]) {
    return;
  }
  switch (status) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
      // Also a retry from the local page's link.
      if (!SameDocument(shown_[i], url)) {
        progress_[i] = 0;
        stall_[i]->start();
      }
      break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      ServicePageShown(i, url);
      break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
      stall_[i]->stop();
      ShowFailurePage(i);
      break;
    default:
      // Loads superseded by the next word end as stopped, not failed.
      break;
  }
}

void DictionaryViews::UrlChanged(int page) {
  ForgetEarlierPages(page);
  // The word's address differs from the page the view still holds only in
  // the part after "#": that page follows the word by itself, and nothing
  // loads.
  if (Covered(page) && views_[page]->url() == requested_[page] &&
      !views_[page]->page()->isLoading()) {
    ServicePageShown(page, requested_[page]);
  }
}

void DictionaryViews::ServicePageShown(int page, const QUrl& url) {
  stall_[page]->stop();
  shown_[page] = url;
  showing_[page] = Shown::ServicePage;
  crashes_[page] = 0;
  failed_[page] = false;
  PageShown(page);
}

void DictionaryViews::PageShown(int page) {
  ForgetEarlierPages(page);
  // The view goes on showing what it showed before until the page has
  // drawn its first picture, a moment after it has loaded: the cover stays
  // until then.
  AskFirstPicture(page, ++pictures_[page], 0);
}

bool DictionaryViews::AwaitsFirstPicture(int page) const {
  return Covered(page) && showing_[page] != Shown::LoadingPage;
}

void DictionaryViews::AskFirstPicture(int page, int number, int asked) {
  pages_[page]->runJavaScript(
      QString::fromLatin1(kPaintedScript), QWebEngineScript::ApplicationWorld,
      [this, page, number, asked](const QVariant& painted) {
        // (No answer comes when the page goes; another number, when the
        // view has moved on since.)
        if (!painted.isValid() || number != pictures_[page]) return;
        if (painted.toBool() || asked * kPictureAskMs >= kPictureWaitMs) {
          covers_[page]->hide();
          return;
        }
        // A view in a tab not chosen draws nothing: it is asked again once
        // shown.
        if (!views_[page]->isVisible()) return;
        QTimer::singleShot(kPictureAskMs, this, [this, page, number, asked] {
          if (number == pictures_[page]) AskFirstPicture(page, number, asked + 1);
        });
      });
}

// Another word's page is never gone back to: the view keeps only the page
// it shows (a history of every word's pages, and of their loading pages,
// would grow with each word and hold on to what they were).
void DictionaryViews::ForgetEarlierPages(int page) { views_[page]->history()->clear(); }

void DictionaryViews::Attach(const Places& places) {
  StartEngine();
  for (int i = 0; i < kDictionaryPages; ++i) {
    places_[i] = places[i];
    if (places[i] == nullptr) continue;
    QLabel* line = AddAddressLine(places[i]);
    lines_[i] = line;
    if (views_[i] != nullptr) {
      places[i]->layout()->addWidget(views_[i]);
      views_[i]->show();
      ShowTextLine(i, crashes_[i] >= 2);
    } else {
      line->show();
    }
  }
}

void DictionaryViews::WarmUp() {
  if (!StartEngine()) return;
  for (int i = 0; i < kDictionaryPages; ++i) {
    if (views_[i] != nullptr && views_[i]->url().isEmpty()) views_[i]->setHtml(QString());
  }
}

void DictionaryViews::Release() {
  for (int i = 0; i < kDictionaryPages; ++i) {
    requested_[i] = shown_[i] = failurePage_[i] = earlier_[i] = QUrl();
    showing_[i] = Shown::Nothing;
    failed_[i] = false;
    if (stall_[i] != nullptr) stall_[i]->stop();
    if (views_[i] == nullptr || views_[i]->parentWidget() == nullptr) continue;
    covers_[i]->hide();
    views_[i]->hide();
    views_[i]->setParent(nullptr);
    views_[i]->stop();
    views_[i]->setHtml(QString());
  }
  places_ = {};
  lines_ = {};
}

bool DictionaryViews::Covered(int page) const {
  return covers_[page] != nullptr && !covers_[page]->isHidden();
}

bool DictionaryViews::RequestedPagesLoaded() const {
  if (profile_ == nullptr) return false;
  for (int i = 0; i < kDictionaryPages; ++i) {
    if (views_[i]->url() != requested_[i] || views_[i]->page()->isLoading()) return false;
  }
  return true;
}

bool DictionaryViews::PagesShown() const {
  if (!RequestedPagesLoaded()) return false;
  for (int i = 0; i < kDictionaryPages; ++i) {
    if (Covered(i) && views_[i]->isVisible()) return false;
  }
  return true;
}

void DictionaryViews::PrepareDictionaryViews() {
  // The engine has no cache-only (offline) mode: its views always go to
  // the network. What remains is keeping their dialogs to themselves.
  for (int i : {kBingPage, kYoudaoPage}) {
    if (pages_[i] != nullptr) pages_[i]->SetSilent(true);
  }
}

void DictionaryViews::LoadDictionaryPages(const DictionaryAddresses& addresses,
                                          const std::string& word, const std::string& meaning) {
  if (word != word_) offlineHtml_.reset();
  word_ = word;
  meaning_ = meaning;
  for (int i : {kDreyePage, kBingPage, kYoudaoPage}) {
    addresses_[i] = addresses[i];
    earlier_[i] = requested_[i];
    requested_[i] = ViewUrl(addresses[i]);
    failed_[i] = false;
    if (lines_[i] != nullptr) lines_[i]->setText(ToQString(addresses[i]));
    if (views_[i] == nullptr || crashes_[i] >= 2) continue;
    if (SameDocument(shown_[i], requested_[i])) {
      views_[i]->load(requested_[i]);
      continue;
    }
    // Until the word's page (or its local page) has loaded, the view may
    // still show the page of the word before, or of the card before: the
    // word's loading page covers it. The view itself is never hidden
    // meanwhile: a view hidden while its next page loads shows its old
    // picture again, for a while, once it is shown.
    stall_[i]->stop();
    shown_[i] = QUrl();
    Cover(i, word, meaning);
    // The word's own page goes out at once.
    views_[i]->load(requested_[i]);
  }
}

void DictionaryViews::Cover(int page, const std::string& word, const std::string& meaning) {
  if (views_[page]->parentWidget() == nullptr) return;
  QWidget* cover = covers_[page];
  cover->findChild<QLabel*>()->setText(QString::fromStdString(LoadingPageHtml(word, meaning)));
  cover->setGeometry(views_[page]->rect());
  cover->raise();
  cover->show();
  // What a page shown earlier draws no longer lifts it.
  ++pictures_[page];
  showing_[page] = Shown::LoadingPage;
}

bool DictionaryViews::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kDictionaryPages; ++i) {
    if (watched != views_[i]) continue;
    if (event->type() == QEvent::Resize) covers_[i]->setGeometry(views_[i]->rect());
    if (event->type() == QEvent::Show && AwaitsFirstPicture(i)) {
      AskFirstPicture(i, pictures_[i], 0);
    }
  }
  return QObject::eventFilter(watched, event);
}

void DictionaryViews::ShowFailurePage(int page) {
  if (views_[page] == nullptr || requested_[page].isEmpty()) return;
  stall_[page]->stop();
  shown_[page] = QUrl();
  failed_[page] = true;
  if (!offlineHtml_) {
    if (!offline_) offline_ = std::make_unique<OfflineEntry>();
    offlineHtml_ = offline_->Html(word_);
  }
  const std::string html = FailurePageHtml(
      word_, meaning_, addresses_[page], requested_[page].toEncoded().toStdString(), *offlineHtml_);
  failurePage_[page] = PageUrl(html);
  views_[page]->load(failurePage_[page]);
  emit FailurePageShown(page);
}

void DictionaryViews::ShowTextLine(int page, bool shown) {
  if (lines_[page] != nullptr) {
    lines_[page]->setText(ToQString(addresses_[page]));
    lines_[page]->setVisible(shown);
  }
  if (views_[page] != nullptr && views_[page]->parentWidget() != nullptr) {
    views_[page]->setVisible(!shown);
  }
}

}  // namespace cindral
