#include "rawmaterials/material_register.h"

#include "rawmaterials/raw_register_sheet.h"
#include "store/dates.h"
#include "store/decimal.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/raw_material_stock.h"

namespace braxol::rawmaterials {
namespace {

using reports::Align;

constexpr double kFigureWidth = 9.6;  // a total in its column of 10 E

class MaterialDrawing {
public:
    explicit MaterialDrawing(const MaterialRegisterSettings& s)
        : s_(s), sheet_(RawRegisterKind::OneMaterial, s) {}

    reports::Report draw(const std::vector<TMOVIMENTO>& movements) {
        if (s_.form == reports::RegisterForm::HeadingsOnly) return sheet_.headings();
        for (const TMOVIMENTO& r : movements)
            if (DayOf(r) < s_.from) {
                if (IsLoad(r)) loads_ += QuantityOf(r);
                if (IsUnload(r)) loads_ -= QuantityOf(r);
            }
        broughtForward();
        for (const TMOVIMENTO& r : movements) {
            const double day = DayOf(r);
            if (day < s_.from || day > s_.to) continue;
            if (sheet_.pages().makeRoom()) broughtForward();
            sheet_.movement(r, r.PROGRE < 1 ? QString() : QString::number(r.PROGRE));
            if (IsLoad(r)) loads_ += QuantityOf(r);
            if (IsUnload(r)) unloads_ += QuantityOf(r);
        }
        totals();
        sheet_.pages().closePage();
        return sheet_.take();
    }

private:
    void broughtForward() {
        sheet_.line({{9, Align::Centre, QStringLiteral("RIPORTI")},
                     {44.5, Align::Right, RegisterQuantity(loads_), kFigureWidth},
                     {54.5, Align::Right, RegisterQuantity(unloads_), kFigureWidth}});
    }

    // Under the last row, outside the frame: the totals of the two columns and, under the
    // loads, what remains.
    void totals() {
        reports::Report& report = sheet_.report();
        const reports::RegisterMetrics& m = sheet_.metrics();
        double& y = sheet_.pages().y;
        report.line(m.at(35), y, m.at(35), y + 2.4 * m.lh);
        report.line(m.at(45), y, m.at(45), y + 2.4 * m.lh);
        report.line(m.at(55), y, m.at(55), y + 1.2 * m.lh);
        report.setFont(reports::kRegisterFamily, reports::kBodySize, true);
        auto figure = [&](double x, const Decimal& value) {
            reports::FittedText(report, m.at(x), y, kFigureWidth * m.e, RegisterQuantity(value),
                                Align::Right);
        };
        y += m.lh;
        report.text(m.at(34), y, QStringLiteral("Totali"), Align::Right);
        figure(44.5, loads_);
        figure(54.5, unloads_);
        report.line(m.at(35), y + m.lh / 5, m.at(55), y + m.lh / 5);
        y += m.lh;
        report.text(m.at(34), y, QStringLiteral("Rimanenza"), Align::Right);
        figure(44.5, loads_ - unloads_);
        report.line(m.at(35), y + m.lh / 5, m.at(45), y + m.lh / 5);
        report.setFont(reports::kRegisterFamily, reports::kBodySize);
    }

    const MaterialRegisterSettings& s_;
    RawRegisterSheet sheet_;
    Decimal loads_;  // from the stock brought forward
    Decimal unloads_;
};

}  // namespace

std::vector<TMOVIMENTO> MaterialMovements(const fs::path& registri, std::string_view material,
                                          double from) {
    TMOVIMENTO wanted = BlankMovement();
    wanted.PRODDO.set(material);
    std::vector<TMOVIMENTO> found;
    const int last = YearOfDate(from).value_or(0);
    for (int year = kFirstStockYear; year <= last; ++year)
        for (const TMOVIMENTO& r : ScanMovements(YearFile(registri, year, ".MPR")))
            if (r.PRODDO.padded() == wanted.PRODDO.padded()) found.push_back(r);
    return found;
}

reports::Report MaterialRegister(const MaterialRegisterSettings& settings,
                                 const std::vector<TMOVIMENTO>& movements) {
    return MaterialDrawing(settings).draw(movements);
}

}  // namespace braxol::rawmaterials
