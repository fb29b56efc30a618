// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned frame driven without a screen: its operations before and
// after Attach, the caption entries and their swap, hit tests at the edges
// of the frame's rectangles (both edges belong to a rectangle), moving and
// sizing bands, cursors, the double-click rule, releases, pages, the
// chooser and the message box, and what a paint puts where.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "FakeFrameWindow.h"
#include "GuiTestApplication.h"
#include "draw/SkinColor.h"
#include "draw/SkinImage.h"
#include "skin/SkinChooser.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMessage.h"

CINDRAL_GUI_TEST_APPLICATION();

namespace cindral {
namespace {

using test::FakeFrameWindow;

struct Attached {
  explicit Attached(int w = 640, int h = 440) : window(w, h) { frame.Attach(&window, false); }
  FakeFrameWindow window;
  SkinFrame frame;
};

TEST(SkinFrameTest, EverySetterRefusesBeforeAttach) {
  SkinFrame frame;
  EXPECT_FALSE(frame.SetStatusText("x"));
  EXPECT_FALSE(frame.AddPage("x", ""));
  EXPECT_FALSE(frame.SetPageHandler([](int) {}));
  EXPECT_FALSE(frame.SetMenuHandler([](int) {}));
  EXPECT_EQ(frame.ShowMessage("x"), -1);
  EXPECT_TRUE(frame.Pages().empty());
  EXPECT_FALSE(frame.FrameReady());
}

TEST(SkinFrameTest, AttachCountsOnceAndBuildsTheCaptionEntries) {
  Attached a;
  EXPECT_TRUE(a.frame.FrameReady());
  EXPECT_EQ(a.frame.StatusText(), GBK("Cindral 皮肤引擎 " CINDRAL_VERSION));
  FakeFrameWindow other(900, 500);
  a.frame.Attach(&other, true);
  EXPECT_EQ(a.frame.Window(), &a.window);

  const auto& c = a.frame.CaptionButtons();
  ASSERT_EQ(c.size(), 7u);
  const int lefts[] = {640 - 49, 640 - 76, 640 - 103, 640 - 130, 640 - 158, 640 - 76, 640 - 76};
  const int widths[] = {39, 27, 27, 27, 28, 27, 27};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(c[i].rect, (FrameRect{lefts[i], 1, widths[i], 19})) << i + 1;
    EXPECT_EQ(c[i].state, 0);
  }
  EXPECT_EQ(c[0].normal, SkinPicture::kCloseNormal);
  EXPECT_EQ(c[1].normal, SkinPicture::kMaximizeNormal);
  EXPECT_EQ(c[2].normal, SkinPicture::kMinimizeNormal);
  EXPECT_EQ(c[3].normal, SkinPicture::kMenu0Normal);
  EXPECT_EQ(c[4].normal, SkinPicture::kMenu1Normal);
  EXPECT_EQ(c[5].normal, SkinPicture::kMaximizeNormal);
  EXPECT_EQ(c[6].normal, SkinPicture::kRestoreNormal);
  EXPECT_EQ(c[6].hover, SkinPicture::kRestoreNormal);  // restore: same picture on hover
  EXPECT_EQ(a.frame.SkinButton().rect, (FrameRect{640 - 30, 70, 28, 22}));

  EXPECT_TRUE(a.frame.SetStatusText(GBK("口号")));
  EXPECT_EQ(a.frame.StatusText(), GBK("口号"));
  EXPECT_EQ(a.window.invalidated.back(), (FrameRect{4, 440 - 19, 640, 19}));
}

TEST(SkinFrameTest, PagesStandInARowAndTheFirstStartsSelected) {
  Attached a;
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(a.frame.AddPage("p", ""));
  const auto& pages = a.frame.Pages();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pages[i].rect, (FrameRect{8 + 78 * i, 30, 76, 71}));
    EXPECT_EQ(pages[i].index, i + 1);
    EXPECT_EQ(pages[i].state, i == 0 ? PageButton::kSelected : PageButton::kNormal);
  }
}

