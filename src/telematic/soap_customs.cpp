#include "telematic/soap_customs.h"

#include "ui/text.h"

namespace braxol::telematic {

bool NeedsBasicAuthentication(const QString& userName) {
    return userName.contains(QStringLiteral("-00"));
}

net::SoapSettings CustomsSoapSettings(const net::ServiceEndpoints& endpoints,
                                      Environment environment, const TUTENTE& company) {
    net::SoapSettings settings;
    settings.endpoint =
        QUrl(environment == Environment::Real ? endpoints.real : endpoints.test, QUrl::StrictMode);
    settings.caFile = endpoints.caFile;
    const QString user = ui::FromField(company.INDIR2);
    if (NeedsBasicAuthentication(user)) {
        settings.user = user;
        settings.password = ui::FromField(company.CITTA2);
    }
    return settings;
}

TransportFactory NetworkTransports(const WorkFolders& folders, const TUTENTE& company) {
    return [folders, company](Environment environment) -> std::unique_ptr<net::SoapTransport> {
        const net::ServiceEndpoints endpoints = net::ReadOrCreateEndpoints(folders);
        return std::make_unique<net::NetworkSoapTransport>(
            CustomsSoapSettings(endpoints, environment, company), folders.temp);
    };
}

}  // namespace braxol::telematic
