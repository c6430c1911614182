#pragma once
// Messages of the code-table windows, as the user reads them.

#include <QString>
#include <string_view>

#include "store/tables.h"

namespace braxol::tables {

inline QString MessageText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString MissingTableStructure() {
    return MessageText(kMissingTableStructureMessage);
}
inline QString MissingFileStructure() {
    return MessageText(kMissingFileStructureMessage);
}
inline QString CodeInUse() {
    return QStringLiteral("CODICE GIA` UTILIZZATO");
}
inline QString ExciseRatePresent() {
    return QStringLiteral("ACCISA GIA` PRESENTE");
}
// Said before the new-code window opens on a table that has no code yet; `menuEntry` is where
// the table is kept afterwards ("Codici e Tabelle → Uffici Doganali").
inline QString EmptyTable(const QString& title, const QString& menuEntry) {
    return QStringLiteral(
               "LA TABELLA \"%1\" È ANCORA VUOTA: INSERIRE ORA IL NUOVO CODICE\n\n"
               "(la tabella si aggiorna anche dal menu %2)")
        .arg(title, menuEntry);
}

}  // namespace braxol::tables
