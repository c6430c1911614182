// The late-payment correction window worked as a user works it; then REGISTRI/<year>.DER is
// read back. Amounts are stored as typed, rounded to 2 decimals, whatever their sign.

#include <QPushButton>

#include <memory>

#include "tributes/correction_window.h"
#include "tributes/excise_window.h"
#include "tributes_test_support.h"

namespace braxol {
namespace {

using namespace braxol::test;
using tributes::TFRAVVEDIM;

const QString kPeriodSent = "ATTENZIONE PERIODO GIA` INVIATO! PER MODIFICARE UTILIZZA LA RETTIFICA";
const QString kNoteRequired = "Nota obbligatoria per le rettifiche";

class CorrectionWindow : public TributesTest {
protected:
    std::unique_ptr<TFRAVVEDIM> window;

    void SetUp() override { WriteUsualRates(); }

    void Open(const tributes::TributeRequest& request) {
        window = std::make_unique<TFRAVVEDIM>(request, nullptr);
        ShowActive(window.get());
    }
    void OpenNew() { Open(Request()); }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return TributesTest::Shown(W(), name); }
    bool Closed() const { return !window->isVisible(); }
};

TEST_F(CorrectionWindow, OpensOnTheCurrentYearAndToday) {
    OpenNew();
    EXPECT_EQ(window->objectName(), "FRAVVEDIM");
    EXPECT_EQ(window->windowTitle(), "Ravvedimento");
    EXPECT_EQ(FocusName(), "ANNPRO");
    EXPECT_EQ(Shown("ANNPRO"), "2025");
    EXPECT_EQ(Shown("MITDES"), "1411");
    EXPECT_EQ(Shown("DATDOC"), "15/03/2025");
    for (const char* name : {"CODPAE", "DCODPAE", "DOUBL1", "DOUBL2", "DOUBL3", "DOUBL4", "DOUBL5",
                             "DOUBL6", "INTER1"})
        EXPECT_EQ(Shown(name), "") << name;
}

// Every field by keyboard, in tab order: a negative amount is accepted, 33,333 is kept as
// 33,33 and the days may be negative.
TEST_F(CorrectionWindow, NewCorrectionByKeyboard) {
    OpenNew();
    Retype(W(), "ANNPRO", "2015");
    PressEnter(W());
    ASSERT_EQ(FocusName(), "CODPAE");
    TypeThenEnter(W(), "4");
    EXPECT_EQ(Shown("CODPAE"), "04");
    EXPECT_EQ(Shown("DCODPAE"), "Aprile - 2015");
    ASSERT_EQ(FocusName(), "MITDES");
    ControlAs<QLineEdit>(W(), "MITDES")->selectAll();
    TypeThenEnter(W(), "1402a");
    EXPECT_EQ(Shown("MITDES"), "1402A");
    EXPECT_EQ(FocusName(), "DOUBL1");
    TypeThenEnter(W(), "-1234,5");
    EXPECT_EQ(Shown("DOUBL1"), "-1.234,5");
    TypeThenEnter(W(), "30");
    ASSERT_EQ(FocusName(), "DOUBL3");
    TypeThenEnter(W(), "33,333");
    TypeThenEnter(W(), "10,004");
    TypeThenEnter(W(), "0.8");
    ASSERT_EQ(FocusName(), "INTER1");
    TypeThenEnter(W(), "-5");
    ASSERT_EQ(FocusName(), "DOUBL6");
    TypeThenEnter(W(), "1,235");
    ASSERT_EQ(FocusName(), "DATDOC");
    PressEnter(W());
    ASSERT_EQ(FocusName(), "ANNOTA");
    TypeThenEnter(W(), "versato in ritardo; più interessi");
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    EXPECT_TRUE(Closed());
    EXPECT_TRUE(seams.messages.shown().empty());
    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 1u);
    const TMOVIMENTO r = file[0];
    EXPECT_EQ(r.NUMOPE, 1);
    EXPECT_EQ(r.TIPREC.str(), "R");
    EXPECT_EQ(r.TIPRIC.str(), "I");
    EXPECT_EQ(r.STATO.str(), " ");
    EXPECT_EQ(r.ANNPRO.str(), "2015");
    EXPECT_EQ(r.CODPAE.str(), "04");
    EXPECT_EQ(r.MITDES.trimmed(), "1402A");
    EXPECT_DOUBLE_EQ(r.QUANTI, -1234.5);
    EXPECT_DOUBLE_EQ(r.COERES, 30);
    EXPECT_DOUBLE_EQ(r.LITPRO, 33.33);
    EXPECT_DOUBLE_EQ(r.ETTOGR, 10.0);
    EXPECT_DOUBLE_EQ(r.GRAPLA, 0.8);
    EXPECT_EQ(r.INTER1, -5);
    EXPECT_DOUBLE_EQ(r.DATPEC, 1.24);
    EXPECT_EQ(r.DATDOC, Day(2025, 3, 15));
    EXPECT_EQ(r.DATMOV, 0);
    EXPECT_EQ(ui::FromField(r.ANNOTA), "versato in ritardo; più interessi");
    EXPECT_EQ(window->stored().NUMOPE, 1);
}

