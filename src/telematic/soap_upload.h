#pragma once
// The upload of a signed flow with the service's put: the whole signed file and its name.
// It counts as taken only when the service's answer contains "successo"; a call that fails
// shows the connection message and answers "ERRORE".

#include <QString>
#include <filesystem>

#include "net/soap_transport.h"

class QWidget;

namespace braxol::telematic {

struct UploadResult {
    bool taken = false;      // the answer contains "successo"
    QString answer;          // the service's text, "ERRORE" when the call failed
    bool cancelled = false;  // the window closed during the call
};

// "risposta del webservice: " + the answer, as the windows show it.
QString UploadAnswerText(const UploadResult& result);

// Throws IoError when the signed file cannot be read.
UploadResult UploadSignedFile(net::SoapTransport& transport,
                              const std::filesystem::path& signedFile, QWidget* parent);

}  // namespace braxol::telematic