TEST(SkinFrameTest, HoverHitTestsIncludeBothEdgesOfEachRectangle) {
  Attached a;
  a.frame.AddPage("a", "");
  a.frame.AddPage("b", "");
  const auto& close = a.frame.CaptionButtons()[0];
  const struct {
    int x, y;
    bool inside;
  } closeCases[] = {{591, 1, true},   {630, 20, true}, {590, 10, false},
                    {631, 10, false}, {600, 0, false}, {600, 21, false}};
  for (const auto& c : closeCases) {
    a.frame.OnMouseMove(c.x, c.y);
    EXPECT_EQ(close.state, c.inside ? FrameButton::kHover : FrameButton::kNormal)
        << c.x << "," << c.y;
  }
  // Entries 2 and 3 touch at x = w - 76: the first one found takes the point.
  a.frame.OnMouseMove(640 - 76, 5);
  EXPECT_EQ(a.frame.CaptionButtons()[1].state, FrameButton::kHover);
  EXPECT_EQ(a.frame.CaptionButtons()[2].state, FrameButton::kHover);

  const auto& second = a.frame.Pages()[1];
  for (auto [x, y, inside] : {std::tuple{86, 30, true},
                              {162, 101, true},
                              {85, 60, false},
                              {163, 60, false},
                              {120, 29, false},
                              {120, 102, false}}) {
    a.frame.OnMouseMove(x, y);
    EXPECT_EQ(second.state, inside ? PageButton::kHover : PageButton::kNormal) << x << "," << y;
  }
  // The selected page keeps its state under the pointer.
  a.frame.OnMouseMove(20, 40);
  EXPECT_EQ(a.frame.Pages()[0].state, PageButton::kSelected);

  const auto& skin = a.frame.SkinButton();
  for (auto [x, y, inside] :
       {std::tuple{610, 70, true}, {638, 92, true}, {609, 80, false}, {620, 93, false}}) {
    a.frame.OnMouseMove(x, y);
    EXPECT_EQ(skin.state, inside ? FrameButton::kHover : FrameButton::kNormal) << x << "," << y;
  }
}

TEST(SkinFrameTest, HoverRedrawsOnlyTheButtonThatChanged) {
  Attached a;
  a.window.invalidated.clear();
  a.frame.OnMouseMove(600, 10);
  ASSERT_EQ(a.window.invalidated.size(), 1u);
  EXPECT_EQ(a.window.invalidated[0], a.frame.CaptionButtons()[0].rect);
  a.frame.OnMouseMove(601, 11);  // still inside: nothing to redraw
  EXPECT_EQ(a.window.invalidated.size(), 1u);
  a.frame.OnMouseMove(300, 300);
  EXPECT_EQ(a.window.invalidated.size(), 2u);
}

TEST(SkinFrameTest, MaximisingSwapsEntryTwoAndRestoringSwapsItBack) {
  Attached a(600, 500);
  a.window.width = 1920;
  a.window.height = 1040;
  a.window.maximized = true;
  a.frame.OnSize(SkinFrame::SizeType::kMaximized);
  const auto& c = a.frame.CaptionButtons();
  EXPECT_EQ(c[1].normal, SkinPicture::kRestoreNormal);
  EXPECT_EQ(c[1].pressed, SkinPicture::kRestorePressed);
  EXPECT_EQ(c[1].rect.left, 1920 - 76);
  EXPECT_EQ(c[0].rect.left, 1920 - 49);
  EXPECT_EQ(c[4].rect.left, 1920 - 158);
  EXPECT_EQ(a.frame.SkinButton().rect.left, 1920 - 30);
  EXPECT_EQ(a.window.shape, (FrameRect{0, 0, 1920, 1040}));
  EXPECT_EQ(a.window.LastCommand(), "fit");

  a.window.width = 600;
  a.window.height = 500;
  a.window.maximized = false;
  a.frame.OnSize(SkinFrame::SizeType::kRestored);
  EXPECT_EQ(c[1].normal, SkinPicture::kMaximizeNormal);
  EXPECT_EQ(c[1].rect.left, 600 - 76);
  EXPECT_EQ(c.size(), 7u);
  EXPECT_EQ(c[5].normal, SkinPicture::kMaximizeNormal);
  EXPECT_EQ(c[6].normal, SkinPicture::kRestoreNormal);
}

