// The production window driven as a user works it: keys, Enter, clicks on the controls by
// object name; the register REGISTRI/<yyyy>.RGM is read back after each save.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "brew_fixture.h"
#include "production/production_window.h"
#include "setup/beer_types_window.h"
#include "store/lock.h"
#include "store/numbers.h"
#include "support/failing_writes.h"
#include "support/qt/disk_fault_checks.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "tables/listview.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::production;
using namespace braxol::test;
using namespace braxol::test::brew;

const QString kNoProtocol = "Manca il protocollo del Registro delle Produzioni";
const QString kReadings = "IL VALORE FINALE DEL MISURATORE DEVE ESSERE MAGGIORE DI QUELLO INIZIALE";
const QString kPecNotBefore =
    "ATTENZIONE LA DATA DELLA PEC DEVE ESSERE PRECEDENTE A QUELLA DELLA PRODUZIONE";
const QString kBadTime = "FORMATO DELL'ORARIO NON AMMESSO";
const QString kBadHour = "INDICARE UN VALORE COMPRESO TRA 00 e 23";
const QString kNoteRequired = "Nota obbligatoria per le rettifiche";
const QString kDuplicate = "ATTENZIONE PRODUZIONE GIA` IN MEMORIA !";
const QString kNoLitres = "quantità obbligatoria";
const QString kPlatoLow = "CONTROLLA IL VALORE DEL GRADO PLATO";
const QString kPlatoHigh = "valore MASSIMO: 99,99999";
const QString kCoefficientZero = "Il valore deve essere maggiore di zero";
const QString kNoProductCode = "Codice doganale non trovato";

class ProductionWindow : public BrewTest {
protected:
    std::unique_ptr<TFPRODUZIONE> window;

    void Open(EntryMode mode = EntryMode::New, const TMOVIMENTO& chosen = BlankMovement()) {
        window = std::make_unique<TFPRODUZIONE>(Request(mode, chosen));
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QLineEdit* Field(const QString& name) { return ControlAs<QLineEdit>(W(), name); }
    QString Shown(const QString& name) { return Field(name)->text(); }
    QString LabelText(const QString& name) { return ControlAs<QLabel>(W(), name)->text(); }

    // Clicks into the field, selects its text and types over it.
    void Retype(const QString& name, const QString& text) {
        FocusOn(W(), name);
        Field(name)->selectAll();
        if (text.isEmpty())
            PressKey(W(), Qt::Key_Backspace);
        else
            Type(W(), text);
    }
    void TypeThenEnter(const QString& text) {
        Field(FocusName())->selectAll();
        Type(W(), text);
        PressEnter(W());
    }

    // Fills a new production of 10/03/2025 by keys, from the date down to the litres: brew
    // number 12, PEC at 09:30 of the day before, BIONDA, readings from..to.
    void FillNew(int from, int to) {
        EXPECT_EQ(FocusName(), "DATMOV");
        TypeThenEnter("10032025");
        EXPECT_EQ(FocusName(), "NUMDOC");
        TypeThenEnter("12");
        PressEnter(W());  // the PEC date, moved to the day before
        EXPECT_EQ(FocusName(), "MITDES");
        TypeThenEnter("0930");
        EXPECT_EQ(FocusName(), "PRODAZ");
        TypeThenEnter("BIONDA");
        if (window->energyMeter()) PressEnter(W());  // the coefficient of the type
        EXPECT_EQ(FocusName(), "INTER1");
        TypeThenEnter(QString::number(from));
        TypeThenEnter(QString::number(to));
    }
    TMOVIMENTO Only(int year = 2025) {
        const auto records = Read(year);
        EXPECT_EQ(records.size(), 1u);
        TMOVIMENTO r = records.empty() ? BlankMovement() : records[0];
        TrimMovement(r);
        return r;
    }
};

// A new production typed from the first field to the confirm button with Enter only.
TEST_F(ProductionWindow, NewProductionByKeyboard) {
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 3, 5), 1000, 5000)});
    Open();
    EXPECT_EQ(window->windowTitle(), "Produzione Propria");
    EXPECT_EQ(LabelText("lmovimento"), "Produzione Propria");
    EXPECT_EQ(Shown("DATMOV"), "15/03/2025");
    EXPECT_EQ(Shown("DOUBL6"), "15/03/2025");
    EXPECT_EQ(Shown("MITDES"), "00:00");
    EXPECT_EQ(LabelText("LTIPOREGISTRO"), "prot. 123/2024");
    EXPECT_EQ(LabelText("LACCISA"), "Accisa (2.99)");
    EXPECT_EQ(Shown("INTER1"), "5000");
    EXPECT_FALSE(Control(W(), "BPREVENTIVA")->isHidden());
    EXPECT_TRUE(Control(W(), "DOUBL2")->isHidden());
    EXPECT_TRUE(Control(W(), "LDOUBL2")->isHidden());
    EXPECT_TRUE(Control(W(), "BCALCOLA")->isHidden());
    EXPECT_TRUE(Field("DOUBL7")->isReadOnly());

    FillNew(5000, 6250);
    EXPECT_EQ(FocusName(), "DOUBL3");
    EXPECT_EQ(Shown("DOUBL6"), "09/03/2025");
    EXPECT_EQ(Shown("PRODDO"), "    -22030001-  -    ");
    EXPECT_EQ(Shown("DOUBL5"), "12,5");
    EXPECT_EQ(Shown("DOUBL3"), "1250");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "DOUBL5");
    PressEnter(W());
    EXPECT_EQ(Shown("DOUBL4"), "156,25000");
    EXPECT_EQ(Shown("DOUBL7"), "467,19");
    EXPECT_EQ(FocusName(), "ANNOTA");
    Type(W(), "Cotta è buona");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    EXPECT_FALSE(window->isVisible());
    const auto records = Read();
    ASSERT_EQ(records.size(), 2u);
    TMOVIMENTO r = records[1];
    TrimMovement(r);
    EXPECT_EQ(r.NUMOPE, 2);
    EXPECT_EQ(r.PROGRE, 2);
    EXPECT_EQ(r.RIFOPE, 0);
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(r.DATFLU, 0);
    EXPECT_EQ(r.STATO.str(), "");
    EXPECT_EQ(r.DATMOV, Day(2025, 3, 10));
    EXPECT_EQ(r.DATDOC, Day(2025, 3, 10));
    EXPECT_EQ(r.DATPEC, Day(2025, 3, 9));
    EXPECT_EQ(r.MITDES.str(), "09:30");
    EXPECT_EQ(r.NUMDOC.str(), "12");
    EXPECT_EQ(r.TIPDOC.str(), "VIA");
    EXPECT_EQ(r.TIPREC.str(), "C");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.TIPREG.str(), "F");
    EXPECT_EQ(r.CODUFF.str(), "IT012100");
    EXPECT_EQ(r.ANNPRO.str(), "2024");
    EXPECT_EQ(r.NUMPRO.str(), "123");
    EXPECT_EQ(r.PRODAZ.str(), "BIONDA");
    EXPECT_EQ(records[1].PRODDO.str(), kBeerCode);
    EXPECT_EQ(r.COERES, 1.0);
    EXPECT_EQ(r.LITPRO, 1250);
    EXPECT_EQ(r.INTER1, 5000);
    EXPECT_EQ(r.INTER2, 6250);
    EXPECT_EQ(r.GRAPLA, 12.5);
    EXPECT_EQ(r.ETTOGR, 156.25);
    EXPECT_EQ(r.ACCISA, 467.19);
    EXPECT_EQ(r.FLAGS1.str(), "S");
    EXPECT_EQ(r.TIPMOV.str(), "C");
    EXPECT_EQ(r.CODMOV.str(), "114");
    EXPECT_EQ(r.CODACC.str(), "001");
    EXPECT_EQ(ui::FromField(r.ANNOTA), "Cotta è buona");
    EXPECT_EQ(records[1].ANNOTA.len, 250);  // stored padded
}

