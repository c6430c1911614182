#include "tributes/tribute_search.h"

#include <utility>

#include "store/csv.h"
#include "store/dates.h"
#include "store/flows.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/safe_file.h"
#include "tributes/periods.h"
#include "ui/text.h"

namespace braxol::tributes {
namespace {

const QString kFamily = QStringLiteral("Times New Roman");
constexpr double kBodySize = 10;
constexpr double kHeadingSize = 12;

std::string Amount(double value) {
    return FormatAmount(value, 0, 2);
}

QString Shown(std::string_view bytes) {
    return ui::FromRecord(bytes);
}

// Whether the record was struck out by a rectification: superseded, or a cancellation.
bool StruckOut(const TMOVIMENTO& r) {
    return r.STATO == "C" || r.TIPRIC == "C";
}

std::string PeriodColumn(const TMOVIMENTO& r) {
    return r.CODPAE.trimmed() + "/" + r.ANNPRO.trimmed();
}

using reports::Align;

struct Cell {
    double at;  // in widths of "E" from the left edge of the table
    Align align;
    std::string text;
};

std::vector<Cell> RowCells(const TMOVIMENTO& r, TributeKind kind) {
    const std::string flow = FlowColumn(r);
    if (kind == TributeKind::Excise)
        return {{6, Align::Centre, PeriodColumn(r)},
                {23, Align::Right, Amount(r.QUANTI)},
                {27, Align::Centre, r.MITDES.trimmed()},
                {35, Align::Centre, flow}};
    return {{6, Align::Centre, PeriodColumn(r)},          {24, Align::Right, Amount(r.QUANTI)},
            {37, Align::Right, Amount(r.COERES)},         {43, Align::Right, Amount(r.LITPRO)},
            {56, Align::Right, Amount(r.ETTOGR)},         {62, Align::Right, Amount(r.GRAPLA)},
            {68, Align::Right, std::to_string(r.INTER1)}, {81, Align::Right, Amount(r.DATPEC)},
            {85, Align::Centre, r.MITDES.trimmed()},      {93, Align::Centre, flow}};
}

struct Title {
    double at;
    const char* text;
};

const std::vector<Title>& ColumnTitles(TributeKind kind) {
    static const std::vector<Title> excise = {
        {6, "Periodo"}, {18, "Accise a debito"}, {27, "Capit."}, {35, "Flusso"}};
    static const std::vector<Title> correction = {
        {6, "Periodo"},     {18, "Importo magg."},       {31, "Sanzione minima"},
        {41.5, "% riduz."}, {50.5, "Importo sanzione"},  {60, "Tasso"},
        {66, "GG int."},    {75.5, "Importo interessi"}, {85, "Capit."},
        {93, "Flusso"}};
    return kind == TributeKind::Excise ? excise : correction;
}

const std::vector<double>& ColumnLimits(TributeKind kind) {
    static const std::vector<double> excise = {12, 24, 30};
    static const std::vector<double> correction = {12, 25, 38, 44, 57, 63, 69, 82, 88};
    return kind == TributeKind::Excise ? excise : correction;
}

// Draws the list. Vertical positions are those of the text's base line: a row written at Y
// sits just above the rule drawn at Y + LH / 5.
class ListDrawing {
public:
    ListDrawing(TributeKind kind, const QString& heading)
        : kind_(kind), heading_(heading), report_(QPageLayout::Landscape) {
        setMetrics();
    }

    void row(const TMOVIMENTO& r) {
        if (y_ > bottom_) {
            closePage();
            report_.newPage();
            setMetrics();
        }
        report_.setFont(kFamily, kBodySize, false, StruckOut(r));
        y_ += lh_;
        for (const Cell& c : RowCells(r, kind_)) text(y_, c.at, c.align, Shown(c.text));
        y0_ = y_ + lh_ / 5;
        report_.setFont(kFamily, kBodySize);
        report_.line(left_, y0_, right_, y0_);
    }

    reports::Report finish() {
        closePage();
        return std::move(report_);
    }

private:
    void setMetrics() {
        report_.setFont(kFamily, kBodySize);
        e_ = report_.textWidth(QStringLiteral("E"));
        lh_ = report_.lineHeight();
        const double cx = report_.pageWidth() / 2;
        const double half = kind_ == TributeKind::Excise ? 20 : 49;
        left_ = cx - half * e_;
        right_ = cx + half * e_;
        bottom_ = report_.pageHeight() - 8 * lh_;
        y_ = 6 * lh_;
        y0_ = y_;
    }

    void text(double baseLine, double at, Align align, const QString& s) {
        report_.text(left_ + at * e_, baseLine, s, align);
    }