TEST(SkinFrameTest, PressesNearTheEdgesMoveOrSizeTheWindow) {
  const struct {
    int x, y;
    const char* command;
  } cases[] = {
      {600 - 11, 50, "move"},
      {600 - 10, 50, "size right"},
      {600 - 5, 9, "size top-right"},
      {600 - 1, 495, "size bottom-right"},
      {600 - 10, 9, ""},  // on the close button, whose right edge is w - 10: pressed, no sizing
      {600 - 10, 490, "size right"},  // y = h - 10 is not past the bottom band
      {100, 10, ""},
      {100, 9, "size top"},
      {100, 500 - 9, "size bottom"},
      {100, 500 - 10, ""},
      {100, 11, "move"},
      {300, 300, "move"},
  };
  for (const auto& c : cases) {
    Attached a(600, 500);
    a.frame.OnLeftButtonDown(c.x, c.y);
    EXPECT_EQ(a.window.LastCommand(), c.command) << c.x << "," << c.y;
  }
  // Maximised, or while a message box is open: never.
  Attached maximised(600, 500);
  maximised.window.maximized = true;
  maximised.frame.OnLeftButtonDown(300, 300);
  maximised.frame.OnLeftButtonDown(599, 50);
  EXPECT_TRUE(maximised.window.commands.empty());
  Attached boxed(600, 500);
  boxed.window.onMessageBox = [&](SkinMessage&) {
    boxed.frame.OnLeftButtonDown(300, 300);
    boxed.frame.OnLeftButtonDown(599, 50);
  };
  boxed.frame.ShowMessage("x");
  EXPECT_TRUE(boxed.window.commands.empty());
  boxed.frame.OnLeftButtonDown(300, 300);
  EXPECT_EQ(boxed.window.LastCommand(), "move");
}

TEST(SkinFrameTest, CursorShowsSizingOnlyInTheFivePixelBands) {
  const struct {
    int x, y;
    FrameCursor cursor;
  } cases[] = {{595, 250, FrameCursor::kSizeWe},   {594, 250, FrameCursor::kArrow},
               {595, 4, FrameCursor::kSizeNeSw},   {595, 5, FrameCursor::kSizeWe},
               {597, 496, FrameCursor::kSizeNwSe}, {595, 495, FrameCursor::kSizeWe},
               {300, 4, FrameCursor::kSizeNs},     {300, 5, FrameCursor::kArrow},
               {300, 496, FrameCursor::kSizeNs},   {300, 495, FrameCursor::kArrow},
               {0, 250, FrameCursor::kArrow}};  // no band on the left
  Attached a(600, 500);
  for (const auto& c : cases) {
    a.frame.OnMouseMove(c.x, c.y);
    EXPECT_EQ(a.window.cursor, c.cursor) << c.x << "," << c.y;
  }
  const int changes = a.window.cursorChanges;
  a.frame.OnMouseMove(300, 300);
  a.frame.OnMouseMove(301, 300);
  EXPECT_EQ(a.window.cursorChanges, changes);  // set only when it differs
  a.window.maximized = true;
  a.frame.OnMouseMove(599, 250);
  EXPECT_EQ(a.window.cursor, FrameCursor::kArrow);
}

TEST(SkinFrameTest, DoubleClickOnTheTitleBarTogglesMaximised) {
  Attached a(600, 500);
  a.frame.OnDoubleClick(100, 29);
  EXPECT_EQ(a.window.LastCommand(), "maximize");
  a.window.maximized = true;
  a.frame.OnDoubleClick(600 - 150, 0);
  EXPECT_EQ(a.window.LastCommand(), "restore");
  a.window.commands.clear();
  a.frame.OnDoubleClick(100, 30);
  a.frame.OnDoubleClick(600 - 149, 10);
  EXPECT_TRUE(a.window.commands.empty());
}

