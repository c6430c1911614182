// The reply of the update server: the release date it publishes, as the release check reads
// it from the downloaded VERS_ZYMOTEC.DAT.

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "net/update_check.h"
#include "store/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray reply(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto date = braxol::net::ReleaseDateFromBytes(reply)) (void)braxol::FormatDate(*date);
    return 0;
}
