#include "telematic/flow_list.h"

#include "store/dates.h"
#include "store/numbers.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

QString Amount(double value, int decimals) {
    return QString::fromStdString(FormatAmount(value, 0, decimals));
}

QString Date(double date) {
    return QString::fromStdString(FormatDate(date));
}

}  // namespace

QString FlowListMarker(const TMOVIMENTO& r) {
    if (r.TIPRIC == "C") return QStringLiteral(" <CANCELLA> ");
    if (r.TIPRIC == "I") return QStringLiteral(" <INS> ");
    return {};
}

QString RegisterListLine(const TMOVIMENTO& r) {
    if (r.CODMOV == "114")
        return "Produzione del " + Date(r.DATMOV) + FlowListMarker(r) + " doc." +
               ui::FromField(r.NUMDOC) + " del " + Date(r.DATDOC) + " Litri " +
               Amount(r.LITPRO, 0) + " Gr. " + Amount(r.GRAPLA, 0) + " Accise " +
               Amount(r.ACCISA, 0) + " " + ui::FromField(r.PRODAZ);
    return "Lavaggio del " + Date(r.DATMOV) + FlowListMarker(r) + " misuratore dal " +
           QString::number(r.INTER1) + " al " + QString::number(r.INTER2);
}

QString TributeListLine(const TMOVIMENTO& r) {
    const QString head =
        ui::FromField(r.ANNPRO) + " " + ui::FromField(r.CODPAE) + FlowListMarker(r);
    if (r.TIPREC == "R")
        return head + " Ravvedimento " + "| Importo " + Amount(r.QUANTI, 2) +
               "| Importo sanzione " + Amount(r.ETTOGR, 2) + "| Importo interessi " +
               Amount(r.DATPEC, 2) + " | " + ui::FromField(r.ANNOTA);
    return head + " Riepilogo accisa " + "| Importo " + Amount(r.QUANTI, 2);
}

QString RequestListLine(const TMOVIMENTO& r) {
    QString marker;
    if (r.TIPRIC == "R") marker = QStringLiteral(" <RILASCIO> ");
    if (r.TIPRIC == "M") marker = QStringLiteral(" <MODIFICA> ");
    if (r.TIPRIC == "F") marker = QStringLiteral(" <CHIUSURA> ");
    if (r.TIPRIC == "A") marker = QStringLiteral(" <ANNULLA RILASCIO> ");
    return marker + QStringLiteral("data inizio validità: ") + Date(r.DATMOV) +
           QStringLiteral(" famiglia: ") + QString::number(r.INTER1) + QStringLiteral(" anno: ") +
           ui::FromField(r.ANNPRO) + QStringLiteral(" prot. ") + ui::FromField(r.NUMPRO) + " " +
           ui::FromField(r.ANNOTA);
}

}  // namespace braxol::telematic
