#pragma once
// Messages of the flow windows (movement flows and request flows).

#include <QString>

namespace braxol::telematic {

inline const QString kNothingSelected = QStringLiteral("NON E' STATO SELEZIONATO ALCUN MESSAGGIO");
inline const QString kSignedFileReplaced =
    QStringLiteral("IL FILE E' GIA' PRESENTE NELLA CARTELLA \"FIRMATI\": VERRA' SOSTITUITO");
inline const QString kFutureDates =
    QStringLiteral("Attenzione, date dei movimenti successive alla data del P.C.");
// The user code names the flow files: without four letters or digits no flow can be named.
inline const QString kUnusableUserCode = QStringLiteral(
    "ATTENZIONE: IL CODICE UTENTE DEI DATI AZIENDALI DEVE ESSERE DI 4 LETTERE O CIFRE");
// A flow needs the folder of files to sign of "Percorsi di FirmaeVerifica (path)".
inline const QString kNoSigningFolders =
    QStringLiteral("NON SONO STATI INDICATI I PERCORSI DELLE APPLICAZIONI");

// The transmission window.
inline const QString kAlreadySent = QStringLiteral("Flusso già inviato !");
inline const QString kNotSigned = QStringLiteral("Il flusso non è stato firmato !");
inline const QString kNoEnvironment =
    QStringLiteral("Non è stato selezionato l'ambiente per l'invio");
inline const QString kFileHasErrors = QStringLiteral("Il file contiene errori.");
inline const QString kSendToReal = QStringLiteral(
    "Il file è stato accettato nell'ambiente di prova!  PREMI \"OK\" PER INVIARLO "
    "NELL'AMBIENTE REALE");

// The detach window.
inline const QString kDetached = QStringLiteral("RIATTIVAZIONE ESEGUITA");

}  // namespace braxol::telematic
