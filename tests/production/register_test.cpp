// The production register read from its drawing commands: days on their own pages, running
// totals from the start of the year, struck-out rows and their notes, the three forms with
// their page numbers, a day longer than a page, the excise codes that change the layout; and
// the window TFSTAREGCARSCA as a user works it.

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "production/production_register.h"
#include "production/register_window.h"
#include "register_fixture.h"
#include "reports/register_layout.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::registers;
using production::ProductionRegisterSettings;
using production::RegisterForm;

class ProductionRegister : public RegisterTest {
protected:
    ProductionRegisterSettings Settings(double from, double to,
                                        RegisterForm form = RegisterForm::Complete) const {
        ProductionRegisterSettings s;
        s.form = form;
        s.from = from;
        s.to = to;
        s.office = QString::fromStdString(kOffice);
        s.protocolOffice = QString::fromStdString(kOffice);
        s.company = CompanyRecord();
        s.productCodes = production::ProductCodeList(work.folders().datiGen);
        return s;
    }
    Report Draw(const ProductionRegisterSettings& s, const std::vector<TMOVIMENTO>& records) {
        return production::ProductionRegister(s, records);
    }
    reports::RegisterMetrics Metrics() const {
        Report r(QPageLayout::Landscape);
        return reports::RegisterMetrics::Measure(r, 77, 74);
    }
};

// A production of `litres` litres at 12,5 °P (hectolitre-degrees litres / 8).
TMOVIMENTO Brew(int numope, double day, int from, int litres, std::string_view stato = " ",
                std::string_view tipric = "I") {
    TMOVIMENTO r = brew::StoredBrew(numope, day, from, from + litres);
    r.STATO.set(stato);
    r.TIPRIC.set(tipric);
    return r;
}

TEST_F(ProductionRegister, MarchPrintsTwoDaysEachOnItsPagesWithTotalsFromTheYearsStart) {
    const std::vector<TMOVIMENTO> year = {
        Brew(1, Day(2025, 1, 10), 0, 1000),
        Brew(2, Day(2025, 2, 20), 1000, 300, "C"),  // superseded: not carried forward
        Brew(3, Day(2025, 2, 20), 1000, 300, " ", "C"),
        Brew(4, Day(2025, 2, 20), 1000, 500, "R"),
        Brew(5, Day(2025, 3, 3), 1500, 1000),
        brew::StoredWash(6, Day(2025, 3, 3), 2500, 2510),
        Brew(7, Day(2025, 3, 10), 2510, 200),
        Brew(8, Day(2025, 4, 1), 2710, 100),
    };
    const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), year);
    ASSERT_EQ(r.pages().size(), 2u);
    for (int page = 0; page < 2; ++page)
        EXPECT_EQ(r.pages()[static_cast<std::size_t>(page)].orientation, QPageLayout::Landscape);

    // The 3rd: a production and a wash, its totals, the totals brought forward from January
    // and February (the superseded February production left out).
    EXPECT_TRUE(Find(r, 0, "CARICO del 03/03/2025"));
    EXPECT_FALSE(Find(r, 0, "CARICO del 10/03/2025"));
    EXPECT_EQ(BesideOf(r, 0, "TOTALE CARICO DEL GIORNO"),
              QStringList({"125", "1.000", "TOTALE", "373,75"}));
    EXPECT_EQ(BesideOf(r, 0, "TOTALE CARICO AL GIORNO PRECEDENTE"),
              QStringList({"187,5", "1.500"}));
    EXPECT_EQ(BesideOf(r, 0, "TOTALE CARICO AL 03/03/2025"), QStringList({"312,5", "2.500"}));
    EXPECT_EQ(BesideOf(r, 0, "LAVAGGIO"), QStringList({"2", "LAVAGGIO", "2500", "2510", "129"}));
    EXPECT_EQ(BesideOf(r, 0, "BIONDA (°P.12,5)"),
              QStringList({"1", "22030001", "VIA", "03/03/2025", "7", "1", "02/03/2025 08:30",
                           "125", "1.000", "1500", "2500", "114", "001", "373,75"}));

    // The 10th on a page of its own, carrying the 3rd forward.
    EXPECT_TRUE(Find(r, 1, "CARICO del 10/03/2025"));
    EXPECT_EQ(BesideOf(r, 1, "TOTALE CARICO DEL GIORNO"),
              QStringList({"25", "200", "TOTALE", "373,75"}));
    EXPECT_EQ(BesideOf(r, 1, "TOTALE CARICO AL GIORNO PRECEDENTE"),
              QStringList({"312,5", "2.500"}));
    EXPECT_EQ(BesideOf(r, 1, "TOTALE CARICO AL 10/03/2025"), QStringList({"337,5", "2.700"}));
    EXPECT_TRUE(Find(r, 1, "1"));  // rows are numbered from 1 each day

    // Both pages carry the title block, not numbered.
    for (int page = 0; page < 2; ++page) {
        for (const char* t : {"DEPOSITI FISCALI DI BIRRA - MICROBIRRIFICI - D.D. 140839/2013",
                              "REGISTRO DI PRODUZIONE DI BIRRA", "RILASCIATO DALL'UFFICIO:",
                              "ALLA DITTA:", "Birrificio di prova", "CODICE ACCISA: IT00MIA00123X",
                              "DENOMINAZIONE E FAMIGLIA / PRODOTTO: Birra",
                              "CODICI DEI PRODOTTI AUTORIZZATI: -2203 / "})
            EXPECT_TRUE(Find(r, page, t)) << page << " " << t;
        EXPECT_TRUE(Find(r, page, QString::fromStdString(kOffice)));
        for (const DrawCommand* c : TextsOf(r, page)) EXPECT_FALSE(c->text.startsWith("Pagina"));
    }
}

