// The two raw-material registers read from their drawing commands: the register of one
// material with its stock brought forward, its rows, totals and remainder, across years and
// pages; the daily register with its day groups; the three forms of both.

#include <QStringList>

#include "rawmaterials/daily_register.h"
#include "rawmaterials/material_register.h"
#include "rawmaterials_fixture.h"
#include "reports/register_layout.h"
#include "store/decimal.h"
#include "support/qt/report_reading.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using namespace braxol::test::reading;
using rawmaterials::MaterialRegisterSettings;
using reports::RegisterForm;
using reports::RegisterMetrics;

TUTENTE Company() {
    TUTENTE c = BlankTutente();
    c.DENOM1.set("Birrificio di prova");
    c.INDIR1.set("Via Roma");
    c.NUMCI1.set("1");
    c.C_A_P1.set("20100");
    c.CITTA1.set("Milano");
    c.CACCI1.set("IT00MIA00123X");
    c.UFFDO1.set("UFFICIO DELLE DOGANE DI MILANO");
    TrimTutente(c);
    return c;
}

RegisterMetrics Metrics(double left, double right) {
    Report r(QPageLayout::Landscape);
    return RegisterMetrics::Measure(r, left, right);
}

class MaterialRegister : public RawTest {
protected:
    MaterialRegisterSettings Settings(double from, double to,
                                      RegisterForm form = RegisterForm::Complete) const {
        MaterialRegisterSettings s;
        s.form = form;
        s.from = from;
        s.to = to;
        s.office = "UFFICIO DELLE DOGANE DI MILANO\nprot. 12";
        s.company = Company();
        s.material = "MALTO";
        return s;
    }
    Report Draw(const MaterialRegisterSettings& s) {
        return rawmaterials::MaterialRegister(
            s, rawmaterials::MaterialMovements(folders().registri, s.material, s.from));
    }
    // The March of 2015 of the examples: 100 loaded in 2014, 50 loaded on the 5th and 30
    // unloaded on the 10th; around them what must not count.
    void WriteMarch() {
        WriteMovements(Mpr(2013), {Movement(1, 1, Day(2013, 6, 1), "C", "MALTO", 1000)});
        WriteMovements(Mpr(2014), {Movement(1, 1, Day(2014, 9, 1), "C", "MALTO", 100),
                                   Movement(2, 2, Day(2014, 9, 2), "C", "LUPPOLO", 5)});
        WriteMovements(Mpr(2015),
                       {Movement(1, 1, Day(2015, 3, 5), "C", "MALTO", 50, "F-1", "DITTA A"),
                        Movement(2, 2, Day(2015, 3, 6), "C", "LUPPOLO", 10),
                        Movement(3, 3, Day(2015, 3, 10), "S", "MALTO", 30, "B-7", "", "cotta 4"),
                        Movement(4, 4, Day(2015, 4, 1), "S", "MALTO", 1)});
    }
};

