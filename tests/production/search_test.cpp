// The register searches: what each takes, prints and exports, against the golden exports of
// golden/<case>/; and the three windows as a user works them.

#include <QLabel>
#include <QPushButton>
#include <limits>

#include "production/register_search.h"
#include "production/register_window.h"
#include "production/search_window.h"
#include "register_fixture.h"
#include "reports/register_layout.h"
#include "support/failing_writes.h"
#include "support/golden.h"
#include "support/qt/disk_fault_checks.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::registers;
using production::SearchKind;

// A production of `litres` litres, stored with its operation and progressive number.
TMOVIMENTO Brew(int numope, double day, int from, int litres, std::string_view stato = " ",
                std::string_view tipric = "I") {
    TMOVIMENTO r = brew::StoredBrew(numope, day, from, from + litres);
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    return r;
}

class RegisterSearch : public RegisterTest {
protected:
    DateRange Range(double from, double to) const { return {DateRangeError::None, from, to}; }
    production::SearchOutcome Run(SearchKind kind, double from, double to) {
        return production::RunRegisterSearch(work.folders(), kind, Range(from, to),
                                             production::SearchCaption(kind));
    }
    std::string Csv(SearchKind kind) const {
        return FileBytes(production::SearchCsvPath(work.folders(), kind));
    }
    long Lines(SearchKind kind) const {
        const std::string csv = Csv(kind);
        return std::count(csv.begin(), csv.end(), '\n');
    }
    void ExpectGolden(const std::string& testCase, SearchKind kind) const {
        const fs::path path = production::SearchCsvPath(work.folders(), kind);
        ExpectGoldenIn(BRAXOL_PRODUCTION_GOLDEN, testCase, path.filename().string(), Csv(kind));
    }
    // The row cells of a list: the texts on the baseline of each operation number.
    static std::vector<std::pair<QString, bool>> FirstCells(const Report& r) {
        std::vector<std::pair<QString, bool>> cells;
        Report probe(QPageLayout::Landscape);
        const auto m = reports::RegisterMetrics::Measure(probe, 80, 80);
        for (std::size_t page = 0; page < r.pages().size(); ++page)
            for (const DrawCommand* c : TextsOf(r, static_cast<int>(page)))
                if (std::abs(c->box.center().x() - m.at(2)) < 1e-6 && c->baseline > 7 * m.lh)
                    cells.push_back({c->text, c->font.strikeOut});
        return cells;
    }
};

TEST_F(RegisterSearch, ARangeAcrossTwoYearsReadsBothFiles) {
    WriteMovements(Register(2024),
                   {Brew(1, Day(2024, 12, 10), 0, 100), Brew(2, Day(2024, 12, 15), 100, 200),
                    brew::StoredWash(3, Day(2024, 12, 31), 300, 320)});
    WriteMovements(Register(2025),
                   {Brew(1, Day(2025, 1, 15), 320, 300), Brew(2, Day(2025, 1, 16), 620, 100)});
    const auto all = Run(SearchKind::All, Day(2024, 12, 15), Day(2025, 1, 15));
    ASSERT_EQ(all.records.size(), 3u);
    EXPECT_EQ(all.records[0].DATMOV, Day(2024, 12, 15));
    EXPECT_EQ(all.records[1].DATMOV, Day(2024, 12, 31));
    EXPECT_EQ(all.records[2].DATMOV, Day(2025, 1, 15));
    EXPECT_TRUE(Find(all.report, 0, "LAVAGGIO"));
    // Totals of the productions: 200 and 300 litres.
    EXPECT_TRUE(Find(all.report, 0, "500"));
    EXPECT_TRUE(Find(all.report, 0, "62,5"));
    EXPECT_TRUE(Find(all.report, 0, "747,50"));
    EXPECT_TRUE(Find(all.report, 0, "Ricerca Produzioni e Lavaggi "));
    ExpectGolden("two_years", SearchKind::All);
    // A year without a register is created empty and adds nothing.
    const auto later = Run(SearchKind::Productions, Day(2025, 12, 1), Day(2026, 1, 31));
    EXPECT_TRUE(later.records.empty());
    EXPECT_TRUE(fs::exists(Register(2026)));
    EXPECT_EQ(Csv(SearchKind::Productions),
              "N.Op.;Data prod.;Data e n. doc.;Data e ora PEC;Litri;Gr.Plato;Ettogradi;Accisa;"
              "Misuratore;Tipo di birra;Coeff. resa;Flusso;R;S;Codice prodotto;Anno e n. prot.;"
              "NOTE;\r\n");
    EXPECT_TRUE(Find(later.report, 0, "0,00"));  // zero totals on an empty list
}

