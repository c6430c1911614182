#pragma once
// FetchOutcome: asks the customs service for the outcome document of a flow, reads it, and
// leaves what it found in DETTAGLI.TXT of the temporary folder for the window to show. It
// needs no window: the messages go through the program's message seam, and the window's
// display is a hook.

#include <QString>
#include <filesystem>
#include <functional>

#include "net/soap_transport.h"
#include "telematic/outcome_reader.h"

class QWidget;

namespace braxol::telematic {

inline constexpr const char* kDetailsFileName = "DETTAGLI.TXT";

// Who asks: the texts left when no document comes and the failure messages differ.
enum class OutcomeCaller { Transmission, Verification };

struct OutcomeRequest {
    OutcomeCaller caller = OutcomeCaller::Verification;
    QString outcomeName;  // as the service is asked (see OutcomeNameOf*)
    int attempts = 1;
    std::filesystem::path tempFolder;  // where the attachment and DETTAGLI.TXT go
    OutcomeReader reader;              // by the kind of flow
    QWidget* parent = nullptr;         // of the message boxes
    std::function<void(const QString& details)> display;  // shows DETTAGLI.TXT
};

struct OutcomeResult {
    QString outcome = kOutcomeNegative;
    bool cancelled = false;  // the window closed while the service was being asked
};

// Throws IoError when DETTAGLI.TXT cannot be written or the old attachment removed.
OutcomeResult FetchOutcome(net::SoapTransport& transport, const OutcomeRequest& request);

// The name an outcome is asked by: the flow's name with its 10th character (the "C" after
// the dot) made "J". ABCD0315.C01 gives ABCD0315.J01, ABCD0315.C01.p7m gives ABCD0315.J01.p7m.
QString OutcomeNameOf(const QString& flowOrSignedFileName);

}  // namespace braxol::telematic