TEST_F(ProductionRegister, RowsAndTotalsStandWhereTheLayoutPutsThem) {
    const Report r =
        Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), {Brew(1, Day(2025, 3, 3), 0, 1000)});
    const auto m = Metrics();
    const DrawCommand* number = Find(r, 0, "1");
    ASSERT_TRUE(number);
    EXPECT_NEAR(number->baseline, 28.8 * m.lh, 1e-6);
    EXPECT_NEAR(number->box.center().x(), m.at(1.5), 1e-6);
    EXPECT_EQ(number->font.size, 8);
    const DrawCommand* excise = Find(r, 0, "TOTALE");
    EXPECT_NEAR(excise->baseline, (28.8 + 0.25 + 1.2) * m.lh, 1e-6);
    EXPECT_NEAR(excise->box.right(), m.at(142.5), 1e-6);
    const DrawCommand* heading = Find(r, 0, "CARICO del 03/03/2025");
    EXPECT_NEAR(heading->baseline, 18 * m.lh10, 1e-6);
    EXPECT_EQ(heading->font.size, 14);
    EXPECT_TRUE(heading->font.bold);
    const DrawCommand* column = Find(r, 0, "Ettogradi");
    ASSERT_TRUE(column);
    EXPECT_EQ(column->font.size, 6);
    EXPECT_NEAR(column->baseline, 18 * m.lh10 + 2 * m.lh + 2.1 * m.lh, 1e-6);
    EXPECT_TRUE(Find(r, 0, "idrati a 20°C"));
    EXPECT_TRUE(Find(r, 0, "Quantità"));
    EXPECT_TRUE(Find(r, 0, "Contabilità"));
    // The frame: the left edge runs from the top of the table to the rule under the row.
    bool leftEdge = false;
    for (const DrawCommand* l : LinesOf(r, 0))
        if (std::abs(l->box.left() - m.left) < 1e-6 && std::abs(l->box.right() - m.left) < 1e-6) {
            leftEdge = true;
            EXPECT_NEAR(l->box.top(), 18 * m.lh10 + 2 * m.lh, 1e-6);
            EXPECT_NEAR(l->box.bottom(), (28.8 + 0.25) * m.lh, 1e-6);
        }
    EXPECT_TRUE(leftEdge);
    // Nothing runs out of the page.
    for (const DrawCommand* c : TextsOf(r, 0)) {
        EXPECT_GE(c->box.left(), 0) << c->text.toStdString();
        EXPECT_LE(c->box.right(), m.pageWidth) << c->text.toStdString();
    }
}

