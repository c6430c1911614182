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

}  // namespace braxol::tables