struct ProvinceCase {
    const char* exciseCode;
    const char* litres;
    const char* degrees;
    const char* excise;
    double storedDegrees;
};

// Litres typed over the counter's: the hectolitre-degrees of Milan keep their decimals, those
// of Verona go to whole numbers.
TEST_F(ProductionWindow, ProvinceRulesOnLeavingThePlato) {
    const ProvinceCase cases[] = {
        {"IT00MIA00123X", "1000", "125,00000", "373,75", 125},
        {"IT00VRA00123X", "1000", "125,00000", "373,75", 125},
        {"IT00MIA00123X", "1003", "125,37500", "374,87", 125.375},
        {"IT00VRA00123X", "1003", "125,00000", "373,75", 125},
    };
    for (const ProvinceCase& c : cases) {
        SCOPED_TRACE(std::string(c.exciseCode) + " " + c.litres);
        fs::remove(Register());
        WriteBrewCompany(work.folders(), {.exciseCode = c.exciseCode});
        Open();
        FillNew(1000, 2000);
        Field("DOUBL3")->selectAll();
        TypeThenEnter(c.litres);
        PressEnter(W());
        EXPECT_EQ(Shown("DOUBL4"), c.degrees);
        EXPECT_EQ(Shown("DOUBL7"), c.excise);
        Click(W(), "BCONF");
        EXPECT_TRUE(window->saved());
        EXPECT_EQ(Only().ETTOGR, c.storedDegrees);
    }
}

