#include "net/http_get.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace braxol::net {
namespace {

HttpFailure FailureOf(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::NoError:
            return HttpFailure::None;
        case QNetworkReply::ConnectionRefusedError:
            return HttpFailure::ConnectionRefused;
        case QNetworkReply::HostNotFoundError:
            return HttpFailure::HostNotFound;
        case QNetworkReply::TimeoutError:
            return HttpFailure::Timeout;
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::BackgroundRequestNotAllowedError:
        case QNetworkReply::UnknownNetworkError:
            return HttpFailure::NoNetwork;
        default:
            return HttpFailure::Other;
    }
}

}  // namespace

QString FailureText(const HttpResult& result) {
    switch (result.failure) {
        case HttpFailure::None:
            return {};
        case HttpFailure::NoNetwork:
            return QStringLiteral("CONNESSIONE DI RETE NON DISPONIBILE");
        case HttpFailure::HostNotFound:
            return QStringLiteral("SERVER NON TROVATO");
        case HttpFailure::ConnectionRefused:
            return QStringLiteral("CONNESSIONE RIFIUTATA DAL SERVER");
        case HttpFailure::Timeout:
            return QStringLiteral("IL SERVER NON HA RISPOSTO IN TEMPO");
        case HttpFailure::HttpStatus:
            return QStringLiteral("IL SERVER HA RISPOSTO CON IL CODICE HTTP %1").arg(result.status);
        case HttpFailure::Other:
            break;
    }
    return QStringLiteral("ERRORE DI COMUNICAZIONE CON IL SERVER");
}

HttpGet::HttpGet(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!reply_) return;
        timedOut_ = true;
        reply_->abort();  // finishes the reply, which reports the timeout
    });
}

HttpGet::~HttpGet() {
    cancel();
}

bool HttpGet::get(const QUrl& url, const HttpHeaders& headers) {
    if (reply_) return false;
    QNetworkRequest request(url);
    for (const auto& [name, value] : headers) request.setRawHeader(name, value);
    timedOut_ = false;
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::finished, this, &HttpGet::onReplyFinished);
    timer_.start(timeout_);
    return true;
}

void HttpGet::cancel() {
    timer_.stop();
    if (!reply_) return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void HttpGet::onReplyFinished() {
    timer_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply) return;
    reply->deleteLater();

    HttpResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    result.detail = reply->errorString();
    if (timedOut_) {
        result.failure = HttpFailure::Timeout;
    } else if (result.status != 0 && result.status != 200) {
        result.failure = HttpFailure::HttpStatus;
    } else if (reply->error() != QNetworkReply::NoError) {
        result.failure = FailureOf(reply->error());
    } else if (result.status == 200) {
        result.failure = HttpFailure::None;
        result.body = reply->readAll();
        result.detail.clear();
    } else {
        result.failure = HttpFailure::Other;  // an answer without a status: not HTTP
    }
    emit finished(result);
}

}  // namespace braxol::net
