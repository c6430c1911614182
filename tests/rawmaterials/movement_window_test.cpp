// The load and unload window driven as a user works it: keys, Enter, clicks on the controls by
// object name; the yearly files REGISTRI/<yyyy>.MPR are read back after each store.

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "rawmaterials/movement_entry.h"
#include "rawmaterials/movement_window.h"
#include "rawmaterials_fixture.h"
#include "store/lock.h"
#include "store/numbers.h"
#include "support/failing_writes.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::raw;
using rawmaterials::TFCARSCAMP;

const QString kOverStock = "Quantità superiore alla giacenza ";
const QString kDocumentStored = "ATTENZIONE DOCUMENTO GIA` IN MEMORIA !";
const QString kDocumentAfter =
    "ATTENZIONE LA DATA DEL DOCUMENTO E' SUCCESSIVA A QUELLA DEL MOVIMENTO";
const QString kQuantityRequired = "quantità obbligatoria";

class MovementWindow : public RawTest {
protected:
    std::unique_ptr<TFCARSCAMP> window;

    void Open(const TMOVIMENTO& selected = BlankMovement()) {
        rawmaterials::MovementRequest request{folders(), selected.NUMOPE > 0, selected, 800, 600};
        window.reset();
        window = std::make_unique<TFCARSCAMP>(request);
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return ControlAs<QLineEdit>(W(), name)->text(); }
    QString LabelText(const QString& name) { return ControlAs<QLabel>(W(), name)->text(); }
    bool Hidden(const QString& name) { return Control(W(), name)->isHidden(); }

    // Types one movement from the type to the note with Enter only, the focus left on the
    // confirm button.
    void Fill(const QString& type, const QString& date, const QString& material,
              const QString& quantity, const QString& document = "DDT1",
              const QString& supplier = "DITTA A") {
        EXPECT_EQ(FocusName(), "TIPMOV");
        Over(W(), type);
        EXPECT_EQ(FocusName(), "DATMOV");
        Over(W(), date);
        EXPECT_EQ(FocusName(), "PRODDO");
        Over(W(), material);
        EXPECT_EQ(FocusName(), "DATDOC");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "NUMDOC");
        Over(W(), document);
        if (type == "C") {
            EXPECT_EQ(FocusName(), "PRODAZ");
            Over(W(), supplier);
        }
        EXPECT_EQ(FocusName(), "DOUBL1");
        Over(W(), quantity);
        EXPECT_EQ(FocusName(), "ANNOTA");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "BCONF");
    }
    void Store(const QString& type, const QString& date, const QString& material,
               const QString& quantity, const QString& document = "DDT1") {
        Fill(type, date, material, quantity, document);
        PressEnter(W());
    }
    // The stored records, trimmed.
    std::vector<TMOVIMENTO> Trimmed(int year) {
        auto records = Read(year);
        for (auto& r : records) TrimMovement(r);
        return records;
    }
};