    // The heading and the frame of the page, drawn when the page is complete.
    void closePage() {
        report_.setFont(kFamily, kHeadingSize, true);
        report_.text(report_.pageWidth() / 2, 2 * report_.lineHeight(), heading_, Align::Centre);
        report_.setFont(kFamily, kBodySize);
        report_.line(left_, 5 * lh_, right_, 5 * lh_);
        report_.line(left_, 6.1 * lh_, right_, 6.1 * lh_);
        report_.line(left_, 5 * lh_, left_, y0_);
        for (double limit : ColumnLimits(kind_))
            report_.line(left_ + limit * e_, 5 * lh_, left_ + limit * e_, y0_);
        report_.line(right_, 5 * lh_, right_, y0_);
        for (const Title& t : ColumnTitles(kind_))
            text(5.8 * lh_, t.at, Align::Centre, QString::fromLatin1(t.text));
    }

    TributeKind kind_;
    QString heading_;
    reports::Report report_;
    double e_ = 0, lh_ = 0, left_ = 0, right_ = 0, bottom_ = 0, y_ = 0, y0_ = 0;
};

}  // namespace

std::string_view KindLetter(TributeKind kind) {
    return kind == TributeKind::Excise ? kExciseKind : kCorrectionKind;
}

RangeCheck CheckSearchRange(std::string_view start, std::string_view end) {
    RangeCheck check;
    if (!ParseDate("01/" + std::string(start))) {
        check.error = RangeError::Start;
        return check;
    }
    const int year = start.size() >= 7 ? ParseInteger(start.substr(3, 4)) : 0;
    if (year < 2000 || year > 2100) {
        check.error = RangeError::Year;
        return check;
    }
    const int from = ParseInteger(start.substr(0, 2));
    const int to = ParseInteger(end);
    if (to < 1 || to > 22) {
        check.error = RangeError::End;
        return check;
    }
    if (to < from) {
        check.error = RangeError::EndBeforeStart;
        return check;
    }
    check.range = {year, from, to};
    return check;
}

std::vector<TMOVIMENTO> ListedTributes(const std::vector<TMOVIMENTO>& tributes, TributeKind kind,
                                       const SearchRange& range, bool sentOnly) {
    std::vector<TMOVIMENTO> listed;
    for (const TMOVIMENTO& r : tributes) {
        const int period = ParseInteger(r.CODPAE.view());
        if (period < range.fromPeriod || period > range.toPeriod) continue;
        if (!(r.TIPREC == KindLetter(kind))) continue;
        if (sentOnly && r.NUMFLU <= 0) continue;
        listed.push_back(r);
    }
    return listed;
}

std::string CsvHeader(TributeKind kind) {
    if (kind == TributeKind::Excise) return "Periodo;Accise a debito;Capitolo;Flusso;T.;S.;Note;";
    return "Periodo;Importo Magg.;Sanzione min.;%riduz.;Importo sanzione;Tasso;GG interessi;"
           "Importo interessi;Capitolo;Flusso;T.;S.;Note;";
}

std::string FlowColumn(const TMOVIMENTO& r) {
    return SentFlowText(r.DATFLU, r.NUMFLU);
}

std::string CsvLine(const TMOVIMENTO& r, TributeKind kind) {
    std::vector<std::string> fields = {PeriodColumn(r), Amount(r.QUANTI)};
    if (kind == TributeKind::Correction) {
        fields.push_back(Amount(r.COERES));
        fields.push_back(Amount(r.LITPRO));
        fields.push_back(Amount(r.ETTOGR));
        fields.push_back(Amount(r.GRAPLA));
        fields.push_back(std::to_string(r.INTER1));
        fields.push_back(Amount(r.DATPEC));
    }
    fields.push_back(r.MITDES.trimmed());
    fields.push_back(FlowColumn(r));
    fields.push_back(r.TIPRIC.padded());
    fields.push_back(r.STATO.padded());
    fields.push_back(r.ANNOTA.trimmed());
    return braxol::CsvLine(fields);
}

std::string SearchCsv(const std::vector<TMOVIMENTO>& listed, TributeKind kind) {
    std::vector<std::string> lines;
    for (const TMOVIMENTO& r : listed) lines.push_back(CsvLine(r, kind));
    return braxol::CsvText(CsvHeader(kind), lines);
}

fs::path SearchCsvPath(const WorkFolders& folders, TributeKind kind) {
    return folders.inTemp("RICERCA_" + std::string(KindLetter(kind)) + ".CSV");
}

reports::Report SearchReport(const std::vector<TMOVIMENTO>& listed, TributeKind kind,
                             const QString& heading) {
    ListDrawing drawing(kind, heading);
    for (const TMOVIMENTO& r : listed) drawing.row(r);
    return drawing.finish();
}

SearchOutcome RunTributeSearch(const WorkFolders& folders, TributeKind kind,
                               const SearchRange& range, bool sentOnly, const QString& heading) {
    SearchOutcome outcome{
        ListedTributes(ScanMovements(TributeFile(folders, range.year)), kind, range, sentOnly),
        reports::Report(QPageLayout::Landscape), SearchCsvPath(folders, kind)};
    ReplaceFileContent(outcome.csv, SearchCsv(outcome.listed, kind));
    outcome.report = SearchReport(outcome.listed, kind, heading);
    return outcome;
}

}  // namespace braxol::tributes