TEST_F(CorrectionWindow, EmptyAmountsAreStoredAsZeros) {
    OpenNew();
    Retype(W(), "ANNPRO", "2015");
    PressEnter(W());
    Type(W(), "21");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());
    const auto file = ReadDer(2015);
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].CODPAE.str(), "21");
    for (double v : {file[0].QUANTI, file[0].COERES, file[0].LITPRO, file[0].ETTOGR, file[0].GRAPLA,
                     file[0].DATPEC})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(file[0].INTER1, 0);
}

TEST_F(CorrectionWindow, TabThroughTheEmptyPeriodKeepsTheFocus) {
    OpenNew();
    PressKey(W(), Qt::Key_Tab);
    ASSERT_EQ(FocusName(), "CODPAE");
    PressKey(W(), Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "CODPAE");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "CODPAE");
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(CorrectionWindow, InvalidPaymentDateBlocksTheConfirm) {
    OpenNew();
    Retype(W(), "ANNPRO", "2015");
    PressEnter(W());
    TypeThenEnter(W(), "05");
    auto* date = ControlAs<QLineEdit>(W(), "DATDOC");
    date->clear();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATDOC");
    date->setText("31/02/2015");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATDOC");
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(ReadDer(2015).empty());
}

// A period with an unsent record R shows its data; confirming overwrites it in its place.
TEST_F(CorrectionWindow, UnsentRecordOfThePeriodIsLoadedAndReplaced) {
    TMOVIMENTO unsent = StoredTribute("R", "04", 2015, 100, 2);
    unsent.COERES = 30;
    unsent.LITPRO = 33.33;
    unsent.ETTOGR = 10;
    unsent.GRAPLA = 0.8;
    unsent.INTER1 = 12;
    unsent.DATPEC = 1.5;
    unsent.DATDOC = Day(2015, 5, 20);
    unsent.MITDES.set("1400");
    unsent.ANNOTA.set("prima stesura");
    PadMovement(unsent);
    WriteDer(2015, {StoredTribute("E", "03", 2015, 40, 1), unsent,
                    StoredTribute("E", "05", 2015, 50, 3)});
    OpenNew();
    Retype(W(), "ANNPRO", "2015");
    PressEnter(W());
    TypeThenEnter(W(), "04");
    EXPECT_EQ(Shown("MITDES"), "1400");
    EXPECT_EQ(Shown("DOUBL1"), "100,00");
    EXPECT_EQ(Shown("DOUBL2"), "30,00");
    EXPECT_EQ(Shown("DOUBL3"), "33,33");
    EXPECT_EQ(Shown("DOUBL4"), "10,00");
    EXPECT_EQ(Shown("DOUBL5"), "0,80");
    EXPECT_EQ(Shown("INTER1"), "12");
    EXPECT_EQ(Shown("DOUBL6"), "1,50");
    EXPECT_EQ(Shown("ANNOTA"), "prima stesura");
    EXPECT_EQ(Shown("DATDOC"), "15/03/2025");
    FocusOn(W(), "DOUBL1");
    ControlAs<QLineEdit>(W(), "DOUBL1")->selectAll();
    Type(W(), "120");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());

    const auto file = ReadDer(2015);
    EXPECT_EQ(Numbers(file), (std::vector<int>{1, 4, 3}));
    EXPECT_EQ(file[1].TIPREC.str(), "R");
    EXPECT_DOUBLE_EQ(file[1].QUANTI, 120);
    EXPECT_DOUBLE_EQ(file[1].LITPRO, 33.33);
    EXPECT_EQ(file[1].INTER1, 12);
    EXPECT_EQ(file[1].DATDOC, Day(2025, 3, 15));
}

