#include "telematic/outcome_fetch.h"

#include <system_error>

#include "net/soap_attachments.h"
#include "store/cp1252.h"
#include "store/io_error.h"
#include "store/safe_file.h"
#include "ui/seams.h"

namespace braxol::telematic {
namespace {

namespace fs = std::filesystem;

constexpr qsizetype kOutcomeLetter = 9;
// An outcome document is a few kilobytes; anything past this is not read.
constexpr std::size_t kLargestDocument = 16 * 1024 * 1024;

QStringList NothingCame(OutcomeCaller caller) {
    return {
        QStringLiteral(" -- DETTAGLI NON PERVENUTI DAL WEBSERVICE -- "),
        caller == OutcomeCaller::Transmission
            ? QStringLiteral("    Interroga il sistema telematico doganale E.D.I. per l'esito. ")
            : QStringLiteral("    Usa la funzione INTERROGAZIONE sul sito EDI REALE per verificare "
                             "che il flusso sia stato acquisito. ")};
}

QString FailureMessage(OutcomeCaller caller, int attempt) {
    if (caller == OutcomeCaller::Transmission)
        return QStringLiteral(
                   "Tentativo di connessione N. %1, verifica la disponibilità del sito "
                   "delle dogane")
            .arg(attempt);
    return QStringLiteral(
        "Tentativo di prelievo esito senza risposta, attendi qualche secondo "
        "prima di fare il prossimo tentativo");
}

// DETTAGLI.TXT is a Windows text file: Windows-1252, CR LF.
void WriteDetails(const fs::path& file, const QStringList& lines) {
    std::string content;
    for (const QString& line : lines) content += Cp1252FromUtf8(line.toStdString()) + "\r\n";
    ReplaceFileContent(file, content);
}

QString ReadDetails(const fs::path& file) {
    const auto content = ReadWholeFile(file);
    return content ? QString::fromStdString(Utf8FromCp1252(*content)) : QString();
}

}  // namespace

QString OutcomeNameOf(const QString& flowOrSignedFileName) {
    QString name = flowOrSignedFileName;
    if (name.size() > kOutcomeLetter) name[kOutcomeLetter] = 'J';
    return name;
}

OutcomeResult FetchOutcome(net::SoapTransport& transport, const OutcomeRequest& request) {
    OutcomeResult result;
    const fs::path attachment = request.tempFolder / net::kFirstAttachmentName;
    const fs::path details = request.tempFolder / kDetailsFileName;

    std::error_code error;
    fs::remove(attachment, error);
    if (error) throw IoError(attachment.string(), error.message());
    WriteDetails(details, NothingCame(request.caller));

    for (int attempt = 1; attempt <= request.attempts; ++attempt) {
        const net::SoapResult reply = transport.get(request.outcomeName);
        if (reply.failure == net::SoapFailure::Cancelled) {
            result.cancelled = true;
            return result;
        }
        if (reply.ok()) break;
        ui::Inform(request.parent, FailureMessage(request.caller, attempt), ui::Severity::Warning);
    }

    if (auto document = ReadWholeFile(attachment)) {
        if (document->size() > kLargestDocument) document->resize(kLargestDocument);
        const QByteArray bytes = QByteArray::fromStdString(*document);
        const OutcomeReading reading = request.reader(OutcomeDocumentLines(bytes));
        WriteDetails(details, reading.details);
        result.outcome = reading.outcome;
    }
    if (request.display) request.display(ReadDetails(details));
    return result;
}

}  // namespace braxol::telematic
