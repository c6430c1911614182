#include "net/soap_endpoints.h"

#include "net/soap_operations.h"
#include "store/config_files.h"
#include "store/cp1252.h"
#include "store/paths.h"

namespace braxol::net {
namespace {

constexpr int kRealSlot = 0;
constexpr int kTestSlot = 1;
constexpr int kAuthoritySlot = 2;

QString ServiceAddress(const char* host) {
    return QStringLiteral("https://%1%2")
        .arg(QLatin1String(host),
             QLatin1String(kCustomsServicePath.data(),
                           static_cast<qsizetype>(kCustomsServicePath.size())));
}

QString Slot(const TTABELLA& record, int slot) {
    return QString::fromStdString(Utf8FromCp1252(record.text[slot].trimmed()));
}

void SetSlot(TTABELLA& record, int slot, const QString& text) {
    record.text[slot].set(Cp1252FromUtf8(text.trimmed().toStdString()));
}

fs::path EndpointsFile(const WorkFolders& folders) {
    return ResolvePath(folders.inDatiGen(kEndpointsFileName));
}

}  // namespace

ServiceEndpoints DefaultEndpoints() {
    return {ServiceAddress("telematico.agenziadogane.it"),
            ServiceAddress("telematicoprova.agenziadogane.it"), QString()};
}

ServiceEndpoints ReadOrCreateEndpoints(const WorkFolders& folders) {
    const fs::path file = EndpointsFile(folders);
    const ServiceEndpoints defaults = DefaultEndpoints();
    if (!PathExists(file)) WriteEndpoints(folders, defaults);
    const TTABELLA record = ReadConfigRecord(file);
    ServiceEndpoints endpoints{Slot(record, kRealSlot), Slot(record, kTestSlot),
                               Slot(record, kAuthoritySlot)};
    if (endpoints.real.isEmpty()) endpoints.real = defaults.real;
    if (endpoints.test.isEmpty()) endpoints.test = defaults.test;
    return endpoints;
}

void WriteEndpoints(const WorkFolders& folders, const ServiceEndpoints& endpoints) {
    const fs::path file = EndpointsFile(folders);
    TTABELLA record = PathExists(file) ? ReadConfigRecord(file) : BlankTabella();
    SetSlot(record, kRealSlot, endpoints.real);
    SetSlot(record, kTestSlot, endpoints.test);
    SetSlot(record, kAuthoritySlot, endpoints.caFile);
    WriteConfigRecord(file, record);
}

}  // namespace braxol::net
