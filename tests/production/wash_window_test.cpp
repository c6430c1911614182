// The wash window driven as a user works it: keys, Enter, clicks by object name; the register
// REGISTRI/<yyyy>.RGM and DATI_GEN/CODLAVAGGI.TXT are read back after each save.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "brew_fixture.h"
#include "production/wash_window.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::production;
using namespace braxol::test;
using namespace braxol::test::brew;

const QString kZero = "IL VALORE DEVE ESSERE MAGGIORE DI ZERO";
const QString kReadings = "IL VALORE FINALE DEL MISURATORE DEVE ESSERE MAGGIORE DI QUELLO INIZIALE";
const QString kNoteRequired = "Nota obbligatoria per le rettifiche";
const QString kDuplicate = "ATTENZIONE LAVAGGIO GIA` IN MEMORIA !";
const QString kNoProtocol = "Manca il protocollo del Registro delle Produzioni";

class WashWindow : public BrewTest {
protected:
    std::unique_ptr<TFLAVAGGIO> window;

    void Open(EntryMode mode = EntryMode::New, const TMOVIMENTO& chosen = BlankMovement()) {
        window = std::make_unique<TFLAVAGGIO>(Request(mode, chosen));
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QLineEdit* Field(const QString& name) { return ControlAs<QLineEdit>(W(), name); }
    QString Shown(const QString& name) { return Field(name)->text(); }
    QString LabelText(const QString& name) { return ControlAs<QLabel>(W(), name)->text(); }
    void TypeThenEnter(const QString& text) {
        Field(FocusName())->selectAll();
        Type(W(), text);
        PressEnter(W());
    }
};

// The production of the day ended at 1.400: the wash starts there, and goes between it and
// the next production of the day, which started at 1.450.
TEST_F(WashWindow, NewWashBetweenTheProductionsOfTheDay) {
    const double today = Day(2025, 3, 15);
    WriteMovements(Register(), {StoredBrew(1, today, 1000, 1400)});
    Open();
    EXPECT_EQ(window->windowTitle(), "Lavaggio / sanificazione");
    EXPECT_EQ(LabelText("LMOVIMENTO"), "Lavaggio / sanificazione");
    EXPECT_EQ(LabelText("LTIPOREGISTRO"), "dei lavaggi");  // no date check at the opening
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(Shown("DATMOV"), "15/03/2025");
    EXPECT_EQ(Shown("INTER1"), "1400");
    EXPECT_EQ(Shown("MTOTALE"), "");
    EXPECT_FALSE(fs::exists(work.datiGen("CODLAVAGGI.TXT")));
    // Stored meanwhile by someone else.
    WriteMovements(Register(),
                   {StoredBrew(1, today, 1000, 1400), StoredBrew(2, today, 1450, 1800)});

    PressKey(W(), Qt::Key_Tab);  // moving on is not typing: no check on the way
    EXPECT_EQ(LabelText("LTIPOREGISTRO"), "dei lavaggi");
    EXPECT_EQ(FocusName(), "INTER1");
    PressEnter(W());
    Type(W(), "1450");
    PressEnter(W());
    EXPECT_EQ(Shown("MTOTALE"), "50");
    EXPECT_EQ(FocusName(), "ANNOTA");
    Type(W(), "sanificazione mensile");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(W());

    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    EXPECT_EQ(LabelText("LTIPOREGISTRO"), "prot. 123/2024");
    EXPECT_EQ(FileBytes(work.datiGen("CODLAVAGGI.TXT")), "22021000\r\n");
    const auto records = Read();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Numbers(records), (std::vector<int>{1, 3, 2}));
    TMOVIMENTO w = records[1];
    TrimMovement(w);
    EXPECT_EQ(w.PROGRE, 3);
    EXPECT_EQ(w.DATMOV, today);
    EXPECT_EQ(w.INTER1, 1400);
    EXPECT_EQ(w.INTER2, 1450);
    EXPECT_EQ(w.CODMOV.str(), "129");
    EXPECT_EQ(records[1].CODACC.str(), "   ");
    EXPECT_EQ(w.PRODDO.str(), "22021000");
    EXPECT_EQ(w.COERES, 1.0);
    EXPECT_EQ(w.LITPRO, 0);
    EXPECT_EQ(w.GRAPLA, 0);
    EXPECT_EQ(w.ETTOGR, 0);
    EXPECT_EQ(w.ACCISA, 0);
    EXPECT_EQ(w.DATPEC, 0);
    EXPECT_EQ(w.DATDOC, 0);
    EXPECT_EQ(w.NUMDOC.str(), "");
    EXPECT_EQ(w.TIPDOC.str(), "");
    EXPECT_EQ(w.STATO.str(), "");
    EXPECT_EQ(w.TIPREC.str(), "C");
    EXPECT_EQ(w.TIPRIC.str(), "I");
    EXPECT_EQ(w.TIPREG.str(), "F");
    EXPECT_EQ(w.FLAGS1.str(), "S");
    EXPECT_EQ(w.TIPMOV.str(), "C");
    EXPECT_EQ(w.CODUFF.str(), "IT012100");
    EXPECT_EQ(w.ANNPRO.str(), "2024");
    EXPECT_EQ(w.NUMPRO.str(), "123");
    EXPECT_EQ(w.ANNOTA.str(), "sanificazione mensile");
}

