#include "production/details_report.h"

#include <array>

#include "production/movement_modes.h"
#include "reports/output.h"
#include "store/dates.h"
#include "store/numbers.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

constexpr double kLabelPoint = 1.0 / 3.7;  // labels end at this fraction of the page width
constexpr int kFirstLine = 5;              // the first label stands on the fifth line
constexpr int kNoteLine = 19;              // the note's label is the 20th

const std::array<const char*, 20> kLabels = {
    "Data, Numero e Nome del flusso telematico:",
    "Stato del movimento:",
    "Tipo Record:",
    "Tipo di richiesta:",
    "Tipo di registro:",
    "Codice ufficio:",
    "Anno e numero protocollo registro:",
    "Numero progressivo di registrazione:",
    "Data e numero del movimento:",
    "Data e ora della comunicazione preventiva:",
    "Tipo di birra:",
    "Codice tabella prodotti del S.T.D.:",
    "Coefficiente di resa:",
    "Lettura iniziale misuratore:",
    "Lettura finale misuratore:",
    "Litri di birra prodotti:",
    "Grado plato:",
    "Ettogradi di birra prodotti:",
    "Accisa assolta:",
    "Annotazioni:",
};

QString Date(double d) {
    return QString::fromStdString(FormatDate(d));
}
QString Amount(double v) {
    return QString::fromStdString(FormatAmount(v, 0, 0));
}
template <std::size_t N>
QString Text(const PStr<N>& field) {
    return ui::FromField(field);
}

// The values of lines 1 to 19 (empty: nothing printed after the label).
std::array<QString, 19> Values(const TMOVIMENTO& r, const QString& userCode) {
    std::array<QString, 19> v;
    v[0] = r.NUMFLU < 1 ? QString("da inviare")
                        : Date(r.DATFLU) + " - " + QString::number(r.NUMFLU) + " - " + userCode +
                              QString::fromStdString(FlowReference(r));
    v[1] = r.STATO == "C" ? "cancellato" : "attivo";
    v[2] = Text(r.TIPREC);
    v[3] = r.TIPRIC == "C" ? "cancella" : "inserimento";
    v[4] = Text(r.TIPREG);
    v[5] = Text(r.CODUFF);
    v[6] = Text(r.ANNPRO) + " - " + Text(r.NUMPRO);
    v[7] = QString::number(r.PROGRE);
    v[8] = Date(r.DATDOC) + " - " + Text(r.NUMDOC);
    if (IsProduction(r)) {
        v[9] = Date(r.DATPEC) + " - " + Text(r.MITDES);
        v[10] = Text(r.PRODAZ);
        v[11] = Text(r.PRODDO);
        v[12] = Amount(r.COERES);
        v[13] = QString::number(r.INTER1);
        v[14] = QString::number(r.INTER2);
        v[15] = Amount(r.LITPRO);
        v[16] = Amount(r.GRAPLA);
        v[17] = Amount(r.ETTOGR);
        v[18] = Amount(r.ACCISA);
    } else {
        v[10] = "****** LAVAGGIO *******";
        v[11] = Text(r.PRODDO);
        v[13] = QString::number(r.INTER1);
        v[14] = QString::number(r.INTER2);
    }
    return v;
}

}  // namespace

reports::Report DetailsReport(const TMOVIMENTO& stored, const QString& userCode) {
    TMOVIMENTO r = stored;
    TrimMovement(r);
    reports::Report report(QPageLayout::Landscape);
    report.setFont("Times New Roman", 10.5);
    const double line = report.lineHeight();
    const double x = report.pageWidth() * kLabelPoint;
    const double valueX = x + report.textWidth(" ");
    const auto values = Values(r, userCode);
    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        const double y = (kFirstLine + static_cast<double>(i)) * line;
        report.text(x, y, QString::fromUtf8(kLabels[i]), reports::Align::Right);
        if (i < values.size() && !values[i].isEmpty()) report.text(valueX, y, values[i]);
    }
    report.textWrapped(valueX, (kFirstLine + kNoteLine) * line, kNoteWidth, Text(r.ANNOTA));
    return report;
}

void ShowDetails(QWidget* parent, const TMOVIMENTO& record, const QString& userCode) {
    const reports::Report report = DetailsReport(record, userCode);
    reports::ShowPreview(report, "Dettagli del movimento", parent);
}

}  // namespace braxol::production