TEST(SkinFrameTest, ReleaseActsOnlyOnTheButtonUnderThePointer) {
  Attached a;
  std::vector<int> menu;
  a.frame.SetMenuHandler([&](int item) { menu.push_back(item); });
  const auto& c = a.frame.CaptionButtons();
  // Pressed, released elsewhere: normal again, nothing done.
  a.frame.OnLeftButtonDown(600, 10);
  EXPECT_EQ(c[0].state, FrameButton::kPressed);
  EXPECT_TRUE(a.window.commands.empty());
  a.frame.OnLeftButtonUp(300, 300);
  EXPECT_EQ(c[0].state, FrameButton::kNormal);
  EXPECT_TRUE(a.window.commands.empty());
  // A press on a button already pressed goes on to the moving rule: the
  // caption buttons reach into the top band, which sizes.
  a.frame.OnLeftButtonDown(600, 9);
  a.frame.OnLeftButtonDown(600, 9);
  EXPECT_EQ(a.window.LastCommand(), "size top");
  a.window.commands.clear();

  const struct {
    int entry;
    const char* command;
    int item;
  } cases[] = {{1, "close", -1}, {2, "maximize", -1}, {3, "minimize", -1}, {4, "", 0}, {5, "", 1}};
  for (const auto& k : cases) {
    a.window.commands.clear();
    const FrameRect r = c[k.entry - 1].rect;
    a.frame.OnLeftButtonDown(r.left + 5, r.top + 5);
    a.frame.OnLeftButtonUp(r.left + 5, r.top + 5);
    EXPECT_EQ(a.window.LastCommand(), k.command) << k.entry;
    if (k.item >= 0) {
      EXPECT_EQ(menu.back(), k.item);
    }
    for (const FrameButton& b : c) EXPECT_EQ(b.state, FrameButton::kNormal);
  }
  EXPECT_EQ(menu.size(), 2u);
  // Without a menu handler the menu buttons only change their states.
  Attached bare;
  const FrameRect r = bare.frame.CaptionButtons()[3].rect;
  bare.frame.OnLeftButtonDown(r.left + 1, 5);
  bare.frame.OnLeftButtonUp(r.left + 1, 5);
  EXPECT_TRUE(bare.window.commands.empty());
}

TEST(SkinFrameTest, PagePressSelectsReportsAndThenStartsAMove) {
  Attached a;
  std::vector<int> reported;
  a.frame.SetPageHandler([&](int page) {
    reported.push_back(page);
    EXPECT_TRUE(a.window.commands.empty() || a.window.LastCommand() == "move");
  });
  for (int i = 0; i < 4; ++i) a.frame.AddPage("p", "");
  a.frame.OnLeftButtonDown(8 + 78 * 2 + 10, 60);
  EXPECT_EQ(reported, std::vector<int>{2});
  EXPECT_EQ(a.frame.Pages()[2].state, PageButton::kSelected);
  EXPECT_EQ(a.frame.Pages()[0].state, PageButton::kNormal);
  EXPECT_EQ(a.window.LastCommand(), "move");
  // The selected page again: reported again, still the only one selected.
  a.frame.OnLeftButtonDown(8 + 78 * 2 + 10, 60);
  EXPECT_EQ(reported, (std::vector<int>{2, 2}));
  int selected = 0;
  for (const PageButton& p : a.frame.Pages()) selected += p.state == PageButton::kSelected;
  EXPECT_EQ(selected, 1);
  // Without a handler a press only selects.
  Attached bare;
  bare.frame.AddPage("a", "");
  bare.frame.AddPage("b", "");
  bare.frame.OnLeftButtonDown(100, 40);
  EXPECT_EQ(bare.frame.Pages()[1].state, PageButton::kSelected);
}

