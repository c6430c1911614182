#pragma once
// The SOAP 1.1 client of the customs file-transfer service. A call runs on the event loop of
// the calling thread and never blocks it; its outcome arrives through finished(), at the
// latest when the connect or the reply time limit runs out. Only HTTPS is spoken, TLS 1.2 or
// newer, with the server's certificate and host name always verified. The password goes
// only into the Authorization header of the request: no result, detail or log carries it.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <vector>

#include "net/soap_envelope.h"
#include "net/soap_operations.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace braxol::net {

enum class SoapFailure {
    None,
    BadAddress,         // not an https:// address
    HostNotFound,       // the server's name does not resolve
    ConnectionRefused,  // nobody listens at the address
    Timeout,            // no connection, or no whole reply, within its time limit
    Certificate,        // TLS failed: untrusted certificate, wrong host name, old protocol
    Connection,         // the connection broke or the reply came incomplete
    HttpStatus,         // an HTTP status other than 200 without a SOAP fault
    Fault,              // a SOAP fault
    NotSoap,            // a reply that is not a SOAP envelope (a proxy's page, a portal)
    Storage,            // the attachments could not be written
    Cancelled,          // stopped by the program (its window closed)
};

struct SoapResult {
    SoapFailure failure = SoapFailure::Connection;
    int httpStatus = 0;
    QString text;      // the result as text
    QByteArray bytes;  // the result as bytes
    QString faultString;
    QString detail;  // what went wrong, for a support person; never holds the password
    QList<QByteArray> attachments;
    std::vector<std::filesystem::path> attachmentFiles;  // where a transport stored them

    bool ok() const { return failure == SoapFailure::None; }
};

struct SoapSettings {
    static constexpr std::chrono::milliseconds kConnectTimeout{20000};
    static constexpr std::chrono::milliseconds kReplyTimeout{120000};

    QUrl endpoint;
    QString user;  // empty: no HTTP authentication
    QString password;
    QString caFile;  // an extra trusted certificate authority (PEM); empty: the system's only
    std::chrono::milliseconds connectTimeout = kConnectTimeout;  // up to the TLS handshake
    std::chrono::milliseconds replyTimeout = kReplyTimeout;      // then up to the whole reply
};

class SoapClient : public QObject {
    Q_OBJECT
public:
    explicit SoapClient(SoapSettings settings, QObject* parent = nullptr);
    ~SoapClient() override;

    // Starts the call; false (and no finished()) when one is already running.
    bool call(const SoapOperation& operation, const std::vector<SoapArgument>& arguments);
    bool running() const { return reply_ != nullptr; }
    // Stops a running call; finished() reports Cancelled.
    void cancel();

signals:
    void finished(const braxol::net::SoapResult& result);

private:
    void fail(SoapFailure failure, const QString& detail);
    void onEncrypted();
    void onTimeout();
    void onReplyFinished();

    SoapSettings settings_;
    QNetworkAccessManager* manager_;
    QNetworkReply* reply_ = nullptr;
    const SoapOperation* operation_ = nullptr;
    QTimer timer_;
    bool timedOut_ = false;
    bool connected_ = false;
};

// The Italian text of a failure, for a support person (the windows show their own messages).
QString SoapFailureText(const SoapResult& result);

}  // namespace braxol::net