// Litres with 5 decimals whose hectolitre-degrees end in a half at the 6th decimal: the window
// shows and stores them rounded up, as the brewer computes them by hand.
TEST_F(ProductionWindow, HalfAtTheSixthDecimalOfTheDegrees) {
    Open();
    FillNew(1000, 19432);
    EXPECT_EQ(FocusName(), "DOUBL3");
    TypeThenEnter("18432,05865");
    EXPECT_EQ(Shown("DOUBL3"), "18.432,05865");
    EXPECT_EQ(FocusName(), "DOUBL5");
    TypeThenEnter("10");
    EXPECT_EQ(Shown("DOUBL4"), "1.843,20587");
    EXPECT_EQ(Shown("DOUBL7"), "5.511,19");
    Click(W(), "BCONF");
    EXPECT_TRUE(window->saved());
    const TMOVIMENTO r = Only();
    EXPECT_EQ(r.LITPRO, 18432.05865);
    EXPECT_EQ(r.GRAPLA, 10);
    EXPECT_EQ(r.ETTOGR, 1843.20587);
    EXPECT_EQ(r.ACCISA, 5511.19);
}

// Figures beyond any brew are refused with a message, never stored wrapped or clipped: the
// litres of an energy meter between its extreme readings, and a Plato of absurd size.
TEST_F(ProductionWindow, FiguresBeyondAnyBrewAreRefused) {
    WriteBrewCompany(work.folders(), {.meter = "E", .rounding = "D"});
    Open();
    TypeThenEnter("10032025");
    TypeThenEnter("12");
    PressEnter(W());
    TypeThenEnter("0930");
    TypeThenEnter("ROSSA");
    EXPECT_EQ(FocusName(), "DOUBL2");
    TypeThenEnter("99999,9");
    Field("INTER1")->clear();
    TypeThenEnter("-2147483648");
    TypeThenEnter("2147483647");
    EXPECT_EQ(seams.messages.texts(), QStringList{"quantità MASSIMA: 99.999.999.999,99999"});
    EXPECT_EQ(FocusName(), "DOUBL3");
    EXPECT_EQ(Shown("DOUBL3"), "");

    seams.messages.clear();
    TypeThenEnter("1000");
    EXPECT_EQ(FocusName(), "DOUBL5");
    Field("DOUBL5")->clear();
    Type(W(), "-99999999999999");
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(),
              (QStringList{kPlatoLow, "VALORE TROPPO GRANDE PER IL CALCOLO"}));
    EXPECT_EQ(FocusName(), "DOUBL5");
    EXPECT_EQ(Shown("DOUBL4"), "");
    Click(W(), "BCONF");
    EXPECT_FALSE(window->saved());
    EXPECT_TRUE(Read().empty());
}

struct EnergyCase {
    const char* rounding;
    const char* coefficient;
    const char* litres;
    double stored;
};

TEST_F(ProductionWindow, EnergyMeterLitres) {
    const EnergyCase cases[] = {
        {"D", "2,5", "1.000", 1000},
        {"A", "2,5", "1.000", 1000},
        {"D", "2,33333", "933,332", 933.332},
        {"A", "2,33333", "933", 933},
    };
    for (const EnergyCase& c : cases) {
        SCOPED_TRACE(std::string(c.rounding) + " " + c.coefficient);
        fs::remove(Register());
        WriteBrewCompany(work.folders(), {.meter = "E", .rounding = c.rounding});
        Open();
        EXPECT_FALSE(Control(W(), "DOUBL2")->isHidden());
        EXPECT_FALSE(Control(W(), "LDOUBL2")->isHidden());
        TypeThenEnter("10032025");
        TypeThenEnter("12");
        PressEnter(W());
        TypeThenEnter("0930");
        TypeThenEnter("ROSSA");
        EXPECT_EQ(FocusName(), "DOUBL2");
        EXPECT_EQ(Shown("DOUBL2"), "2,5");
        TypeThenEnter(c.coefficient);
        TypeThenEnter("1000");
        TypeThenEnter("1400");
        EXPECT_EQ(FocusName(), "DOUBL3");
        EXPECT_EQ(Shown("DOUBL3"), c.litres);
        PressEnter(W());
        EXPECT_EQ(FocusName(), "DOUBL5");
        TypeThenEnter("12");
        Click(W(), "BCONF");
        EXPECT_TRUE(window->saved());
        const TMOVIMENTO r = Only();
        EXPECT_EQ(r.LITPRO, c.stored);
        EXPECT_EQ(r.COERES, ParseAmount(c.coefficient, 5));
    }
}

TEST_F(ProductionWindow, LitreCounterOnLeavingTheFinalReadingAndOnEnteringTheLitres) {
    Open();
    FillNew(5000, 6250);
    EXPECT_EQ(Shown("DOUBL3"), "1250");
    // Changing a reading empties the litres; entering them gives the counter's again.
    Retype("INTER1", "5000");
    EXPECT_EQ(Shown("DOUBL3"), "");
    FocusOn(W(), "DOUBL3");
    EXPECT_EQ(Shown("DOUBL3"), "1250");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

TEST_F(ProductionWindow, FinalReadingEqualToInitialIsRefused) {
    Open();
    FillNew(5000, 5000);
    EXPECT_EQ(FocusName(), "INTER1");
    EXPECT_EQ(seams.messages.texts(), QStringList{kReadings});
    EXPECT_EQ(Shown("DOUBL3"), "");
    // At the confirmation too, once the litres are given.
    seams.messages.clear();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DOUBL3");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoLitres});
    seams.messages.clear();
    Type(W(), "100");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "INTER1");
    EXPECT_EQ(seams.messages.texts(), QStringList{kReadings});
    EXPECT_FALSE(window->saved());
    EXPECT_EQ(FileBytes(Register()), "");
}

