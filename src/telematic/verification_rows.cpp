#include "telematic/verification_rows.h"

#include <cmath>

#include "store/dates.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

constexpr double kSameDay = 0.1;

QString Amount(double value, int decimals) {
    return QString::fromStdString(FormatAmount(value, 0, decimals));
}

QString Date(double date) {
    return QString::fromStdString(FormatDate(date));
}

bool OfFlow(const TMOVIMENTO& r, double flowDate, int flowNumber) {
    return std::fabs(r.DATFLU - flowDate) < kSameDay && r.NUMFLU == flowNumber;
}

QString RegisterRow(const TMOVIMENTO& r) {
    if (r.CODMOV == "114")
        return " | Produzione del " + Date(r.DATMOV) + FlowMarker(r) + " Num." +
               ui::FromField(r.NUMDOC) + " Litri " + Amount(r.LITPRO, 0) + " Gr. " +
               Amount(r.GRAPLA, 0) + " Accise " + Amount(r.ACCISA, 0) + " " +
               ui::FromField(r.PRODAZ);
    return " | Lavaggio del " + Date(r.DATMOV) + FlowMarker(r) + " misuratore dal " +
           QString::number(r.INTER1) + " al " + QString::number(r.INTER2);
}

QString TributeRow(const TMOVIMENTO& r) {
    const QString head = " | " + ui::FromField(r.ANNPRO) + " " + ui::FromField(r.CODPAE) + " " +
                         ui::FromField(r.TIPRIC);
    if (r.TIPREC == "E") return head + " Riepilogo accisa " + "| Importo " + Amount(r.QUANTI, 2);
    return head + " Ravvedimento " + "| Importo " + Amount(r.QUANTI, 2) + "| Importo sanzione " +
           Amount(r.ETTOGR, 2) + "| Importo interessi " + Amount(r.DATPEC, 2) + " | " +
           ui::FromField(r.ANNOTA);
}

}  // namespace

QString FlowMarker(const TMOVIMENTO& trimmed) {
    if (trimmed.TIPRIC == "C") return QStringLiteral(" <CANCELLA> ");
    if (trimmed.TIPRIC == "I") return QStringLiteral(" <INS> ");
    return {};
}

QStringList VerificationRows(const WorkFolders& folders, int year, double flowDate,
                             int flowNumber) {
    QStringList rows;
    int row = 1;
    const MovementFile registers = OpenOrCreate(YearFile(folders.registri, year, ".RGM"));
    for (TMOVIMENTO r : registers.records()) {
        if (!OfFlow(r, flowDate, flowNumber)) continue;
        TrimMovement(r);
        rows << QString::number(++row) + RegisterRow(r);
    }
    const MovementFile tributes = OpenOrCreate(YearFile(folders.registri, year, ".DER"));
    for (TMOVIMENTO r : tributes.records()) {
        if (!OfFlow(r, flowDate, flowNumber)) continue;
        TrimMovement(r);
        if (r.TIPREC != "E" && r.TIPREC != "R") continue;
        rows << QString::number(++row) + TributeRow(r);
    }
    return rows;
}

}  // namespace braxol::telematic
