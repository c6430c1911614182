#include "rawmaterials/totals.h"

#include <algorithm>

#include "store/dates.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/numbers.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"
#include "store/record_file.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

using reports::Align;

const QString kFamily = QStringLiteral("Times New Roman");
constexpr double kSize = 12;

// Draws the totals: rows from 7 lines down, then the heading and the grid of each page once
// the page is complete.
class TotalsDrawing {
public:
    TotalsDrawing(double date) : date_(date), report_(QPageLayout::Portrait) { setMetrics(); }

    void row(const TMOVIMENTO& t) {
        if (y_ > bottom_) {
            closePage();
            report_.newPage();
            setMetrics();
        }
        y_ += lh_;
        report_.text(at(10.5), y_, ui::FromField(t.PRODDO), Align::Centre);
        report_.text(at(31.5), y_, QuantityText(t.ETTOGR), Align::Right);
        report_.text(at(42.5), y_, QuantityText(t.COERES), Align::Right);
        report_.text(at(53.5), y_, QuantityText(t.LITPRO), Align::Right);
        report_.text(at(64.5), y_, QuantityText(RemainingStock(t)), Align::Right);
        y0_ = y_ + lh_ / 5;
        report_.line(left_, y0_, right_, y0_);
    }

    reports::Report finish() {
        closePage();
        return std::move(report_);
    }

private:
    double at(double n) const { return left_ + n * e_; }

    void setMetrics() {
        report_.setFont(kFamily, kSize);
        e_ = report_.textWidth(QStringLiteral("E"));
        lh_ = report_.lineHeight();
        const double cx = report_.pageWidth() / 2;
        left_ = cx - 32 * e_;
        right_ = cx + 33 * e_;
        bottom_ = report_.pageHeight() - 8 * lh_;
        y_ = 7 * lh_;
        y0_ = y_;
    }

    void closePage() {
        const QString year = QString::number(YearOfDate(date_).value_or(0));
        report_.setFont(kFamily, kSize, true);
        report_.text(report_.pageWidth() / 2, 2 * lh_,
                     QStringLiteral("Totali delle materie prime al ") +
                         QString::fromStdString(FormatDate(date_)),
                     Align::Centre);
        report_.setFont(kFamily, kSize);
        report_.line(left_, 5 * lh_, right_, 5 * lh_);
        report_.line(left_, 7 * lh_, right_, 7 * lh_);
        for (double x : {left_, at(21), at(32), at(43), at(54), right_})
            report_.line(x, 5 * lh_, x, y0_);
        const struct {
            double at;
            QString text;
        } titles[] = {{10.5, QStringLiteral("Materia Prima")},
                      {26.5, QStringLiteral("Riporti")},
                      {37.5, QStringLiteral("Carichi ") + year},
                      {48.5, QStringLiteral("Scarichi ") + year},
                      {59.5, QStringLiteral("Giacenza")}};
        for (const auto& t : titles) report_.text(at(t.at), 6.5 * lh_, t.text, Align::Centre);
    }

    double date_;
    reports::Report report_;
    double e_ = 0, lh_ = 0, left_ = 0, right_ = 0, bottom_ = 0, y_ = 0, y0_ = 0;
};

}  // namespace

QString QuantityText(double quantity) {
    return QString::fromStdString(FormatAmount(quantity, 0, 0));
}

std::vector<TMOVIMENTO> MaterialTotals(const fs::path& registri, int year,
                                       std::optional<double> upTo) {
    struct Sums {
        Decimal forward, loaded, unloaded;
    };
    std::vector<TMOVIMENTO> totals;
    std::vector<Sums> sums;
    for (int y = kFirstStockYear; y <= year; ++y) {
        const fs::path file = YearFile(registri, y, ".MPR");
        try {
            for (const TMOVIMENTO& r : ScanMovements(file)) {
                if (upTo && r.DATMOV > *upTo) continue;
                const Decimal quantity = Decimal::FromDouble(r.QUANTI);
                const bool load = r.TIPMOV == "C";
                const auto it = std::find_if(
                    totals.begin(), totals.end(),
                    [&](const TMOVIMENTO& t) { return t.PRODDO.padded() == r.PRODDO.padded(); });
                const auto at = static_cast<std::size_t>(it - totals.begin());
                if (it == totals.end()) {
                    totals.push_back(r);
                    sums.emplace_back();
                }
                Sums& sum = sums[at];
                if (y == year)
                    (load ? sum.loaded : sum.unloaded) += quantity;
                else
                    sum.forward += load ? quantity : -quantity;
            }
        } catch (const DecimalOverflow&) {
            throw IoError(file.string(), kQuantitiesBeyondRange);
        }
    }
    for (std::size_t i = 0; i < totals.size(); ++i) {
        totals[i].ETTOGR = sums[i].forward.ToDouble();
        totals[i].COERES = sums[i].loaded.ToDouble();
        totals[i].LITPRO = sums[i].unloaded.ToDouble();
    }
    return totals;
}

double RemainingStock(const TMOVIMENTO& total) {
    try {
        return (Decimal::FromDouble(total.ETTOGR) + Decimal::FromDouble(total.COERES) -
                Decimal::FromDouble(total.LITPRO))
            .ToDouble();
    } catch (const DecimalOverflow&) {
        // Beyond the figures of any register: the nearest the Doubles give.
        return total.ETTOGR + total.COERES - total.LITPRO;
    }
}

fs::path WriteTotals(const WorkFolders& folders, const std::vector<TMOVIMENTO>& totals) {
    const fs::path file = folders.inTemp(std::string(kTotalsFileName));
    RebuildWorkingFile<TMOVIMENTO>(file, totals);
    return file;
}

reports::Report TotalsReport(const std::vector<TMOVIMENTO>& totals, double date) {
    TotalsDrawing drawing(date);
    for (const TMOVIMENTO& t : totals) drawing.row(t);
    return drawing.finish();
}

TotalsOutcome RunMaterialTotals(const WorkFolders& folders, double date) {
    TotalsOutcome outcome{MaterialTotals(folders.registri, YearOfDate(date).value_or(0), date),
                          reports::Report()};
    WriteTotals(folders, outcome.totals);
    outcome.report = TotalsReport(outcome.totals, date);
    return outcome;
}

}  // namespace braxol::rawmaterials
