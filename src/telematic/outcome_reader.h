#pragma once
// Reading an outcome document of the customs service. The document is text read line by
// line; what it holds for a movement flow is the record line (the flow's record identifier,
// the registration number in characters 28-42, the outcome code in character 43, "0" for
// accepted) and, after it, blank-led detail lines: " S" a warning, " E" an error, the message
// from character 3. The request flows have a reading of their own, plugged in as another
// OutcomeReader.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace braxol::telematic {

inline const QString kOutcomeNegative = QStringLiteral("ESITO NEGATIVO");
inline const QString kOutcomePositive = QStringLiteral("ESITO POSITIVO");
inline const QString kOutcomeRejected = QStringLiteral("ESITO NEGATIVO - SCARTATO");

struct OutcomeReading {
    QString outcome = kOutcomeNegative;  // the outcome text
    QStringList details;                 // the lines of DETTAGLI.TXT, in order
};

// Reads the lines of a document (as read from the attachment file) into an outcome.
using OutcomeReader = std::function<OutcomeReading(const QStringList& lines)>;

// The document's lines, whatever it is: line ends CR LF, LF or CR; each line UTF-8 when it is
// valid UTF-8, Windows-1252 otherwise; UTF-16 when the document says so (byte-order mark, or
// the zero bytes of ASCII text in UTF-16). Bytes that are no text (a binary or a signed
// document) are read as Windows-1252 too: what can be read is read.
QStringList OutcomeDocumentLines(const QByteArray& document);

// The reading of a movement flow's outcome with these record identifiers ("BRAXOL"; the
// transmission window also takes "TIRVEN").
OutcomeReading ReadMovementOutcome(const QStringList& lines, const QStringList& identifiers);
OutcomeReader MovementOutcomeReader(const QStringList& identifiers);

QStringList VerificationIdentifiers();  // BRAXOL
QStringList TransmissionIdentifiers();  // BRAXOL, TIRVEN

}  // namespace braxol::telematic
