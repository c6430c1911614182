#include "production/register_search.h"

#include <utility>

#include "production/movement_modes.h"
#include "production/register_texts.h"
#include "reports/register_layout.h"
#include "store/csv.h"
#include "store/dates.h"
#include "store/flows.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

using reports::Align;
using reports::RegisterMetrics;
using reports::RowCell;

bool IsWashSearch(SearchKind kind) {
    return kind == SearchKind::Washes || kind == SearchKind::SentWashes;
}

const char* Letters(SearchKind kind) {
    switch (kind) {
        case SearchKind::All:
            return "PL";
        case SearchKind::Productions:
            return "P";
        case SearchKind::SentProductions:
            return "p";
        case SearchKind::Washes:
            return "L";
        case SearchKind::SentWashes:
            return "l";
    }
    return "PL";
}

// ---- Field texts, as Windows-1252 bytes for the export and as QString for the list --------

std::string Amount(double value, int decimals = 0) {
    return FormatAmount(value, 0, decimals);
}
std::string DateText(double date) {
    return RegisterDate(date).toStdString();  // digits and "/" only
}
std::string OperationNumber(const TMOVIMENTO& r) {
    return r.PROGRE < 1 ? std::string(" ") : std::to_string(r.PROGRE);
}
std::string MeterText(const TMOVIMENTO& r) {
    return std::to_string(r.INTER1) + " -- " + std::to_string(r.INTER2);
}
std::string FlowText(const TMOVIMENTO& r) {
    return SentFlowText(r.DATFLU, r.NUMFLU);
}
std::string DocumentText(const TMOVIMENTO& r) {
    return DateText(r.DATDOC) + " " + r.NUMDOC.trimmed();
}
std::string PecField(const TMOVIMENTO& r) {
    return DateText(r.DATPEC) + " " + r.MITDES.trimmed();
}
std::string ProtocolText(const TMOVIMENTO& r) {
    return r.ANNPRO.trimmed() + " " + r.NUMPRO.trimmed();
}
std::string WashUse(const TMOVIMENTO& r) {
    return std::to_string(static_cast<long long>(r.INTER2) - r.INTER1);
}
QString Q(const std::string& bytes) {
    return ui::FromRecord(bytes);
}

// ---- Export ----------------------------------------------------------------------------------

std::string Header(SearchKind kind) {
    switch (kind) {
        case SearchKind::All:
            return "N.Op.;Data mov.;Data e n. doc.;Data e ora PEC;Litri;Gr.Plato;Ettogradi;Accisa;"
                   "Misuratore;Tipo di birra;Coeff. resa;Flusso;R;S;Codice prodotto;"
                   "Anno e n. prot.;NOTE;";
        case SearchKind::Productions:
        case SearchKind::SentProductions:
            return "N.Op.;Data prod.;Data e n. doc.;Data e ora PEC;Litri;Gr.Plato;Ettogradi;"
                   "Accisa;Misuratore;Tipo di birra;Coeff. resa;Flusso;R;S;Codice prodotto;"
                   "Anno e n. prot.;NOTE;";
        case SearchKind::Washes:
        case SearchKind::SentWashes:
            return "N.Op.;Data lavag.;Iniziale;Finale;Utilizzata;Flusso;R;S;Anno e n. prot.;NOTE;";
    }
    return {};
}

std::vector<std::string> ExportFields(SearchKind kind, const TMOVIMENTO& r) {
    if (IsWashSearch(kind))
        return {OperationNumber(r),       DateText(r.DATMOV), std::to_string(r.INTER1),
                std::to_string(r.INTER2), WashUse(r),         FlowText(r),
                r.TIPRIC.trimmed(),       r.STATO.trimmed(),  ProtocolText(r),
                r.ANNOTA.trimmed()};
    std::vector<std::string> f = {OperationNumber(r), DateText(r.DATMOV)};
    if (IsProduction(r))
        f.insert(f.end(), {DocumentText(r), PecField(r), Amount(r.LITPRO), Amount(r.GRAPLA),
                           Amount(r.ETTOGR), Amount(r.ACCISA, 2)});
    else
        f.insert(f.end(), 6, std::string());
    f.insert(f.end(),
             {MeterText(r), r.PRODAZ.trimmed(), Amount(r.COERES), FlowText(r), r.TIPRIC.trimmed(),
              r.STATO.trimmed(), r.PRODDO.trimmed(), ProtocolText(r), r.ANNOTA.trimmed()});
    return f;
}

bool Exported(SearchKind kind, const TMOVIMENTO& r) {
    return kind == SearchKind::All || IsActive(r);
}

// ---- The list --------------------------------------------------------------------------------

struct Layout {
    double size;                // of the body font
    double halfWidth;           // in E
    std::vector<double> rules;  // the vertical rules inside the table, in E from its left edge
};

const Layout& LayoutOf(SearchKind kind) {
    static const Layout productions{8, 80, {4, 14, 34, 50, 62, 70, 80, 88, 108, 141, 152}};
    static const Layout washes{12, 30, {4, 18, 41, 52}};
    return IsWashSearch(kind) ? washes : productions;
}

