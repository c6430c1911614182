// The outcome document of a request flow: the outcome, its details and the registers released
// with their protocol numbers, validity starts and titles, as records of PROTRE_TE.DAT.

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "store/dates.h"
#include "store/records.h"
#include "telematic/outcome_reader.h"
#include "telematic/request_outcome.h"

using namespace braxol;
using namespace braxol::telematic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray document(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RequestOutcome outcome =
        ReadRequestOutcome(OutcomeDocumentLines(document), DateFromCivil(2024, 3, 20));
    for (TMOVIMENTO release : outcome.releases) {
        TrimMovement(release);
        (void)FormatDate(release.DATMOV);
    }
    return 0;
}
