#include "production/period_summary.h"

#include "production/movement_modes.h"
#include "production/register_texts.h"
#include "reports/register_layout.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

using reports::Align;
using reports::FromTop;
using reports::Report;

constexpr double kHalfWidth = 53;  // the table spans 106 widths of "G", centred

// The measures of the page: the letter "G" and the line of Times New Roman 10.
reports::RegisterMetrics Measure(Report& r) {
    reports::RegisterMetrics m = reports::RegisterMetrics::Measure(r, 0, 0, 10);
    m.e = r.textWidth(QStringLiteral("G"));
    m.left = m.cx - kHalfWidth * m.e;
    m.right = m.cx + kHalfWidth * m.e;
    return m;
}

const reports::HeadingGrid& Grid() {
    static const reports::HeadingGrid grid = [] {
        reports::HeadingGrid g;
        const double w = 2 * kHalfWidth;
        g.rules = {{0, w, FromTop(0)}, {0, w, FromTop(4)}, {0, w, FromTop(8)}};
        for (double x : {0., 22., 36., 50., 64., 78., 92., w})
            g.columns.push_back({x, FromTop(0), FromTop(8)});
        g.titleSize = 10;
        const std::pair<double, const char*> first[] = {
            {11, "Codice"}, {29, "Causale"},   {43, "Posizione"}, {57, "Sfuso /"},
            {71, "Litri"},  {85, "Ettogradi"}, {99, "Accisa"}};
        const std::pair<double, const char*> second[] = {{11, "Prodotto"},
                                                         {43, "Fiscale"},
                                                         {57, "Condizionato"},
                                                         {71, "Idrati"},
                                                         {99, "a debito"}};
        for (const auto& [x, text] : first) g.titles.push_back({x, 2, text});
        for (const auto& [x, text] : second) g.titles.push_back({x, 3, text});
        return g;
    }();
    return grid;
}

}  // namespace

PeriodTotals TotalsOfPeriod(const std::vector<TMOVIMENTO>& yearFile, const DateRange& range) {
    PeriodTotals t;
    for (const TMOVIMENTO& r : yearFile) {
        const double day = RoundDecimals(r.DATMOV, 0);
        if (!IsProduction(r) || day < range.from || day > range.to || r.STATO == "C" ||
            !(r.TIPRIC == "I"))
            continue;
        t.litres += Decimal::FromDouble(r.LITPRO);
        t.degrees += Decimal::FromDouble(r.ETTOGR);
        t.excise += Decimal::FromDouble(r.ACCISA).Rounded(2);
        t.productCode = r.PRODDO.trimmed();
    }
    return t;
}

Report PeriodSummary(const PeriodTotals& totals, const DateRange& range, const TUTENTE& company) {
    Report r(QPageLayout::Landscape);
    const reports::RegisterMetrics m = Measure(r);
    const double lh = m.lh;
    auto at = [&](double g) { return m.at(g); };
    const QString litres = QStringLiteral("L.i. ") + QString::fromStdString(totals.litres.Format());
    const QString degrees =
        QStringLiteral("HLg ") + QString::fromStdString(totals.degrees.Format());
    const QString excise =
        QStringLiteral("€ ") + QString::fromStdString(totals.excise.Format(0, 2));

    // The body.
    r.setFont(reports::kRegisterFamily, 10);
    const std::pair<double, QString> line26[] = {{11, ui::FromRecord(totals.productCode)},
                                                 {29, QStringLiteral("Produzione")},
                                                 {43, QStringLiteral("Accisa")},
                                                 {57, QStringLiteral("Sfuso")},
                                                 {71, litres},
                                                 {85, degrees},
                                                 {99, excise}};
    for (const auto& [x, text] : line26) r.text(at(x), 26 * lh, text, Align::Centre);
    r.text(at(29), 27 * lh, QStringLiteral("propria"), Align::Centre);
    r.text(at(43), 27 * lh, QStringLiteral("assolta"), Align::Centre);
    r.setBold(true);
    r.text(at(61), 30 * lh, QStringLiteral("Totali prodotti sfusi"), Align::Right);
    r.text(at(71), 30 * lh, litres, Align::Centre);
    r.text(at(85), 30 * lh, degrees, Align::Centre);
    r.text(at(99), 30 * lh, excise, Align::Centre);

    // The heading.
    r.setFont(reports::kRegisterFamily, 14, true);
    r.text(m.cx, 3 * m.lh14,
           QStringLiteral("DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI - D.D. 140839/2013"),
           Align::Centre);
    r.text(m.cx, 5.5 * m.lh14, QStringLiteral("REGISTRO PRODOTTI FINITI SFUSI"), Align::Centre);
    r.setFont(reports::kRegisterFamily, 10);
    const double companyX = m.cx + 1.3 * m.e;
    r.text(companyX, 10 * lh, QStringLiteral("DITTA:"));
    r.setBold(true);
    reports::LinesInBox(r, companyX, 11 * lh, m.right - companyX - 0.3 * m.e,
                        reports::CompanyLines(company));
    r.rectangle(QRectF(QPointF(m.cx + m.e, 8.8 * lh), QPointF(m.right, 14.4 * lh)));
    r.setBold(false);
    r.text(m.cx, 16 * lh, QStringLiteral("DENOMINAZIONE E FAMIGLIA / PRODOTTO: Birra"),
           Align::Centre);
    r.setFont(reports::kRegisterFamily, 14, true);
    r.text(m.cx, 18 * lh,
           QStringLiteral("RIEPILOGO CARICHI dal ") + RegisterDate(range.from) +
               QStringLiteral("  al ") + RegisterDate(range.to),
           Align::Centre);
    r.setFont(reports::kRegisterFamily, 10);
    reports::DrawHeadingGrid(r, m, Grid(), 20 * lh, 20 * lh);
    return r;
}

Report RunPeriodSummary(const WorkFolders& folders, const DateRange& range,
                        const TUTENTE& company) {
    const auto year = YearOfDate(range.from).value_or(0);
    const fs::path file = MovementFilePath(folders, MovementFileKind::Register, year);
    const auto records = ScanMovements(file);
    try {
        return PeriodSummary(TotalsOfPeriod(records, range), range, company);
    } catch (const DecimalOverflow&) {
        throw IoError(file.string(), kFiguresBeyondRange);
    }
}

}  // namespace braxol::production