std::vector<reports::GridTitle> TitlesOf(SearchKind kind) {
    const double line = 1.5;  // the titles stand on line 6.5, the box starts on line 5
    if (IsWashSearch(kind))
        return {{2, line, "Nr."},
                {11, line, "Data lavaggio"},
                {29.5, line, "Misuratore"},
                {46.5, line, "Utilizzata"},
                {56, line, "N.flusso"}};
    const bool all = kind == SearchKind::All;
    return {{2, line, "Nr."},
            {9, line, all ? "Data mov." : "Data prod."},
            {24, line, QString::fromUtf8("Data e n° documento")},
            {42, line, "Data e ora PEC"},
            {56, line, "Litri"},
            {66, line, "Gr. Plato"},
            {75, line, "Ettogradi"},
            {84, line, "Accisa"},
            {98, line, "Misuratore"},
            {124.5, line, all ? "Tipo di birra / Lavaggio" : "Tipo di birra"},
            {146.5, line, "Coeff. resa"},
            {156, line, "N.flusso"}};
}

std::vector<RowCell> RowOf(SearchKind kind, const TMOVIMENTO& r) {
    const QString number = Q(OperationNumber(r));
    if (IsWashSearch(kind))
        return {{2, Align::Centre, number},
                {11, Align::Centre, Q(DateText(r.DATMOV))},
                {29.5, Align::Centre, Q(MeterText(r))},
                {46.5, Align::Centre, Q(WashUse(r))},
                {56, Align::Centre, Q(FlowText(r))}};
    if (!IsProduction(r))
        return {{2, Align::Centre, number},
                {9, Align::Centre, Q(DateText(r.DATMOV))},
                {98, Align::Centre, Q(MeterText(r)), 19.6},
                {124.5, Align::Centre, QStringLiteral("LAVAGGIO")},
                {146.5, Align::Centre, Q(Amount(r.COERES))},
                {156, Align::Centre, Q(FlowText(r))}};
    return {{2, Align::Centre, number},
            {9, Align::Centre, Q(DateText(r.DATMOV))},
            {24, Align::Centre, Q(DocumentText(r)), 19.6},
            {42, Align::Centre, Q(PecField(r)), 15.6},
            {61.5, Align::Right, Q(Amount(r.LITPRO))},
            {66, Align::Centre, Q(Amount(r.GRAPLA))},
            {79.5, Align::Right, Q(Amount(r.ETTOGR))},
            {87.5, Align::Right, Q(Amount(r.ACCISA, 2))},
            {98, Align::Centre, Q(MeterText(r)), 19.6},
            {124.5, Align::Centre, ui::FromField(r.PRODAZ).left(33).trimmed(), 32.6},
            {146.5, Align::Centre, Q(Amount(r.COERES))},
            {156, Align::Centre, Q(FlowText(r))}};
}

class ListDrawing {
public:
    ListDrawing(SearchKind kind, const QString& title)
        : kind_(kind),
          layout_(LayoutOf(kind)),
          title_(title),
          report_(QPageLayout::Landscape),
          pages_(
              report_,
              [this](reports::Report& r) {
                  return RegisterMetrics::Measure(r, layout_.halfWidth, layout_.halfWidth,
                                                  layout_.size);
              },
              7, [this](const RegisterMetrics& m, double rowsBottom) { heading(m, rowsBottom); }) {}

    void row(const TMOVIMENTO& r) {
        pages_.makeRoom();
        pages_.y += m().lh;
        pages_.y = pages_.y0 =
            reports::DrawRow(report_, m(), pages_.y, RowOf(kind_, r), !IsActive(r), 0.2);
    }

    reports::Report finish(const std::vector<TMOVIMENTO>& records) {
        if (!IsWashSearch(kind_)) {
            const SearchTotals t = TotalsOf(kind_, records);
            pages_.y += 1.3 * m().lh;
            report_.setFont(reports::kRegisterFamily, layout_.size, true);
            report_.text(m().at(61.5), pages_.y, Q(t.litres.Format(0, 0)), Align::Right);
            report_.text(m().at(79.5), pages_.y, Q(t.degrees.Format(0, 0)), Align::Right);
            report_.text(m().at(87.5), pages_.y, Q(t.excise.Format(0, 2)), Align::Right);
            report_.setFont(reports::kRegisterFamily, layout_.size);
        }
        pages_.closePage();
        return std::move(report_);
    }

private:
    const RegisterMetrics& m() const { return pages_.metrics(); }

    void heading(const RegisterMetrics& metrics, double rowsBottom) {
        report_.setFont(reports::kRegisterFamily, 12, true);
        report_.text(metrics.cx, 2 * report_.lineHeight(), title_, Align::Centre);
        report_.setFont(reports::kRegisterFamily, layout_.size);
        reports::HeadingGrid grid;
        const double width = 2 * layout_.halfWidth;
        grid.rules = {{0, width, reports::FromTop(0)}, {0, width, reports::FromTop(2)}};
        grid.columns = {{0, reports::FromTop(0), reports::FromRows(0)},
                        {width, reports::FromTop(0), reports::FromRows(0)}};
        for (double x : layout_.rules)
            grid.columns.push_back({x, reports::FromTop(0), reports::FromRows(0)});
        grid.titleSize = layout_.size;
        grid.titles = TitlesOf(kind_);
        reports::DrawHeadingGrid(report_, metrics, grid, 5 * metrics.lh, rowsBottom);
    }

