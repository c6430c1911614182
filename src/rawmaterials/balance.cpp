#include "rawmaterials/balance.h"

#include <algorithm>

#include "production/brew_computation.h"
#include "rawmaterials/totals.h"
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
constexpr double kSize = 10;

QString RightAligned(const QString& text, int width) {
    return text.rightJustified(width, QLatin1Char(' '));
}

// A text of a field as the printed balance compares it: greater than "0" means something to
// print ("" and "0" do not).
bool Shows(const QString& text) {
    return text.trimmed() > QStringLiteral("0");
}

// Draws the balance from the top: every page starts with its heading.
class BalanceDrawing {
public:
    explicit BalanceDrawing(const BalanceSheet& sheet) : sheet_(sheet) {
        report_.setFont(kFamily, kSize);
        w_ = report_.textWidth(QStringLiteral("E"));
        l_ = report_.lineHeight();
        c_ = report_.pageWidth() / 2;
        m_ = c_ - 40 * w_;
        n_ = c_ + 40 * w_;
        b_ = report_.pageHeight() - 8 * l_;
        heading();
    }

    reports::Report draw() {
        materials();
        meter(sheet_.litreFrom, sheet_.litreTo, sheet_.litreWashes,
              QStringLiteral("Lettura del contalitri fiscale:         INIZIALE= "),
              QStringLiteral("Avanzamento del contalitri fiscale per i lavaggi: "));
        meter(sheet_.energyFrom, sheet_.energyTo, sheet_.energyWashes,
              QStringLiteral("Lettura del contatore energetico:       INIZIALE= "),
              QStringLiteral("Avanzamento del contatore energetico per i lavaggi:  "));
        brews();
        if (y_ + 5 * l_ > b_) newPage();
        const QString year = sheet_.year;
        y_ += 3 * l_;
        centred(QStringLiteral("Quantità di birra prodotta nell'anno ") + year +
                QStringLiteral(":  ") + sheet_.produced.trimmed());
        y_ += 1.3 * l_;
        centred(QStringLiteral("Quantità di birra condizionata ceduta nell'anno ") + year +
                QStringLiteral(":  ") + sheet_.sold.trimmed());
        y_ += 1.3 * l_;
        centred(QStringLiteral("Giacenza di birra al termine dell'esercizio finanziario ") + year +
                QStringLiteral(":  ") + sheet_.packagedStock.trimmed());
        y_ += 4 * l_;
        report_.text(1.5 * c_, y_, sheet_.company, Align::Centre);
        return std::move(report_);
    }

private:
    double at(double n) const { return m_ + n * w_; }
    void centred(const QString& text) { report_.text(c_, y_, text, Align::Centre); }

    void heading() {
        report_.setFont(kFamily, kSize, true);
        report_.text(c_, 2 * l_,
                     QStringLiteral("Bilancio di materia e di energia anno: ") + sheet_.year +
                         QStringLiteral(" cod. accisa ") + sheet_.exciseCode,
                     Align::Centre);
        report_.setFont(kFamily, kSize);
        y_ = 4 * l_;
    }
    void newPage() {
        report_.newPage();
        heading();
    }
    // A row of a table goes to the next page when this one is full.
    void nextRow() {
        if (y_ > b_) newPage();
        y_ += l_;
    }
    void titles(std::initializer_list<std::pair<double, QString>> columns) {
        report_.setFont(kFamily, kSize, true);
        for (const auto& [n, text] : columns) report_.text(at(n), y_, text, Align::Centre);
        report_.setFont(kFamily, kSize);
        y_ += 0.3 * l_;
        report_.line(m_, y_, n_, y_);
    }

    void materials() {
        y_ += l_;
        titles({{15, QStringLiteral("MATERIA PRIMA")},
                {42, QStringLiteral("Introdotta in deposito nel ") + sheet_.year},
                {69, QStringLiteral("Giacenza a fine Es. Finanziario")}});
        for (const TMOVIMENTO& t : sheet_.totals) {
            nextRow();
            report_.text(at(15), y_, ui::FromField(t.PRODDO), Align::Centre);
            report_.text(at(42), y_, QuantityText(t.COERES), Align::Centre);
            report_.text(at(69), y_, QuantityText(RemainingStock(t)), Align::Centre);
        }
    }

    void meter(const QString& from, const QString& to, const QString& washes,
               const QString& readings, const QString& advance) {
        if (!Shows(to)) return;
        y_ += 3 * l_;
        centred(readings + from + QStringLiteral("        FINALE= ") + to);
        if (!Shows(washes)) return;
        y_ += 1.3 * l_;
        centred(advance + washes);
    }

