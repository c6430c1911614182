#pragma once
// A tiny HTTP server on 127.0.0.1 for the client tests. It records each request line and its
// headers and answers every request the same way: a status with a body, or nothing at all.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace braxol::test {

class TestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray line;                       // "GET /path HTTP/1.1"
        QMap<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
    };

    TestHttpServer();  // listening on a free port
    quint16 port() const { return server_.serverPort(); }
    QString base() const;  // "http://127.0.0.1:<port>"

    void answer(int status, QByteArray body);
    // Accepts connections and reads the requests but never replies.
    void stayQuiet() { quiet_ = true; }

    const QList<Request>& requests() const { return requests_; }

    // A port on 127.0.0.1 where nobody listens.
    static quint16 ClosedPort();

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);

    QTcpServer server_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QList<Request> requests_;
    bool quiet_ = false;
    int status_ = 200;
    QByteArray body_;
};

}  // namespace braxol::test