TEST_F(RegisterSearch, RectifyChangeListsThreeRowsAndCountsOne) {
    const TMOVIMENTO sent =
        brew::SentOn(Brew(1, Day(2025, 3, 3), 0, 1000, "C"), Day(2025, 3, 5), 2);
    TMOVIMENTO cancellation = Brew(2, Day(2025, 3, 3), 0, 1000, " ", "C");
    cancellation.RIFOPE = 1;
    cancellation.PROGRE = 1;
    cancellation.ANNOTA.set("rettifica lettura");
    TMOVIMENTO replacing = Brew(3, Day(2025, 3, 3), 0, 800, "R");
    replacing.RIFOPE = 1;
    replacing.PROGRE = 1;
    replacing.ANNOTA.set("rettifica lettura");
    WriteMovements(Register(2025), {sent, cancellation, replacing});

    const auto all = Run(SearchKind::All, Day(2025, 1, 1), Day(2025, 3, 31));
    ASSERT_EQ(all.records.size(), 3u);
    EXPECT_EQ(FirstCells(all.report),
              (std::vector<std::pair<QString, bool>>{{"1", true}, {"1", true}, {"1", false}}));
    EXPECT_TRUE(Find(all.report, 0, "0305.C02"));
    // The totals: the replacing record alone.
    const production::SearchTotals totals = production::TotalsOf(SearchKind::All, all.records);
    EXPECT_EQ(totals.litres.Format(), "800");
    EXPECT_EQ(totals.degrees.Format(), "100");
    EXPECT_EQ(totals.excise.Format(0, 2), "373,75");
    ExpectGolden("rectify_change", SearchKind::All);

    const auto productions = Run(SearchKind::Productions, Day(2025, 1, 1), Day(2025, 3, 31));
    EXPECT_EQ(productions.records.size(), 3u);                // all three printed
    ExpectGolden("rectify_change", SearchKind::Productions);  // only the replacing one exported
    const auto sentOnly = Run(SearchKind::SentProductions, Day(2025, 1, 1), Day(2025, 3, 31));
    ASSERT_EQ(sentOnly.records.size(), 1u);
    EXPECT_EQ(sentOnly.records[0].NUMOPE, 1);
    // Struck out, so not exported: the export has its header alone.
    EXPECT_EQ(Lines(SearchKind::SentProductions), 1);
}

TEST_F(RegisterSearch, EdgeCasesOfTheRows) {
    TMOVIMENTO sent = brew::SentOn(Brew(1, Day(2025, 3, 3), 0, 1000), Day(2025, 3, 5), 2);
    TMOVIMENTO unnumbered = Brew(2, Day(2025, 3, 4), 1000, 10);
    unnumbered.PROGRE = 0;
    unnumbered.PRODAZ.set("BIRRA ARTIGIANALE AMBRATA DOPPIO MALTO AL MIELE");
    unnumbered.ANNOTA.set("nota; con \"virgolette\"\r\nsu due righe");
    TMOVIMENTO accents = Brew(3, Day(2025, 3, 5), 1010, 10);
    accents.PRODAZ.set("CAFF\xC8 SCURA");  // Windows-1252
    WriteMovements(Register(2025), {sent, unnumbered, accents});
    const auto out = Run(SearchKind::Productions, Day(2025, 3, 1), Day(2025, 3, 31));
    const Report& r = out.report;
    EXPECT_TRUE(Find(r, 0, "0305.C02"));
    // The unnumbered row has no number: nothing stands in its first column.
    EXPECT_EQ(FirstCells(r), (std::vector<std::pair<QString, bool>>{{"1", false}, {"3", false}}));
    EXPECT_EQ(BesideOf(r, 0, "04/03/2025 7").front(), "04/03/2025");
    EXPECT_TRUE(Find(r, 0, "BIRRA ARTIGIANALE AMBRATA DOPPIO"));  // 33 characters
    EXPECT_FALSE(Find(r, 0, "BIRRA ARTIGIANALE AMBRATA DOPPIO MALTO AL MIELE"));
    EXPECT_TRUE(Find(r, 0, QString::fromUtf8("CAFFÈ SCURA")));
    EXPECT_TRUE(Find(r, 0, "Ricerca Produzioni"));
    // Whole in the export, the note quoted; an unsent production has a blank flow.
    ExpectGolden("row_edges", SearchKind::Productions);
}

