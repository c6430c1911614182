#pragma once
// The two calls the windows make on the customs file-transfer service, behind a plain
// interface: the transmission and verification windows take any transport, and tests give
// them a scripted one. A call returns when it has ended; meanwhile the event loop keeps
// running (the window repaints, its buttons work), and cancel() ends the call in flight.

#include <QByteArray>
#include <QString>
#include <filesystem>

#include "net/soap_client.h"

class QEventLoop;

namespace braxol::net {

class SoapTransport {
public:
    virtual ~SoapTransport() = default;
    // Uploads a signed file; the result text is the service's answer.
    virtual SoapResult put(const QByteArray& content, const QString& fileName) = 0;
    // Asks for a document; the reply's attachments are stored in the attachment folder, the
    // first as "BORLANDSOAPATTACHMENT0".
    virtual SoapResult get(const QString& fileName) = 0;
    // Ends the call in flight (it returns Cancelled); nothing when none runs.
    virtual void cancel() = 0;
    virtual bool busy() const = 0;
};

// The transport over the network, with the client of soap_client.h.
class NetworkSoapTransport : public SoapTransport {
public:
    NetworkSoapTransport(SoapSettings settings, std::filesystem::path attachmentFolder);
    ~NetworkSoapTransport() override;

    SoapResult put(const QByteArray& content, const QString& fileName) override;
    SoapResult get(const QString& fileName) override;
    void cancel() override;
    bool busy() const override { return client_ != nullptr; }

private:
    SoapResult run(const SoapOperation& operation, const std::vector<SoapArgument>& arguments);

    SoapSettings settings_;
    std::filesystem::path folder_;
    SoapClient* client_ = nullptr;  // the call in flight
};

}  // namespace braxol::net
