#include "net/soap_client.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>

#include "net/http_get.h"
#include "net/soap_attachments.h"

namespace braxol::net {
namespace {

SoapFailure FailureOf(QNetworkReply::NetworkError error) {
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            return SoapFailure::ConnectionRefused;
        case QNetworkReply::HostNotFoundError:
            return SoapFailure::HostNotFound;
        case QNetworkReply::TimeoutError:
            return SoapFailure::Timeout;
        case QNetworkReply::SslHandshakeFailedError:
            return SoapFailure::Certificate;
        default:
            return SoapFailure::Connection;
    }
}

}  // namespace

SoapClient::SoapClient(SoapSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), manager_(new QNetworkAccessManager(this)) {
    // Answers come through the reply only: credentials are never cached or asked for again.
    manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SoapClient::onTimeout);
}

SoapClient::~SoapClient() {
    if (!reply_) return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

bool SoapClient::call(const SoapOperation& operation, const std::vector<SoapArgument>& arguments) {
    if (reply_) return false;
    operation_ = &operation;
    timedOut_ = connected_ = false;

    QUrl url = settings_.endpoint;
    url.setUserInfo({});  // credentials travel only in the Authorization header
    if (!url.isValid() || url.scheme().compare("https", Qt::CaseInsensitive) != 0 ||
        url.host().isEmpty()) {
        fail(SoapFailure::BadAddress, QStringLiteral("indirizzo del servizio non HTTPS: %1")
                                          .arg(url.toString(QUrl::RemoveUserInfo)));
        return true;
    }

    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setProtocol(QSsl::TlsV1_2OrLater);
    ssl.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!settings_.caFile.isEmpty()) {
        const QList<QSslCertificate> authorities =
            QSslCertificate::fromPath(settings_.caFile, QSsl::Pem);
        if (authorities.isEmpty()) {
            fail(SoapFailure::Certificate,
                 QStringLiteral("certificato dell'autorità non leggibile: %1")
                     .arg(settings_.caFile));
            return true;
        }
        ssl.addCaCertificates(authorities);
    }

    QNetworkRequest request(url);
    request.setSslConfiguration(ssl);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "text/xml; charset=utf-8");
    request.setRawHeader(
        "SOAPAction",
        '"' + QByteArray(operation.name.data(), static_cast<qsizetype>(operation.name.size())) +
            '"');
    request.setRawHeader("Accept", "text/xml, multipart/related, application/dime");
    if (!settings_.user.isEmpty()) {
        const QByteArray pair = settings_.user.toUtf8() + ':' + settings_.password.toUtf8();
        request.setRawHeader("Authorization", "Basic " + pair.toBase64());
    }

    reply_ = manager_->post(request, BuildSoapRequest(operation, arguments));
    connect(reply_, &QNetworkReply::encrypted, this, &SoapClient::onEncrypted);
    connect(reply_, &QNetworkReply::finished, this, &SoapClient::onReplyFinished);
    timer_.start(settings_.connectTimeout);
    return true;
}

void SoapClient::cancel() {
    if (!reply_) return;
    timer_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    fail(SoapFailure::Cancelled, QStringLiteral("chiamata interrotta"));
}

void SoapClient::fail(SoapFailure failure, const QString& detail) {
    SoapResult result;
    result.failure = failure;
    result.detail = detail;
    emit finished(result);
}

void SoapClient::onEncrypted() {
    connected_ = true;
    timer_.start(settings_.replyTimeout);
}

void SoapClient::onTimeout() {
    if (!reply_) return;
    timedOut_ = true;
    reply_->abort();  // finishes the reply, which reports the timeout
}

void SoapClient::onReplyFinished() {
    timer_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply) return;
    reply->deleteLater();

    SoapResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.httpStatus = status.isValid() ? status.toInt() : 0;
    const QNetworkReply::NetworkError error = reply->error();
    if (timedOut_) {
        result.failure = SoapFailure::Timeout;
        result.detail = connected_ ? QStringLiteral("nessuna risposta completa in tempo")
                                   : QStringLiteral("nessuna connessione in tempo");
        emit finished(result);
        return;
    }
    if (result.httpStatus == 0 || (result.httpStatus == 200 && error != QNetworkReply::NoError)) {
        result.failure = result.httpStatus == 0 ? FailureOf(error) : SoapFailure::Connection;
        result.detail = reply->errorString();
        emit finished(result);
        return;
    }

    const QByteArray body = reply->readAll();
    const QByteArray contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const ReplyParts parts = SplitSoapReply(contentType, body);
    const SoapReply soap = parts.ok ? ParseSoapReply(parts.envelope, *operation_) : SoapReply{};
    if (soap.kind == SoapReply::Kind::Fault) {
        result.failure = SoapFailure::Fault;
        result.faultString = soap.faultString;
        result.detail = soap.faultCode + QStringLiteral(": ") + soap.faultString;
    } else if (result.httpStatus != 200) {
        result.failure = SoapFailure::HttpStatus;
        result.detail = QStringLiteral("HTTP %1").arg(result.httpStatus);
    } else if (!parts.ok) {
        result.failure = SoapFailure::NotSoap;
        result.detail = parts.problem;
    } else if (soap.kind == SoapReply::Kind::NotSoap) {
        result.failure = SoapFailure::NotSoap;
        result.detail = soap.problem;
    } else {
        result.failure = SoapFailure::None;
        result.text = soap.text;
        result.bytes = soap.bytes;
        result.attachments = parts.attachments;
    }
    emit finished(result);
}

QString SoapFailureText(const SoapResult& result) {
    // The failures the two clients share read as the update check's.
    auto asHttp = [&result](HttpFailure failure) {
        HttpResult http;
        http.failure = failure;
        http.status = result.httpStatus;
        return FailureText(http);
    };
    switch (result.failure) {
        case SoapFailure::None:
            return {};
        case SoapFailure::HostNotFound:
            return asHttp(HttpFailure::HostNotFound);
        case SoapFailure::ConnectionRefused:
            return asHttp(HttpFailure::ConnectionRefused);
        case SoapFailure::Timeout:
            return asHttp(HttpFailure::Timeout);
        case SoapFailure::HttpStatus:
            return asHttp(HttpFailure::HttpStatus);
        case SoapFailure::BadAddress:
            return QStringLiteral("INDIRIZZO DEL SERVIZIO NON VALIDO (SERVE HTTPS)");
        case SoapFailure::Certificate:
            return QStringLiteral("CERTIFICATO DEL SERVER NON VALIDO");
        case SoapFailure::Connection:
            return QStringLiteral("CONNESSIONE INTERROTTA");
        case SoapFailure::Fault:
            return QStringLiteral("ERRORE DEL SERVIZIO: %1").arg(result.faultString);
        case SoapFailure::NotSoap:
            return QStringLiteral("RISPOSTA NON RICONOSCIUTA DAL SERVIZIO");
        case SoapFailure::Storage:
            return QStringLiteral("IMPOSSIBILE SALVARE GLI ALLEGATI DELLA RISPOSTA");
        case SoapFailure::Cancelled:
            return QStringLiteral("OPERAZIONE INTERROTTA");
    }
    return {};
}

}  // namespace braxol::net
