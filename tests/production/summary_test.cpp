// The summary of a period's production: what it counts, where its totals stand on the page,
// and the window TFRIEPMESE as a user works it.

#include "production/period_summary.h"
#include "production/summary_window.h"
#include "register_fixture.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::registers;

TMOVIMENTO Brew(int numope, double day, double litres, double degrees, double excise,
                std::string_view stato = " ", std::string_view tipric = "I") {
    TMOVIMENTO r = brew::StoredBrew(numope, day, 0, static_cast<int>(litres));
    r.LITPRO = litres;
    r.ETTOGR = degrees;
    r.ACCISA = excise;
    r.PRODDO.set("2203-00011-00-0000");
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    return r;
}

class PeriodSummary : public RegisterTest {
protected:
    Report Run(double from, double to) {
        return production::RunPeriodSummary(work.folders(), {DateRangeError::None, from, to},
                                            CompanyRecord());
    }
};

TEST_F(PeriodSummary, TotalsOfTheCountedProductions) {
    TMOVIMENTO other = Brew(5, Day(2025, 3, 20), 500, 60, 100);
    other.PRODDO.set("2203-00012-00-0000");
    WriteMovements(Register(2025),
                   {Brew(1, Day(2025, 3, 3), 1000, 125, 373.75),
                    Brew(2, Day(2025, 3, 4), 700, 80, 200, "C"),       // superseded
                    Brew(3, Day(2025, 3, 4), 700, 80, 200, " ", "C"),  // its cancellation
                    brew::StoredWash(4, Day(2025, 3, 5), 2000, 2100),
                    Brew(6, Day(2025, 3, 4), 1003, 125.375, 374.87, "R"), other,
                    Brew(7, Day(2025, 4, 1), 10, 1, 3)});
    const Report r = Run(Day(2025, 3, 1), Day(2025, 3, 19));
    ASSERT_EQ(r.pages().size(), 1u);
    EXPECT_EQ(r.pages()[0].orientation, QPageLayout::Landscape);
    for (const char* line :
         {"RIEPILOGO CARICHI dal 01/03/2025  al 19/03/2025", "Totali prodotti sfusi"})
        EXPECT_TRUE(Find(r, 0, line)) << line;
    EXPECT_EQ(BesideOf(r, 0, "Produzione"), QStringList({"2203-00011-00-0000", "Accisa", "Sfuso",
                                                         "L.i. 2.003", "HLg 250,375", "€ 748,62"}));
    EXPECT_EQ(BesideOf(r, 0, "propria"), QStringList({"assolta"}));
    EXPECT_EQ(BesideOf(r, 0, "Totali prodotti sfusi"),
              QStringList({"L.i. 2.003", "HLg 250,375", "€ 748,62"}));

    // Where things stand: G and the line of Times New Roman 10 measure the page.
    Report probe(QPageLayout::Landscape);
    probe.setFont("Times New Roman", 10);
    const double g = probe.textWidth("G"), lh = probe.lineHeight();
    const double m = probe.pageWidth() / 2 - 53 * g;
    const DrawCommand* litres = Find(r, 0, "L.i. 2.003");
    EXPECT_NEAR(litres->baseline, 26 * lh, 1e-6);
    EXPECT_NEAR(litres->box.center().x(), m + 71 * g, 1e-6);
    const DrawCommand* totals = Find(r, 0, "Totali prodotti sfusi");
    EXPECT_TRUE(totals->font.bold);
    EXPECT_NEAR(totals->baseline, 30 * lh, 1e-6);
    EXPECT_NEAR(totals->box.right(), m + 61 * g, 1e-6);
    for (const char* heading :
         {"Codice", "Causale", "Posizione", "Sfuso /", "Litri", "Ettogradi"})
        EXPECT_NEAR(Find(r, 0, heading)->baseline, 22 * lh, 1e-6) << heading;
    for (const char* heading : {"Prodotto", "Fiscale", "Condizionato", "Idrati", "a debito"})
        EXPECT_NEAR(Find(r, 0, heading)->baseline, 23 * lh, 1e-6) << heading;
    EXPECT_TRUE(Find(r, 0, "DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI - D.D. 140839/2013"));
    EXPECT_TRUE(Find(r, 0, "REGISTRO PRODOTTI FINITI SFUSI"));
    EXPECT_NEAR(Find(r, 0, "DITTA:")->baseline, 10 * lh, 1e-6);
    EXPECT_NEAR(Find(r, 0, "DITTA:")->box.left(), probe.pageWidth() / 2 + 1.3 * g, 1e-6);
    EXPECT_NEAR(Find(r, 0, "CODICE ACCISA: IT00MIA00123X")->baseline, 14 * lh, 1e-6);
    EXPECT_TRUE(Find(r, 0, "DENOMINAZIONE E FAMIGLIA / PRODOTTO: Birra"));
}

TEST_F(PeriodSummary, DecemberToJanuaryReadsOnlyDecember) {
    WriteMovements(Register(2024), {Brew(1, Day(2024, 12, 20), 1000, 125, 373.75)});
    WriteMovements(Register(2025), {Brew(1, Day(2025, 1, 10), 500, 60, 150)});
    const Report r = Run(Day(2024, 12, 15), Day(2025, 1, 15));
    EXPECT_EQ(BesideOf(r, 0, "Totali prodotti sfusi"),
              QStringList({"L.i. 1.000", "HLg 125", "€ 373,75"}));
}

TEST_F(PeriodSummary, NothingInTheRangePrintsZeroTotals) {
    const Report r = Run(Day(2025, 3, 1), Day(2025, 3, 31));
    EXPECT_EQ(BesideOf(r, 0, "Totali prodotti sfusi"), QStringList({"L.i. 0", "HLg 0", "€ 0,00"}));
    EXPECT_TRUE(fs::exists(Register(2025)));
}

TEST_F(PeriodSummary, TheWindowProposesTheMonthAndPrints) {
    SetToday(2025, 5, 17);
    WriteMovements(Register(2025), {Brew(1, Day(2025, 5, 3), 1000, 125, 373.75)});
    production::TFRIEPMESE window({work.folders(), CompanyRecord()});
    std::vector<Report> previews;
    QStringList titles;
    window.setPreview([&](const Report& r, const QString& title) {
        previews.push_back(r);
        titles << title;
    });
    ShowActive(&window);
    EXPECT_EQ(window.objectName(), "FRIEPMESE");
    EXPECT_EQ(window.windowTitle(), "Riepilogo produzioni per periodo tributo");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MDADA")->text(), "01/05/2025");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "MDAAL")->text(), "17/05/2025");
    EXPECT_EQ(FocusName(), "MDADA");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "MDAAL");
    Click(&window, "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0], "Riepilogo produzioni per periodo tributo");
    EXPECT_TRUE(Find(previews[0], 0, "RIEPILOGO CARICHI dal 01/05/2025  al 17/05/2025"));
    EXPECT_EQ(FocusName(), "MDADA");
    // An end before the start keeps the focus on the end; a start of 1999 on the start.
    Retype(&window, "MDAAL", "30042025");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "MDAAL");
    Retype(&window, "MDADA", "01051999");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(previews.size(), 1u);
    EXPECT_TRUE(seams.messages.shown().empty());
}

}  // namespace
}  // namespace braxol