TEST_F(ProductionRegister, SupersededRowIsStruckOutAndItsNoteFollowsTheTotals) {
    const std::vector<TMOVIMENTO> year = {
        [] {
            TMOVIMENTO r = Brew(1, Day(2025, 3, 5), 0, 400, "C");
            r.ANNOTA.set("lettura finale errata");
            return r;
        }(),
        Brew(2, Day(2025, 3, 5), 0, 400, " ", "C"),  // the cancellation: not printed
        Brew(3, Day(2025, 3, 5), 0, 800, "R"),       // the rectifying production: counted
    };
    const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), year);
    ASSERT_EQ(r.pages().size(), 1u);
    const QStringList first = BesideOf(r, 0, "400");
    EXPECT_EQ(first.front(), "1");
    for (const DrawCommand* c : TextsOf(r, 0)) {
        if (c->text == "400" || c->text == "50") {
            EXPECT_TRUE(c->font.strikeOut);
        }
        if (c->text == "800" || c->text == "100") {
            EXPECT_FALSE(c->font.strikeOut);
        }
    }
    EXPECT_FALSE(Find(r, 0, "3"));  // two rows only
    EXPECT_EQ(BesideOf(r, 0, "800").front(), "2");
    EXPECT_EQ(BesideOf(r, 0, "TOTALE CARICO DEL GIORNO"),
              QStringList({"100", "800", "TOTALE", "373,75"}));
    const DrawCommand* note = Find(r, 0, "Riga n. 1: lettura finale errata");
    ASSERT_TRUE(note);
    EXPECT_FALSE(note->font.strikeOut);
    EXPECT_GT(note->baseline, Find(r, 0, "TOTALE CARICO AL 05/03/2025")->baseline);
    EXPECT_NEAR(note->box.left(), Metrics().left, 1e-6);
}

TEST_F(ProductionRegister, HeadingsFormNumbersItsSheets) {
    struct Case {
        int firstPage;
        int sheets;
        QStringList labels;
    };
    const Case cases[] = {
        {5,
         3,
         {"Pagina 5 di 3 Es. Fin. 2025", "Pagina 6 di 3 Es. Fin. 2025",
          "Pagina 7 di 3 Es. Fin. 2025"}},
        {0, 2, {}},
        {1, 1, {"Pagina 1 di 3 Es. Fin. 2025"}},
    };
    for (const Case& c : cases) {
        ProductionRegisterSettings s =
            Settings(Day(2025, 3, 1), Day(2025, 3, 31), RegisterForm::HeadingsOnly);
        s.firstPage = c.firstPage;
        s.sheets = c.sheets;
        s.pagesSuffix = " di 3 Es. Fin. 2025";
        // The movements are not printed in this form.
        const Report r = Draw(s, {Brew(1, Day(2025, 3, 3), 0, 1000)});
        ASSERT_EQ(r.pages().size(), static_cast<std::size_t>(c.sheets));
        QStringList labels;
        for (int page = 0; page < c.sheets; ++page) {
            for (const DrawCommand* t : TextsOf(r, page))
                if (t->text.startsWith("Pagina")) labels << t->text;
            EXPECT_TRUE(Find(r, page, "REGISTRO DI PRODUZIONE DI BIRRA"));
            EXPECT_FALSE(Find(r, page, "CARICO del 03/03/2025"));
            EXPECT_FALSE(Find(r, page, "TOTALE CARICO DEL GIORNO"));
        }
        EXPECT_EQ(labels, c.labels) << c.firstPage;
    }
}

TEST_F(ProductionRegister, MovementsFormLeavesTheTitleBlockToThePrePrintedSheet) {
    ProductionRegisterSettings s =
        Settings(Day(2025, 3, 1), Day(2025, 3, 31), RegisterForm::MovementsOnly);
    const Report r = Draw(s, {Brew(1, Day(2025, 3, 3), 0, 1000)});
    ASSERT_EQ(r.pages().size(), 1u);
    EXPECT_FALSE(Find(r, 0, "REGISTRO DI PRODUZIONE DI BIRRA"));
    EXPECT_FALSE(Find(r, 0, "ALLA DITTA:"));
    EXPECT_TRUE(Find(r, 0, "CARICO del 03/03/2025"));
    EXPECT_TRUE(Find(r, 0, "TOTALE CARICO DEL GIORNO"));
    EXPECT_TRUE(Find(r, 0, "Pr."));
}