TEST_F(MaterialRegister, OpeningBalanceRowsTotalsAndRemainder) {
    WriteMarch();
    const Report r = Draw(Settings(Day(2015, 3, 1), Day(2015, 3, 31)));
    ASSERT_EQ(r.pages().size(), 1u);
    EXPECT_EQ(r.pages()[0].orientation, QPageLayout::Landscape);
    EXPECT_EQ(BesideOf(r, 0, "RIPORTI"), QStringList({"100", "0"}));
    EXPECT_EQ(BesideOf(r, 0, "05/03/2015"),
              QStringList({"1", "MALTO", "50", "05/03/2015 F-1", "DITTA A"}));
    EXPECT_EQ(BesideOf(r, 0, "10/03/2015"),
              QStringList({"3", "MALTO", "30", "10/03/2015 B-7", "cotta 4"}));
    EXPECT_EQ(BesideOf(r, 0, "Totali"), QStringList({"150", "30"}));
    EXPECT_EQ(BesideOf(r, 0, "Rimanenza"), QStringList({"120"}));
    EXPECT_FALSE(Find(r, 0, "LUPPOLO"));
    EXPECT_FALSE(Find(r, 0, "01/04/2015"));

    // From the 11th the unload is brought forward too, and no row is printed.
    const Report later = Draw(Settings(Day(2015, 3, 11), Day(2015, 3, 31)));
    EXPECT_EQ(BesideOf(later, 0, "RIPORTI"), QStringList({"120", "0"}));
    EXPECT_EQ(BesideOf(later, 0, "Totali"), QStringList({"120", "0"}));
    EXPECT_EQ(BesideOf(later, 0, "Rimanenza"), QStringList({"120"}));
    EXPECT_FALSE(Find(later, 0, "MALTO"));

    // Before 2014 nothing counts: no rows and totals of zero.
    const Report before = Draw(Settings(Day(2013, 1, 1), Day(2013, 12, 31)));
    EXPECT_EQ(BesideOf(before, 0, "RIPORTI"), QStringList({"0", "0"}));
    EXPECT_EQ(BesideOf(before, 0, "Rimanenza"), QStringList({"0"}));
    EXPECT_FALSE(Find(before, 0, "01/06/2013"));
}

TEST_F(MaterialRegister, TitleGridRowsAndTotalsStandWhereTheLayoutPutsThem) {
    WriteMarch();
    MaterialRegisterSettings s = Settings(Day(2015, 3, 1), Day(2015, 3, 31));
    s.firstPage = 4;
    s.pagesSuffix = " di 10 Es. Fin. 2015";
    const Report r = Draw(s);
    const RegisterMetrics m = Metrics(79, 80);

    const DrawCommand* title = Find(r, 0, "DEPOSITI FISCALI - MICROBIRRIFICI");
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->baseline, 2 * m.lh14, 1e-6);
    EXPECT_EQ(title->font.size, 14);
    const DrawCommand* subtitle = Find(r, 0, "REGISTRO DELLE MATERIE PRIME");
    ASSERT_TRUE(subtitle);
    EXPECT_TRUE(subtitle->font.bold);
    EXPECT_NEAR(subtitle->baseline, 2 * m.lh14 + 1.5 * m.lh10, 1e-6);
    const DrawCommand* label = Find(r, 0, "Pagina 4 di 10 Es. Fin. 2015");
    ASSERT_TRUE(label);
    EXPECT_NEAR(label->baseline, title->baseline, 1e-6);
    EXPECT_NEAR(label->box.right(), m.right - m.e10, 1e-6);
    for (const char* t : {"UFFICIO DELLE DOGANE DI MILANO", "prot. 12", "Birrificio di prova",
                          "Via Roma, 1", "20100 Milano", "CODICE ACCISA: IT00MIA00123X"})
        EXPECT_TRUE(Find(r, 0, t)) << t;
    // The boxes of the title block end above the grid.
    int boxes = 0;
    for (const DrawCommand& c : r.pages()[0].commands)
        if (c.kind == DrawCommand::Kind::Rectangle) {
            ++boxes;
            EXPECT_LT(c.box.bottom(), 18 * m.lh);
        }
    EXPECT_EQ(boxes, 2);

    const struct {
        const char* text;
        double x;
    } columns[] = {{"Nr.", 2},        {"Data Mov.", 9}, {"Materia Prima", 24.5},
                   {"Carico", 40},    {"Scarico", 50},  {"Data e n° documento", 65},
                   {"Fornitore", 90}, {"Note", 132.5}};
    for (const auto& c : columns) {
        const DrawCommand* t = Find(r, 0, QString::fromUtf8(c.text));
        ASSERT_TRUE(t) << c.text;
        EXPECT_NEAR(t->box.center().x(), m.at(c.x), 1e-6) << c.text;
        EXPECT_NEAR(t->baseline, 19.5 * m.lh, 1e-6) << c.text;
    }
    const DrawCommand* carried = Find(r, 0, "RIPORTI");
    EXPECT_NEAR(carried->baseline, 21 * m.lh, 1e-6);
    EXPECT_NEAR(carried->box.center().x(), m.at(9), 1e-6);
    const DrawCommand* load = Find(r, 0, "50");
    EXPECT_NEAR(load->baseline, 22 * m.lh, 1e-6);
    EXPECT_NEAR(load->box.right(), m.at(44.5), 1e-6);
    EXPECT_NEAR(Find(r, 0, "30")->box.right(), m.at(54.5), 1e-6);
    EXPECT_NEAR(Find(r, 0, "cotta 4")->box.center().x(), m.at(132), 1e-6);
    const DrawCommand* totals = Find(r, 0, "Totali");
    EXPECT_NEAR(totals->baseline, 24 * m.lh, 1e-6);
    EXPECT_NEAR(totals->box.right(), m.at(34), 1e-6);
    EXPECT_TRUE(totals->font.bold);
    EXPECT_NEAR(Find(r, 0, "Rimanenza")->baseline, 25 * m.lh, 1e-6);

    // The frame runs from the top of the grid to the rule under the last row; the totals stand
    // below it in their own short rules.
    bool leftEdge = false, rightEdge = false;
    int totalRules = 0;
    for (const DrawCommand* l : LinesOf(r, 0)) {
        const QRectF& b = l->box;
        if (b.width() == 0 && std::abs(b.left() - m.left) < 1e-6) {
            leftEdge = true;
            EXPECT_NEAR(b.top(), 18 * m.lh, 1e-6);
            EXPECT_NEAR(b.bottom(), 23.2 * m.lh, 1e-6);
        }
        if (b.width() == 0 && std::abs(b.left() - m.right) < 1e-6) rightEdge = true;
        if (b.height() == 0 && std::abs(b.left() - m.at(35)) < 1e-6) {
            ++totalRules;
            EXPECT_NEAR(b.right(), totalRules == 1 ? m.at(55) : m.at(45), 1e-6);
        }
    }
    EXPECT_TRUE(leftEdge);
    EXPECT_TRUE(rightEdge);
    EXPECT_EQ(totalRules, 2);
    EXPECT_NEAR(m.right - m.left, 159 * m.e, 1e-6);
    for (const DrawCommand* c : TextsOf(r, 0)) {
        EXPECT_GE(c->box.left(), 0) << c->text.toStdString();
        EXPECT_LE(c->box.right(), m.pageWidth) << c->text.toStdString();
    }
}