// A load typed from the first field to the confirm button with Enter only; the window then
// waits for the next movement with the two dates kept.
TEST_F(MovementWindow, NewLoadByKeyboard) {
    Open();
    EXPECT_EQ(window->objectName(), "FCARSCAMP");
    EXPECT_EQ(Shown("DATMOV"), "15/03/2025");
    EXPECT_EQ(Shown("DATDOC"), "15/03/2025");
    EXPECT_EQ(LabelText("LTITOLO"), "");
    EXPECT_EQ(LabelText("LMOVIMENTO"), "");
    EXPECT_TRUE(Hidden("LMAX"));
    EXPECT_TRUE(window->untouched());

    Over(W(), "c");
    EXPECT_EQ(Shown("TIPMOV"), "C");
    EXPECT_EQ(window->windowTitle(), "CARICO MATERIA PRIMA");
    EXPECT_EQ(LabelText("LMOVIMENTO"), "CARICO");
    EXPECT_EQ(LabelText("Label1"), "Data carico");
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(231, 254, 254));
    EXPECT_EQ(Control(W(), "LMOVIMENTO")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_FALSE(Hidden("PRODAZ"));
    // The movement date moves the later document date back to it.
    Over(W(), "10032015");
    EXPECT_EQ(Shown("DATDOC"), "10/03/2015");
    Over(W(), "malto");
    EXPECT_EQ(Shown("PRODDO"), "MALTO");
    PressEnter(W());
    Over(W(), "DDT 7/A");
    Over(W(), "Maltificio Rossi");
    Over(W(), "1234,5");
    EXPECT_EQ(Shown("DOUBL1"), "1.234,5");
    Type(W(), "consegna parziale");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->storedCount(), 1);
    const auto records = Trimmed(2015);
    ASSERT_EQ(records.size(), 1u);
    const TMOVIMENTO& r = records[0];
    EXPECT_EQ(r.NUMOPE, 1);
    EXPECT_EQ(r.PROGRE, 1);
    EXPECT_EQ(r.RIFOPE, 0);
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(r.DATFLU, 0);
    EXPECT_EQ(r.DATMOV, Day(2015, 3, 10));
    EXPECT_EQ(r.DATDOC, Day(2015, 3, 10));
    EXPECT_EQ(r.TIPMOV.str(), "C");
    EXPECT_EQ(r.TIPREC.str(), "C");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.STATO.str(), "");
    EXPECT_EQ(r.PRODDO.str(), "MALTO");
    EXPECT_EQ(r.NUMDOC.str(), "DDT 7/A");
    EXPECT_EQ(r.PRODAZ.str(), "Maltificio Rossi");
    EXPECT_EQ(r.QUANTI, 1234.5);
    EXPECT_EQ(ui::FromField(r.ANNOTA), "consegna parziale");
    const TMOVIMENTO raw = Read(2015)[0];
    EXPECT_EQ(raw.CODMOV.view(), "   ");
    EXPECT_EQ(raw.PRODDO.view().size(), 21u);
    EXPECT_FALSE(fs::exists(LockMarkerPath(Mpr(2015))));

    // Ready for the next movement: emptied, the dates kept.
    EXPECT_EQ(FocusName(), "TIPMOV");
    for (const char* name : {"TIPMOV", "PRODDO", "NUMDOC", "PRODAZ", "DOUBL1", "ANNOTA"})
        EXPECT_EQ(Shown(name), "") << name;
    EXPECT_EQ(Shown("DATMOV"), "10/03/2015");
    EXPECT_EQ(Shown("DATDOC"), "10/03/2015");
}

// An unload shows the stock of its day: with a load of 100 and an unload of 30 on 10 March, the
// unload of 11 March may take 70 without a word; 70,00001 is warned about and stored all the
// same.
TEST_F(MovementWindow, UnloadShowsTheStockAndWarnsAboveIt) {
    struct Case {
        const char* quantity;
        QStringList messages;
    } cases[] = {{"70", {}}, {"70,00001", {kOverStock, kOverStock}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quantity);
        WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                                   Movement(2, 2, Day(2015, 3, 10), "S", "MALTO", 30)});
        seams.messages.clear();
        Open();
        Over(W(), "S");
        EXPECT_EQ(window->windowTitle(), "SCARICO MATERIA PRIMA");
        EXPECT_EQ(LabelText("LMOVIMENTO"), "SCARICO");
        EXPECT_EQ(LabelText("Label1"), "Data scarico");
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(245, 241, 188));
        EXPECT_EQ(Control(W(), "Label1")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_TRUE(Hidden("PRODAZ"));
        EXPECT_TRUE(Hidden("LPRODAZ"));
        Over(W(), "11032015");
        Over(W(), "MALTO");
        EXPECT_FALSE(Hidden("LMAX"));
        EXPECT_EQ(LabelText("LMAX"), "MAX= 70");
        PressEnter(W());
        Over(W(), "B1");
        EXPECT_EQ(FocusName(), "DOUBL1");
        Over(W(), c.quantity);
        PressEnter(W());
        PressEnter(W());  // confirmed: a warning speaks again, and the unload is stored
        EXPECT_EQ(seams.messages.texts(), c.messages);
        ASSERT_EQ(Read(2015).size(), 3u);
        EXPECT_EQ(Read(2015)[2].QUANTI, ParseAmount(c.quantity, 5));
    }
}

// The stock spans the yearly files from 2014: a load of 31/12/2014 counts on 05/01/2015, and a
// movement of 2013 never counts. A load with a negative quantity lowers it.
TEST_F(MovementWindow, StockAcrossYearsAndNegativeLoads) {
    WriteMovements(Mpr(2013), {Movement(1, 1, Day(2013, 6, 1), "C", "MALTO", 500)});
    WriteMovements(Mpr(2014), {Movement(1, 1, Day(2014, 12, 31), "C", "MALTO", 40)});
    Open();
    Over(W(), "S");
    Over(W(), "05012015");
    Over(W(), "MALTO");
    EXPECT_EQ(LabelText("LMAX"), "MAX= 40");
    FocusOn(W(), "TIPMOV");
    Over(W(), "C");
    EXPECT_TRUE(Hidden("LMAX"));
    Over(W(), "05012015");
    Over(W(), "MALTO");
    PressEnter(W());
    Over(W(), "RESO 1");
    Over(W(), "DITTA A");
    Over(W(), "-10,5");
    PressEnter(W());
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    ASSERT_EQ(Read(2015).size(), 1u);
    EXPECT_EQ(Read(2015)[0].QUANTI, -10.5);

    Over(W(), "S");
    Over(W(), "06012015");
    Over(W(), "MALTO");
    EXPECT_EQ(LabelText("LMAX"), "MAX= 29,5");
    EXPECT_DOUBLE_EQ(window->shownStock().value_or(0), 29.5);
}

