#include "test_http_server.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpSocket>

namespace braxol::test {
namespace {

QByteArray Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

TestHttpServer::TestHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, &TestHttpServer::onConnection);
    if (!server_.listen(QHostAddress::LocalHost, 0))
        ADD_FAILURE() << "test server: " << server_.errorString().toStdString();
}

QString TestHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void TestHttpServer::answer(int status, QByteArray body) {
    quiet_ = false;
    status_ = status;
    body_ = std::move(body);
}

quint16 TestHttpServer::ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void TestHttpServer::onConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            pending_.remove(socket);
            socket->deleteLater();
        });
    }
}

void TestHttpServer::onReadable(QTcpSocket* socket) {
    QByteArray& buffer = pending_[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;

    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.remove(0, end + 4);
    Request request;
    request.line = lines.value(0).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& l = lines[i];
        const qsizetype colon = l.indexOf(':');
        if (colon > 0)
            request.headers.insert(l.left(colon).trimmed().toLower(), l.mid(colon + 1).trimmed());
    }
    requests_ << request;
    if (quiet_) return;

    QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + ' ' + Reason(status_) + "\r\n";
    reply += "Content-Type: application/octet-stream\r\n";
    reply += "Content-Length: " + QByteArray::number(body_.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    reply += body_;
    socket->write(reply);
    socket->disconnectFromHost();
}

}  // namespace braxol::test
