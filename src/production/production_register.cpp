#include "production/production_register.h"

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "production/movement_modes.h"
#include "production/register_texts.h"
#include "reports/register_layout.h"
#include "store/numbers.h"
#include "store/record_file.h"
#include "store/table_structures.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

using reports::Align;
using reports::FromRows;
using reports::FromTop;
using reports::RegisterMetrics;
using reports::Report;

constexpr double kLeftInE = 77;
constexpr double kRightInE = 74;
constexpr double kWidthInE = kLeftInE + kRightInE;  // the right edge, in E from the left
constexpr double kRuleUnderRow = 0.25;
constexpr int kNoteLength = 160;

const reports::HeadingGrid& Grid() {
    static const reports::HeadingGrid grid = [] {
        reports::HeadingGrid g;
        const double w = kWidthInE;
        g.rules = {{0, w, FromTop(0)},       {20, 47, FromTop(0.8)},   {99, w, FromTop(0.8)},
                   {121, 137, FromTop(1.5)}, {0, w, FromTop(3)},       {99, 121, FromRows(1.3)},
                   {143, w, FromRows(1.3)},  {99, 121, FromRows(2.6)}, {99, 121, FromRows(3.9)}};
        for (double x : {0., 3., 20., 47., 55., 85., 137.})
            g.columns.push_back({x, FromTop(0), FromRows(0)});
        for (double x : {23., 32., 140.}) g.columns.push_back({x, FromTop(0.8), FromRows(0)});
        g.columns.push_back({129, FromTop(1.5), FromRows(0)});
        g.columns.push_back({99, FromTop(0), FromRows(3.9)});
        for (double x : {109., 117., 121.}) g.columns.push_back({x, FromTop(0.8), FromRows(3.9)});
        g.columns.push_back({143, FromTop(0.8), FromRows(1.3)});
        g.columns.push_back({w, FromTop(0), FromRows(1.3)});
        g.titleSize = 6;
        struct Heading {
            double x;
            const char* lines[4];
        };
        const Heading headings[] = {
            {1.5, {"", "Pr.", "riga", ""}},
            {11.5, {"", "Codice", "Prodotto", ""}},
            {21.5, {"", "", "Tipo", ""}},
            {27.5, {"", "Data", "di", "emissione"}},
            {33.5, {"Documenti", "", "", ""}},
            {39.5, {"", "Numero", "Identificativo", ""}},
            {51, {"", "Coefficiente", "di", "resa"}},
            {70, {"", "Tipo di Birra prodotta", "", ""}},
            {92, {"", "Data e Ora della", "comunicazione", "preventiva"}},
            {104, {"", "", "Ettogradi", ""}},
            {113, {"", "", "Litri", "idrati a 20°C"}},
            {119, {"Quantità", "", "KG", ""}},
            {125, {"", "", "Lettura", "Iniziale"}},
            {129, {"", "Letture Misuratore", "", ""}},
            {133, {"", "", "Lettura", "Finale"}},
            {138.5, {"", "Cau-", "sale", "mov."}},
            {141.5, {"", "Pos.", "Fisc.", ""}},
            {144, {"Contabilità", "", "", ""}},
            {147, {"", "Accisa", "a", "debito"}},
        };
        const double lines[4] = {0.6, 1.4, 2.1, 2.8};
        for (const Heading& h : headings)
            for (int i = 0; i < 4; ++i)
                if (*h.lines[i]) g.titles.push_back({h.x, lines[i], QString::fromUtf8(h.lines[i])});
        return g;
    }();
    return grid;
}

QString Shortest(double value) {
    return RegisterAmount(value);
}
QString Money(double value) {
    return RegisterAmount(value, 2);
}
QString Shortest(const Decimal& value) {
    return QString::fromStdString(value.Format(0, 0));
}
QString Money(const Decimal& value) {
    return QString::fromStdString(value.Format(0, 2));
}

// The beer column: the type with its degrees Plato, or the type alone when that is too long.
QString BeerText(const TMOVIMENTO& r) {
    const QString type = ui::FromField(r.PRODAZ).left(28);
    const QString full = type + QStringLiteral(" (°P.") + Shortest(r.GRAPLA) + ")";
    return full.size() > 28 ? type : full;
}

QString ExciseCode(const TUTENTE& company) {
    return ui::FromField(company.CACCI1);
}

