// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The learning card's dictionary pages on a real X desktop (an Xvfb of the
// test's own, under openbox), read from the screen: card after card in one
// process, each opening on a word its three services answer for, whose
// services then go down before the learner moves on. The services paint
// each word's page in a colour of its own, so the screen tells whose page
// a tab shows. CINDRAL_PAGE_MOVES sets how many such moves (20).

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <array>
#include <utility>
#include <vector>

#include "tests/desktop/DesktopTest.h"
#include "lookup/DictionaryViews.h"
#include "tests/windows/DictionaryBook.h"
#include "tests/windows/LearnerScript.h"
#include "tests/windows/LocalHttpServer.h"
#include "WindowTest.h"
#include "ui/WindowBuilder.h"
#include "windows/LearningWindow.h"

using namespace cindral;
using testing::LearnerScript;
using testing::LocalHttpServer;

namespace {

// The local page of a service that does not answer comes within this time
// of the move, with no progress from the service.
constexpr qint64 kOfflinePageMs = 5000;
// The screen may still show what was drawn before the move for a frame or
// two after it.
constexpr qint64 kRedrawMs = 100;

const char* const kWords[] = {
    "ice cream", "pear",   "apple", "banana", "cherry", "grape",  "lemon",   "mango",
    "melon",     "orange", "peach", "plum",   "kiwi",   "lime",   "papaya",  "guava",
    "apricot",   "fig",    "date",  "olive",  "quince", "raisin", "coconut", "walnut",
};
constexpr int kWordCount = static_cast<int>(std::size(kWords));

// Word i's colour: hues far apart for neighbouring words, never white.
QColor WordColour(int i) { return QColor::fromHsv((i * 137) % 360, 255, 200); }

// The word a request of the second or the third service asks for, or -1.
int WordOfTarget(const QByteArray& target) {
  QByteArray word;
  if (target.startsWith("/search?q=")) {
    word = target.mid(10, target.indexOf('&') - 10);
  } else if (target.startsWith("/ews/")) {
    word = target.mid(5, target.indexOf("--01--") - 5);
  }
  const QByteArray decoded = QByteArray::fromPercentEncoding(word);
  for (int i = 0; i < kWordCount; ++i) {
    if (decoded == kWords[i]) return i;
  }
  return -1;
}

bool Near(QRgb pixel, const QColor& colour) {
  return qAbs(qRed(pixel) - colour.red()) <= 6 && qAbs(qGreen(pixel) - colour.green()) <= 6 &&
         qAbs(qBlue(pixel) - colour.blue()) <= 6;
}

// What the screen shows of a widget, read from a patch in its lower middle
// (where the local pages show only their white background): the share of
// its pixels near `colour`, and the share that is white. Small, so that
// reading the screen often leaves the program its time.
struct Seen {
  double coloured = 0;
  double white = 0;
};

Seen OnScreen(const QWidget* widget, const QColor& colour) {
  constexpr int kPatch = 32;
  const QPoint at = widget->mapToGlobal(QPoint(widget->width() / 2, widget->height() * 3 / 4));
  const QImage image = QGuiApplication::primaryScreen()
                           ->grabWindow(0, at.x(), at.y(), kPatch, kPatch)
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
  int coloured = 0, white = 0, all = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      ++all;
      if (Near(pixel, colour)) ++coloured;
      if ((pixel & 0xFFFFFF) == 0xFFFFFF) ++white;
    }
  }
  if (all == 0) return {};
  return {double(coloured) / all, double(white) / all};
}

int Moves() {
  const int moves = qEnvironmentVariableIntValue("CINDRAL_PAGE_MOVES");
  return moves > 0 ? std::min(moves, kWordCount - 1) : 20;
}

}  // namespace

class DictionaryPagesDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // Card c opens on word c, which its services answer for; they go down,
  // the learner moves on to word c + 1 and chooses the second or the third
  // tab (before the move, at once after it, or a little later). From the
  // move on, the tab never shows word c's page, and within five seconds it
  // shows word c + 1's local page. The services come back before the next
  // card, whose first word's pages all reach them.
  void noTabShowsAnotherWordsPageWhenTheServicesGoBetweenTwoWords() {
    LocalHttpServer server;
    const quint16 port = server.Listen();
    QVERIFY(port != 0);
    server.page = [](const QByteArray& target) -> QByteArray {
      const int word = WordOfTarget(target);
      const QString colour = word < 0 ? QStringLiteral("#ffffff") : WordColour(word).name();
      return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
             "<body style=\"margin:0;background:" +
             colour.toLatin1() + "\"><p>served " + target.toPercentEncoding("/?&=-") +
             "</p></body></html>";
    };
    std::vector<std::pair<const char*, const char*>> words;
    for (const char* word : kWords) words.emplace_back(word, "释义");
    auto world = testing::DictionaryBook(server.Base(), words);

    DictionaryViews views;
    const int moves = Moves();
    for (int card = 0; card < moves; ++card) {
      const int tab = card % 2 == 0 ? kYoudaoPage : kDreyePage;
      // When the tab is chosen: 0 before the move, else this long after it.
      const int chooseAfterMs = std::array<int, 4>{0, 1, 60, 250}[card % 4];
      const QString context =
          QStringLiteral("card %1 (%2 to %3), tab %4, chosen after %5 ms")
              .arg(card)
              .arg(QString::fromLatin1(kWords[card]), QString::fromLatin1(kWords[card + 1]))
              .arg(tab)
              .arg(chooseAfterMs);
      server.requests.clear();
      // From the second card on: "go on from the word where you stopped?" Yes.
      if (card > 0) world->prompter.answers.push_back(true);
      QElapsedTimer sinceMove;
      QTimer sampler;
      QString stale;  // what the screen showed of word `card` after the move
      qint64 offlineAfterMs = -1;
      auto place = [tab] {
        const char* names[] = {"超文本浏览框必应", "超文本浏览框有道", "超文本浏览框译典通"};
        return Control<QWidget>(QApplication::activeModalWidget(), names[tab]);
      };
      auto tabs = [] {
        return Control<QTabWidget>(QApplication::activeModalWidget(), "高级选择夹");
      };
      sampler.setInterval(20);
      QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (tabs() == nullptr || tabs()->currentIndex() != tab || !stale.isEmpty() ||
            sinceMove.elapsed() < kRedrawMs) {
          return;
        }
        const Seen seen = OnScreen(place(), WordColour(card));
        if (seen.coloured > 0.05) {
          stale = QStringLiteral("%1% of the tab in the colour of %2, %3 ms after the move")
                      .arg(int(seen.coloured * 100))
                      .arg(QString::fromLatin1(kWords[card]))
                      .arg(sinceMove.elapsed());
        }
      });

      LearnerScript learner;
      learner.Add(
          "the three services' pages of the card's first word",
          [&] {
            // Every page's request reached the service, the first's too.
            const QString word = QString::fromLatin1(QUrl::toPercentEncoding(kWords[card]));
            if (!server.requests.contains(QStringLiteral("GET / HTTP/1.1")) ||
                server.requests.filter(QStringLiteral("?q=") + word + '&').isEmpty() ||
                server.requests.filter(QStringLiteral("/ews/") + word + "--").isEmpty()) {
              return false;
            }
            if (!views.RequestedPagesLoaded()) return false;
            for (int i : {kYoudaoPage, kDreyePage}) {
              if (views.Showing(i) != DictionaryViews::Shown::ServicePage) return false;
            }
            return true;
          },
          [&] {
            if (chooseAfterMs == 0) tabs()->setCurrentIndex(tab);
          });
      learner.Add(
          "the word's page on the screen, or the tab not chosen yet",
          [&] { return chooseAfterMs != 0 || OnScreen(place(), WordColour(card)).coloured > 0.9; },
          [&] {
            server.Stop();  // the network goes
            sinceMove.start();
            sampler.start();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            if (chooseAfterMs != 0) {
              QTimer::singleShot(chooseAfterMs, qApp, [&] { tabs()->setCurrentIndex(tab); });
            }
          });
      learner.Add(
          "the next word's local page on the screen",
          [&] {
            if (tabs()->currentIndex() != tab || views.Showing(tab) != Shown::FailurePage ||
                views.Covered(tab)) {
              return false;
            }
            const Seen seen = OnScreen(place(), WordColour(card));
            return seen.coloured == 0 && seen.white > 0.5;
          },
          [&] {
            offlineAfterMs = sinceMove.elapsed();
            sampler.stop();
            QVERIFY(server.Listen(port) == port);  // the network is back
            QApplication::activeModalWidget()->close();
          });
      learner.Start(15000);
      RunLearningWindow(world->P(), views, nullptr);
      QVERIFY2(learner.finished(),
               qPrintable(context + ": " + QString::fromStdString(learner.failure())));
      QVERIFY2(stale.isEmpty(), qPrintable(context + ": " + stale));
      QVERIFY2(
          offlineAfterMs < kOfflinePageMs,
          qPrintable(context + QStringLiteral(": the local page after %1 ms").arg(offlineAfterMs)));
    }
  }

 private:
  using Shown = DictionaryViews::Shown;
};

int main(int argc, char** argv) {
  return test::RunOnOwnDesktop<DictionaryPagesDesktopTest>(test::XSession::Manager::kOpenbox, argc,
                                                           argv);
}

#include "DictionaryPagesDesktop_test.moc"