TEST_F(ProductionWindow, InitialReadingFromThePreviousYear) {
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 10), 1000, 1400),
                                    StoredWash(2, Day(2024, 12, 20), 1400, 1450)});
    Open();
    EXPECT_EQ(Shown("INTER1"), "1450");
    // A production of this year dated before the new one's date takes over.
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 5), 1450, 3000)});
    Retype("DATMOV", "10012025");
    PressEnter(W());
    EXPECT_EQ(Shown("INTER1"), "3000");
}

TEST_F(ProductionWindow, PecDateMovedToTheDayBeforeThenOnlyWarned) {
    Open();
    FillNew(5000, 6250);
    EXPECT_EQ(Shown("DOUBL6"), "09/03/2025");
    Retype("DOUBL5", "12,5");
    // The PEC date set to the production date again: a warning, and the production is saved.
    Retype("DOUBL6", "10032025");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kPecNotBefore});
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Only().DATPEC, Day(2025, 3, 10));
}

TEST_F(ProductionWindow, UntouchedConfirmOnlyGoesBackToTheDate) {
    Open();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_FALSE(window->saved());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_EQ(FileBytes(Register()), "");
    // The confirm guard holds until a key is typed (moving on is not typing); then the checks
    // run.
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATMOV");
    PressKey(W(), Qt::Key_End);
    PressKey(W(), Qt::Key_Tab);
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATMOV");
    PressEnter(W());
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "NUMDOC");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_FALSE(window->saved());
}

TEST_F(ProductionWindow, AostaTypesTheExciseOrCalculatesIt) {
    WriteBrewCompany(work.folders(), {.exciseCode = "IT00AOA12345B"});
    Open();
    EXPECT_FALSE(Control(W(), "BCALCOLA")->isHidden());
    EXPECT_FALSE(Field("DOUBL7")->isReadOnly());
    FillNew(1000, 2000);
    Retype("DOUBL3", "1000");
    PressEnter(W());
    PressEnter(W());
    EXPECT_EQ(Shown("DOUBL4"), "125,00000");
    EXPECT_EQ(Shown("DOUBL7"), "");  // not computed by itself
    EXPECT_EQ(FocusName(), "DOUBL7");
    Click(W(), "BCALCOLA");
    EXPECT_EQ(Shown("DOUBL7"), "373,75");
    // A typed value is saved as typed.
    Retype("DOUBL7", "300,5");
    Click(W(), "BCONF");
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Only().ACCISA, 300.5);
    EXPECT_EQ(Only().ETTOGR, 125);
}

TEST_F(ProductionWindow, ChangeMovesTheProductionToAnotherYearKeepingItsProgressive) {
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 1), 500, 800)});
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 8), 1000, 1400),
                                StoredBrew(2, Day(2025, 1, 9), 1400, 1800),
                                StoredBrew(3, Day(2025, 1, 10), 1800, 2000)});
    Open(EntryMode::Change, Read()[1]);
    EXPECT_EQ(window->windowTitle(), "Produzione Propria");
    EXPECT_TRUE(Control(W(), "BPREVENTIVA")->isHidden());
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(Shown("DATMOV"), "09/01/2025");
    EXPECT_EQ(Shown("NUMDOC"), "7");
    EXPECT_EQ(Shown("INTER1"), "1400");
    EXPECT_EQ(Shown("INTER2"), "1800");
    EXPECT_EQ(Shown("DOUBL5"), "12,5");
    EXPECT_EQ(Shown("DOUBL3"), "");  // emptied by loading the readings
    EXPECT_EQ(Shown("MITDES"), "08:30");
    TypeThenEnter("20122024");
    EXPECT_EQ(Shown("DOUBL6"), "19/12/2024");
    Retype("DOUBL3", "400");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Numbers(Read()), (std::vector<int>{1, 3}));
    const auto old = Read(2024);
    ASSERT_EQ(old.size(), 2u);
    EXPECT_EQ(old[1].NUMOPE, 2);
    EXPECT_EQ(old[1].PROGRE, 2);
    EXPECT_EQ(old[1].DATMOV, Day(2024, 12, 20));
    EXPECT_EQ(old[1].DATPEC, Day(2024, 12, 19));
    EXPECT_EQ(old[1].LITPRO, 400);
    EXPECT_EQ(old[1].ETTOGR, 50);
}

