// The raw-material search and totals: the window worked as a user works it, the list caught on
// its way to the preview, the CSV export compared byte for byte with golden/<case>/, and the
// totals per material as figures and as TOTALI.MP.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "rawmaterials/balance.h"
#include "rawmaterials/search_window.h"
#include "rawmaterials/totals.h"
#include "rawmaterials/totals_window.h"
#include "rawmaterials_fixture.h"
#include "store/io_error.h"
#include "store/record_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using rawmaterials::TFRICCARSCAMP;

class SearchWindow : public RawTest {
protected:
    std::unique_ptr<TFRICCARSCAMP> window;
    std::vector<reports::Report> previews;
    QStringList titles;

    void Open() {
        window.reset();
        window = std::make_unique<TFRICCARSCAMP>(
            tables::TableContext{folders(), "MATPRIME", false, 800, 600});
        window->setPreview([this](const reports::Report& report, const QString& title) {
            previews.push_back(report);
            titles << title;
        });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return ControlAs<QLineEdit>(W(), name)->text(); }
    void Search(const QString& from, const QString& to, const QString& material) {
        Retype(W(), "MDADA", from);
        PressEnter(W());
        Over(W(), to);
        Over(W(), material);
        EXPECT_EQ(FocusName(), "BCONF");
        PressEnter(W());
    }
    std::string Csv() const { return FileBytes(rawmaterials::SearchCsvPath(folders())); }
};

TEST_F(SearchWindow, OpensOnTheCurrentYear) {
    Open();
    EXPECT_EQ(window->objectName(), "FRICCARSCAMP");
    EXPECT_EQ(window->windowTitle(), "Ricerca carichi e scarichi delle materie prime");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(Shown("MDADA"), "01/01/2025");
    EXPECT_EQ(Shown("MDAAL"), "15/03/2025");
    EXPECT_EQ(Shown("PRODDO"), "");
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
    EXPECT_EQ(ControlAs<QPushButton>(W(), "BAPRI")->text(), "apri il file");
    EXPECT_EQ(Control(W(), "BPRODDO")->toolTip(), "mostra la tabella");

    // Searching the proposed range at once lists every material of an empty year.
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0],
              "Ricerca carichi e scarichi delle materie prime dal 01/01/2025 al 15/03/2025");
    EXPECT_EQ(Csv(),
              "N.Op.;Data Mov.;Materia Prima;Carico;Scarico;Data e n. doc.;Fornitore;"
              "Note;\r\n");
    EXPECT_TRUE(fs::exists(Mpr(2025)));
}

