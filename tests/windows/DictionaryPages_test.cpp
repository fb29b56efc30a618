// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The learning card's dictionary pages with the real web engine, against a
// web server on 127.0.0.1 that the test starts and names as the three
// services: what reaches the server for each address (the word's GBK
// bytes), the local page shown when the service is down and its retry
// link, the views reused by a later card, and pages kept from showing
// dialogs.

#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include "DictionaryBook.h"
#include "LocalHttpServer.h"
#include "Screenshot.h"
#include "TestWorld.h"
#include "WindowTest.h"
#include "app/DesktopShell.h"
#include "lookup/DictionaryViews.h"
#include "lookup/SilentWebPage.h"
#include "plan/DayPlan.h"
#include "tests/windows/LearnerScript.h"
#include "windows/LearningWindow.h"

using namespace cindral;
using testing::DictionaryBook;
using testing::LearnerScript;
using testing::LocalHttpServer;

namespace {

QString PlainText(QWebEnginePage* page) {
  QString text;
  bool done = false;
  page->toPlainText([&](const QString& t) {
    text = t;
    done = true;
  });
  if (!QTest::qWaitFor([&] { return done; }, 5000)) return QStringLiteral("(no text)");
  return text;
}

}  // namespace

class DictionaryPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void theServerReceivesTheWordsGbkBytesAndADownServiceGetsTheLocalPage() {
    LocalHttpServer server;
    const quint16 port = server.Listen();
    QVERIFY(port != 0);
    const QString base = QString::fromLatin1(server.Base());
    auto world = DictionaryBook(
        server.Base(), {{"冰", "冰；冰块"}, {"ice cream", "冰淇淋"}, {"pear", "梨 <b>&</b>"}});
    DictionaryViews views;
    LearnerScript learner;
    QStringList requestsForIce, requestsForIceCream;
    std::array<QString, 3> fragments;

    // (A new word on the first service only changes what follows "#": the
    // page stays and sees the new word without a new request.)
    auto loadedAll = [&] { return views.RequestedPagesLoaded(); };
    learner.Add("the pages of 冰", loadedAll, [&] {
      requestsForIce = server.requests;
      server.requests.clear();
      for (int i = 0; i < 3; ++i) {
        QVERIFY(!views.ShowsFailurePage(i));
      }
      QVERIFY(
          SaveScreenshot(QApplication::activeModalWidget(), testing::ScreenshotPath("card-pages")));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    });
    learner.Add(
        "the pages of ice cream",
        [&] {
          return views.RequestedUrl(kBingPage).toString().contains(QStringLiteral("ice")) &&
                 loadedAll();
        },
        [&] {
          requestsForIceCream = server.requests;
          for (int i = 0; i < 3; ++i) {
            fragments[i] = views.View(i)->url().fragment(QUrl::FullyEncoded);
          }
          server.requests.clear();
          server.Stop();  // the services go down
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        });
    QSignalSpy failures(&views, &DictionaryViews::FailurePageShown);
    // The first service's page stays (only its part after "#" changes);
    // the other two fail to load.
    learner.Add(
        "the local page on the second and third tab",
        [&] {
          if (failures.count() < 2) return false;
          for (int i : {kYoudaoPage, kDreyePage}) {
            if (views.Showing(i) != DictionaryViews::Shown::FailurePage) return false;
          }
          return true;
        },
        [&] {
          QVERIFY(!views.ShowsFailurePage(kBingPage));
          QCOMPARE(views.View(kBingPage)->url().fragment(), QStringLiteral("pear"));
          for (int i : {kYoudaoPage, kDreyePage}) {
            QVERIFY(views.ShowsFailurePage(i));
            const QString text = PlainText(views.View(i)->page());
            QVERIFY2(text.contains(QStringLiteral("pear")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("梨 <b>&</b>")), qPrintable(text));
            QVERIFY2(text.contains(base + "/"), qPrintable(text));
            // The offline dictionary's entry: the IPA and a noun's sense.
            QVERIFY2(text.contains(QStringLiteral("/ˈpɛɹ/")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("n. 名词")) && text.contains("fruit"),
                     qPrintable(text));
          }
          QWidget* card = QApplication::activeModalWidget();
          card->findChild<QTabWidget*>(QStringLiteral("高级选择夹"))->setCurrentIndex(kYoudaoPage);
          QTest::qWait(300);  // the page draws its first picture
          QVERIFY(SaveScreenshot(card, testing::ScreenshotPath("card-service-down")));
          // The service comes back; the learner follows the link.
          QVERIFY(server.Listen(port) == port);
          views.View(kDreyePage)
              ->page()
              ->runJavaScript(QStringLiteral("document.getElementById('retry').click()"));
        });
    learner.Add(
        "the page loaded again from the link",
        [&] { return !views.ShowsFailurePage(kDreyePage) && !server.requests.isEmpty(); },
        [&] { QApplication::activeModalWidget()->close(); });