// Quantities with decimals, an unnumbered movement, the supplier and the note cut at 30 and
// 54 characters and kept inside their columns.
TEST_F(MaterialRegister, TextsOfARow) {
    const std::string supplier = "FORNITORE DI MALTI SPECIALI DEL NORD ITALIA";
    const std::string note(70, 'n');
    WriteMovements(Mpr(2015), {Movement(1, 0, Day(2015, 3, 5), "C", "MALTO", 1234.56789, "F-1",
                                        supplier, note),
                               Movement(2, 1, Day(2015, 3, 6), "S", "MALTO", 0.5)});
    const Report r = Draw(Settings(Day(2015, 3, 1), Day(2015, 3, 31)));
    const RegisterMetrics m = Metrics(79, 80);
    EXPECT_EQ(BesideOf(r, 0, "1.234,56789"),
              QStringList({"05/03/2015", "MALTO", "05/03/2015 F-1",
                           QString::fromStdString(supplier.substr(0, 30)),
                           QString::fromStdString(note.substr(0, 54))}));
    EXPECT_EQ(BesideOf(r, 0, "Totali"), QStringList({"1.234,56789", "0,5"}));
    EXPECT_EQ(BesideOf(r, 0, "Rimanenza"), QStringList({"1.234,06789"}));
    const DrawCommand* cut = Find(r, 0, QString::fromStdString(note.substr(0, 54)));
    ASSERT_TRUE(cut);
    EXPECT_GE(cut->box.left(), m.at(105));
    EXPECT_LE(cut->box.right(), m.right);
}