// Whatever disk fault strikes the save, the window reports the register's I/O error and saves
// nothing; the register stays as it was.
TEST_F(ProductionWindow, EveryDiskFaultIsReportedAndNothingSaved) {
    for (const DiskFault fault : kAllDiskFaults) {
        SCOPED_TRACE(DiskFaultName(fault));
        WriteMovements(Register(), {StoredBrew(1, Day(2025, 3, 5), 1000, 5000)});
        const std::string before = FileBytes(Register());
        seams.messages.clear();
        Open();
        FillNew(5000, 6250);
        FocusOn(W(), "BCONF");
        ASSERT_EQ(seams.messages.texts(), QStringList{});
        {
            FailingWrites faults(Register(), fault);
            PressEnter(W());
        }
        EXPECT_FALSE(window->saved());
        ExpectFaultReported(seams.messages, Register(), before, fault);
        RestoreVanished(Register());
    }
}

// A change that moved the production to 2024 stored it there, and then could not take it out
// of 2025: the window says which record is left over and closes, so that confirming again
// cannot store the production a second time.
TEST_F(ProductionWindow, ChangeToAnotherYearWhoseOldRegisterCannotBeWritten) {
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 1), 500, 800)});
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 8), 1000, 1400),
                                StoredBrew(2, Day(2025, 1, 9), 1400, 1800)});
    const std::string before = FileBytes(Register());
    Open(EntryMode::Change, Read()[1]);
    TypeThenEnter("20122024");
    Retype("DOUBL3", "400");
    FocusOn(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    FailingWrites full(Register());
    PressEnter(W());
    PressEnter(W());  // confirmed twice

    EXPECT_EQ(full.failures(), 1);
    ASSERT_EQ(seams.messages.shown().size(), 2u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.texts()[0].contains("2025.RGM"));
    EXPECT_EQ(seams.messages.texts()[1],
              "ATTENZIONE: IL MOVIMENTO È STATO REGISTRATO NEL 2024 COME OPERAZIONE N. 2, MA NON "
              "È STATO TOLTO DAL 2025, DOVE RESTA COME OPERAZIONE N. 2: CANCELLALO CON "
              "\"Cancella dati non inviati\"");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Numbers(Read(2024)), (std::vector<int>{1, 2}));
    EXPECT_EQ(Read(2024)[1].LITPRO, 400);
    EXPECT_EQ(FileBytes(Register()), before);
    EXPECT_FALSE(fs::exists(LockMarkerPath(Register())));
    EXPECT_FALSE(fs::exists(LockMarkerPath(Register(2024))));
}

// The copy stored in 2024 is the same production as one already there: the warning speaks,
// although the number of the record being changed is one of 2024 too.
TEST_F(ProductionWindow, DuplicateInAnotherYearIsWarned) {
    TMOVIMENTO there = StoredBrew(2, Day(2024, 12, 20), 1400, 1800);
    there.DATPEC = Day(2024, 12, 19);
    there.LITPRO = 400;
    WriteMovements(Register(2024), {StoredBrew(1, Day(2024, 12, 1), 500, 800), there});
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 1, 8), 1000, 1400),
                                StoredBrew(2, Day(2025, 1, 9), 1400, 1800)});
    Open(EntryMode::Change, Read()[1]);
    TypeThenEnter("20122024");
    Retype("DOUBL3", "400");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDuplicate});
    EXPECT_TRUE(window->saved());
}

// Tab moves about and types nothing: leaving the date that way checks nothing and leaves the
// PEC date alone. Enter is typing: leaving the date with it moves the PEC date to the day before.
TEST_F(ProductionWindow, TabOutOfTheDateLeavesThePecDateEnterMovesIt) {
    Open();
    EXPECT_EQ(Shown("DOUBL6"), "15/03/2025");
    PressKey(W(), Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "NUMDOC");
    EXPECT_EQ(Shown("DOUBL6"), "15/03/2025");
    EXPECT_TRUE(window->untouched());
    FocusOn(W(), "DATMOV");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "NUMDOC");
    EXPECT_EQ(Shown("DOUBL6"), "14/03/2025");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// An energy meter's litres need a coefficient in range: leaving the final reading with one out
