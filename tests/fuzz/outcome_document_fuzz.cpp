// The outcome document of a movement flow, as the transmission and verification windows read
// it from the reply's attachment: its lines in whatever text it is, then the outcome and the
// detail lines of DETTAGLI.TXT.

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "telematic/outcome_reader.h"

using namespace braxol::telematic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray document(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = OutcomeDocumentLines(document);
    (void)ReadMovementOutcome(lines, TransmissionIdentifiers());
    (void)MovementOutcomeReader(VerificationIdentifiers())(lines);
    return 0;
}