    void brews() {
        y_ += 3 * l_;
        titles({{25, QStringLiteral("TIPO DI BIRRA")},
                {53, QStringLiteral("n° di cotte")},
                {70.5, QStringLiteral("Coefficiente effettivo di resa")}});
        for (const TMOVIMENTO& brew : sheet_.brews) {
            nextRow();
            report_.text(at(25), y_, ui::FromRecord(brew.PRODAZ.trimmed().substr(0, 50)),
                         Align::Centre);
            report_.text(at(53), y_, QString::number(brew.NUMFLU), Align::Centre);
            const auto yield = EffectiveYield(brew);
            if (yield && *yield != 1)
                report_.text(at(70.5), y_, QuantityText(*yield), Align::Centre);
        }
    }

    const BalanceSheet& sheet_;
    reports::Report report_{QPageLayout::Portrait};
    double w_ = 0, l_ = 0, c_ = 0, m_ = 0, n_ = 0, b_ = 0, y_ = 0;
};

}  // namespace

BrewBalance BrewsOf(const std::vector<TMOVIMENTO>& records, bool energyMeter) {
    BrewBalance balance;
    Decimal litres;
    std::vector<Decimal> brewLitres;
    bool energy = energyMeter;
    for (const TMOVIMENTO& r : records) {
        if (!(r.TIPRIC == "I") || r.STATO == "C") continue;
        const std::int64_t advance = std::int64_t{r.INTER2} - r.INTER1;
        if (r.CODMOV == production::kProductionCode) {
            energy = r.COERES != 1;
            const Decimal produced = Decimal::FromDouble(r.LITPRO);
            litres += produced;
            auto it = std::find_if(
                balance.brews.begin(), balance.brews.end(),
                [&](const TMOVIMENTO& b) { return b.PRODAZ.padded() == r.PRODAZ.padded(); });
            if (it == balance.brews.end()) {
                TMOVIMENTO first = r;
                first.NUMFLU = 1;
                first.PROGRE = static_cast<std::int32_t>(advance);
                balance.brews.push_back(first);
                brewLitres.push_back(produced);
            } else {
                it->NUMFLU += 1;
                it->PROGRE = static_cast<std::int32_t>(it->PROGRE + advance);
                brewLitres[static_cast<std::size_t>(it - balance.brews.begin())] += produced;
            }
        } else if (r.CODMOV == production::kWashCode) {
            (energy ? balance.energyMeter : balance.litreCounter).washes += advance;
        }
        MeterReadings& meter = energy ? balance.energyMeter : balance.litreCounter;
        if (!meter.first) meter.first = r.INTER1;
        meter.last = r.INTER2;
    }
    balance.litres = litres.ToDouble();
    for (std::size_t i = 0; i < brewLitres.size(); ++i)
        balance.brews[i].LITPRO = brewLitres[i].ToDouble();
    return balance;
}

std::optional<double> EffectiveYield(const TMOVIMENTO& brew) {
    if (brew.PROGRE == 0) return std::nullopt;
    try {
        return Decimal::FromDouble(brew.LITPRO)
            .DividedBy(ExactDecimal::Whole(brew.PROGRE))
            .ToDouble();
    } catch (const DecimalOverflow&) {
        return std::nullopt;
    }
}

QString MaterialLine(const TMOVIMENTO& total) {
    return ui::FromRecord(total.PRODDO.padded()) + QString(5, QLatin1Char(' ')) +
           RightAligned(QuantityText(total.COERES), 15) + QString(4, QLatin1Char(' ')) +
           RightAligned(QuantityText(RemainingStock(total)), 16);
}

QString BrewLine(const TMOVIMENTO& brew) {
    return ui::FromRecord(brew.PRODAZ.padded().substr(0, 68)) +
           RightAligned(QString::number(brew.NUMFLU), 4) +
           RightAligned(QuantityText(brew.LITPRO), 16);
}

BalanceFigures ComputeBalance(const WorkFolders& folders, int year, bool energyMeter) {
    BalanceFigures figures;
    figures.totals = MaterialTotals(folders.registri, year);
    WriteTotals(folders, figures.totals);
    const fs::path brews = YearFile(folders.registri, year, ".RGM");
    try {
        figures.brews = BrewsOf(ScanMovements(brews), energyMeter);
    } catch (const DecimalOverflow&) {
        throw IoError(brews.string(), kQuantitiesBeyondRange);
    }
    RebuildWorkingFile<TMOVIMENTO>(folders.inTemp(std::string(kBrewsFileName)),
                                   figures.brews.brews);
    return figures;
}

reports::Report BalanceReport(const BalanceSheet& sheet) {
    return BalanceDrawing(sheet).draw();
}

}  // namespace braxol::rawmaterials
