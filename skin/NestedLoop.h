// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The event loop a popup of the skin runs inside the call that opened it:
// Run() returns once Close() has hidden the popup (at once when that
// happened before Run()).

class QEventLoop;
class QWidget;

namespace cindral {

class NestedLoop {
 public:
  void Run();
  void Close(QWidget* popup);
  bool IsClosed() const { return closed_; }

 private:
  QEventLoop* loop_ = nullptr;
  bool closed_ = false;
};

}  // namespace cindral
