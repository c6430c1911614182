#include "rawmaterials/search.h"

#include "rawmaterials/totals.h"
#include "store/csv.h"
#include "store/dates.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"
#include "store/safe_file.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

using reports::Align;

const QString kFamily = QStringLiteral("Times New Roman");
constexpr double kBodySize = 9;
constexpr double kHeadingSize = 12;
constexpr std::size_t kSupplierShown = 30;
constexpr std::size_t kNoteShown = 35;

bool IsLoad(const TMOVIMENTO& r) {
    return r.TIPMOV == "C";
}

std::string Progressive(const TMOVIMENTO& r) {
    return r.PROGRE < 1 ? std::string(" ") : std::to_string(r.PROGRE);
}

std::string Document(const TMOVIMENTO& r) {
    return FormatDate(r.DATDOC) + " " + r.NUMDOC.trimmed();
}

std::string Quantity(double quantity) {
    return FormatAmount(quantity, 0, 0);
}

QString Shown(std::string_view bytes) {
    return ui::FromRecord(bytes);
}

// Draws the list: rows from 7 lines down, the heading and the grid of each page once the page
// is complete.
class SearchDrawing {
public:
    explicit SearchDrawing(const QString& heading)
        : heading_(heading), report_(QPageLayout::Landscape) {
        setMetrics();
    }

    void row(const TMOVIMENTO& r) {
        if (y_ > bottom_) {
            closePage();
            report_.newPage();
            setMetrics();
        }
        const double quantity = RoundDecimals(r.QUANTI, 5);
        y_ += lh_;
        text(2, Align::Centre, Progressive(r));
        text(9, Align::Centre, FormatDate(r.DATMOV));
        text(24.5, Align::Centre, r.PRODDO.trimmed());
        text(IsLoad(r) ? 44.5 : 54.5, Align::Right, Quantity(quantity));
        text(65, Align::Centre, Document(r));
        text(90, Align::Centre, r.PRODAZ.trimmed().substr(0, kSupplierShown));
        text(122.5, Align::Centre, r.ANNOTA.trimmed().substr(0, kNoteShown));
        y0_ = y_ + lh_ / 5;
        report_.line(left_, y0_, right_, y0_);
    }

    reports::Report finish(const SearchTotals& totals) {
        report_.setFont(kFamily, kBodySize, true);
        y_ += 1.1 * lh_;
        text(24.5, Align::Centre, "Totali");
        text(44.5, Align::Right, Quantity(totals.loads));
        text(54.5, Align::Right, Quantity(totals.unloads));
        y_ += 1.1 * lh_;
        text(24.5, Align::Centre, "Differenza");
        text(44.5, Align::Right, Quantity(totals.difference));
        closePage();
        return std::move(report_);
    }

private:
    double at(double n) const { return left_ + n * e_; }
    void text(double n, Align align, std::string_view bytes) {
        report_.text(at(n), y_, Shown(bytes), align);
    }

    void setMetrics() {
        report_.setFont(kFamily, kBodySize);
        e_ = report_.textWidth(QStringLiteral("E"));
        lh_ = report_.lineHeight();
        left_ = report_.pageWidth() / 2 - 70 * e_;
        right_ = left_ + 140 * e_;
        bottom_ = report_.pageHeight() - 8 * lh_;
        y_ = 7 * lh_;
        y0_ = y_;
    }

    void closePage() {
        report_.setFont(kFamily, kHeadingSize, true);
        report_.text(report_.pageWidth() / 2, 2 * report_.lineHeight(), heading_, Align::Centre);
        report_.setFont(kFamily, kBodySize);
        report_.line(left_, 5 * lh_, right_, 5 * lh_);
        report_.line(left_, 7 * lh_, right_, 7 * lh_);
        for (double n : {0.0, 4.0, 14.0, 35.0, 45.0, 55.0, 75.0, 105.0})
            report_.line(at(n), 5 * lh_, at(n), y0_);
        report_.line(right_, 5 * lh_, right_, y0_);
        const struct {
            double at;
            const char* text;
        } titles[] = {{2, "Nr."},        {9, "Data Mov."}, {24.5, "Materia Prima"},
                      {40, "Carico"},    {50, "Scarico"},  {65, "Data e n° documento"},
                      {90, "Fornitore"}, {122.5, "Note"}};
        for (const auto& t : titles)
            report_.text(at(t.at), 6.5 * lh_, QString::fromUtf8(t.text), Align::Centre);
    }

