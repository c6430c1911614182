#pragma once
// A small HTTP GET client. The request runs on the event loop of the calling thread and never
// blocks it; the outcome arrives through finished(), at the latest when the time limit runs
// out. One request at a time per object.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace braxol::net {

// Request headers in the order they are sent, e.g. {"Accept", "text/html, */*"}.
using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

enum class HttpFailure {
    None,               // status 200, body delivered
    NoNetwork,          // no usable network or the connection broke
    HostNotFound,       // the name of the server does not resolve
    ConnectionRefused,  // nobody listens at the address
    Timeout,            // no complete answer within the time limit
    HttpStatus,         // the server answered with a status other than 200
    Other,              // any other failure (bad address, protocol error, ...)
};

struct HttpResult {
    HttpFailure failure = HttpFailure::Other;
    int status = 0;   // the HTTP status when the server answered, otherwise 0
    QByteArray body;  // the body of a successful answer
    QString detail;   // the network layer's own description of a failure (for logs)

    bool ok() const { return failure == HttpFailure::None; }
};

// Italian text of a failure for the message boxes of the windows that use a client.
QString FailureText(const HttpResult& result);

class HttpGet : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{10000};

    explicit HttpGet(QObject* parent = nullptr);
    ~HttpGet() override;

    // The limit for the whole request, from connection to the last byte of the body.
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds timeout() const { return timeout_; }

    // Starts the request; false (and no finished()) when one is already running.
    bool get(const QUrl& url, const HttpHeaders& headers = {});
    bool running() const { return reply_ != nullptr; }
    // Stops a running request without emitting finished().
    void cancel();

signals:
    void finished(const braxol::net::HttpResult& result);

private:
    void onReplyFinished();

    QNetworkAccessManager* manager_;
    QNetworkReply* reply_ = nullptr;
    QTimer timer_;
    bool timedOut_ = false;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
};

}  // namespace braxol::net
