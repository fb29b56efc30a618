// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program's end of the hand-over (HandOver.h): it listens on
// the data folder's socket and gives each word that comes to `take`, whose
// answer goes back at once. A request is read without ever waiting for it:
// one that is malformed, too long or not complete within a few seconds is
// dropped, and nothing a caller sends can stop the program.

#include <QObject>
#include <functional>
#include <string>

#include "app/HandOver.h"

class QLocalServer;

namespace cindral {

class HandOverServer : public QObject {
  Q_OBJECT

 public:
  // Gets the word and the meaning (UTF-8, one line each; the meaning empty
  // when none was given) and answers at once.
  using Taker = std::function<HandOverAnswer(const std::string& word, const std::string& meaning)>;

  explicit HandOverServer(Taker take, QObject* parent = nullptr);

  // Listens at `socket`, replacing the file a program that died left there:
  // the caller holds the lock, so no live program listens there. False when
  // the socket cannot be made.
  bool Listen(const std::string& socket);

 private:
  void Accept();

  Taker take_;
  QLocalServer* server_ = nullptr;
};

}  // namespace cindral