// Loads L1, L2 and unloads U1, U2 of one day entered as L1, U1, L2, U2 lie in the file as
// L1, L2, U2, U1: the loads first, in the order entered, then the unloads, the newest first.
TEST_F(MovementWindow, OneDaysLoadsComeBeforeItsUnloads) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 1), "C", "MALTO", 1000)});
    Open();
    Store("C", "10032015", "MALTO", "10", "L1");
    Store("S", "10032015", "MALTO", "1", "U1");
    Store("C", "10032015", "MALTO", "20", "L2");
    Store("S", "10032015", "MALTO", "2", "U2");
    std::vector<std::string> order;
    for (const TMOVIMENTO& r : Trimmed(2015)) order.push_back(r.NUMDOC.str());
    EXPECT_EQ(order, (std::vector<std::string>{"DDT1", "L1", "L2", "U2", "U1"}));
    EXPECT_EQ(Numbers(Read(2015)), (std::vector<int>{1, 2, 4, 5, 3}));
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// The same load entered twice: the second time the window warns, and stores it all the same.
TEST_F(MovementWindow, SameDocumentTwiceIsWarnedAndStored) {
    Open();
    Store("C", "10032015", "MALTO", "100");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    Store("C", "10032015", "MALTO", "100");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDocumentStored});
    EXPECT_EQ(Numbers(Read(2015)), (std::vector<int>{1, 2}));
    // Another quantity is another document.
    seams.messages.clear();
    Store("C", "10032015", "MALTO", "100,0001");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// Checks of the fields as they are left and on the confirm button: a later document date is
// brought back to the movement's when the movement date is left and refused on confirming; a
// missing quantity is asked for; an empty document number keeps the focus.
TEST_F(MovementWindow, ChecksOfTheFields) {
    Open();
    Over(W(), "C");
    Over(W(), "10032015");
    Over(W(), "MALTO");
    EXPECT_EQ(FocusName(), "DATDOC");
    Over(W(), "12032015");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDocumentAfter});
    EXPECT_EQ(FocusName(), "DATDOC");
    EXPECT_EQ(Shown("DATDOC"), "10/03/2015");
    seams.messages.clear();

    // Typed again, then straight to the confirm button with the mouse.
    Over(W(), "11032015");
    seams.messages.clear();
    FocusOn(W(), "DATDOC");
    ControlAs<QLineEdit>(W(), "DATDOC")->selectAll();
    Type(W(), "11032015");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDocumentAfter});
    EXPECT_EQ(FocusName(), "DATDOC");
    seams.messages.clear();

    PressEnter(W());
    EXPECT_EQ(FocusName(), "NUMDOC");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "NUMDOC");  // no document number
    Over(W(), " X");
    EXPECT_EQ(FocusName(), "NUMDOC");  // starting with a blank
    Over(W(), "X");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "DOUBL1");
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{kQuantityRequired});
    EXPECT_EQ(FocusName(), "DOUBL1");
    seams.messages.clear();
    Over(W(), "5");

    FocusOn(W(), "TIPMOV");
    Over(W(), "X");
    EXPECT_EQ(FocusName(), "TIPMOV");
    EXPECT_EQ(Read(2015).size(), 0u);
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// A name that the table does not hold opens its list; the name chosen there comes back. The
// new-name button opens the table window for one name, which closes once it is stored.
TEST_F(MovementWindow, MaterialsFromTheTable) {
    Open();
    Over(W(), "C");
    PressEnter(W());
    QStringList seen;
    NextModal<tables::TFLISTVIEW> list(ChooseRow(0, &seen));
    Type(W(), "ORZO");
    PressEnter(W());
    ASSERT_TRUE(list.answered());
    ShowActive(W());
    EXPECT_EQ(seen, (QStringList{"Tabella Materie Prime", "LUPPOLO", "MALTO"}));
    EXPECT_EQ(Shown("PRODDO"), "LUPPOLO");
    EXPECT_EQ(FocusName(), "PRODDO");

    NextModal<rawmaterials::TFMATPRI> table([](rawmaterials::TFMATPRI* w) {
        ShowActive(w);
        Type(w, "orzo");
        PressEnter(w);
        PressEnter(w);
    });
    Click(W(), "BNPRODDO");
    ASSERT_EQ(table.opened(), 1);
    ShowActive(W());
    EXPECT_EQ(Shown("PRODDO"), "ORZO");
    EXPECT_EQ(FocusName(), "PRODDO");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "DATDOC");
    EXPECT_TRUE(rawmaterials::MaterialKnown(nullptr, folders(), "ORZO"));
}

