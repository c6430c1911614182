// The annual balance of material and energy: the figures from the raw-material files and the
// production register, the window worked as a user works it, and the printed balance read
// from its drawing commands.

#include <QLineEdit>
#include <QListWidget>
#include <memory>

#include "rawmaterials/balance.h"
#include "rawmaterials/balance_window.h"
#include "rawmaterials_fixture.h"
#include "store/record_file.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using rawmaterials::TFBILANCIO;

// A stored production of the beer type with its readings, litres and yield coefficient.
TMOVIMENTO Brew(int numope, double day, const char* beer, int from, int to, double litres,
                double coefficient = 1) {
    TMOVIMENTO r = Production(day, from, to);
    r.PRODAZ.set(beer);
    r.LITPRO = litres;
    r.COERES = coefficient;
    PadMovement(r);
    return Stored(r, numope, numope);
}

TMOVIMENTO WashOf(int numope, double day, int from, int to) {
    return Stored(Wash(day, from, to), numope, numope);
}

class Balance : public RawTest {
protected:
    std::unique_ptr<TFBILANCIO> window;
    std::vector<reports::Report> previews;
    TUTENTE company = BlankTutente();

    void SetUp() override {
        RawTest::SetUp();
        company.CACCI1.set("IT00MIA00123X");
        company.DENOM1.set("Birrificio di prova");
        company.CAUESO.set("C");
        TrimTutente(company);
    }
    fs::path Rgm(int year) const { return YearFile(folders().registri, year, ".RGM"); }
    void Open(const QString& year) {
        window.reset();
        window =
            std::make_unique<TFBILANCIO>(rawmaterials::BalanceRequest{folders(), company, year});
        window->setPreview(
            [this](const reports::Report& r, const QString&) { previews.push_back(r); });
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return ControlAs<QLineEdit>(W(), name)->text(); }
    QStringList Lines(const QString& name) {
        QStringList lines;
        auto* list = ControlAs<QListWidget>(W(), name);
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    // The printed balance of the window as it stands.
    QStringList Printed() { return AllTexts(rawmaterials::BalanceReport(window->sheet())); }
};

// A material loaded in 2015 and partly unloaded in 2016: in the balance of 2016 nothing is
// loaded and the rest is the stock at the end of the year. A year before 2014 shows no raw
// materials.
TEST_F(Balance, RawMaterialsOfTheYear) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 5, 1), "C", "MALTO", 100)});
    WriteMovements(Mpr(2016), {Movement(1, 1, Day(2016, 2, 1), "S", "MALTO", 30),
                               Movement(2, 2, Day(2016, 2, 2), "C", "LUPPOLO", 2.5)});
    Open("2016");
    EXPECT_EQ(window->windowTitle(), "Bilancio annuo di materia e di energia");
    EXPECT_EQ(Lines("RMATPRIME"), (QStringList{"MALTO                     " + QString(14, ' ') +
                                                   "0" + "    " + QString(14, ' ') + "70",
                                               "LUPPOLO                   " + QString(12, ' ') +
                                                   "2,5" + "    " + QString(13, ' ') + "2,5"}));
    const auto totals = ReadRecords<TMOVIMENTO>(folders().inTemp("TOTALI.MP"));
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_EQ(totals[0].ETTOGR, 100);
    EXPECT_EQ(totals[0].COERES, 0);
    EXPECT_EQ(totals[0].LITPRO, 30);
    const QStringList printed = Printed();
    for (const char* t : {"MATERIA PRIMA", "Introdotta in deposito nel 2016",
                          "Giacenza a fine Es. Finanziario", "MALTO", "0", "70", "LUPPOLO", "2,5"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(t))) << t;

    Retype(W(), "LANNO", "2013");
    EXPECT_EQ(Lines("RMATPRIME"), QStringList{});
    EXPECT_EQ(FileBytes(folders().inTemp("TOTALI.MP")), "");
    EXPECT_FALSE(Printed().contains("MALTO"));
}