TEST_F(RegisterSearch, WashesHaveTheirOwnColumnsAndNoTotals) {
    WriteMovements(Register(2025), {Brew(1, Day(2025, 3, 3), 0, 1000),
                                    brew::SentOn(brew::StoredWash(2, Day(2025, 3, 3), 1000, 1040),
                                                 Day(2025, 3, 5), 2),
                                    Stored(Wash(Day(2025, 3, 4), 1040, 1050), 3, 3, "C"),
                                    brew::StoredWash(4, Day(2025, 3, 6), 1050, 1075)});
    const auto out = Run(SearchKind::Washes, Day(2025, 3, 1), Day(2025, 3, 31));
    ASSERT_EQ(out.records.size(), 3u);
    const Report& r = out.report;
    for (const char* t : {"Nr.", "Data lavaggio", "Misuratore", "Utilizzata", "N.flusso",
                          "1000 -- 1040", "40", "0305.C02", "25"})
        EXPECT_TRUE(Find(r, 0, t)) << t;
    EXPECT_FALSE(Find(r, 0, "1.000"));  // no production, no totals
    EXPECT_EQ(Find(r, 0, "Nr.")->font.size, 12);
    for (const DrawCommand* c : TextsOf(r, 0))
        if (c->text == "1040 -- 1050") {
            EXPECT_TRUE(c->font.strikeOut);
        }
    ExpectGolden("washes", SearchKind::Washes);
    const auto sent = Run(SearchKind::SentWashes, Day(2025, 3, 1), Day(2025, 3, 31));
    ASSERT_EQ(sent.records.size(), 1u);
    EXPECT_EQ(sent.records[0].NUMOPE, 2);
    ExpectGolden("washes", SearchKind::SentWashes);
}