class RegisterDrawing {
public:
    RegisterDrawing(const ProductionRegisterSettings& s)
        : s_(s),
          report_(QPageLayout::Landscape),
          numbering_(s.firstPage, s.pagesSuffix),
          lowerRows_(ExciseCode(s.company) == QLatin1String(kLowerRowsExciseCode)),
          washReference_(ExciseCode(s.company) == QLatin1String(kWashReferenceExciseCode)),
          referenceLine_(ExciseCode(s.company).mid(4, 2) == QLatin1String("SV")),
          pages_(
              report_, [](Report& r) { return RegisterMetrics::Measure(r, kLeftInE, kRightInE); },
              lowerRows_ ? 34.8 : 27.8,
              [this](const RegisterMetrics& m, double rowsBottom) { closePage(m, rowsBottom); }) {}

    Report headings() {
        pages_.titleSheets(s_.sheets, [this](const RegisterMetrics& m) { titleBlock(m); });
        return std::move(report_);
    }

    Report movements(const std::vector<TMOVIMENTO>& yearFile) {
        LoadTotals running = TotalsBefore(yearFile, s_.from);
        std::map<long, std::vector<const TMOVIMENTO*>> days;
        for (const TMOVIMENTO& r : yearFile) {
            const double day = RoundDecimals(r.DATMOV, 0);
            if (r.TIPRIC == "I" && day >= s_.from && day <= s_.to)
                days[static_cast<long>(day)].push_back(&r);
        }
        bool firstRow = true;
        for (const auto& [day, records] : days) {
            day_ = static_cast<double>(day);
            if (!firstRow) pages_.newPage();
            firstRow = false;
            dayOf(records, running);
        }
        return std::move(report_);
    }

private:
    const RegisterMetrics& m() const { return pages_.metrics(); }

    void dayOf(const std::vector<const TMOVIMENTO*>& records, LoadTotals& running) {
        LoadTotals dayTotals;
        Decimal dayExcise;
        QStringList notes;
        int row = 0;
        for (const TMOVIMENTO* r : records) {
            pages_.makeRoom();
            pages_.y += m().lh;
            ++row;
            const bool superseded = r->STATO == "C";
            if (superseded)
                notes << (QStringLiteral("Riga n. ") + QString::number(row) + ": " +
                          ui::FromField(r->ANNOTA))
                             .left(kNoteLength);
            if (IsProduction(*r) && !superseded) {
                dayTotals.litres += Decimal::FromDouble(r->LITPRO);
                dayTotals.degrees += Decimal::FromDouble(r->ETTOGR);
                dayExcise += Decimal::FromDouble(r->ACCISA).Rounded(2);
            }
            pages_.y = pages_.y0 =
                reports::DrawRow(report_, m(), pages_.y, cells(*r, row), superseded, kRuleUnderRow);
        }
        totals(dayTotals, dayExcise, running);
        for (const QString& note : notes) below(1, note);
        if (referenceLine_)
            below(3, QStringLiteral("Riferimenti del registro: ") + s_.protocolOffice.trimmed());
        pages_.closePage();
    }

    std::vector<reports::RowCell> cells(const TMOVIMENTO& r, int row) const {
        std::vector<reports::RowCell> c = {{1.5, Align::Centre, QString::number(row)},
                                           {11.5, Align::Centre, ui::FromField(r.PRODDO), 16.6}};
        if (IsProduction(r)) {
            c.insert(c.end(), {{21.5, Align::Centre, ui::FromField(r.TIPDOC)},
                               {27.5, Align::Centre, RegisterDate(r.DATDOC)},
                               {39.5, Align::Centre, ui::FromField(r.NUMDOC), 14.6},
                               {51, Align::Centre, Shortest(r.COERES)},
                               {70, Align::Centre, BeerText(r), 29.6},
                               {92, Align::Centre, PecText(r), 13.6},
                               {108.5, Align::Right, Shortest(r.ETTOGR)},
                               {116.5, Align::Right, Shortest(r.LITPRO)}});
        } else {
            c.push_back({70.5, Align::Centre,
                         washReference_
                             ? QStringLiteral("Lavaggio (L. ") +
                                   QString::number(static_cast<qint64>(r.INTER2) - r.INTER1) +
                                   QStringLiteral(" P.V. del 25/09/2015)")
                             : QStringLiteral("LAVAGGIO")});
        }
        c.insert(c.end(), {{125, Align::Centre, QString::number(r.INTER1)},
                           {133, Align::Centre, QString::number(r.INTER2)},
                           {138.5, Align::Centre, ui::FromField(r.CODMOV)}});
        if (IsProduction(r))
            c.insert(c.end(), {{141.5, Align::Centre, ui::FromField(r.CODACC)},
                               {150.5, Align::Right, Money(r.ACCISA)}});
        return c;
    }

