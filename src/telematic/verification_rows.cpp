#include "telematic/verification_rows.h"

#include <cmath>

#include "store/dates.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "telematic/flow_list.h"
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

QString RegisterRow(const TMOVIMENTO& r, FlowRowStyle style) {
    if (style == FlowRowStyle::Detach) return " | " + RegisterListLine(r);
    if (r.CODMOV == "114")
        return " | Produzione del " + Date(r.DATMOV) + FlowListMarker(r) + " Num." +
               ui::FromField(r.NUMDOC) + " Litri " + Amount(r.LITPRO, 0) + " Gr. " +
               Amount(r.GRAPLA, 0) + " Accise " + Amount(r.ACCISA, 0) + " " +
               ui::FromField(r.PRODAZ);
    return " | " + RegisterListLine(r);
}

QString TributeRow(const TMOVIMENTO& r) {
    const QString head = " | " + ui::FromField(r.ANNPRO) + " " + ui::FromField(r.CODPAE) + " " +
                         ui::FromField(r.TIPRIC);
    if (r.TIPREC == "E") return head + " Riepilogo accisa " + "| Importo " + Amount(r.QUANTI, 2);
    return head + " Ravvedimento " + "| Importo " + Amount(r.QUANTI, 2) + "| Importo sanzione " +
           Amount(r.ETTOGR, 2) + "| Importo interessi " + Amount(r.DATPEC, 2) + " | " +
           ui::FromField(r.ANNOTA);
}

bool IsTribute(const TMOVIMENTO& r) {
    return r.TIPREC.trimmed() == "E" || r.TIPREC.trimmed() == "R";
}

}  // namespace

std::vector<TMOVIMENTO> FlowRecordsOfYear(const WorkFolders& folders, int year,
                                          const std::function<bool(const TMOVIMENTO&)>& ofFlow) {
    std::vector<TMOVIMENTO> records;
    for (const TMOVIMENTO& r : ScanMovements(YearFile(folders.registri, year, ".RGM")))
        if (ofFlow(r)) records.push_back(r);
    for (const TMOVIMENTO& r : ScanMovements(YearFile(folders.registri, year, ".DER")))
        if (IsTribute(r) && ofFlow(r)) records.push_back(r);
    return records;
}

QStringList FlowRows(const std::vector<TMOVIMENTO>& records, FlowRowStyle style) {
    QStringList rows;
    int row = 1;
    for (TMOVIMENTO r : records) {
        TrimMovement(r);
        rows << QString::number(++row) + (IsTribute(r) ? TributeRow(r) : RegisterRow(r, style));
    }
    return rows;
}

QStringList VerificationRows(const WorkFolders& folders, int year, double flowDate,
                             int flowNumber) {
    return FlowRows(FlowRecordsOfYear(folders, year,
                                      [&](const TMOVIMENTO& r) {
                                          return std::fabs(r.DATFLU - flowDate) < kSameDay &&
                                                 r.NUMFLU == flowNumber;
                                      }),
                    FlowRowStyle::Verification);
}

}  // namespace braxol::telematic