    learner.Start(30000);
    RunLearningWindow(world->P(), views, nullptr);
    QVERIFY2(learner.finished(), learner.failure().c_str());

    // The first address carries the word after "#", which stays with the
    // page: the server sees only "/" (and for the next word nothing: only
    // the part after "#" changes). The second sends it in the query and
    // keeps the rest after "#"; the third sends it in the path.
    const QStringList ice{"GET / HTTP/1.1",
                          "GET /search?q=%B1%F9&ue=utf8&keyfrom=dict.index HTTP/1.1",
                          "GET /ews/%B1%F9--01--.html HTTP/1.1"};
    QCOMPARE(Sorted(requestsForIce), Sorted(ice));
    const QStringList iceCream{"GET /search?q=ice%20cream&ue=utf8&keyfrom=dict.index HTTP/1.1",
                               "GET /ews/ice%20cream--01--.html HTTP/1.1"};
    QCOMPARE(Sorted(requestsForIceCream), Sorted(iceCream));
    QCOMPARE(fragments[kBingPage], QStringLiteral("ice%20cream"));
    QCOMPARE(fragments[kYoudaoPage],
             QStringLiteral("le%3Deng%26q%3Dice%20cream%26tab%3D%26keyfrom%3Ddict.top"));
    QCOMPARE(fragments[kDreyePage], QString());
    QCOMPARE(server.requests, QStringList{"GET /ews/pear--01--.html HTTP/1.1"});
  }

  // With every service down, the local page's offline entry: a word of
  // grammar with its class and none of the other words of its spelling
  // ("I" is no iodine), a plain word with its senses and its IPA stressed
  // as dictionaries write it.
  void theLocalPageShowsTheOfflineEntryOfIAndWater() {
    LocalHttpServer server;
    const quint16 port = server.Listen();
    QVERIFY(port != 0);
    server.Stop();
    auto world = DictionaryBook(server.Base(), {{"I", "我"}, {"water", "水"}});
    DictionaryViews views;
    LearnerScript learner;
    // The second tab's local page, for the first word and for the second.
    int youdaoFailures = 0;
    QObject::connect(&views, &DictionaryViews::FailurePageShown,
                     [&](int page) { youdaoFailures += page == kYoudaoPage ? 1 : 0; });
    auto failedFor = [&](int word) { return [&, word] { return youdaoFailures >= word; }; };
    auto shoot = [&](const char* name, const QStringList& shown, const QStringList& notShown) {
      QWidget* card = QApplication::activeModalWidget();
      card->findChild<QTabWidget*>(QStringLiteral("高级选择夹"))->setCurrentIndex(kYoudaoPage);
      // (The tab may still be drawing the loading page.)
      QString text;
      auto showsAll = [&] {
        text = PlainText(views.View(kYoudaoPage)->page());
        for (const QString& s : shown) {
          if (!text.contains(s)) return false;
        }
        return true;
      };
      QVERIFY2(QTest::qWaitFor(showsAll, 10000), qPrintable(shown.join(" ") + " in " + text));
      for (const QString& s : notShown) QVERIFY2(!text.contains(s), qPrintable(s + " in " + text));
      QTest::qWait(300);  // the page draws its first picture
      QVERIFY(SaveScreenshot(card, testing::ScreenshotPath(name)));
    };
    learner.Add("the local page of I", failedFor(1), [&] {
      shoot("card-offline-I", {"/ˈaɪ/", "pron. 代词"}, {"iodine", "letter", "英文释义"});
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    });
    learner.Add("the local page of water", failedFor(2), [&] {
      shoot("card-offline-water", {"/ˈwɔːɾɚ/", "n. 名词", "H2O"}, {"wˈ"});
      QApplication::activeModalWidget()->close();
    });
    learner.Start(30000);
    RunLearningWindow(world->P(), views, nullptr);
    QVERIFY2(learner.finished(), learner.failure().c_str());
  }

  // No word's pages wait for a local page to load before them: on a card's
  // first word the views come emptied from the card before (or new), on a
  // later word the loading page lies over the views, and every word's own
  // pages are asked for at once.
  void everyWordsPagesAreAskedForAtOnce() {
    LocalHttpServer server;
    QVERIFY(server.Listen() != 0);
    auto world = DictionaryBook(server.Base(), {{"apple", "苹果"}, {"pear", "梨"}});
    DictionaryViews views;
    // The engine as the pointer on the learning page starts it, its views
    // emptied.
    views.WarmUp();
    QVERIFY(views.EngineRunning());
    QVERIFY(QTest::qWaitFor([&] { return !views.Page(kDreyePage)->isLoading(); }, 20000));
    QStringList localPagesFirst;
    bool cardOpen = false;
    for (int i = 0; i < 3; ++i) {
      QObject::connect(views.Page(i), &QWebEnginePage::loadingChanged,
                       [&, i](const QWebEngineLoadingInfo& info) {
                         if (cardOpen &&
                             info.status() == QWebEngineLoadingInfo::LoadStartedStatus &&
                             info.url().scheme() == QLatin1String("data")) {
                           localPagesFirst << QStringLiteral("view %1").arg(i);
                         }
                       });
    }
    for (int card = 0; card < 2; ++card) {
      LearnerScript learner;
      for (const char* word : {"apple", "pear"}) {
        learner.Add(
            std::string("the pages of ") + word,
            [&views, word] {
              // (A tab not chosen lifts its cover once chosen.)
              if (!views.RequestedUrl(kDreyePage).toString().contains(QLatin1String(word)) ||
                  !views.PagesShown()) {
                return false;
              }
              for (int i = 0; i < 3; ++i) {
                if (views.Showing(i) != DictionaryViews::Shown::ServicePage) return false;
              }
              return true;
            },
            [&, word] {
              if (word == std::string("apple")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
              } else {
                cardOpen = false;
                QApplication::activeModalWidget()->close();
              }
            });
      }
      learner.Start(30000);
      cardOpen = true;
      RunLearningWindow(world->P(), views, nullptr);
      QVERIFY2(learner.finished(), learner.failure().c_str());
      QVERIFY2(localPagesFirst.isEmpty(),
               qPrintable(QStringLiteral("card %1: a local page first in ").arg(card) +
                          localPagesFirst.join(", ")));
    }
  }

  // A view keeps no page of a word before to go back to: over the words
  // of a card and from card to card its history stays at the page it shows.
  void earlierWordsPagesAreForgotten() {
    LocalHttpServer server;
    QVERIFY(server.Listen() != 0);
    const std::vector<std::pair<const char*, const char*>> words{
        {"apple", "苹果"}, {"pear", "梨"}, {"plum", "李子"}, {"fig", "无花果"}};
    auto world = DictionaryBook(server.Base(), words);
    DictionaryViews views;
    std::array<int, 3> longestHistory{};
    for (int card = 0; card < 2; ++card) {
      LearnerScript learner;
      for (size_t word = 0; word < words.size(); ++word) {
        const QString name = QString::fromUtf8(words[word].first);
        learner.Add(
            "the pages of " + name.toStdString(),
            [&views, name] {
              return views.RequestedUrl(kDreyePage).toString().contains(name) &&
                     views.RequestedPagesLoaded();
            },
            [&, word] {
              for (int i = 0; i < 3; ++i) {
                QWebEngineHistory* history = views.View(i)->history();
                // (Forgotten once the page's end has come in.)
                (void)QTest::qWaitFor([&] { return history->count() <= 1; }, 2000);
                longestHistory[i] = std::max(longestHistory[i], history->count());
              }
              if (word + 1 < words.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
              } else {
                QApplication::activeModalWidget()->close();
              }
            });
      }
      learner.Start(30000);
      RunLearningWindow(world->P(), views, nullptr);
      QVERIFY2(learner.finished(), learner.failure().c_str());
    }
    for (int i = 0; i < 3; ++i) {
      QVERIFY2(longestHistory[i] == 1,
               qPrintable(QStringLiteral("view %1 kept %2 pages").arg(i).arg(longestHistory[i])));
    }
  }

  // Services that stop answering while a card is open: the next word's
  // tabs show its loading page, and within a few seconds the local page
  // for it, never the page of the word before.
  void aTabNeverShowsThePreviousWordsPageWhenTheServicesStopAnswering() {
    LocalHttpServer server;
    QVERIFY(server.Listen() != 0);
    auto world = DictionaryBook(server.Base(), {{"apple", "苹果"}, {"pear", "梨"}});
    DictionaryViews views;
    LearnerScript learner;
    QElapsedTimer sincePress;
    // What the second and third tab show, sampled every 50 ms.
    std::array<QStringList, 3> shown;
    QTimer sampler;
    sampler.setInterval(50);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
      for (int i : {kYoudaoPage, kDreyePage}) {
        // A view under the word's loading page is not seen.
        if (views.Covered(i)) continue;
        views.View(i)->page()->toPlainText([&shown, i](const QString& text) { shown[i] << text; });
      }
    });
    learner.Add(
        "the pages of apple", [&] { return views.RequestedPagesLoaded(); },
        [&] {
          server.answering = false;
          sincePress.start();
          sampler.start();
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        });
    learner.Add(
        "the loading page for pear on the second tab",
        [&] {
          return views.Covered(kYoudaoPage) &&
                 views.Showing(kYoudaoPage) == DictionaryViews::Shown::LoadingPage;
        },
        [&] {
          QWidget* card = QApplication::activeModalWidget();
          card->findChild<QTabWidget*>(QStringLiteral("高级选择夹"))->setCurrentIndex(kYoudaoPage);
          QTest::qWait(300);  // the page draws its first picture
          QVERIFY(SaveScreenshot(card, testing::ScreenshotPath("card-page-loading")));
        });
    qint64 offlineAfterMs = -1;
    learner.Add(
        "the local page for pear on the second and third tab",
        [&] {
          for (int i : {kYoudaoPage, kDreyePage}) {
            if (views.Showing(i) != DictionaryViews::Shown::FailurePage) return false;
          }
          return !views.Covered(kYoudaoPage);  // the tab chosen
        },
        [&] {
          offlineAfterMs = sincePress.elapsed();
          // The third tab, not chosen yet, shows its page once chosen.
          QApplication::activeModalWidget()
              ->findChild<QTabWidget*>(QStringLiteral("高级选择夹"))
              ->setCurrentIndex(kDreyePage);
          QVERIFY(QTest::qWaitFor([&] { return !views.Covered(kDreyePage); }, 5000));
          QTest::qWait(200);  // the last samples come back
          sampler.stop();
          for (int i : {kYoudaoPage, kDreyePage}) {
            const QString text = PlainText(views.View(i)->page());
            QVERIFY2(text.contains(QStringLiteral("pear")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("梨")), qPrintable(text));
          }
          QApplication::activeModalWidget()->close();
        });
    learner.Start(15000);
    RunLearningWindow(world->P(), views, nullptr);
    QVERIFY2(learner.finished(), learner.failure().c_str());
    qInfo("the local page showed %lld ms after the press", offlineAfterMs);
    QVERIFY(offlineAfterMs < 8000);
    for (int i : {kYoudaoPage, kDreyePage}) {
      QVERIFY(!shown[i].filter(QStringLiteral("pear")).isEmpty());
      for (const QString& text : shown[i]) {
        QVERIFY2(!text.contains(QStringLiteral("apple")), qPrintable(text));
      }
    }
  }

  void aLaterCardReusesTheViewsAndOpensFast() {
    LocalHttpServer server;
    QVERIFY(server.Listen() != 0);
    auto world = DictionaryBook(server.Base(), {{"apple", "苹果"}, {"pear", "梨"}});
    DictionaryViews views;
    std::array<QWebEngineView*, 3> first{};
    qint64 laterCardMs = -1;
    for (int round = 0; round < 2; ++round) {
      LearnerScript learner;
      QElapsedTimer opening;
      learner.Add(
          "the card with its pages", [&] { return views.RequestedPagesLoaded(); },
          [&, round] {
            if (round == 0) {
              for (int i = 0; i < 3; ++i) first[i] = views.View(i);
            } else {
              laterCardMs = opening.elapsed();
              for (int i = 0; i < 3; ++i) QCOMPARE(views.View(i), first[i]);
            }
            QApplication::activeModalWidget()->close();
          });
      learner.Start(30000);
      opening.start();
      RunLearningWindow(world->P(), views, nullptr);
      QVERIFY2(learner.finished(), learner.failure().c_str());
      // Closed, the card has given the views back.
      for (int i = 0; i < 3; ++i) QVERIFY(views.View(i)->parentWidget() == nullptr);
    }
    qInfo("a later card showed its three pages after %lld ms", laterCardMs);
  }

  void aCardWithNothingToShowStartsNoEngine() {
    auto world = DictionaryBook("http://127.0.0.1:9", {});
    DictionaryViews views;
    RunLearningWindow(world->P(), views, nullptr);  // the message, then the card closes
    QCOMPARE(world->prompter.LastText(), std::string("没有可以学习的单词，快去添加吧！"));
    QVERIFY(!views.EngineRunning());
    QVERIFY(views.View(kBingPage) == nullptr);
  }

  void pagesShowNoDialogsOfTheirOwn() {
    LocalHttpServer server;
    QVERIFY(server.Listen() != 0);
    server.page = [](const QByteArray&) -> QByteArray {
      return "<!DOCTYPE html><html><body><p>noisy</p><script>"
             "alert('a'); confirm('c'); prompt('p', 'x'); window.open('/other');"
             "</script></body></html>";
    };
    auto world = DictionaryBook(server.Base(), {{"noisy", "吵"}});
    DictionaryViews views;
    bool boxSeen = false;
    LearnerScript learner;
    learner.Add(
        "the pages' scripts run",
        [&] {
          boxSeen = boxSeen || testing::VisibleMessageBox() != nullptr;
          if (!views.RequestedPagesLoaded()) return false;
          for (int i = 0; i < 3; ++i) {
            if (views.Page(i)->Suppressed() < 4) return false;
          }
          return true;
        },
        [&] { QApplication::activeModalWidget()->close(); });
    learner.Start(30000);
    RunLearningWindow(world->P(), views, nullptr);
    QVERIFY2(learner.finished(), learner.failure().c_str());
    QVERIFY(!boxSeen);
    // window.open asked for a new window; none was made.
    QCOMPARE(server.requests.filter(QStringLiteral("/other")).size(), 0);
  }

 private:
  static QStringList Sorted(QStringList list) {
    list.sort();
    return list;
  }
};

CINDRAL_WINDOW_TEST_MAIN(DictionaryPagesTest, QApplication)
#include "DictionaryPages_test.moc"
