// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tiny web server on 127.0.0.1 for the dictionary page tests: it answers
// every request with a small page and keeps the request lines it received.

#include <QByteArray>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace cindral::testing {

class LocalHttpServer : public QObject {
 public:
  // The page for a request target ("/ews/x--01--.html"); a plain page
  // naming the target when not set.
  std::function<QByteArray(const QByteArray& target)> page;
  // False: the server takes requests and never answers them, as a service
  // that has stopped answering does (its connections stay open).
  bool answering = true;

  LocalHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) Serve(socket);
    });
  }

  // Listens on `port` (0: any free port); returns the port, 0 on failure.
  quint16 Listen(quint16 port = 0) {
    if (!server_.listen(QHostAddress::LocalHost, port)) return 0;
    return server_.serverPort();
  }
  // Stops listening and drops open connections: the service is down.
  void Stop() {
    server_.close();
    for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) socket->abort();
  }
  QByteArray Base() const { return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()); }

  // "GET /target HTTP/1.1" lines, in the order they came, without the
  // browser's own requests for an icon.
  QStringList requests;

 private:
  void Serve(QTcpSocket* socket) {
    socket->setParent(&server_);
    auto* buffer = new QByteArray;
    connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
      delete buffer;
      socket->deleteLater();
    });
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
      buffer->append(socket->readAll());
      if (!buffer->contains("\r\n\r\n")) return;
      const QByteArray line = buffer->left(buffer->indexOf("\r\n"));
      buffer->clear();
      const QByteArray target = line.split(' ').value(1);
      if (!target.startsWith("/favicon")) requests << QString::fromLatin1(line);
      if (!answering) return;
      const QByteArray body =
          page ? page(target)
               : "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>served</title></head>"
                 "<body><p>served " +
                     QString::fromLatin1(target).toHtmlEscaped().toUtf8() + "</p></body></html>";
      socket->write(
          "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
      socket->disconnectFromHost();
    });
  }

  QTcpServer server_;
};

}  // namespace cindral::testing