TEST(SkinFrameTest, SkinButtonOpensTheChooserUnderItAndComesBackUp) {
  Attached a;
  a.window.onChooser = [&](SkinChooser& chooser) {
    EXPECT_EQ(a.frame.SkinButton().state, FrameButton::kPressed);
    chooser.OnMouseMove(60, 15);
    chooser.OnLeftButtonDown(60, 15);                   // the colours page
    chooser.OnLeftButtonDown(8 + 17 * 11 + 1, 37 + 1);  // column 12, row 1
  };
  a.frame.OnLeftButtonDown(620, 80);
  EXPECT_EQ(a.window.choosers, 1);
  EXPECT_EQ(a.window.chooserAt, QPoint(100 + 610 - 201, 50 + 70 + 18));
  EXPECT_EQ(a.frame.SkinButton().state, FrameButton::kNormal);
  EXPECT_EQ(a.frame.Look().style, 2);
  EXPECT_EQ(a.frame.Look().colour, 0x202020u);
  EXPECT_GE(a.window.wholeRedraws, 1);  // the pick repainted the main window at once
}

TEST(SkinFrameTest, LookIsNotWrittenWhenNotKept) {
  test::MemorySkinSettings settings;
  SkinFrame frame;
  FakeFrameWindow window;
  frame.Attach(&window, false, &settings);
  window.onChooser = [](SkinChooser& chooser) {
    chooser.OnLeftButtonDown(40 + 69, 58);  // thumbnail 2
    chooser.OnLeftButtonDown(60, 15);
    chooser.OnLeftButtonDown(10, 40);
  };
  frame.OnLeftButtonDown(620, 80);
  EXPECT_EQ(frame.Look().style, 2);
  EXPECT_EQ(settings.writes, 0);
  EXPECT_EQ(settings.creations, 0);
}

TEST(SkinFrameTest, MessageBoxSuspendsMovingAndRefusesASecondBox) {
  Attached a;
  int inner = 0;
  a.window.onMessageBox = [&](SkinMessage& box) {
    EXPECT_FALSE(a.frame.FrameReady());
    EXPECT_TRUE(a.frame.MessageBoxOpen());
    inner = a.frame.ShowMessage("again");
    box.OnLeftButtonUp(218 + 1, box.Height() - 30 + 1);  // "确定"
  };
  EXPECT_EQ(a.frame.ShowMessage(GBK("你好"), 1, 1, 1, GBK("提示")), 1);
  EXPECT_EQ(inner, -1);
  EXPECT_EQ(a.window.boxes, 1);
  EXPECT_EQ(a.window.boxAt, QPoint(100 + (640 - 300) / 2, 50 + (440 - 140) / 2));
  EXPECT_TRUE(a.frame.FrameReady());
  a.window.onMessageBox = nullptr;  // closed another way
  EXPECT_EQ(a.frame.ShowMessage("x"), 100);
}

TEST(SkinFrameTest, StripCountWidensTheHeaderInFiftyPixelPieces) {
  EXPECT_EQ(SkinFrame::StripCount(839), 0);
  EXPECT_EQ(SkinFrame::StripCount(840), 0);
  EXPECT_EQ(SkinFrame::StripCount(841), 1);
  EXPECT_EQ(SkinFrame::StripCount(889), 1);
  EXPECT_EQ(SkinFrame::StripCount(890), 2);
  EXPECT_EQ(SkinFrame::StripCount(891), 2);
  EXPECT_EQ(SkinFrame::StripCount(1920), 22);
}

// --- painting --------------------------------------------------------------

QImage Paint(const SkinFrame& frame, int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  frame.Paint(painter);
  return image;
}

// Pick a look through the chooser, as the learner does.
void PickThumbnail(Attached& a, int n) {
  a.window.onChooser = [n](SkinChooser& chooser) {
    chooser.OnLeftButtonDown(10, 10);
    const int row = (n - 1) / 3, column = (n - 1) % 3;
    chooser.OnLeftButtonDown(10 + 69 * column, 40 + 44 * row);
  };
  const FrameRect skin = a.frame.SkinButton().rect;
  a.frame.OnLeftButtonDown(skin.left + 5, skin.top + 5);
}

