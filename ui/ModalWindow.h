// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every study window: built from its layout, opened
// modally (Open() returns when the window has closed), with the close query,
// the closed hook and the key bindings the study windows use.
//
// Closing:
// - the learner closes through the title-bar button or Escape (or close()):
//   the close query is asked and may refuse, keeping the window open;
// - the program closes with CloseWindow() (or accept()/reject()/done() of
//   QDialog): no query, like a window destroyed by its logic.
// Either way the closed hook runs once, as the window goes away and before
// Open() returns. Then the keyboard goes to the window now in front. Hiding the window does not
// close it: Open() keeps waiting while the window is hidden (a window may step aside while a nested
// one runs). A window object is opened once; after it has closed, Open() returns at once.
//
// Keys: each key press is offered to the key handler with its key code
// (VirtualKey.h) and the laid-out control that has the focus. When the
// handler returns false the control handles the key as usual; a key it
// leaves unused (Enter in an edit box, for one) is then offered again with
// the window itself as the control. Escape, when unhandled, asks to close.

#include <QDialog>
#include <QPointer>
#include <QSet>
#include <functional>

#include "ui/Layout.h"

class QEventLoop;

namespace cindral {

class ModalWindow : public QDialog {
  Q_OBJECT

 public:
  // The parent is the window that opens this one: the new window is modal
  // over it and is centred on it.
  explicit ModalWindow(const WindowLayout& layout, QWidget* parent = nullptr);
  ~ModalWindow() override;

  // Shows the window and returns when it has closed.
  void Open();
  // Closes the window from the program's side; the close query is not asked.
  void CloseWindow();
  bool IsClosed() const { return closed_; }

  // Asked when the learner closes the window; false keeps it open.
  void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }
  // Runs once when the window closes, however it was closed.
  void SetClosedHandler(std::function<void()> handler) { closedHandler_ = std::move(handler); }
  // Gets (control, key code); returns true when it used the key.
  void SetKeyHandler(std::function<bool(QWidget* control, int key)> handler) {
    keyHandler_ = std::move(handler);
  }

  void done(int result) override;
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OfferKey(QWidget* control, int qtKey);
  void HandKeyboardBack();

  std::function<bool()> closeQuery_;
  std::function<void()> closedHandler_;
  std::function<bool(QWidget*, int)> keyHandler_;
  QSet<QObject*> keyControls_;
  QEventLoop* loop_ = nullptr;
  bool closed_ = false;
};

}  // namespace cindral
