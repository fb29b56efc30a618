// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned frame of the main window. It takes a frameless window over
// and draws all of it: header picture or plain colour, border, icon, title,
// five caption buttons, the page buttons, the skin button, the white client
// panel, the status line and the size grip. It tracks hover and press
// states, moves and sizes the window on presses near its edges, maximises
// into the free part of the screen, opens the skin chooser and shows the
// skinned message box. Controls the host places on the window sit on the
// client panel and are not drawn here.
//
// Window coordinates throughout; w and h are the window's width and height.
//
// Caption entries (1-based), at top 1, 19 high, from right to left:
//   1 close (w - 49, 39 wide)      2 maximise or restore (w - 76, 27)
//   3 minimise (w - 103, 27)       4 menu item 0 (w - 130, 27)
//   5 menu item 1 (w - 158, 28)    6, 7 the maximise and restore pictures,
//                                    one of which entry 2 copies
// Pages: page i (1-based) at (8 + 78 (i - 1), 30, 76, 71).
// Skin button: (w - 30, 70, 28, 22).

#include <QPoint>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/FrameButton.h"
#include "skin/FrameWindow.h"
#include "skin/PageButton.h"
#include "skin/SkinLook.h"

class QEvent;
class QPainter;
class QWidget;

namespace cindral {

class SkinSettings;

class SkinFrame {
 public:
  using Handler = std::function<void(int)>;
  enum class SizeType { kRestored, kMinimized, kMaximized };

  SkinFrame();
  ~SkinFrame();
  SkinFrame(const SkinFrame&) = delete;
  SkinFrame& operator=(const SkinFrame&) = delete;

  // Takes the widget over: frameless, drawn and driven by this frame. With
  // `persist` the look is read from and written to `settings`. Only the
  // first Attach counts.
  void Attach(QWidget* window, bool persist = false, SkinSettings* settings = nullptr);
  // The same over any FrameWindow (which the frame does not own).
  void Attach(FrameWindow* window, bool persist = false, SkinSettings* settings = nullptr);
  bool IsAttached() const { return window_ != nullptr; }

  // Each returns true when done, false before Attach.
  bool SetStatusText(const std::string& gbk);
  bool AddPage(const std::string& label, std::string iconBytes);
  bool SetPageHandler(Handler handler);
  bool SetMenuHandler(Handler handler);
  // Told the page (0-based) the pointer has just come onto.
  void SetPageHoverHandler(Handler handler) { pageHoverHandler_ = std::move(handler); }
  // What the two menu caption buttons do, as the accessibility interface
  // names them (GBK); "菜单 1" and "菜单 2" until the host says.
  void SetMenuNames(std::string first, std::string second);
  const std::array<std::string, 2>& MenuNames() const { return menuNames_; }

  // The whole window, in window coordinates.
  void Paint(QPainter& painter) const;

  // Input, as the window receives it.
  bool WindowProc(QEvent* event);
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void OnLeftButtonUp(int x, int y);
  void OnMouseLeave();
  void OnDoubleClick(int x, int y);
  void OnSize(SizeType type);
  // 1 close, 2 maximise or restore, 3 minimise.
  void CaptionAction(int index);
  void LayoutButtons();
  void LoadSkin();
  void OpenChooser();

  // The skinned message box over the window; returns 1 ("确定"), 0 ("取消"),
  // -1 (close button; also at once when not attached or a box is open) or
  // 100 (closed another way). Arguments as SkinMessage takes them.
  int ShowMessage(const std::string& text, int buttons = 0, int icon = 0, int defaultButton = 1,
                  std::optional<std::string> title = std::nullopt);

  // Pieces of the left strip that widen the header beyond 840 pixels.
  static int StripCount(int width);

  const std::vector<FrameButton>& CaptionButtons() const { return captions_; }
  const std::vector<PageButton>& Pages() const { return pages_; }
  const FrameButton& SkinButton() const { return skinButton_; }
  const SkinLook& Look() const { return look_; }
  // Takes `look` at once, as a pick in the chooser does (not written).
  void SetLook(const SkinLook& look);
  const std::string& StatusText() const { return status_; }
  // Whether presses may move and size the window (not while a message box is open).
  bool FrameReady() const { return frameReady_; }
  bool MessageBoxOpen() const { return boxOpen_; }
  FrameWindow* Window() const { return window_; }
  // The colour behind the texts, 0x00BBGGRR, and whether texts are white.
  uint32_t BackgroundColour() const;
  // The white client panel on which the host's controls sit.
  FrameRect ClientPanel() const;

 private:
  void Redraw(const FrameRect& rect);
  // The skin button's hover and pressed background lies 7 pixels left of
  // and 4 above its rectangle; a change of its state redraws both.
  FrameRect SkinButtonBackground() const;
  FrameRect SkinButtonArea() const;
  void PressForMoveOrSize(int x, int y);
  SkinSettings* PersistedSettings() const { return persist_ ? settings_ : nullptr; }

  std::unique_ptr<FrameWindow> ownedWindow_;
  FrameWindow* window_ = nullptr;
  bool persist_ = false;
  SkinSettings* settings_ = nullptr;
  bool frameReady_ = false;
  bool boxOpen_ = false;
  std::string status_;
  Handler pageHandler_;
  Handler pageHoverHandler_;
  Handler menuHandler_;
  std::array<std::string, 2> menuNames_;
  std::vector<FrameButton> captions_;
  std::vector<PageButton> pages_;
  FrameButton skinButton_;
  SkinLook look_;
};

}  // namespace cindral