void PickColour(Attached& a, int column, int row) {
  a.window.onChooser = [=](SkinChooser& chooser) {
    chooser.OnLeftButtonDown(50, 10);
    chooser.OnLeftButtonDown(8 + 17 * (column - 1) + 1, 37 + 18 * (row - 1) + 1);
  };
  const FrameRect skin = a.frame.SkinButton().rect;
  a.frame.OnLeftButtonDown(skin.left + 5, skin.top + 5);
}

// Counts the pixels of the status line that are near white and near black.
std::pair<int, int> StatusInk(const QImage& image) {
  int white = 0, black = 0;
  for (int y = image.height() - 19; y < image.height() - 5; ++y) {
    for (int x = 4; x < 300; ++x) {
      const QColor c(image.pixel(x, y));
      if (c.red() > 230 && c.green() > 230 && c.blue() > 230) ++white;
      if (c.red() < 25 && c.green() < 25 && c.blue() < 25) ++black;
    }
  }
  return {white, black};
}

TEST(SkinFramePaintTest, TextIsWhiteOnDarkAndBlackOnLightBackgrounds) {
  Attached a;
  a.frame.SetStatusText(GBK("状态栏的文字 Status"));
  auto [white, black] = StatusInk(Paint(a.frame, 640, 440));  // 0x00DEA64D: light
  EXPECT_EQ(white, 0);
  EXPECT_GT(black, 20);
  PickColour(a, 12, 1);  // 0x00202020: dark
  std::tie(white, black) = StatusInk(Paint(a.frame, 640, 440));
  EXPECT_GT(white, 20);
  EXPECT_EQ(black, 0);
  PickColour(a, 12, 7);  // 0x0078BEE6: two bright channels
  std::tie(white, black) = StatusInk(Paint(a.frame, 640, 440));
  EXPECT_EQ(white, 0);
  EXPECT_GT(black, 20);
  // A header picture: the colour of its pixel (1, 204) decides.
  for (int n = 2; n <= 9; ++n) {
    PickThumbnail(a, n);
    const uint32_t background = a.frame.BackgroundColour();
    std::tie(white, black) = StatusInk(Paint(a.frame, 640, 440));
    if (SkinColor::IsDark(background)) {
      EXPECT_GT(white, 20) << n;
      EXPECT_EQ(black, 0) << n;
    } else {
      EXPECT_EQ(white, 0) << n;
      EXPECT_GT(black, 20) << n;
    }
  }
}

// What the screen shows when only the parts the frame invalidates are
// painted again after each change: it must be what a whole paint shows.
class Screen {
 public:
  explicit Screen(Attached& a) : a_(a), shown_(Paint(a.frame, 640, 440)) {
    a.window.invalidated.clear();
    redraws_ = a.window.wholeRedraws;
  }
  // The number of pixels that differ from a whole paint after repainting
  // what was invalidated since the last call.
  int StalePixels() {
    const QImage whole = Paint(a_.frame, 640, 440);
    if (a_.window.wholeRedraws != redraws_) shown_ = whole;
    redraws_ = a_.window.wholeRedraws;
    QPainter p(&shown_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const FrameRect& r : a_.window.invalidated) {
      const QRect rect(r.left, r.top, r.width, r.height);
      p.drawImage(rect, whole, rect);
    }
    p.end();
    a_.window.invalidated.clear();
    int stale = 0;
    for (int y = 0; y < 440; ++y) {
      for (int x = 0; x < 640; ++x) stale += shown_.pixel(x, y) != whole.pixel(x, y);
    }
    return stale;
  }

 private:
  Attached& a_;
  QImage shown_;
  int redraws_ = 0;
};

