#include "telematic/soap_upload.h"

#include "store/io_error.h"
#include "store/safe_file.h"
#include "ui/seams.h"

namespace braxol::telematic {

QString UploadAnswerText(const UploadResult& result) {
    return QStringLiteral("risposta del webservice: ") + result.answer;
}

UploadResult UploadSignedFile(net::SoapTransport& transport,
                              const std::filesystem::path& signedFile, QWidget* parent) {
    const auto content = ReadWholeFile(signedFile);
    if (!content) throw IoError(signedFile.string(), "il file non esiste");
    UploadResult result;
    const net::SoapResult reply =
        transport.put(QByteArray::fromStdString(*content),
                      QString::fromStdString(signedFile.filename().string()));
    if (reply.failure == net::SoapFailure::Cancelled) {
        result.cancelled = true;
        result.answer = QStringLiteral("ERRORE");
        return result;
    }
    if (!reply.ok()) {
        ui::Inform(parent,
                   QStringLiteral("Errore di connessione, verifica la disponibilità del sito delle "
                                  "dogane"),
                   ui::Severity::Error);
        result.answer = QStringLiteral("ERRORE");
        return result;
    }
    result.answer = reply.text;
    result.taken = reply.text.contains(QStringLiteral("successo"));
    return result;
}

}  // namespace braxol::telematic