TEST_F(WashWindow, ZeroReadingsShowBothMessages) {
    Open();
    PressEnter(W());
    TypeThenEnter("0");
    TypeThenEnter("0");
    EXPECT_EQ(FocusName(), "INTER1");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kZero, kReadings}));
    EXPECT_EQ(Shown("MTOTALE"), "0");
    seams.messages.clear();
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "INTER1");
    EXPECT_EQ(seams.messages.texts(), (QStringList{kZero, kReadings}));
    EXPECT_FALSE(window->saved());
}

TEST_F(WashWindow, ReadingsTakeNoSign) {
    Open();
    PressEnter(W());
    Field("INTER1")->clear();
    Type(W(), "-12a3");
    EXPECT_EQ(Shown("INTER1"), "123");
}

TEST_F(WashWindow, ChangeRefusesTheFirstConfirmationUntilAKeyIsTyped) {
    WriteMovements(Register(), {StoredBrew(1, Day(2025, 3, 1), 1000, 1400),
                                StoredWash(2, Day(2025, 3, 2), 1400, 1450)});
    Open(EntryMode::Change, Read()[1]);
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(Shown("INTER1"), "1400");
    EXPECT_EQ(Shown("INTER2"), "1450");
    for (int i = 0; i < 4; ++i) PressKey(W(), Qt::Key_Tab);  // moving on is not typing
    EXPECT_EQ(FocusName(), "DATMOV");                        // back from the confirm button
    EXPECT_FALSE(window->saved());
    FocusOn(W(), "INTER2");
    Field("INTER2")->selectAll();
    Type(W(), "1460");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].NUMOPE, 2);  // the highest again once the old one is gone
    EXPECT_EQ(records[1].PROGRE, 2);
    EXPECT_EQ(records[1].INTER2, 1460);
}

TEST_F(WashWindow, RectifyCancelThenANewWashIsEditableAgain) {
    WriteMovements(Register(),
                   {SentOn(StoredWash(1, Day(2025, 3, 2), 1400, 1450), Day(2025, 3, 5), 2)});
    Open(EntryMode::RectifyCancel, Read()[0]);
    const QString caption = "RETTIFICA: cancella un lavaggio già inviato al sistema telematico";
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(LabelText("LMOVIMENTO"), caption);
    EXPECT_EQ(FocusName(), "ANNOTA");
    for (const char* name : {"DATMOV", "INTER1", "INTER2"}) EXPECT_TRUE(Field(name)->isReadOnly());
    Type(W(), "x");
    PressKey(W(), Qt::Key_Backspace);
    PressEnter(W());
    EXPECT_EQ(FocusName(), "ANNOTA");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoteRequired});
    Type(W(), "lavaggio non eseguito");
    PressEnter(W());
    PressEnter(W());
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].STATO.str(), "C");
    EXPECT_EQ(records[0].ANNOTA.trimmed(), "lavaggio non eseguito");
    EXPECT_EQ(records[1].NUMOPE, 2);
    EXPECT_EQ(records[1].RIFOPE, 1);
    EXPECT_EQ(records[1].TIPRIC.str(), "C");
    EXPECT_EQ(records[1].CODMOV.str(), "129");

    Open();
    EXPECT_EQ(window->windowTitle(), "Lavaggio / sanificazione");
    for (const char* name : {"DATMOV", "INTER1", "INTER2"}) EXPECT_FALSE(Field(name)->isReadOnly());
    // The cancelled wash no longer gives the initial reading.
    EXPECT_EQ(Shown("INTER1"), "");
}

TEST_F(WashWindow, RectifyChangeAddsTheReplacement) {
    WriteMovements(Register(),
                   {SentOn(StoredWash(1, Day(2025, 3, 2), 1400, 1450), Day(2025, 3, 5), 2)});
    Open(EntryMode::RectifyChange, Read()[0]);
    EXPECT_EQ(window->windowTitle(),
              "RETTIFICA: modifica un lavaggio già inviato al sistema telematico");
    EXPECT_EQ(FocusName(), "DATMOV");
    FocusOn(W(), "INTER2");
    Field("INTER2")->selectAll();
    Type(W(), "1440");
    PressEnter(W());
    EXPECT_EQ(Shown("MTOTALE"), "40");
    Type(W(), "lettura corretta");
    Click(W(), "BCONF");
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].NUMOPE, 3);
    EXPECT_EQ(records[2].RIFOPE, 1);
    EXPECT_EQ(records[2].STATO.str(), "R");
    EXPECT_EQ(records[2].INTER2, 1440);
    EXPECT_EQ(records[2].PROGRE, 1);
}

TEST_F(WashWindow, SameWashTwiceIsOnlyWarned) {
    WriteFileBytes(work.datiGen("CODLAVAGGI.TXT"), "LAVAGGIO\r\n");
    WriteMovements(Register(), {StoredWash(1, Day(2025, 3, 15), 1400, 1450)});
    Open();
    EXPECT_EQ(Shown("INTER1"), "1450");
    PressEnter(W());
    TypeThenEnter("1400");
    TypeThenEnter("1450");
    Type(W(), "x");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kDuplicate});
    EXPECT_TRUE(window->saved());
    const auto records = Read();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].NUMOPE, 2);
    EXPECT_EQ(records[1].PRODDO.trimmed(), "LAVAGGIO");
    EXPECT_EQ(FileBytes(work.datiGen("CODLAVAGGI.TXT")), "LAVAGGIO\r\n");
}

TEST_F(WashWindow, NoProtocolAtTheDate) {
    Open();
    Field("DATMOV")->selectAll();
    Type(W(), "01012023");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoProtocol});
}

}  // namespace
}  // namespace braxol