TEST(SkinFramePaintTest, RedrawingWhatWasInvalidatedLeavesNothingStale) {
  Attached a;
  for (int i = 0; i < 4; ++i) a.frame.AddPage(GBK("页面"), "");
  Screen screen(a);
  const FrameRect skin = a.frame.SkinButton().rect;
  const auto PressAndRelease = [&](size_t button) {
    const FrameRect r = a.frame.CaptionButtons()[button].rect;
    a.frame.OnMouseMove(r.left + 5, r.top + 5);
    a.frame.OnLeftButtonDown(r.left + 5, r.top + 5);
    a.frame.OnLeftButtonUp(r.left + 5, r.top + 5);
  };
  const struct {
    const char* step;
    std::function<void()> act;
  } steps[] = {
      {"onto the close button", [&] { a.frame.OnMouseMove(600, 10); }},
      {"onto the third page", [&] { a.frame.OnMouseMove(190, 60); }},
      {"onto the skin button", [&] { a.frame.OnMouseMove(skin.left + 20, skin.top + 15); }},
      {"off the skin button", [&] { a.frame.OnMouseMove(300, 300); }},
      {"back onto the skin button", [&] { a.frame.OnMouseMove(skin.left + 1, skin.top + 1); }},
      {"press on the skin button, chooser closed",
       [&] { a.frame.OnLeftButtonDown(skin.left + 1, skin.top + 1); }},
      {"press on the third page", [&] { a.frame.OnLeftButtonDown(190, 60); }},
      {"press on minimise", [&] { a.frame.OnLeftButtonDown(640 - 90, 10); }},
      {"released elsewhere", [&] { a.frame.OnLeftButtonUp(300, 300); }},
      {"a menu button pressed and released", [&] { PressAndRelease(3); }},
      {"the other menu button pressed and released", [&] { PressAndRelease(4); }},
  };
  int stale = -1;
  a.window.onChooser = [&](SkinChooser&) { stale = screen.StalePixels(); };
  // The menu and the about box run while the button is drawn pressed.
  a.frame.SetMenuHandler([&](int) { screen.StalePixels(); });
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(screen.StalePixels(), 0) << s.step;
  }
  EXPECT_EQ(stale, 0) << "skin button pressed while the chooser is open";
}

TEST(SkinFramePaintTest, PanelBorderAndBackgroundSitAtTheirCoordinates) {
  Attached a;
  const QImage image = Paint(a.frame, 640, 440);
  EXPECT_EQ(image.pixel(300, 200), 0xFFFFFFFFu);  // client panel
  EXPECT_EQ(image.pixel(320, 60), 0xFF4DA6DEu);   // plain default colour
  EXPECT_EQ(image.pixel(320, 430), 0xFF4DA6DEu);  // status line background
  EXPECT_NE(image.pixel(2, 200), 0xFFFFFFFFu);    // panel outline, left
  EXPECT_NE(image.pixel(636, 200), 0xFFFFFFFFu);  // panel outline at 2 + w - 6
  EXPECT_EQ(image.pixel(635, 200), 0xFFFFFFFFu);
  EXPECT_LT(QColor(image.pixel(0, 200)).red(), 0x4D);  // dark outer border
  EXPECT_LT(QColor(image.pixel(638, 200)).red(), 0x4D);
  EXPECT_LT(QColor(image.pixel(320, 438)).red(), 0x4D);
}

TEST(SkinFramePaintTest, WideWindowsContinueTheHeaderToTheLeft) {
  for (int n : {2, 7}) {
    Attached a(891, 440);
    PickThumbnail(a, n);
    const SkinImage header = SkinImage::FromBytes(a.frame.Look().HeaderBytes());
    const QImage image = Paint(a.frame, 891, 440);
    // Right-aligned picture, rows 5 to 204 of it at the top.
    EXPECT_EQ(image.pixel(891 - 840 + 500, 80), header.GetPixel(500, 85)) << n;
    for (int x : {3, 30, 49, 60, 99}) {
      // Two strips of 50: the stretched first column, or the first 50 columns.
      const int source = n <= 6 ? 0 : x % 50;
      EXPECT_EQ(image.pixel(x, 60), header.GetPixel(source, 65)) << n << " " << x;
    }
  }
}

}  // namespace
}  // namespace cindral