TEST_F(ProductionRegister, ADayLongerThanAPageContinuesAfterClosingTheFrame) {
    std::vector<TMOVIMENTO> day;
    for (int i = 0; i < 40; ++i) day.push_back(Brew(i + 1, Day(2025, 3, 3), i * 10, 10));
    const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), day);
    ASSERT_EQ(r.pages().size(), 2u);
    const auto m = Metrics();
    // The first page: rows until the bottom limit, no totals, the frame and the empty total
    // boxes under the last row.
    double lastRow = 0;
    int rowsOnFirst = 0;
    for (const DrawCommand* c : TextsOf(r, 0))
        if (c->text == "BIONDA (°P.12,5)") {
            lastRow = std::max(lastRow, c->baseline);
            ++rowsOnFirst;
        }
    EXPECT_GT(rowsOnFirst, 20);
    EXPECT_LE(lastRow, m.bottom + m.lh + 1e-6);
    EXPECT_FALSE(Find(r, 0, "TOTALE CARICO DEL GIORNO"));
    EXPECT_TRUE(Find(r, 0, "CARICO del 03/03/2025"));
    EXPECT_TRUE(Find(r, 0, "REGISTRO DI PRODUZIONE DI BIRRA"));
    const double rowsBottom = lastRow + 0.25 * m.lh;
    int boxRules = 0;
    bool leftEdge = false;
    for (const DrawCommand* l : LinesOf(r, 0)) {
        if (l->box.height() == 0 && std::abs(l->box.left() - m.at(99)) < 1e-6 &&
            std::abs(l->box.right() - m.at(121)) < 1e-6)
            for (double below : {1.3, 2.6, 3.9})
                if (std::abs(l->box.top() - (rowsBottom + below * m.lh)) < 1e-6) ++boxRules;
        if (l->box.width() == 0 && std::abs(l->box.left() - m.left) < 1e-6) {
            leftEdge = true;
            EXPECT_NEAR(l->box.bottom(), rowsBottom, 1e-6);
        }
    }
    EXPECT_EQ(boxRules, 3);
    EXPECT_TRUE(leftEdge);
    // The second page: the rest of the day, numbered on, and its totals.
    EXPECT_TRUE(Find(r, 1, "CARICO del 03/03/2025"));
    EXPECT_TRUE(Find(r, 1, QString::number(rowsOnFirst + 1)));
    EXPECT_TRUE(Find(r, 1, "40"));
    EXPECT_EQ(BesideOf(r, 1, "TOTALE CARICO DEL GIORNO"),
              QStringList({"50", "400", "TOTALE", "14.950,00"}));
}

TEST_F(ProductionRegister, NotesThatDoNotFitGoOnAPageOfTheSameDay) {
    std::vector<TMOVIMENTO> day;
    for (int i = 0; i < 60; ++i) {
        TMOVIMENTO r = Brew(i + 1, Day(2025, 3, 3), i * 10, 10, "C");
        r.ANNOTA.set("nota " + std::to_string(i + 1));
        day.push_back(r);
    }
    const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), day);
    const auto m = Metrics();
    int notes = 0;
    for (int page = 0; page < static_cast<int>(r.pages().size()); ++page) {
        EXPECT_TRUE(Find(r, page, "CARICO del 03/03/2025")) << page;
        for (const DrawCommand* c : TextsOf(r, page)) {
            if (c->text.startsWith("Riga n. ")) ++notes;
            EXPECT_LE(c->box.bottom(), m.pageHeight - m.lh) << c->text.toStdString();
        }
    }
    EXPECT_EQ(notes, 60);
    EXPECT_TRUE(Find(r, static_cast<int>(r.pages().size()) - 1, "Riga n. 60: nota 60"));
}

TEST_F(ProductionRegister, ExciseCodesThatChangeTheLayout) {
    const std::vector<TMOVIMENTO> year = {Brew(1, Day(2025, 3, 3), 0, 1000),
                                          brew::StoredWash(2, Day(2025, 3, 3), 1000, 1010)};
    const auto m = Metrics();
    {
        SetExciseCode("IT00ZZA00001K");
        const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), year);
        EXPECT_NEAR(Find(r, 0, "1")->baseline, 35.8 * m.lh, 1e-6);
        EXPECT_NEAR(Find(r, 0, "CARICO del 03/03/2025")->baseline, 24 * m.lh10, 1e-6);
        EXPECT_TRUE(Find(r, 0, "LAVAGGIO"));
    }
    {
        SetExciseCode("IT00ZZB00002H");
        const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), year);
        EXPECT_NEAR(Find(r, 0, "1")->baseline, 28.8 * m.lh, 1e-6);
        const DrawCommand* wash = Find(r, 0, "Lavaggio (L. 10 P.V. del 25/09/2015)");
        ASSERT_TRUE(wash);
        EXPECT_NEAR(wash->box.center().x(), m.at(70.5), 1e-6);
        EXPECT_FALSE(Find(r, 0, "Riferimenti del registro: " + QString::fromStdString(kOffice)));
    }
    {
        SetExciseCode("IT00SVA00001X");
        const Report r = Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), year);
        const DrawCommand* reference =
            Find(r, 0, "Riferimenti del registro: " + QString::fromStdString(kOffice));
        ASSERT_TRUE(reference);
        EXPECT_NEAR(reference->baseline,
                    Find(r, 0, "TOTALE CARICO AL 03/03/2025")->baseline + 3 * m.lh, 1e-6);
        EXPECT_NEAR(reference->box.left(), m.left, 1e-6);
    }
}