TEST_F(CorrectionWindow, SentPeriodIsRefusedInANewCorrection) {
    WriteDer(2015, {StoredTribute("R", "04", 2015, 100, 1, 3, Day(2015, 5, 2))});
    const std::string before = FileBytes(DerFile(2015));
    OpenNew();
    Retype(W(), "ANNPRO", "2015");
    PressEnter(W());
    TypeThenEnter(W(), "04");
    EXPECT_EQ(seams.messages.texts(), QStringList{kPeriodSent});
    EXPECT_EQ(FocusName(), "CODPAE");
    EXPECT_FALSE(Closed());
    EXPECT_EQ(FileBytes(DerFile(2015)), before);
}

// The modify-rectification of a sent record R: the chapter gets the focus, the note is
// obligatory, the replacing record carries the window's data.
TEST_F(CorrectionWindow, ModifyRectification) {
    TMOVIMENTO sent = StoredTribute("R", "04", 2015, 100, 3, 3, Day(2015, 5, 2));
    sent.LITPRO = 33.33;
    sent.INTER1 = -5;
    sent.DATDOC = Day(2015, 4, 30);
    PadMovement(sent);
    WriteDer(2015, {sent});
    tributes::TributeRequest request = Rectification(sent, true);
    // The main window opens the window of the chosen record's kind.
    window = std::make_unique<TFRAVVEDIM>(request, nullptr);
    ShowActive(window.get());
    EXPECT_EQ(window->windowTitle(), "RETTIFICA: modifica i dati del ravvedimento inviato");
    EXPECT_EQ(FocusName(), "MITDES");
    EXPECT_EQ(Shown("DOUBL3"), "33,33");
    EXPECT_EQ(Shown("INTER1"), "-5");
    EXPECT_EQ(Shown("DATDOC"), "30/04/2015");
    EXPECT_TRUE(ControlAs<QLineEdit>(W(), "CODPAE")->isReadOnly());
    FocusOn(W(), "DOUBL2");
    ControlAs<QLineEdit>(W(), "DOUBL2")->clear();
    Type(W(), "-7");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoteRequired});
    EXPECT_EQ(FocusName(), "ANNOTA");
    Type(W(), "sanzione rivista");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());

    const auto file = ReadDer(2015);
    EXPECT_EQ(Numbers(file), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(file[0].STATO.str(), "C");
    EXPECT_EQ(file[1].TIPRIC.str(), "C");
    EXPECT_EQ(file[2].STATO.str(), "R");
    EXPECT_EQ(file[2].RIFOPE, 3);
    EXPECT_DOUBLE_EQ(file[2].COERES, -7);
    EXPECT_DOUBLE_EQ(file[2].LITPRO, 33.33);
    EXPECT_EQ(file[2].INTER1, -5);
    EXPECT_EQ(file[2].DATDOC, Day(2015, 4, 30));
    EXPECT_EQ(file[2].ANNOTA.trimmed(), "sanzione rivista");
}

TEST_F(CorrectionWindow, CancelRectificationLocksTheData) {
    const TMOVIMENTO sent = StoredTribute("R", "04", 2015, 100, 3, 3, Day(2015, 5, 2));
    WriteDer(2015, {sent});
    Open(Rectification(sent, false));
    EXPECT_EQ(window->windowTitle(), "RETTIFICA: cancella ravvedimento inviato");
    EXPECT_EQ(FocusName(), "ANNOTA");
    for (const char* name : {"ANNPRO", "CODPAE", "MITDES", "DOUBL1", "DOUBL6", "INTER1", "DATDOC"})
        EXPECT_TRUE(ControlAs<QLineEdit>(W(), name)->isReadOnly()) << name;
    Type(W(), "doppio invio");
    Click(W(), "BCONF");
    EXPECT_TRUE(Closed());
    const auto file = ReadDer(2015);
    EXPECT_EQ(Numbers(file), (std::vector<int>{3, 4}));
    EXPECT_EQ(file[1].ANNOTA.trimmed(), "doppio invio");
}

// The main window's entry point picks the window by the chosen record's kind.
TEST_F(CorrectionWindow, RectificationOpensTheWindowOfTheKind) {
    TMOVIMENTO blank = BlankMovement();
    EXPECT_FALSE(tributes::OpenTributeRectification(nullptr, Rectification(blank, true)));
}

}  // namespace
}  // namespace braxol
