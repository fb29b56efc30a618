// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary pages module as the program loads it: this test program,
// like the program, links no web engine. Loaded when a card needs its
// pages, the module starts the engine and its pages draw; when it cannot be
// loaded, the card's places show the addresses as text.

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "lookup/DictionaryPages.h"

using namespace cindral;

namespace {

// A window with the card's three places side by side.
struct Card {
  Card() {
    auto* row = new QHBoxLayout(&window);
    for (QWidget*& place : places) {
      place = new QWidget(&window);
      row->addWidget(place);
    }
    window.resize(600, 300);
    window.show();
  }
  QWidget window;
  DictionaryPages::Places places{};
};

// A page that paints itself red, given as the views are given addresses.
std::string RedPage(int page) {
  return "data:text/html,<body style='background:%23ff0000'>" + std::to_string(page) + "</body>";
}

int RedPixels(const QImage& picture, const QRect& area) {
  int red = 0;
  for (int y = area.top(); y <= area.bottom(); y += 4) {
    for (int x = area.left(); x <= area.right(); x += 4) {
      const QColor c = picture.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++red;
    }
  }
  return red;
}

}  // namespace

class PagesModuleTest : public QObject {
  Q_OBJECT

 private slots:
  void theModulesPagesStartTheEngineAndDraw() {
    Card card;
    std::unique_ptr<DictionaryPages> pages = OpenDictionaryPages({CINDRAL_PAGES_MODULE});
    pages->Attach(card.places);
    for (QWidget* place : card.places) {
      QVERIFY(!place->findChildren<QWidget*>().isEmpty());
      bool view = false;
      for (QWidget* child : place->findChildren<QWidget*>())
        view |= child->inherits("QWebEngineView");
      QVERIFY2(view, "each place holds a web view");
    }
    pages->LoadDictionaryPages({RedPage(0), RedPage(1), RedPage(2)}, "red", "红");

    // Every place turns red once its page is drawn.
    QElapsedTimer clock;
    clock.start();
    bool drawn = false;
    while (!drawn && clock.elapsed() < 30000) {
      QTest::qWait(200);
      const QImage picture = card.window.grab().toImage();
      drawn = true;
      for (QWidget* place : card.places) {
        const QRect area(place->mapTo(&card.window, QPoint(0, 0)), place->size());
        drawn &= RedPixels(picture, area) > 100;
      }
    }
    QVERIFY2(drawn, "the three pages are drawn");
    pages->Release();
  }

  void withoutTheModuleThePlacesShowTheAddresses() {
    Card card;
    std::unique_ptr<DictionaryPages> pages = OpenDictionaryPages({"/nonexistent/cindral-pages.so"});
    pages->Attach(card.places);
    pages->LoadDictionaryPages(
        {"http://a.example/<b>x</b>", "http://b.example/", "http://c.example/"}, "x", "义");
    const QStringList expected{"http://a.example/<b>x</b>", "http://b.example/",
                               "http://c.example/"};
    for (int i = 0; i < kDictionaryPages; ++i) {
      auto* line = card.places[i]->findChild<QLabel*>();
      QVERIFY(line != nullptr);
      QCOMPARE(line->text(), expected[i]);
      QCOMPARE(line->textFormat(), Qt::PlainText);
    }
    // Given back, the places are empty for the next card.
    pages->Release();
    for (QWidget* place : card.places) QVERIFY(place->findChild<QLabel*>() == nullptr);
  }
};

QTEST_MAIN(PagesModuleTest)
#include "PagesModule_test.moc"