TEST_F(ProductionRegister, BeerTextAndProductCodes) {
    TMOVIMENTO longType = Brew(1, Day(2025, 3, 3), 0, 100);
    longType.PRODAZ.set("BIRRA AMBRATA DOPPIO MALTO ARTIGIANALE");
    TMOVIMENTO shortType = Brew(2, Day(2025, 3, 3), 100, 100);
    shortType.PRODAZ.set("PILS");
    shortType.GRAPLA = 11.25;
    const Report r = Draw(Settings(Day(2025, 3, 3), Day(2025, 3, 3)), {longType, shortType});
    EXPECT_TRUE(Find(r, 0, "BIRRA AMBRATA DOPPIO MALTO A"));
    EXPECT_TRUE(Find(r, 0, "PILS (°P.11,25)"));

    std::vector<TTABELLA> types;
    for (const char* code :
         {"2203-00011-00-0000", "2203-00012-00-0000", "2204-00010-00-0000", " 2203-0001"}) {
        TTABELLA t = BlankTabella();
        t.text[1].set(code);
        types.push_back(t);
    }
    EXPECT_EQ(production::ProductCodeList(types), "2203-0001 / 2204-0001 / 2203-000 / ");
    EXPECT_EQ(production::ProductCodeList(std::vector<TTABELLA>{}), "");
}

TEST_F(ProductionRegister, NothingInTheRangeGivesOneBlankPage) {
    const Report r =
        Draw(Settings(Day(2025, 3, 1), Day(2025, 3, 31)), {Brew(1, Day(2025, 2, 3), 0, 1000)});
    ASSERT_EQ(r.pages().size(), 1u);
    EXPECT_TRUE(r.pages()[0].commands.empty());
}

// ---- The window -------------------------------------------------------------------------

class RegisterWindow : public RegisterTest {
protected:
    std::unique_ptr<production::TFSTAREGCARSCA> window;
    std::vector<Report> previews;
    QStringList titles;