// One material of a month: the unload's line as the brewer's bookkeeper reads it, the other
// material left out, the totals and their difference at the foot of the list.
TEST_F(SearchWindow, OneMaterialOfAMonth) {
    TMOVIMENTO unload =
        Movement(4, 3, Day(2015, 3, 10), "S", "MALTO", 30, "DDT1", "DITTA A", "nota");
    unload.DATDOC = Day(2015, 3, 5);
    TMOVIMENTO unnumbered = Movement(5, 0, Day(2015, 3, 12), "C", "MALTO", 0.123456, "F-13");
    WriteMovements(Mpr(2015),
                   {Movement(1, 1, Day(2015, 2, 28), "C", "MALTO", 7, "F-11"),
                    Movement(2, 1, Day(2015, 3, 5), "C", "MALTO", 100, "F-12", "DITTA A"),
                    Movement(3, 2, Day(2015, 3, 6), "C", "LUPPOLO", 10, "F-20"), unload, unnumbered,
                    Movement(6, 4, Day(2015, 4, 1), "S", "MALTO", 1)});
    Open();
    Search("01032015", "31032015", "malto");

    ExpectGolden("one_material", "RICERCA_MP.CSV", Csv());
    ASSERT_EQ(previews.size(), 1u);
    const reports::Report& list = previews[0];
    EXPECT_EQ(list.pages().size(), 1u);
    EXPECT_EQ(list.pages()[0].orientation, QPageLayout::Landscape);
    const QStringList texts = AllTexts(list);
    for (const char* t :
         {"Totali", "100,12346", "Differenza", "70,12346", "Nr.", "Data Mov.", "Materia Prima",
          "Carico", "Scarico", "Data e n° documento", "Fornitore", "Note", "05/03/2015 DDT1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(texts.count("30"), 2);  // the unload and its total
    EXPECT_FALSE(texts.contains("LUPPOLO"));
    EXPECT_EQ(ControlAs<QLabel>(W(), "lfile")->text(),
              "Ricerca salvata in: " +
                  QString::fromStdString(rawmaterials::SearchCsvPath(folders()).string()));
    EXPECT_FALSE(Control(W(), "BAPRI")->isHidden());
    EXPECT_EQ(Shown("PRODDO"), "");
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_TRUE(window->isVisible());

    Click(W(), "BAPRI");
    EXPECT_EQ(seams.shell.opened,
              QStringList{QString::fromStdString(rawmaterials::SearchCsvPath(folders()).string())});
}

// From 15 December 2014 to 15 January 2015 the list takes both yearly files; a misspelt
// material becomes "TUTTE" and every material is listed.
TEST_F(SearchWindow, AcrossTwoYearsEveryMaterial) {
    TMOVIMENTO late = Movement(3, 3, Day(2014, 12, 31), "C", "MALTO", 1250, "F-99", "DITTA B");
    late.DATDOC = Day(2014, 12, 30);
    WriteMovements(Mpr(2014), {Movement(1, 1, Day(2014, 12, 14), "C", "MALTO", 9),
                               Movement(2, 2, Day(2014, 12, 15), "S", "LUPPOLO", 2.5, "B7"), late});
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 1, 15), "S", "MALTO", 40, "B1"),
                               Movement(2, 2, Day(2015, 1, 16), "S", "MALTO", 1, "B2")});
    Open();
    Retype(W(), "MDADA", "15122014");
    PressEnter(W());
    Over(W(), "15012015");
    Type(W(), "MALTTO");
    PressEnter(W());
    EXPECT_EQ(Shown("PRODDO"), "TUTTE");
    PressEnter(W());
    ExpectGolden("two_years", "RICERCA_MP.CSV", Csv());
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_TRUE(AllTexts(previews[0]).contains("1.207,5"));  // 1.250 - 2,5 - 40
}

TEST_F(SearchWindow, FieldsThatWouldShiftTheColumnsAreQuoted) {
    TMOVIMENTO r = Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 5, "DDT \"9\"",
                            "Societ\xe0 \"Orzo\" srl", "prima; seconda");
    WriteMovements(Mpr(2015), {r});
    Open();
    Search("01032015", "31032015", "");
    ExpectGolden("quoted_fields", "RICERCA_MP.CSV", Csv());
    EXPECT_TRUE(AllTexts(previews[0]).contains(QString::fromUtf8("Società \"Orzo\" srl")));
}

// Dates outside 2000..2100, or an end before the start, keep the focus on the date and search
// nothing; no message.
TEST_F(SearchWindow, DatesAreChecked) {
    const struct {
        const char* from;
        const char* to;
        const char* focus;
    } cases[] = {{"01011999", "31011999", "MDADA"},
                 {"31022015", "31032015", "MDADA"},
                 {"01032015", "28022015", "MDAAL"},
                 {"01032015", "01012101", "MDAAL"}};
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        Retype(W(), "MDADA", c.from);
        Retype(W(), "MDAAL", c.to);
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), c.focus);
    }
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_FALSE(fs::exists(rawmaterials::SearchCsvPath(folders())));
}