// A range longer than a page: the full page is closed with its title block and frame, and the
// next one starts again with the totals brought forward so far.
TEST_F(MaterialRegister, APageThatFillsUpCarriesItsTotalsForward) {
    std::vector<TMOVIMENTO> year;
    for (int i = 0; i < 60; ++i)
        year.push_back(
            Movement(i + 1, i + 1, Day(2015, 3, 1), i % 3 == 2 ? "S" : "C", "MALTO", 10));
    WriteMovements(Mpr(2015), year);
    const Report r = Draw(Settings(Day(2015, 3, 1), Day(2015, 3, 31)));
    ASSERT_GE(r.pages().size(), 2u);
    const RegisterMetrics m = Metrics(79, 80);
    int rows = 0;
    Decimal loads, unloads;
    for (int page = 0; page < static_cast<int>(r.pages().size()); ++page) {
        EXPECT_TRUE(Find(r, page, "REGISTRO DELLE MATERIE PRIME")) << page;
        EXPECT_TRUE(Find(r, page, "Fornitore")) << page;
        // Each page starts with what the pages before it carried.
        EXPECT_EQ(BesideOf(r, page, "RIPORTI"),
                  QStringList({QString::fromStdString(loads.Format()),
                               QString::fromStdString(unloads.Format())}))
            << page;
        for (const DrawCommand* c : TextsOf(r, page)) {
            if (c->text != "MALTO") continue;
            EXPECT_LE(c->baseline, m.bottom + m.lh + 1e-6);
            ++rows;
            (rows % 3 == 0 ? unloads : loads) += Decimal::FromInteger(10);
        }
        if (page + 1 < static_cast<int>(r.pages().size())) {
            EXPECT_FALSE(Find(r, page, "Totali"));
        }
    }
    EXPECT_EQ(rows, 60);
    const int last = static_cast<int>(r.pages().size()) - 1;
    EXPECT_EQ(BesideOf(r, last, "Totali"), QStringList({"400", "200"}));
    EXPECT_EQ(BesideOf(r, last, "Rimanenza"), QStringList({"200"}));
}

TEST_F(MaterialRegister, MovementsFormAndHeadingsForm) {
    WriteMarch();
    const Report movements =
        Draw(Settings(Day(2015, 3, 1), Day(2015, 3, 31), RegisterForm::MovementsOnly));
    ASSERT_EQ(movements.pages().size(), 1u);
    EXPECT_FALSE(Find(movements, 0, "REGISTRO DELLE MATERIE PRIME"));
    EXPECT_FALSE(Find(movements, 0, "ALLA DITTA:"));
    EXPECT_TRUE(Find(movements, 0, "Materia Prima"));
    EXPECT_EQ(BesideOf(movements, 0, "Rimanenza"), QStringList({"120"}));

    MaterialRegisterSettings s =
        Settings(Day(2015, 3, 1), Day(2015, 3, 31), RegisterForm::HeadingsOnly);
    s.sheets = 3;
    s.firstPage = 5;
    s.pagesSuffix = " di 3 Es. Fin. 2015";
    const Report headings = Draw(s);
    ASSERT_EQ(headings.pages().size(), 3u);
    for (int page = 0; page < 3; ++page) {
        EXPECT_TRUE(
            Find(headings, page, QStringLiteral("Pagina %1 di 3 Es. Fin. 2015").arg(5 + page)));
        EXPECT_TRUE(Find(headings, page, "REGISTRO DELLE MATERIE PRIME"));
        EXPECT_FALSE(Find(headings, page, "RIPORTI"));
        EXPECT_FALSE(Find(headings, page, "Nr."));
    }
}