    void Open() {
        window = std::make_unique<production::TFSTAREGCARSCA>(
            production::RegisterRequest{work.folders(), CompanyRecord()});
        window->setPreview([this](const Report& r, const QString& title) {
            previews.push_back(r);
            titles << title;
        });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Text(const QString& name) { return FieldText(W(), name); }
    void Choose(const QString& name) { ChooseRadio(W(), name); }
    void Range(const QString& from, const QString& to) {
        Retype(W(), "MDADA", from);
        PressEnter(W());
        Retype(W(), "MDAAL", to);
        PressEnter(W());
    }
};

TEST_F(RegisterWindow, OpensOnTheCurrentMonthWithTheOfficeOfTheProtocol) {
    Open();
    EXPECT_EQ(W()->objectName(), "FSTAREGCARSCA");
    EXPECT_EQ(W()->windowTitle(), "Registro delle Produzioni");
    EXPECT_EQ(Text("MDADA"), "01/03/2025");
    EXPECT_EQ(Text("MDAAL"), "15/03/2025");
    EXPECT_EQ(Text("Memo1"), QString::fromStdString(kOffice));
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_TRUE(ControlAs<QRadioButton>(W(), "RTIPO_0")->isChecked());
    EXPECT_EQ(ControlAs<QRadioButton>(W(), "RTIPO_0")->text(), "Stampa il Registro COMPLETO");
    EXPECT_EQ(ControlAs<QRadioButton>(W(), "RTIPO_1")->text(), "Stampa Solo i MOVIMENTI");
    EXPECT_EQ(ControlAs<QRadioButton>(W(), "RTIPO_2")->text(), "Stampa Solo le INTESTAZIONI");
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI", "Memo1"})
        EXPECT_FALSE(Control(W(), name)->isVisible()) << name;
    EXPECT_TRUE(seams.messages.shown().empty());

    // The headings form shows its four controls and sends the focus to the start date.
    Choose("RTIPO_2");
    for (const char* name : {"MFOGLI", "IDAPAG", "DIFOGLI", "Memo1"})
        EXPECT_TRUE(Control(W(), name)->isVisible()) << name;
    EXPECT_EQ(FocusName(), "MDADA");
    Choose("RTIPO_0");
    EXPECT_FALSE(Control(W(), "MFOGLI")->isVisible());
}

TEST_F(RegisterWindow, PrintsTheCompleteRegisterOfTheRange) {
    WriteMovements(Register(2025),
                   {Brew(1, Day(2025, 1, 10), 0, 1000), Brew(2, Day(2025, 3, 3), 1000, 1000)});
    Open();
    Range("01032025", "31032025");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(titles[0], "Registro delle Produzioni");
    EXPECT_EQ(BesideOf(previews[0], 0, "TOTALE CARICO AL GIORNO PRECEDENTE"),
              QStringList({"125", "1.000"}));
    EXPECT_TRUE(Find(previews[0], 0, "CODICI DEI PRODOTTI AUTORIZZATI: -2203 / "));
    EXPECT_EQ(FocusName(), "MDADA");
    EXPECT_EQ(window->lastPrint()->protocolOffice, QString::fromStdString(kOffice));
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(RegisterWindow, RangesOutsideOneYearKeepTheFocus) {
    Open();
    ExpectRangesRefused(W(), {{"01/03/2025", "01/01/2026", "MDAAL"},
                              {"01/03/2025", "28/02/2025", "MDAAL"},
                              {"31/02/2025", "15/03/2025", "MDADA"},
                              {"01/03/1999", "15/03/1999", "MDADA"}});
    EXPECT_TRUE(previews.empty());
    EXPECT_TRUE(seams.messages.shown().empty());
    // Leaving an end date of the next year keeps the focus on it.
    Retype(W(), "MDADA", "01032025");
    Retype(W(), "MDAAL", "01012026");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "MDAAL");
    Retype(W(), "MDAAL", "31122025");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");  // the headings fields are hidden
    EXPECT_TRUE(previews.empty());
}

TEST_F(RegisterWindow, WithoutAProtocolItWarnsOnceAndStillPrints) {
    SetToday(2023, 6, 20);  // the protocol is valid from 2024
    Open();
    EXPECT_EQ(seams.messages.texts(),
              QStringList({"Manca il protocollo del Registro delle Produzioni"}));
    EXPECT_EQ(Text("Memo1"), "");
    seams.messages.clear();
    Choose("RTIPO_2");
    FocusOn(W(), "Memo1");
    Type(W(), "Ufficio scritto a mano");
    Retype(W(), "MFOGLI", "2");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_TRUE(seams.messages.shown().empty());  // told already for this start date
    EXPECT_EQ(previews[0].pages().size(), 2u);
    EXPECT_TRUE(Find(previews[0], 1, "Ufficio scritto a mano"));
    // Another start date without a protocol is told again.
    Range("01012023", "20062023");
    EXPECT_EQ(seams.messages.texts(),
              QStringList({"Manca il protocollo del Registro delle Produzioni"}));
}

TEST_F(RegisterWindow, NumberedTitleSheets) {
    Open();
    Choose("RTIPO_2");
    Retype(W(), "MFOGLI", "0");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "MFOGLI");
    Retype(W(), "MFOGLI", "3");
    PressEnter(W());
    EXPECT_EQ(Text("DIFOGLI"), " di 3 Es. Fin. 2025");
    EXPECT_EQ(FocusName(), "IDAPAG");
    Type(W(), "5");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_EQ(previews[0].pages().size(), 3u);
    for (int page = 0; page < 3; ++page)
        EXPECT_TRUE(
            Find(previews[0], page, QStringLiteral("Pagina %1 di 3 Es. Fin. 2025").arg(5 + page)));
    // Typing 0 prints no page numbers.
    Retype(W(), "IDAPAG", "0");
    Click(W(), "BCONF");
    ASSERT_EQ(previews.size(), 2u);
    for (int page = 0; page < 3; ++page)
        for (const DrawCommand* c : TextsOf(previews[1], page))
            EXPECT_FALSE(c->text.startsWith("Pagina"));
}

}  // namespace
}  // namespace braxol