// of range says so and sends the focus to it. Here the coefficient comes from the beer type and
// the pointer goes straight to the readings, so the coefficient's own check never ran.
TEST_F(ProductionWindow, EnergyCoefficientOutOfRangeOnLeavingTheFinalReading) {
    WriteBrewCompany(work.folders(), {.meter = "E", .rounding = "D"});
    AddBeerType(work.folders(), "AMBRATA", kBeerCode, 0, 0);
    AddBeerType(work.folders(), "FORTE", kBeerCode, 100000, 0);
    const struct {
        const char* beer;
        const char* coefficient;
        QString message;
    } cases[] = {
        {"AMBRATA", "", kCoefficientZero},
        {"FORTE", "100.000", "VALORE MASSIM0: 99.999,99999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.beer);
        seams.messages.clear();
        Open();
        TypeThenEnter("10032025");
        TypeThenEnter("12");
        PressEnter(W());
        TypeThenEnter("0930");
        Type(W(), c.beer);
        FocusOn(W(), "INTER1");
        EXPECT_EQ(Shown("DOUBL2"), c.coefficient);
        Field("INTER1")->selectAll();
        TypeThenEnter("1000");
        TypeThenEnter("1400");
        EXPECT_EQ(FocusName(), "DOUBL2");
        EXPECT_EQ(seams.messages.texts(), QStringList{c.message});
        EXPECT_EQ(Shown("DOUBL3"), "");
    }
}

// The advance of the meter between its extreme readings fits: no overflow into a negative
// number of litres. The readings stand on the right, as amounts do.
TEST_F(ProductionWindow, ExtremeReadingsAndTheirPlace) {
    Open();
    for (const char* name : {"INTER1", "INTER2"})
        EXPECT_TRUE(Field(name)->alignment() & Qt::AlignRight) << name;
    FocusOn(W(), "INTER1");
    Field("INTER1")->clear();
    TypeThenEnter("-2147483648");
    TypeThenEnter("2147483647");
    EXPECT_EQ(FocusName(), "DOUBL3");
    EXPECT_EQ(Shown("DOUBL3"), "4294967295");
    Field("DOUBL3")->clear();
    FocusOn(W(), "ANNOTA");
    FocusOn(W(), "DOUBL3");  // entering the litres gives the counter's again
    EXPECT_EQ(Shown("DOUBL3"), "4294967295");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

class ProductionRectify : public ProductionWindow {
protected:
    // Twenty sent productions numbered 1..20, the one numbered 7 in the third place.
    void SetUp() override {
        ProductionWindow::SetUp();
        std::vector<TMOVIMENTO> records;
        std::vector<int> order{1, 2, 7, 3, 4, 5, 6};
        for (int n = 8; n <= 20; ++n) order.push_back(n);
        int reading = 1000;
        for (int n : order) {
            records.push_back(
                SentOn(StoredBrew(n, Day(2025, 2, 1) + records.size(), reading, reading + 100),
                       Day(2025, 3, 1), 1));
            reading += 100;
        }
        WriteMovements(Register(), records);
    }
    TMOVIMENTO Seventh() { return Read()[2]; }
};

TEST_F(ProductionRectify, CancelNeedsANoteAndAddsTheCancellation) {
    Open(EntryMode::RectifyCancel, Seventh());
    const QString caption = "RETTIFICA: cancella una produzione già inviata al sistema telematico";
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(LabelText("lmovimento"), caption);
    EXPECT_EQ(FocusName(), "ANNOTA");
    EXPECT_TRUE(Field("DATMOV")->isReadOnly());
    EXPECT_TRUE(Field("INTER2")->isReadOnly());
    EXPECT_FALSE(Field("ANNOTA")->isReadOnly());
    EXPECT_EQ(Shown("DOUBL3"), "100");  // a cancellation keeps every figure
    // Nothing typed yet: the confirm button sends the focus back to the date.
    PressKey(W(), Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "DATMOV");
    FocusOn(W(), "ANNOTA");
    Type(W(), "x");
    PressKey(W(), Qt::Key_Backspace);
    PressEnter(W());
    EXPECT_EQ(FocusName(), "ANNOTA");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoteRequired});
    Type(W(), "doppia registrazione");
    PressEnter(W());
    PressEnter(W());
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 21u);
    EXPECT_EQ(records[2].NUMOPE, 7);
    EXPECT_EQ(records[2].STATO.str(), "C");
    EXPECT_EQ(records[2].ANNOTA.trimmed(), "doppia registrazione");
    EXPECT_EQ(records[3].NUMOPE, 21);
    EXPECT_EQ(records[3].RIFOPE, 7);
    EXPECT_EQ(records[3].TIPRIC.str(), "C");
    EXPECT_EQ(records[3].NUMFLU, 0);
    EXPECT_EQ(records[3].PROGRE, 7);
    EXPECT_EQ(records[4].NUMOPE, 3);
}

TEST_F(ProductionRectify, ChangeAddsTheReplacement) {
    Open(EntryMode::RectifyChange, Seventh());
    EXPECT_EQ(window->windowTitle(),
              "RETTIFICA: modifica una produzione già inviata al sistema telematico");
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(Shown("DOUBL3"), "");
    Retype("DOUBL3", "90");
    Retype("ANNOTA", "litri corretti");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 22u);
    EXPECT_EQ(records[2].STATO.str(), "C");
    EXPECT_EQ(records[3].NUMOPE, 21);
    EXPECT_EQ(records[3].TIPRIC.str(), "C");
    EXPECT_EQ(records[3].LITPRO, 100);
    const TMOVIMENTO& r = records[4];
    EXPECT_EQ(r.NUMOPE, 22);
    EXPECT_EQ(r.RIFOPE, 7);
    EXPECT_EQ(r.STATO.str(), "R");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.PROGRE, 7);
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(r.DATFLU, 0);
    EXPECT_EQ(r.LITPRO, 90);
    EXPECT_EQ(r.ETTOGR, 11.25);
    EXPECT_EQ(r.ANNOTA.trimmed(), "litri corretti");
    EXPECT_EQ(records[5].NUMOPE, 3);
}