// A long list goes on over pages, each with its heading and grid; the totals end the last.
TEST_F(SearchWindow, ALongListGoesOnOverPages) {
    std::vector<TMOVIMENTO> many;
    for (int i = 1; i <= 120; ++i)
        many.push_back(Movement(i, i, Day(2015, 1, 1) + i, "C", "MALTO", 1, "F"));
    WriteMovements(Mpr(2015), many);
    const auto outcome = rawmaterials::RunMaterialSearch(folders(), Day(2015, 1, 1),
                                                         Day(2015, 12, 31), "TUTTE", "Titolo");
    ASSERT_GT(outcome.report.pages().size(), 1u);
    for (int p = 0; p < static_cast<int>(outcome.report.pages().size()); ++p) {
        EXPECT_TRUE(outcome.report.texts(p).contains("Titolo")) << p;
        EXPECT_TRUE(outcome.report.texts(p).contains("Fornitore")) << p;
    }
    const QStringList last =
        outcome.report.texts(static_cast<int>(outcome.report.pages().size()) - 1);
    EXPECT_TRUE(last.contains("Totali"));
    EXPECT_TRUE(last.contains("120"));
}

// ---- Totals ---------------------------------------------------------------------------------

// At 31 March 2016, a 2015 load of 100 and unload of 40 and a 2016 load of 10 and unload of 5
// give Riporti 60, Carichi 2016 10, Scarichi 2016 5, Giacenza 65; a movement after the date
// is passed by, and a material moved only after it does not appear.
TEST(Totals, BroughtForwardLoadsUnloadsAndStock) {
    TempWorkFolder work;
    const fs::path registri = work.folders().registri;
    WriteMovements(YearFile(registri, 2013, ".MPR"),
                   {Movement(1, 1, Day(2013, 5, 1), "C", "MALTO", 999)});
    WriteMovements(YearFile(registri, 2015, ".MPR"),
                   {Movement(1, 1, Day(2015, 2, 1), "C", "MALTO", 100, "F1", "DITTA A"),
                    Movement(2, 2, Day(2015, 6, 1), "S", "MALTO", 40)});
    WriteMovements(YearFile(registri, 2016, ".MPR"),
                   {Movement(1, 1, Day(2016, 1, 10), "C", "MALTO", 10),
                    Movement(2, 2, Day(2016, 3, 31), "S", "MALTO", 5),
                    Movement(3, 3, Day(2016, 4, 1), "S", "MALTO", 1000),
                    Movement(4, 4, Day(2016, 4, 2), "C", "LUPPOLO", 3)});
    const auto outcome = rawmaterials::RunMaterialTotals(work.folders(), Day(2016, 3, 31));
    ASSERT_EQ(outcome.totals.size(), 1u);
    const TMOVIMENTO& t = outcome.totals[0];
    EXPECT_EQ(t.PRODDO.trimmed(), "MALTO");
    EXPECT_EQ(t.NUMDOC.trimmed(), "F1");  // a copy of its first movement
    EXPECT_EQ(t.ETTOGR, 60);
    EXPECT_EQ(t.COERES, 10);
    EXPECT_EQ(t.LITPRO, 5);
    EXPECT_EQ(rawmaterials::RemainingStock(t), 65);

    const auto stored = ReadRecords<TMOVIMENTO>(work.folders().inTemp("TOTALI.MP"));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TRUE(SameBytes(stored[0], t));

    const QStringList texts = outcome.report.texts(0);
    for (const char* s :
         {"Totali delle materie prime al 31/03/2016", "Materia Prima", "Riporti", "Carichi 2016",
          "Scarichi 2016", "Giacenza", "MALTO", "60", "10", "5", "65"})
        EXPECT_TRUE(texts.contains(s)) << s;
    EXPECT_EQ(outcome.report.pages()[0].orientation, QPageLayout::Portrait);
}