// The brews per beer type with the litre counter only: a type whose litres equal its meter
// advance prints no yield, one that gives more does; the readings run from the first to the
// last record of the year and the washes add their advance; the energy-meter lines are not
// printed. Cancelled records and cancellations do not count.
TEST_F(Balance, BrewsAndTheLitreCounter) {
    TMOVIMENTO cancelled = Brew(6, Day(2016, 5, 1), "BIONDA", 2500, 2900, 400);
    cancelled.STATO.set("C");
    TMOVIMENTO cancellation = Brew(7, Day(2016, 5, 1), "BIONDA", 2500, 2900, 400);
    cancellation.TIPRIC.set("C");
    WriteMovements(Rgm(2016), {Brew(1, Day(2016, 1, 10), "BIONDA", 1000, 1400, 400),
                               WashOf(2, Day(2016, 1, 11), 1400, 1450),
                               Brew(3, Day(2016, 2, 10), "ROSSA", 1450, 1950, 600),
                               Brew(4, Day(2016, 3, 10), "BIONDA", 1950, 2250, 300),
                               WashOf(5, Day(2016, 3, 11), 2250, 2500), cancelled, cancellation});
    Open("2016");
    EXPECT_EQ(Shown("INICON"), "1000");
    EXPECT_EQ(Shown("FINCON"), "2500");
    EXPECT_EQ(Shown("LAVCON"), "300");
    EXPECT_EQ(Shown("INIENE"), "");
    EXPECT_EQ(Shown("FINENE"), "");
    EXPECT_EQ(Shown("LAVENE"), "0");
    EXPECT_EQ(Shown("DOUBL3"), "1.300");
    const QString bionda = "BIONDA" + QString(62, ' ');
    const QString rossa = "ROSSA" + QString(63, ' ');
    EXPECT_EQ(Lines("RTIPIBIRRA"), (QStringList{bionda + "   2" + QString(16 - 3, ' ') + "700",
                                                rossa + "   1" + QString(16 - 3, ' ') + "600"}));
    const auto brews = ReadRecords<TMOVIMENTO>(folders().inTemp("COTTE.DAT"));
    ASSERT_EQ(brews.size(), 2u);
    EXPECT_EQ(brews[0].NUMFLU, 2);
    EXPECT_EQ(brews[0].LITPRO, 700);
    EXPECT_EQ(brews[0].PROGRE, 700);
    EXPECT_EQ(brews[1].PROGRE, 500);

    const QStringList printed = Printed();
    EXPECT_TRUE(printed.contains(
        "Lettura del contalitri fiscale:         INIZIALE= 1000        FINALE= 2500"));
    EXPECT_TRUE(printed.contains("Avanzamento del contalitri fiscale per i lavaggi: 300"));
    for (const QString& t : printed) EXPECT_FALSE(t.contains("energetico")) << t.toStdString();
    // BIONDA: 700 litres for 700, its 2 brews and no yield; ROSSA: 600 for 500.
    EXPECT_EQ(printed.mid(printed.indexOf("BIONDA"), 3), (QStringList{"BIONDA", "2", "ROSSA"}));
    EXPECT_EQ(printed.mid(printed.indexOf("ROSSA"), 3), (QStringList{"ROSSA", "1", "1,2"}));
    EXPECT_TRUE(printed.contains(QString::fromUtf8("n° di cotte")));
    EXPECT_TRUE(printed.contains("Coefficiente effettivo di resa"));
    EXPECT_TRUE(
        printed.contains(QString::fromUtf8("Quantità di birra prodotta nell'anno 2016:  1.300")));
}

// The meter in use follows the productions: an energy meter for a coefficient other than 1,
// its washes on LAVENE; both meters' lines are printed then.
TEST_F(Balance, EnergyMeterFollowsTheProductions) {
    company.CAUESO.set("E");
    WriteMovements(Rgm(2016), {WashOf(1, Day(2016, 1, 2), 10, 12),
                               Brew(2, Day(2016, 1, 10), "BIONDA", 100, 300, 500, 2.5),
                               WashOf(3, Day(2016, 1, 11), 300, 310),
                               Brew(4, Day(2016, 2, 10), "ROSSA", 5000, 5400, 400),
                               WashOf(5, Day(2016, 2, 11), 5400, 5420)});
    Open("2016");
    EXPECT_EQ(Shown("INIENE"), "10");
    EXPECT_EQ(Shown("FINENE"), "310");
    EXPECT_EQ(Shown("LAVENE"), "12");
    EXPECT_EQ(Shown("INICON"), "5000");
    EXPECT_EQ(Shown("FINCON"), "5420");
    EXPECT_EQ(Shown("LAVCON"), "20");
    const QStringList printed = Printed();
    EXPECT_TRUE(printed.contains(
        "Lettura del contatore energetico:       INIZIALE= 10        FINALE= 310"));
    EXPECT_TRUE(printed.contains("Avanzamento del contatore energetico per i lavaggi:  12"));
    EXPECT_TRUE(printed.contains(
        "Lettura del contalitri fiscale:         INIZIALE= 5000        FINALE= 5420"));
}