// ---- The daily register ---------------------------------------------------------------------

class DailyRegister : public RawTest {
protected:
    reports::RegisterPrint Settings(double from, double to,
                                    RegisterForm form = RegisterForm::Complete) const {
        reports::RegisterPrint s;
        s.form = form;
        s.from = from;
        s.to = to;
        s.office = "UFFICIO DELLE DOGANE DI MILANO";
        s.company = Company();
        return s;
    }
};

TEST_F(DailyRegister, EachDayWithMovementsHasItsOwnPagesAndNumbers) {
    const std::vector<TMOVIMENTO> year = {
        Movement(1, 1, Day(2015, 3, 2), "C", "MALTO", 100, "F-1", "DITTA A"),
        Movement(2, 1, Day(2015, 3, 4), "C", "LUPPOLO", 2.5),
        Movement(3, 2, Day(2015, 3, 2), "S", "MALTO", 20, "B-1", "", "cotta 1"),
        Movement(4, 3, Day(2015, 3, 4), "S", "MALTO", 30),
        Movement(5, 4, Day(2015, 3, 9), "S", "MALTO", 1),  // after the week
    };
    const Report r = rawmaterials::DailyRegister(Settings(Day(2015, 3, 2), Day(2015, 3, 8)), year);
    ASSERT_EQ(r.pages().size(), 2u);
    EXPECT_TRUE(Find(r, 0, "Movimenti materie prime del 02/03/2015"));
    EXPECT_FALSE(Find(r, 0, "Movimenti materie prime del 04/03/2015"));
    EXPECT_EQ(BesideOf(r, 0, "100"),
              QStringList({"1", "02/03/2015", "MALTO", "02/03/2015 F-1", "DITTA A"}));
    EXPECT_EQ(BesideOf(r, 0, "20"),
              QStringList({"2", "02/03/2015", "MALTO", "02/03/2015 B-1", "cotta 1"}));
    EXPECT_TRUE(Find(r, 1, "Movimenti materie prime del 04/03/2015"));
    EXPECT_EQ(BesideOf(r, 1, "2,5").front(), "1");
    EXPECT_EQ(BesideOf(r, 1, "LUPPOLO").front(), "1");
    EXPECT_EQ(BesideOf(r, 1, "30").front(), "2");
    for (int page = 0; page < 2; ++page) {
        EXPECT_FALSE(Find(r, page, "09/03/2015"));
        EXPECT_FALSE(Find(r, page, "Totali"));
        EXPECT_FALSE(Find(r, page, "RIPORTI"));
        EXPECT_TRUE(Find(r, page, "DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI"));
        EXPECT_TRUE(Find(r, page, "Registro dei movimenti giornalieri delle materie prime"));
    }
}

TEST_F(DailyRegister, HeadingGridAndRowsStandWhereTheLayoutPutsThem) {
    reports::RegisterPrint s = Settings(Day(2015, 3, 2), Day(2015, 3, 2));
    s.firstPage = 1;
    s.pagesSuffix = " di 5 Es. Fin. 2015";
    const std::string note(60, 'n');
    const Report r = rawmaterials::DailyRegister(
        s, {Movement(1, 1, Day(2015, 3, 2), "C", "MALTO", 100, "F-1", "", note)});
    const RegisterMetrics m = Metrics(77, 74);
    EXPECT_NEAR(m.right - m.left, 151 * m.e, 1e-6);
    const DrawCommand* heading = Find(r, 0, "Movimenti materie prime del 02/03/2015");
    ASSERT_TRUE(heading);
    EXPECT_NEAR(heading->baseline, 18 * m.lh10, 1e-6);
    EXPECT_EQ(heading->font.size, 14);
    EXPECT_TRUE(heading->font.bold);
    EXPECT_NEAR(Find(r, 0, "Note")->box.center().x(), m.at(124.5), 1e-6);
    EXPECT_NEAR(Find(r, 0, "Note")->baseline, 18 * m.lh10 + 3.5 * m.lh, 1e-6);
    EXPECT_NEAR(Find(r, 0, "1")->baseline, 27.4 * m.lh, 1e-6);
    EXPECT_NEAR(Find(r, 0, "Pagina 1 di 5 Es. Fin. 2015")->baseline, 3.5 * m.lh14, 1e-6);
    // The note, cut at 54 characters, is written small enough to stay inside the frame.
    const DrawCommand* cut = Find(r, 0, QString::fromStdString(note.substr(0, 54)));
    ASSERT_TRUE(cut);
    EXPECT_NEAR(cut->box.center().x(), m.at(132), 1e-6);
    EXPECT_LE(cut->box.right(), m.right);
    // The rows start below the grid's heading.
    const DrawCommand* material = Find(r, 0, "MALTO");
    EXPECT_GT(material->box.top(), 18 * m.lh10 + 4.1 * m.lh - 1e-6);
}