// The confirm button stores whichever way it is reached, and only when the window has been
// typed in: entered while the window is untouched, it sends the focus back to the type.
TEST_F(MovementWindow, ThreeWaysToConfirm) {
    enum class Way { Click, Accelerator, Enter };
    int expected = 0;
    for (Way way : {Way::Click, Way::Accelerator, Way::Enter}) {
        Open();
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), "TIPMOV");
        EXPECT_FALSE(window->untouched());
        EXPECT_EQ(Read(2015).size(), static_cast<std::size_t>(expected));
        Fill("C", "10032015", "MALTO", QString::number(expected + 1));
        switch (way) {
            case Way::Click:
                Click(W(), "BCONF");
                break;
            case Way::Accelerator:
                FocusOn(W(), "ANNOTA");
                PressKey(W(), Qt::Key_C, Qt::AltModifier);
                QTest::qWait(250);  // the accelerator clicks after the button's animation
                break;
            case Way::Enter:
                PressEnter(W());
                break;
        }
        EXPECT_EQ(Read(2015).size(), static_cast<std::size_t>(++expected));
        EXPECT_EQ(FocusName(), "TIPMOV");
    }
    EXPECT_EQ(seams.messages.texts(), QStringList{});
}

// ---- Change ---------------------------------------------------------------------------------

// A change that moves the date from 2015 to 2016 moves the movement to 2016.MPR: a new NUMOPE
// there, its PROGRE kept, gone from 2015.MPR; the window closes.
TEST_F(MovementWindow, ChangeToAnotherYearMovesTheMovement) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                               Movement(2, 2, Day(2015, 12, 30), "C", "MALTO", 50, "DDT9")});
    WriteMovements(Mpr(2016), {Movement(1, 1, Day(2016, 1, 2), "C", "MALTO", 10),
                               Movement(2, 2, Day(2016, 1, 9), "C", "MALTO", 20)});
    Open(Read(2015)[1]);
    EXPECT_FALSE(window->untouched());
    EXPECT_EQ(FocusName(), "TIPMOV");
    EXPECT_EQ(Shown("DOUBL1"), "50,00000");
    EXPECT_EQ(Shown("NUMDOC"), "DDT9");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    PressEnter(W());
    Over(W(), "05012016");
    EXPECT_EQ(Shown("DATDOC"), "30/12/2015");
    Click(W(), "BCONF");

    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Numbers(Read(2015)), std::vector<int>{1});
    const auto moved = Trimmed(2016);
    ASSERT_EQ(moved.size(), 3u);
    EXPECT_EQ(Numbers(Read(2016)), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(moved[1].NUMDOC.str(), "DDT9");
    EXPECT_EQ(moved[1].PROGRE, 2);
    EXPECT_EQ(moved[1].DATMOV, Day(2016, 1, 5));
    EXPECT_EQ(moved[1].DATDOC, Day(2015, 12, 30));
    EXPECT_EQ(moved[1].QUANTI, 50);
}

// A change within its year rewrites the file once: the movement keeps its PROGRE and takes the
// place its new date gives it.
TEST_F(MovementWindow, ChangeWithinTheYear) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                               Movement(2, 2, Day(2015, 3, 12), "C", "LUPPOLO", 5)});
    Open(Read(2015)[0]);
    PressEnter(W());
    Over(W(), "20032015");
    FocusOn(W(), "DOUBL1");
    Over(W(), "90");
    Click(W(), "BCONF");
    EXPECT_FALSE(window->isVisible());
    const auto records = Trimmed(2015);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].PRODDO.str(), "LUPPOLO");
    EXPECT_EQ(records[1].NUMOPE, 3);
    EXPECT_EQ(records[1].PROGRE, 1);
    EXPECT_EQ(records[1].QUANTI, 90);
}