// A beer type whose meters never advanced prints no yield instead of a division by zero.
TEST_F(Balance, NoAdvanceNoYield) {
    TMOVIMENTO r = Brew(1, Day(2016, 1, 10), "BIONDA", 1000, 1000, 50);
    WriteMovements(Rgm(2016), {r});
    Open("2016");
    EXPECT_EQ(
        rawmaterials::EffectiveYield(ReadRecords<TMOVIMENTO>(folders().inTemp("COTTE.DAT"))[0]),
        std::nullopt);
    const QStringList printed = Printed();
    EXPECT_EQ(printed.mid(printed.indexOf("BIONDA"), 3),
              (QStringList{"BIONDA", "1",
                           QString::fromUtf8("Quantità di birra prodotta nell'anno 2016:  50")}));
}

// The year is computed only once it is a whole year of the registers: typing 2015 over 2016
// opens no file for "2", "20" or "201", and computes 2015 once.
TEST_F(Balance, AYearBeingTypedOpensNoFile) {
    Open("2016");
    EXPECT_EQ(window->computations(), 1);
    const auto before = FolderNames(folders().registri);
    EXPECT_EQ(before, (std::vector<std::string>{"2014.MPR", "2015.MPR", "2016.MPR", "2016.RGM"}));
    auto* year = ControlAs<QLineEdit>(W(), "LANNO");
    year->selectAll();
    for (const char* key : {"2", "0", "1"}) {
        Type(W(), key);
        EXPECT_EQ(window->computations(), 1) << year->text().toStdString();
        EXPECT_EQ(FolderNames(folders().registri), before);
    }
    Type(W(), "x");  // only digits
    EXPECT_EQ(year->text(), "201");
    Type(W(), "5");
    EXPECT_EQ(window->computations(), 2);
    EXPECT_EQ(window->workingYear(), "2015");
    EXPECT_EQ(
        FolderNames(folders().registri),
        (std::vector<std::string>{"2014.MPR", "2015.MPR", "2015.RGM", "2016.MPR", "2016.RGM"}));
    PressEnter(W());  // leaving with the year computed computes nothing more
    EXPECT_EQ(window->computations(), 2);
    EXPECT_EQ(FocusName(), "INICON");

    // A year out of range keeps the focus, computing nothing.
    Retype(W(), "LANNO", "2061");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(window->computations(), 2);
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// The beer sold and in stock are typed; "&CONFERMA" prints to the preview and closes the
// window, which gives back the year it ended on.
TEST_F(Balance, PrintedBalance) {
    WriteMovements(Rgm(2016), {Brew(1, Day(2016, 1, 10), "BIONDA", 1000, 1400, 400)});
    Open("2016");
    FocusOn(W(), "VENDUTA");
    Type(W(), "350");
    PressEnter(W());
    Type(W(), "50,5");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(W());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(previews.size(), 1u);
    const reports::Report& report = previews[0];
    EXPECT_EQ(report.pages()[0].orientation, QPageLayout::Portrait);
    const QStringList texts = report.texts(0);
    EXPECT_EQ(texts[0], "Bilancio di materia e di energia anno: 2016 cod. accisa IT00MIA00123X");
    for (const char* t : {"Quantità di birra prodotta nell'anno 2016:  400",
                          "Quantità di birra condizionata ceduta nell'anno 2016:  350",
                          "Giacenza di birra al termine dell'esercizio finanziario 2016:  50,5",
                          "Birrificio di prova"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
}

// Many beer types go on over pages, each page with the heading of the balance.
TEST_F(Balance, ManyBeerTypesGoOnOverPages) {
    rawmaterials::BalanceSheet sheet;
    sheet.year = "2016";
    sheet.exciseCode = "IT00MIA00123X";
    for (int i = 0; i < 70; ++i) {
        TMOVIMENTO b =
            Brew(i + 1, Day(2016, 1, 1), ("TIPO " + std::to_string(i)).c_str(), 0, 100, 120);
        b.NUMFLU = 1;
        b.PROGRE = 100;
        sheet.brews.push_back(b);
    }
    const reports::Report report = rawmaterials::BalanceReport(sheet);
    ASSERT_GT(report.pages().size(), 1u);
    for (int p = 0; p < static_cast<int>(report.pages().size()); ++p)
        EXPECT_EQ(report.texts(p)[0],
                  "Bilancio di materia e di energia anno: 2016 cod. accisa IT00MIA00123X");
    EXPECT_TRUE(AllTexts(report).contains("TIPO 69"));
}

}  // namespace
}  // namespace braxol
