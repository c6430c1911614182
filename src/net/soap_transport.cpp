#include "net/soap_transport.h"

#include <QEventLoop>

#include "net/soap_attachments.h"
#include "store/io_error.h"

namespace braxol::net {

NetworkSoapTransport::NetworkSoapTransport(SoapSettings settings,
                                           std::filesystem::path attachmentFolder)
    : settings_(std::move(settings)), folder_(std::move(attachmentFolder)) {}

NetworkSoapTransport::~NetworkSoapTransport() {
    cancel();
}

SoapResult NetworkSoapTransport::put(const QByteArray& content, const QString& fileName) {
    return run(PutOperation(), {content, fileName});
}

SoapResult NetworkSoapTransport::get(const QString& fileName) {
    SoapResult result = run(GetOperation(), {fileName});
    if (!result.ok() || result.attachments.isEmpty()) return result;
    try {
        result.attachmentFiles = StoreAttachments(folder_, result.attachments);
    } catch (const IoError& e) {
        result.failure = SoapFailure::Storage;
        result.detail = QString::fromStdString(e.italianMessage());
    }
    return result;
}

void NetworkSoapTransport::cancel() {
    if (client_) client_->cancel();
}

SoapResult NetworkSoapTransport::run(const SoapOperation& operation,
                                     const std::vector<SoapArgument>& arguments) {
    if (client_) {
        SoapResult busy;
        busy.failure = SoapFailure::Cancelled;
        busy.detail = QStringLiteral("un'altra chiamata è in corso");
        return busy;
    }
    SoapClient client(settings_);
    QEventLoop loop;
    SoapResult result;
    bool done = false;
    QObject::connect(&client, &SoapClient::finished, &loop, [&](const SoapResult& r) {
        result = r;
        done = true;
        loop.quit();
    });
    client_ = &client;
    client.call(operation, arguments);
    // User input keeps running while the call is in flight: the window may cancel it.
    if (!done) loop.exec();
    client_ = nullptr;
    return result;
}

}  // namespace braxol::net