    SearchKind kind_;
    const Layout& layout_;
    QString title_;
    reports::Report report_;
    reports::RegisterPages pages_;
};

}  // namespace

std::optional<SearchKind> SearchKindOfMode(QChar mode, bool washesWindow) {
    if (washesWindow) {
        if (mode == QLatin1Char('L')) return SearchKind::Washes;
        if (mode == QLatin1Char('l')) return SearchKind::SentWashes;
        return std::nullopt;
    }
    if (mode == QLatin1Char('P')) return SearchKind::Productions;
    if (mode == QLatin1Char('p')) return SearchKind::SentProductions;
    return std::nullopt;
}

QString SearchCaption(SearchKind kind) {
    switch (kind) {
        case SearchKind::All:
            return QStringLiteral("Ricerca Produzioni e Lavaggi ");
        case SearchKind::Productions:
            return QStringLiteral("Ricerca Produzioni");
        case SearchKind::SentProductions:
            return QStringLiteral("Ricerca Produzioni inviate");
        case SearchKind::Washes:
            return QStringLiteral("Ricerca Lavaggi");
        case SearchKind::SentWashes:
            return QStringLiteral("Ricerca Lavaggi inviati");
    }
    return {};
}

fs::path SearchCsvPath(const WorkFolders& folders, SearchKind kind) {
    // Not ResolvePath: on a file system that tells letter case apart RICERCA_p.CSV must not be
    // taken for an existing RICERCA_P.CSV.
    return folders.temp / (std::string("RICERCA_") + Letters(kind) + ".CSV");
}

bool IsActive(const TMOVIMENTO& r) {
    return !(r.STATO == "C") && !(r.TIPRIC == "C");
}

bool SearchTakes(SearchKind kind, const TMOVIMENTO& r) {
    switch (kind) {
        case SearchKind::All:
            return true;
        case SearchKind::Productions:
            return r.CODMOV == "114";
        case SearchKind::SentProductions:
            return r.CODMOV == "114" && r.NUMFLU >= 1;
        case SearchKind::Washes:
            return r.CODMOV == "129";
        case SearchKind::SentWashes:
            return r.CODMOV == "129" && r.NUMFLU >= 1;
    }
    return false;
}

std::vector<TMOVIMENTO> SearchRecords(const WorkFolders& folders, SearchKind kind,
                                      const DateRange& range) {
    std::vector<TMOVIMENTO> taken;
    const int first = YearOfDate(range.from).value_or(0);
    const int last = YearOfDate(range.to).value_or(0);
    for (int year = first; year <= last; ++year)
        for (const TMOVIMENTO& r :
             ScanMovements(MovementFilePath(folders, MovementFileKind::Register, year))) {
            const double day = RoundDecimals(r.DATMOV, 0);
            if (day >= range.from && day <= range.to && SearchTakes(kind, r)) taken.push_back(r);
        }
    return taken;
}

SearchTotals TotalsOf(SearchKind kind, const std::vector<TMOVIMENTO>& records) {
    SearchTotals t;
    if (IsWashSearch(kind)) return t;
    for (const TMOVIMENTO& r : records) {
        if (r.STATO == "C" || !(r.TIPRIC == "I") || !IsProduction(r)) continue;
        t.litres += Decimal::FromDouble(r.LITPRO);
        t.degrees += Decimal::FromDouble(r.ETTOGR);
        t.excise += Decimal::FromDouble(r.ACCISA).Rounded(2);
    }
    return t;
}

std::string SearchCsv(SearchKind kind, const std::vector<TMOVIMENTO>& records) {
    std::string csv = Header(kind);
    csv += kCsvLineEnd;
    for (const TMOVIMENTO& r : records) {
        if (!Exported(kind, r)) continue;
        csv += CsvLine(ExportFields(kind, r));
        csv += kCsvLineEnd;
    }
    return csv;
}

reports::Report SearchReport(SearchKind kind, const std::vector<TMOVIMENTO>& records,
                             const QString& title) {
    ListDrawing drawing(kind, title);
    for (const TMOVIMENTO& r : records) drawing.row(r);
    return drawing.finish(records);
}

SearchOutcome RunRegisterSearch(const WorkFolders& folders, SearchKind kind, const DateRange& range,
                                const QString& title) {
    SearchOutcome outcome{SearchRecords(folders, kind, range),
                          reports::Report(QPageLayout::Landscape), SearchCsvPath(folders, kind)};
    try {
        outcome.report = SearchReport(kind, outcome.records, title);
    } catch (const DecimalOverflow&) {
        throw IoError(MovementFilePath(folders, MovementFileKind::Register,
                                       YearOfDate(range.from).value_or(0))
                          .string(),
                      kFiguresBeyondRange);
    }
    ReplaceFileContent(outcome.csv, SearchCsv(kind, outcome.records));
    return outcome;
}

}  // namespace braxol::production