// Changing an unload: the stock shown leaves out the unload itself, so what it may take is the
// stock before it.
TEST_F(MovementWindow, ChangingAnUnloadLeavesItOutOfTheStock) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                               Movement(2, 2, Day(2015, 3, 11), "S", "MALTO", 30)});
    Open(Read(2015)[1]);
    EXPECT_EQ(LabelText("LMAX"), "MAX= 100");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    FocusOn(W(), "DOUBL1");
    Over(W(), "80");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_EQ(Read(2015)[1].QUANTI, 80);
}

// A movement whose material has left the table opens with the focus on the material; the
// movement itself is left as it was.
TEST_F(MovementWindow, ChangeOfAMovementWhoseMaterialWasDeleted) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "ORZO", 100)});
    const std::string before = FileBytes(Mpr(2015));
    Open(Read(2015)[0]);
    EXPECT_EQ(FocusName(), "PRODDO");
    EXPECT_EQ(Shown("PRODDO"), "ORZO");
    window->reject();
    EXPECT_EQ(FileBytes(Mpr(2015)), before);
}

// A change from 2015 to 2016 that fails halfway leaves exactly one copy of the movement: when
// 2016.MPR cannot be written nothing is stored; when 2015.MPR cannot be written after the
// store in 2016, that store is taken back. The window says why and keeps what was typed.
TEST_F(MovementWindow, CrossYearChangeThatFailsLeavesOneCopy) {
    for (const int failing : {2016, 2015}) {
        SCOPED_TRACE(failing);
        WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                                   Movement(2, 2, Day(2015, 12, 30), "C", "MALTO", 50)});
        WriteMovements(Mpr(2016), {Movement(1, 1, Day(2016, 1, 2), "C", "MALTO", 10)});
        const std::string before2015 = FileBytes(Mpr(2015));
        const std::string before2016 = FileBytes(Mpr(2016));
        seams.messages.clear();
        Open(Read(2015)[1]);
        PressEnter(W());
        Over(W(), "05012016");
        FocusOn(W(), "BCONF");
        FailingWrites full(Mpr(failing));
        PressEnter(W());

        EXPECT_EQ(full.failures(), 1);
        ASSERT_EQ(seams.messages.shown().size(), 1u);
        EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
        EXPECT_TRUE(seams.messages.texts()[0].contains(QString::number(failing) + ".MPR"));
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(Shown("DATMOV"), "05/01/2016");
        EXPECT_EQ(FileBytes(Mpr(2015)), before2015);
        EXPECT_EQ(FileBytes(Mpr(2016)), before2016);
        EXPECT_FALSE(fs::exists(LockMarkerPath(Mpr(2015))));
        EXPECT_FALSE(fs::exists(LockMarkerPath(Mpr(2016))));
        window.reset();
    }
}

// When the store in 2016 cannot be taken back either, both years hold the movement: the window
// says which record is left over and closes, so that confirming again cannot store a third one.
TEST_F(MovementWindow, CrossYearChangeThatCannotBeUndoneSaysWhatIsLeft) {
    WriteMovements(Mpr(2015), {Movement(1, 1, Day(2015, 3, 10), "C", "MALTO", 100),
                               Movement(2, 2, Day(2015, 12, 30), "C", "MALTO", 50)});
    const std::string before = FileBytes(Mpr(2015));
    Open(Read(2015)[1]);
    PressEnter(W());
    Over(W(), "05012016");
    FocusOn(W(), "BCONF");
    int writes2016 = 0;
    const fs::path old = Mpr(2015);
    const fs::path moved = Mpr(2016);
    FailingWrites full([&](const fs::path& p) {
        if (p == old) return true;
        return p == moved && ++writes2016 > 1;
    });
    PressEnter(W());
    PressEnter(W());

    EXPECT_EQ(full.failures(), 2);
    ASSERT_EQ(seams.messages.texts().size(), 2);
    EXPECT_EQ(seams.messages.texts()[1],
              "ATTENZIONE: IL MOVIMENTO È STATO REGISTRATO NEL 2016 COME OPERAZIONE N. 1, MA NON "
              "È STATO TOLTO DAL 2015, DOVE RESTA COME OPERAZIONE N. 2: CANCELLALO CON "
              "\"Materie Prime → Cancella\"");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FileBytes(Mpr(2015)), before);
    ASSERT_EQ(Read(2016).size(), 1u);
    EXPECT_EQ(Read(2016)[0].PROGRE, 2);
}

}  // namespace
}  // namespace braxol