// Totals are exact decimal sums: ten loads of 0,1 make 1. Quantities beyond any total are
// reported with the file that holds them, in the totals, the search and the balance alike.
TEST(Totals, ExactSumsAndQuantitiesBeyondAnyTotal) {
    TempWorkFolder work;
    const fs::path registri = work.folders().registri;
    std::vector<TMOVIMENTO> tenths;
    for (int i = 1; i <= 10; ++i)
        tenths.push_back(Movement(i, i, Day(2015, 2, i), "C", "LIEVITO", 0.1));
    WriteMovements(YearFile(registri, 2015, ".MPR"), tenths);
    const auto totals = rawmaterials::MaterialTotals(registri, 2015);
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals[0].COERES, 1.0);
    EXPECT_EQ(rawmaterials::RemainingStock(totals[0]), 1.0);

    WriteMovements(YearFile(registri, 2016, ".MPR"),
                   {Movement(1, 1, Day(2016, 1, 2), "C", "LIEVITO", 1e20)});
    const std::function<void()> runs[] = {
        [&] { rawmaterials::MaterialTotals(registri, 2016); },
        [&] {
            rawmaterials::RunMaterialSearch(work.folders(), Day(2016, 1, 1), Day(2016, 2, 1),
                                            "TUTTE", "x");
        },
        [&] { rawmaterials::ComputeBalance(work.folders(), 2016, false); }};
    for (const auto& run : runs) {
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.reason(), "quantità troppo grandi per il calcolo");
        }
    }
    EXPECT_FALSE(fs::exists(rawmaterials::SearchCsvPath(work.folders())));
}

// Before 2014 there is nothing to total: TOTALI.MP is emptied, whatever it held.
TEST(Totals, BeforeTheFirstYearNothing) {
    TempWorkFolder work;
    WriteFileBytes(work.folders().inTemp("TOTALI.MP"), "resti di prima");
    const auto outcome = rawmaterials::RunMaterialTotals(work.folders(), Day(2013, 12, 31));
    EXPECT_TRUE(outcome.totals.empty());
    EXPECT_EQ(FileBytes(work.folders().inTemp("TOTALI.MP")), "");
    EXPECT_EQ(outcome.report.pages().size(), 1u);
}

// More materials than a page holds go on to the next page, none lost.
TEST(Totals, ManyMaterialsGoOnOverPages) {
    TempWorkFolder work;
    std::vector<TMOVIMENTO> loads;
    for (int i = 0; i < 80; ++i)
        loads.push_back(
            Movement(i + 1, i + 1, Day(2015, 1, 2), "C", "MATERIA " + std::to_string(100 + i), 1));
    WriteMovements(YearFile(work.folders().registri, 2015, ".MPR"), loads);
    const auto report = rawmaterials::TotalsReport(
        rawmaterials::MaterialTotals(work.folders().registri, 2015), Day(2015, 12, 31));
    ASSERT_GT(report.pages().size(), 1u);
    EXPECT_TRUE(AllTexts(report).contains("MATERIA 179"));
    EXPECT_TRUE(report.texts(1).contains("Totali delle materie prime al 31/12/2015"));
}

// The totals window: the date of today proposed, the report shown, the window closed.
TEST_F(SearchWindow, TotalsWindow) {
    WriteMovements(Mpr(2025), {Movement(1, 1, Day(2025, 1, 10), "C", "MALTO", 12.5)});
    rawmaterials::TFTOTALIMP totals(folders());
    totals.setPreview([this](const reports::Report& report, const QString& title) {
        previews.push_back(report);
        titles << title;
    });
    ShowActive(&totals);
    EXPECT_EQ(totals.windowTitle(), "Totali materie prime");
    EXPECT_EQ(FocusName(), "MDAAL");
    EXPECT_EQ(ControlAs<QLineEdit>(&totals, "MDAAL")->text(), "15/03/2025");
    Retype(&totals, "MDAAL", "01011999");
    Click(&totals, "BCONF");
    EXPECT_EQ(FocusName(), "MDAAL");
    EXPECT_TRUE(previews.empty());
    Retype(&totals, "MDAAL", "31012025");
    PressEnter(&totals);
    PressEnter(&totals);
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0], "Totali materie prime");
    EXPECT_TRUE(previews[0].texts(0).contains("12,5"));
    EXPECT_FALSE(totals.isVisible());
}

}  // namespace
}  // namespace braxol
