// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HandOverServer.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <memory>

#include "app/CommandLine.h"

namespace cindral {

namespace {

// How long a caller has to send its request.
constexpr int kRequestMilliseconds = 3000;

// Whether `text` is a line the command line could have sent: one line, no
// longer than `longest`.
bool IsLine(const std::string& text, std::size_t longest) {
  std::string line;
  return CommandLine::OneLine(text, longest, &line).empty() && line == text;
}

}  // namespace

HandOverServer::HandOverServer(Taker take, QObject* parent)
    : QObject(parent), take_(std::move(take)), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &HandOverServer::Accept);
}

bool HandOverServer::Listen(const std::string& socket) {
  const QString path = QString::fromStdString(socket);
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void HandOverServer::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kRequestMilliseconds, socket, [socket] { socket->abort(); });
    auto received = std::make_shared<std::string>();
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] {
      if (received->find('\n') != std::string::npos) return;  // answered already
      const QByteArray bytes = socket->readAll();
      received->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
      const std::size_t end = received->find('\n');
      if (end == std::string::npos) {
        if (received->size() > kLongestHandOver) socket->abort();
        return;
      }
      const auto request = ReadWordRequest(std::string_view(*received).substr(0, end + 1));
      HandOverAnswer answer{false, "the request was not understood"};
      if (request && !request->first.empty() && IsLine(request->first, CommandLine::kLongestWord) &&
          IsLine(request->second, CommandLine::kLongestMeaning)) {
        answer = take_(request->first, request->second);
      }
      const std::string line = AnswerLine(answer);
      socket->write(line.data(), static_cast<qint64>(line.size()));
      socket->disconnectFromServer();
    });
  }
}

}  // namespace cindral