TEST_F(ProductionWindow, SameProductionTwiceIsOnlyWarned) {
    TMOVIMENTO stored = StoredBrew(1, Day(2025, 3, 10), 4000, 5000);
    stored.NUMDOC.set("12");
    stored.DATPEC = Day(2025, 3, 9);
    stored.MITDES.set("09:30");
    stored.LITPRO = 1250;
    WriteMovements(Register(), {stored});
    Open();
    FillNew(5000, 6250);
    Retype("DOUBL5", "12,5");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDuplicate});
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Read().size(), 2u);
}

TEST_F(ProductionWindow, PecTimeChecks) {
    Open();
    FillNew(5000, 6250);
    Retype("DOUBL5", "12,5");
    Retype("MITDES", "2500");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "MITDES");
    EXPECT_EQ(seams.messages.texts(), QStringList{kBadHour});
    seams.messages.clear();
    Retype("MITDES", "");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "MITDES");
    EXPECT_EQ(seams.messages.texts(), QStringList{kBadTime});
    EXPECT_FALSE(window->saved());
}

TEST_F(ProductionWindow, ChecksInTheirOrder) {
    Open();
    FillNew(5000, 6250);
    Retype("DOUBL3", "");
    seams.messages.clear();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DOUBL3");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoLitres});
    seams.messages.clear();
    Retype("DOUBL3", "1250");
    Retype("DOUBL5", "120");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DOUBL5");
    EXPECT_EQ(seams.messages.texts(), QStringList{kPlatoHigh});
    seams.messages.clear();
    // A low Plato is worth a warning only.
    Retype("DOUBL5", "6");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kPlatoLow, kPlatoLow}));
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Only().ETTOGR, 75);
}

TEST_F(ProductionWindow, NoProtocolAtTheDate) {
    fs::remove(TableFile(work.folders().datiGen, "PROTOCOLLI"));
    Open();
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProtocol});
    EXPECT_EQ(LabelText("LTIPOREGISTRO"), "delle produzioni");
    seams.messages.clear();
    TypeThenEnter("10032025");
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProtocol});
}

TEST_F(ProductionWindow, UnknownBeerTypeOpensTheList) {
    Open();
    TypeThenEnter("10032025");
    TypeThenEnter("12");
    PressEnter(W());
    TypeThenEnter("0930");
    QStringList listed;
    NextModal<tables::TFLISTVIEW> list([&](tables::TFLISTVIEW* l) {
        auto* rows = l->findChild<QTableWidget*>("LISTA");
        for (int r = 0; r < rows->rowCount(); ++r) listed << rows->item(r, 0)->text();
        rows->selectRow(1);
        QTest::keyClick(rows, Qt::Key_Return);
    });
    TypeThenEnter("BIANCA");
    ASSERT_TRUE(list.answered());
    ShowActive(W());  // the window manager gives the window back its activation
    EXPECT_EQ(listed, (QStringList{"BIONDA", "ROSSA"}));
    EXPECT_EQ(Shown("PRODAZ"), "ROSSA");
    EXPECT_EQ(FocusName(), "PRODAZ");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// A brewer without beer types yet types the first one: there is no list to choose from, so
// the beer-type window opens on the type typed, after a word that says why.
TEST_F(ProductionWindow, FirstBeerTypeOpensTheBeerTypeWindowOnIt) {
    fs::remove(work.datiGen("PRAZ.TAB"));
    Open();
    TypeThenEnter("10032025");
    TypeThenEnter("12");
    PressEnter(W());
    TypeThenEnter("0930");
    QString typed;
    NextModal<setup::TFPRODAZ> beerTypes([&](setup::TFPRODAZ* w) {
        ShowActive(w);
        typed = w->findChild<QLineEdit*>("LE0")->text();
        w->reject();
    });
    NextModal<tables::TFLISTVIEW> noList([](tables::TFLISTVIEW* l) { l->reject(); });
    TypeThenEnter("ambrata");
    ASSERT_TRUE(beerTypes.answered());
    EXPECT_EQ(noList.opened(), 0);
    ShowActive(W());
    EXPECT_EQ(typed, "AMBRATA");
    ASSERT_EQ(seams.messages.texts().size(), 1);
    EXPECT_TRUE(seams.messages.texts()[0].startsWith(
        QString::fromUtf8("LA TABELLA \"Tipi di birra prodotti\" È ANCORA VUOTA")));
    EXPECT_EQ(FocusName(), "PRODAZ");
}

// "&Elenco" and "Nuovo &Tipo" answer their accelerators: the keyboard alone chooses a type of
// the list or adds the type typed.
TEST_F(ProductionWindow, TheBeerTypeButtonsAnswerTheirAccelerators) {
    Open();
    FocusOn(W(), "PRODAZ");
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1));
    PressKey(W(), Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(list.answered());
    ShowActive(W());
    EXPECT_EQ(Shown("PRODAZ"), "ROSSA");

    test::Retype(W(), "PRODAZ", "WEIZEN");
    QString typed;
    NextModal<setup::TFPRODAZ> beerTypes([&](setup::TFPRODAZ* w) {
        ShowActive(w);
        typed = w->findChild<QLineEdit*>("LE0")->text();
        w->reject();
    });
    PressKey(W(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(beerTypes.answered());
    EXPECT_EQ(typed, "WEIZEN");
}

TEST_F(ProductionWindow, BeerTypeWithoutProductCode) {
    AddBeerType(work.folders(), "SCURA", "9999-99999999-  -    ", 1, 0);
    Open();
    TypeThenEnter("10032025");
    TypeThenEnter("12");
    PressEnter(W());
    TypeThenEnter("0930");
    TypeThenEnter("SCURA");
    EXPECT_EQ(FocusName(), "PRODAZ");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProductCode});
}