TEST_F(RegisterSearch, ProductionsAndSentProductionsKeepTwoFiles) {
    WriteMovements(Register(2025),
                   {brew::SentOn(Brew(1, Day(2025, 3, 3), 0, 1000), Day(2025, 3, 5), 2),
                    Brew(2, Day(2025, 3, 4), 1000, 500)});
    Run(SearchKind::Productions, Day(2025, 3, 1), Day(2025, 3, 31));
    Run(SearchKind::SentProductions, Day(2025, 3, 1), Day(2025, 3, 31));
    Run(SearchKind::Washes, Day(2025, 3, 1), Day(2025, 3, 31));
    Run(SearchKind::SentWashes, Day(2025, 3, 1), Day(2025, 3, 31));
    const auto names = FolderNames(work.folders().temp);
    for (const char* name : {"RICERCA_P.CSV", "RICERCA_p.CSV", "RICERCA_L.CSV", "RICERCA_l.CSV"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_EQ(Lines(SearchKind::Productions), 3);
    EXPECT_EQ(Lines(SearchKind::SentProductions), 2);
}

TEST_F(RegisterSearch, AListLongerThanAPageRepeatsItsHeading) {
    std::vector<TMOVIMENTO> records;
    for (int i = 0; i < 120; ++i) records.push_back(Brew(i + 1, Day(2025, 3, 3), i * 10, 10));
    WriteMovements(Register(2025), records);
    const auto out = Run(SearchKind::Productions, Day(2025, 3, 1), Day(2025, 3, 31));
    ASSERT_GE(out.report.pages().size(), 2u);
    Report probe(QPageLayout::Landscape);
    const auto m = reports::RegisterMetrics::Measure(probe, 80, 80);
    for (int page = 0; page < static_cast<int>(out.report.pages().size()); ++page) {
        EXPECT_TRUE(Find(out.report, page, "Ricerca Produzioni")) << page;
        EXPECT_TRUE(Find(out.report, page, "N.flusso")) << page;
        for (const DrawCommand* c : TextsOf(out.report, page))
            EXPECT_LE(c->box.bottom(), m.pageHeight - 2 * m.lh) << c->text.toStdString();
    }
    EXPECT_EQ(FirstCells(out.report).size(), 120u);
}

// ---- The windows --------------------------------------------------------------------------

class SearchWindows : public RegisterTest {
protected:
    std::unique_ptr<production::RegisterSearchWindow> window;
    std::vector<Report> previews;
    QStringList titles;

public:
    template <class T>
    void Open(QChar mode) {
        window = std::make_unique<T>(production::SearchRequest{work.folders(), mode});
        window->setPreview([this](const Report& r, const QString& title) {
            previews.push_back(r);
            titles << title;
        });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Label() { return ControlAs<QLabel>(W(), "lfile")->text(); }
};

TEST_F(SearchWindows, EachWindowInItsModes) {
    struct Case {
        std::function<void(SearchWindows*)> open;
        const char* objectName;
        const char* caption;
        const char* file;
    };
    const Case cases[] = {
        {[](SearchWindows* t) { t->Open<production::TFRICTUTTO>(QChar()); }, "FRICTUTTO",
         "Ricerca Produzioni e Lavaggi ", "RICERCA_PL.CSV"},
        {[](SearchWindows* t) { t->Open<production::TFRICREGC>('P'); }, "FRICREGC",
         "Ricerca Produzioni", "RICERCA_P.CSV"},
        {[](SearchWindows* t) { t->Open<production::TFRICREGC>('p'); }, "FRICREGC",
         "Ricerca Produzioni inviate", "RICERCA_p.CSV"},
        {[](SearchWindows* t) { t->Open<production::TFRICREGL>('L'); }, "FRICREGL",
         "Ricerca Lavaggi", "RICERCA_L.CSV"},
        {[](SearchWindows* t) { t->Open<production::TFRICREGL>('l'); }, "FRICREGL",
         "Ricerca Lavaggi inviati", "RICERCA_l.CSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        previews.clear();
        titles.clear();
        c.open(this);
        EXPECT_EQ(W()->objectName(), c.objectName);
        EXPECT_EQ(W()->windowTitle(), c.caption);
        EXPECT_EQ(ControlAs<QLineEdit>(W(), "MDADA")->text(), "01/01/2025");
        EXPECT_EQ(ControlAs<QLineEdit>(W(), "MDAAL")->text(), "15/03/2025");
        EXPECT_EQ(FocusName(), "MDADA");
        EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
        EXPECT_EQ(Label(), "");
        Click(W(), "BCONF");
        ASSERT_EQ(previews.size(), 1u);
        EXPECT_EQ(titles[0], QString(c.caption) + " dal 01/01/2025 al 15/03/2025");
        const fs::path csv = work.folders().temp / c.file;
        EXPECT_TRUE(fs::exists(csv));
        EXPECT_EQ(Label(), "Ricerca salvata in: " + QString::fromStdString(csv.string()));
        EXPECT_FALSE(Control(W(), "BAPRI")->isHidden());
        EXPECT_EQ(FocusName(), "MDADA");
        Click(W(), "BAPRI");
        EXPECT_EQ(seams.shell.opened.back(), QString::fromStdString(csv.string()));
        window.reset();
    }
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(SearchWindows, WrongRangesMoveTheFocusAndSearchNothing) {
    Open<production::TFRICREGC>('P');
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    // Leaving the start date empties the label of the last export.
    FocusOn(W(), "MDADA");
    PressEnter(W());
    EXPECT_EQ(Label(), "");
    ExpectRangesRefused(W(), {{"31/02/2025", "15/03/2025", "MDADA"},
                              {"01/01/1999", "15/03/2025", "MDADA"},
                              {"01/03/2025", "28/02/2025", "MDAAL"},
                              {"01/03/2025", "01/01/2101", "MDAAL"}});
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
    EXPECT_EQ(previews.size(), 1u);
    EXPECT_TRUE(seams.messages.shown().empty());
}

// A disk fault on writing the export: its I/O error is shown, the previous export is kept and
// the window offers nothing to open. An export moved away meanwhile is simply written again.
TEST_F(SearchWindows, EveryDiskFaultOnTheExportIsReported) {
    const fs::path csv = work.folders().temp / "RICERCA_PL.CSV";
    for (const DiskFault fault : kAllDiskFaults) {
        SCOPED_TRACE(DiskFaultName(fault));
        WriteFileBytes(csv, "vecchia ricerca\r\n");
        seams.messages.clear();
        previews.clear();
        Open<production::TFRICTUTTO>(QChar());
        {
            FailingWrites faults(csv, fault);
            Click(W(), "BCONF");
        }
        if (fault == DiskFault::Vanished) {
            EXPECT_NE(FileBytes(csv), "vecchia ricerca\r\n");
            EXPECT_FALSE(FileBytes(csv).empty());
            EXPECT_EQ(FileBytes(FailingWrites::vanishedTo(csv)), "vecchia ricerca\r\n");
            fs::remove(FailingWrites::vanishedTo(csv));
            continue;
        }
        ExpectFaultReported(seams.messages, csv, "vecchia ricerca\r\n", fault);
        EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
        EXPECT_EQ(Label(), "") << "nothing is said to be saved";
    }
}

TEST_F(SearchWindows, AFileThatCannotBeReadIsReportedAndTheExportKept) {
    const fs::path csv = work.folders().temp / "RICERCA_PL.CSV";
    WriteFileBytes(csv, "vecchia ricerca\r\n");
    WriteFileBytes(Register(2025), std::string(100, 'x'));  // not whole records
    Open<production::TFRICTUTTO>(QChar());
    Click(W(), "BCONF");
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(FileBytes(csv), "vecchia ricerca\r\n");
    EXPECT_EQ(FileBytes(Register(2025)), std::string(100, 'x'));
    EXPECT_TRUE(Control(W(), "BAPRI")->isHidden());
}

}  // namespace
}  // namespace braxol

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::registers;

// A figure no register holds (a damaged or foreign file) is reported with its file, and no
// window prints or exports a wrong total.
TEST_F(SearchWindows, FiguresBeyondAnyRegisterAreReported) {
    TMOVIMENTO r = brew::StoredBrew(1, Day(2025, 3, 3), 0, 100);
    r.LITPRO = std::numeric_limits<double>::quiet_NaN();
    WriteMovements(Register(2025), {r});
    const fs::path csv = work.folders().temp / "RICERCA_P.CSV";
    WriteFileBytes(csv, "vecchia ricerca\r\n");
    Open<production::TFRICREGC>('P');
    Click(W(), "BCONF");
    EXPECT_TRUE(previews.empty());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(seams.messages.texts()[0].contains("importi troppo grandi per il calcolo"));
    EXPECT_EQ(FileBytes(csv), "vecchia ricerca\r\n");

    seams.messages.clear();
    production::TFSTAREGCARSCA reg({work.folders(), CompanyRecord()});
    std::vector<Report> printed;
    reg.setPreview([&](const Report& report, const QString&) { printed.push_back(report); });
    ShowActive(&reg);
    Click(&reg, "BCONF");
    EXPECT_TRUE(printed.empty());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_TRUE(seams.messages.texts()[0].contains("importi troppo grandi per il calcolo"));
}

}  // namespace
}  // namespace braxol