TEST_F(DailyRegister, ADayLongerThanAPageGoesOnUnderTheSameDay) {
    std::vector<TMOVIMENTO> year;
    for (int i = 0; i < 50; ++i)
        year.push_back(Movement(i + 1, i + 1, Day(2015, 3, 2), "C", "MALTO", 2.5));
    year.push_back(Movement(51, 51, Day(2015, 3, 3), "C", "MALTO", 2.5));
    const Report r = rawmaterials::DailyRegister(Settings(Day(2015, 3, 1), Day(2015, 3, 31)), year);
    ASSERT_EQ(r.pages().size(), 3u);
    EXPECT_TRUE(Find(r, 0, "Movimenti materie prime del 02/03/2015"));
    EXPECT_TRUE(Find(r, 1, "Movimenti materie prime del 02/03/2015"));
    EXPECT_TRUE(Find(r, 1, "50"));
    EXPECT_FALSE(Find(r, 1, "1"));
    EXPECT_TRUE(Find(r, 2, "Movimenti materie prime del 03/03/2015"));
    EXPECT_TRUE(Find(r, 2, "1"));
}

TEST_F(DailyRegister, FormsAndAnEmptyRange) {
    const std::vector<TMOVIMENTO> year = {Movement(1, 1, Day(2015, 3, 2), "C", "MALTO", 100)};
    const Report movements = rawmaterials::DailyRegister(
        Settings(Day(2015, 3, 1), Day(2015, 3, 31), RegisterForm::MovementsOnly), year);
    ASSERT_EQ(movements.pages().size(), 1u);
    EXPECT_FALSE(Find(movements, 0, "DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI"));
    EXPECT_TRUE(Find(movements, 0, "Movimenti materie prime del 02/03/2015"));

    reports::RegisterPrint s =
        Settings(Day(2015, 3, 1), Day(2015, 3, 31), RegisterForm::HeadingsOnly);
    s.sheets = 2;
    s.firstPage = 0;
    const Report headings = rawmaterials::DailyRegister(s, year);
    ASSERT_EQ(headings.pages().size(), 2u);
    for (int page = 0; page < 2; ++page) {
        EXPECT_TRUE(Find(headings, page, "Registro dei movimenti giornalieri delle materie prime"));
        EXPECT_TRUE(Find(headings, page, "UFFICIO DELLE DOGANE DI MILANO"));
        EXPECT_FALSE(Find(headings, page, "MALTO"));
        for (const DrawCommand* c : TextsOf(headings, page))
            EXPECT_FALSE(c->text.startsWith("Pagina"));
    }

    const Report empty =
        rawmaterials::DailyRegister(Settings(Day(2015, 4, 1), Day(2015, 4, 30)), year);
    ASSERT_EQ(empty.pages().size(), 1u);
    EXPECT_TRUE(empty.pages()[0].commands.empty());
}

}  // namespace
}  // namespace braxol
