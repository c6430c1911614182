#pragma once
// The texts that the tribute windows share.

#include <QString>

namespace braxol::tributes {

inline QString PeriodSentMessage() {
    return QStringLiteral("ATTENZIONE PERIODO GIA` INVIATO! PER MODIFICARE UTILIZZA LA RETTIFICA");
}
inline QString NegativeAmountMessage() {
    return QStringLiteral("NON SONO AMMESSI IMPORTI NEGATIVI !");
}
inline QString NoteRequiredMessage() {
    return QStringLiteral("Nota obbligatoria per le rettifiche");
}
// A rectification whose record is no longer in the tribute file writes nothing.
inline QString RectifiedMissingMessage() {
    return QStringLiteral(
        "ATTENZIONE IL RECORD DA RETTIFICARE NON È PIÙ PRESENTE NEL FILE: "
        "NESSUNA RETTIFICA REGISTRATA");
}
inline QString PeriodCaption() {
    return QStringLiteral(
        "Periodo di riferimento (01..11 gennaio..novembre, 21 e 22 1^ e 2^ "
        "quindicina dicembre)");
}
inline QString ChapterCaption() {
    return QStringLiteral("Capitolo imputazione tributi");
}
inline QString YearCaption() {
    return QStringLiteral("Anno di riferimento");
}
inline QString NoteCaption() {
    return QStringLiteral("Note (max 250):");
}

}  // namespace braxol::tributes