    void totals(const LoadTotals& day, const Decimal& excise, LoadTotals& running) {
        report_.setFont(reports::kRegisterFamily, reports::kBodySize);
        auto line = [&](double advance, const QString& caption, const LoadTotals& t) {
            pages_.y += advance * m().lh;
            report_.text(m().at(98.5), pages_.y, caption, Align::Right);
            report_.text(m().at(108.5), pages_.y, Shortest(t.degrees), Align::Right);
            report_.text(m().at(116.5), pages_.y, Shortest(t.litres), Align::Right);
        };
        line(1.2, QStringLiteral("TOTALE CARICO DEL GIORNO"), day);
        report_.text(m().at(142.5), pages_.y, QStringLiteral("TOTALE"), Align::Right);
        report_.text(m().at(150.5), pages_.y, Money(excise), Align::Right);
        line(1.3, QStringLiteral("TOTALE CARICO AL GIORNO PRECEDENTE"), running);
        running.litres += day.litres;
        running.degrees += day.degrees;
        line(1.3, QStringLiteral("TOTALE CARICO AL ") + RegisterDate(day_), running);
    }

    // A line at the left edge `lines` LH under the last one. A line that would run off the
    // sheet goes on a new page of the same day, so no note of a struck-out row is ever lost.
    void below(double lines, const QString& text) {
        if (pages_.y + lines * m().lh > m().pageHeight - 2 * m().lh) {
            pages_.closePage();
            pages_.newPage();
        }
        pages_.y += lines * m().lh;
        report_.setFont(reports::kRegisterFamily, reports::kBodySize);
        reports::FittedText(report_, m().left, pages_.y, m().pageWidth - m().left - m().e, text);
    }

    void titleBlock(const RegisterMetrics& metrics) {
        reports::TitleBlock block;
        block.titles = {
            QStringLiteral("DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI - D.D. 140839/2013"),
            QStringLiteral("REGISTRO DI PRODUZIONE DI BIRRA")};
        block.pageLabelTitle = 1;
        block.office = s_.office;
        block.company = reports::CompanyLines(s_.company);
        const double y1 = reports::DrawTitleBlock(report_, metrics, block, numbering_);
        report_.text(metrics.cx, y1 + 6 * metrics.lh10,
                     QStringLiteral("DENOMINAZIONE E FAMIGLIA / PRODOTTO: Birra"), Align::Centre);
        reports::FittedText(
            report_, metrics.cx, y1 + 7.5 * metrics.lh10, metrics.right - metrics.left,
            QStringLiteral("CODICI DEI PRODOTTI AUTORIZZATI: ") + s_.productCodes, Align::Centre);
        report_.setFont(reports::kRegisterFamily, reports::kBodySize);
    }

    void closePage(const RegisterMetrics& metrics, double rowsBottom) {
        if (s_.form == RegisterForm::Complete) titleBlock(metrics);
        const double heading = (lowerRows_ ? 24 : 18) * metrics.lh10;
        report_.setFont(reports::kRegisterFamily, 14, true);
        report_.text(metrics.cx, heading, QStringLiteral("CARICO del ") + RegisterDate(day_),
                     Align::Centre);
        reports::DrawHeadingGrid(report_, metrics, Grid(), heading + 2 * metrics.lh, rowsBottom);
    }

    const ProductionRegisterSettings& s_;
    Report report_;
    reports::PageNumbering numbering_;
    bool lowerRows_;
    bool washReference_;
    bool referenceLine_;
    reports::RegisterPages pages_;
    double day_ = 0;
};

}  // namespace

LoadTotals TotalsBefore(const std::vector<TMOVIMENTO>& yearFile, double day) {
    LoadTotals t;
    for (const TMOVIMENTO& r : yearFile)
        if (IsProduction(r) && RoundDecimals(r.DATMOV, 0) < day && !(r.STATO == "C") &&
            r.TIPRIC == "I") {
            t.litres += Decimal::FromDouble(r.LITPRO);
            t.degrees += Decimal::FromDouble(r.ETTOGR);
        }
    return t;
}

QString ProductCodeList(const std::vector<TTABELLA>& beerTypes) {
    std::set<std::string> met;
    QString list;
    for (const TTABELLA& t : beerTypes) {
        const std::string code = t.text[1].str().substr(0, 9);
        if (!met.insert(code).second) continue;
        list += ui::FromRecord(TrimBlanks(code)) + QStringLiteral(" / ");
    }
    return list;
}

QString ProductCodeList(const fs::path& datiGen) {
    return ProductCodeList(ReadRecords<TTABELLA>(TableFile(datiGen, "PRAZ"), false));
}

reports::Report ProductionRegister(const ProductionRegisterSettings& settings,
                                   const std::vector<TMOVIMENTO>& yearFile) {
    RegisterDrawing drawing(settings);
    if (settings.form == RegisterForm::HeadingsOnly) return drawing.headings();
    return drawing.movements(yearFile);
}

}  // namespace braxol::production