TEST_F(ProductionWindow, DamagedRegisterIsReportedAndNeverWritten) {
    Open();
    FillNew(5000, 6250);
    Retype("DOUBL5", "12,5");
    WriteFileBytes(Register(), std::string(100, 'x'));
    Click(W(), "BCONF");
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_FALSE(window->saved());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(FileBytes(Register()), std::string(100, 'x'));
    EXPECT_FALSE(fs::exists(LockMarkerPath(Register())));
}

TEST_F(ProductionWindow, PreventiveCommunicationFillsTheProduction) {
    TMOVIMENTO preventive = BlankMovement();
    preventive.DATMOV = Day(2025, 3, 12);
    preventive.INTER2 = 17;
    preventive.PRODAZ.set("ROSSA");
    preventive.DATPEC = Day(2025, 3, 10) + 0.5;
    preventive.MITDES.set("11:45");
    PadMovement(preventive);
    Open();
    int asked = 0;
    window->setPreventiveChooser([&](QWidget*) {
        ++asked;
        return std::optional<TMOVIMENTO>(preventive);
    });
    Click(W(), "BPREVENTIVA");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Shown("DATMOV"), "12/03/2025");
    EXPECT_EQ(Shown("NUMDOC"), "17");
    EXPECT_EQ(Shown("PRODAZ"), "ROSSA");
    EXPECT_EQ(Shown("DOUBL2"), "2,5");
    EXPECT_EQ(Shown("DOUBL6"), "10/03/2025");
    EXPECT_EQ(Shown("MITDES"), "11:45");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// A communication whose beer type the table does not hold: the list of the types opens, and the
// type chosen there goes into the production.
TEST_F(ProductionWindow, PreventiveCommunicationOfAnUnknownBeerTypeOpensTheList) {
    TMOVIMENTO preventive = BlankMovement();
    preventive.DATMOV = Day(2025, 3, 12);
    preventive.INTER2 = 17;
    preventive.PRODAZ.set("BIANCA");
    PadMovement(preventive);
    Open();
    window->setPreventiveChooser([&](QWidget*) { return std::optional<TMOVIMENTO>(preventive); });
    QStringList seen;  // the list's caption, then its rows
    NextModal<tables::TFLISTVIEW> list(ChooseRow(0, &seen));
    Click(W(), "BPREVENTIVA");
    ASSERT_TRUE(list.answered());
    ShowActive(W());
    EXPECT_EQ(seen.mid(1), (QStringList{"BIONDA", "ROSSA"}));
    EXPECT_EQ(Shown("PRODAZ"), "BIONDA");
    EXPECT_EQ(Shown("NUMDOC"), "17");
    EXPECT_EQ(FocusName(), "PRODAZ");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

TEST_F(ProductionWindow, EnergyCoefficientOfZeroIsRefused) {
    WriteBrewCompany(work.folders(), {.meter = "E", .rounding = "D"});
    Open();
    TypeThenEnter("10032025");
    TypeThenEnter("12");
    PressEnter(W());
    TypeThenEnter("0930");
    TypeThenEnter("ROSSA");
    TypeThenEnter("0");
    EXPECT_EQ(FocusName(), "DOUBL2");
    EXPECT_EQ(seams.messages.texts(), QStringList{kCoefficientZero});
}

TEST_F(ProductionWindow, ConfirmByTheAccelerator) {
    Open();
    FillNew(5000, 6250);
    Retype("DOUBL5", "12,5");
    PressKey(W(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(Only().LITPRO, 1250);
}

TEST_F(ProductionWindow, DamagedCompanyFileClosesTheWindow) {
    WriteFileBytes(work.folders().companyFile(), std::string(100, 'x'));
    Open();
    Settle();
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->saved());
    EXPECT_EQ(FileBytes(work.folders().companyFile()), std::string(100, 'x'));
    EXPECT_FALSE(fs::exists(Register()));
}

}  // namespace
}  // namespace braxol