    QString heading_;
    reports::Report report_;
    double e_ = 0, lh_ = 0, left_ = 0, right_ = 0, bottom_ = 0, y_ = 0, y0_ = 0;
};

}  // namespace

std::vector<TMOVIMENTO> SearchedMovements(const fs::path& registri, double from, double to,
                                          std::string_view material) {
    const bool all = material == kAllMaterials;
    TMOVIMENTO wanted = BlankMovement();
    wanted.PRODDO.set(material);
    std::vector<TMOVIMENTO> listed;
    const int first = YearOfDate(from).value_or(0);
    const int last = YearOfDate(to).value_or(-1);
    for (int y = first; y <= last; ++y) {
        for (const TMOVIMENTO& r : ScanMovements(YearFile(registri, y, ".MPR"))) {
            if (!(r.DATMOV >= from && r.DATMOV <= to)) continue;
            if (!all && r.PRODDO.padded() != wanted.PRODDO.padded()) continue;
            listed.push_back(r);
        }
    }
    return listed;
}

bool InReportYears(const std::optional<double>& date) {
    const auto year = date ? YearOfDate(*date) : std::nullopt;
    return year && *year >= 2000 && *year <= 2100;
}

SearchTotals TotalsOf(const std::vector<TMOVIMENTO>& listed) {
    Decimal loads, unloads;
    for (const TMOVIMENTO& r : listed)
        (IsLoad(r) ? loads : unloads) += Decimal::FromDouble(r.QUANTI);
    return {loads.ToDouble(), unloads.ToDouble(), (loads - unloads).ToDouble()};
}

std::string SearchCsvHeader() {
    return "N.Op.;Data Mov.;Materia Prima;Carico;Scarico;Data e n. doc.;Fornitore;Note;";
}

std::string SearchCsvLine(const TMOVIMENTO& r) {
    const std::string quantity = Quantity(RoundDecimals(r.QUANTI, 5));
    return CsvLine({Progressive(r), FormatDate(r.DATMOV), r.PRODDO.trimmed(),
                             IsLoad(r) ? quantity : "", IsLoad(r) ? "" : quantity, Document(r),
                             r.PRODAZ.trimmed(), r.ANNOTA.trimmed()});
}

std::string SearchCsv(const std::vector<TMOVIMENTO>& listed) {
    std::vector<std::string> lines;
    for (const TMOVIMENTO& r : listed) lines.push_back(SearchCsvLine(r));
    return CsvText(SearchCsvHeader(), lines);
}

fs::path SearchCsvPath(const WorkFolders& folders) {
    return folders.inTemp(std::string(kSearchCsvName));
}

reports::Report SearchReport(const std::vector<TMOVIMENTO>& listed, const QString& heading) {
    SearchDrawing drawing(heading);
    for (const TMOVIMENTO& r : listed) drawing.row(r);
    return drawing.finish(TotalsOf(listed));
}

SearchOutcome RunMaterialSearch(const WorkFolders& folders, double from, double to,
                                std::string_view material, const QString& heading) {
    SearchOutcome outcome{SearchedMovements(folders.registri, from, to, material),
                          reports::Report(QPageLayout::Landscape), SearchCsvPath(folders)};
    try {
        outcome.report = SearchReport(outcome.listed, heading);
    } catch (const DecimalOverflow&) {
        throw IoError(folders.registri.string(), kQuantitiesBeyondRange);
    }
    ReplaceFileContent(outcome.csv, SearchCsv(outcome.listed));
    return outcome;
}

}  // namespace braxol::rawmaterials
