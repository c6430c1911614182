// The preventive communication window driven as a user works it: the proposals of a new one,
// the checks of its fields, the place of its number in REGISTRI/<yyyy>.PRV, its letter, the
// change into another year, and the hand-off to the sending window. Last, the production
// window's recall of a communication through the real chooser.

#include "preventive/preventive_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <memory>

#include "preventive/send_window.h"
#include "preventive_fixture.h"
#include "production/movement_chooser.h"
#include "production/production_window.h"
#include "setup/beer_types_window.h"
#include "store/lock.h"
#include "support/qt/list_choice.h"
#include "support/qt/next_modal.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::preventive;
using namespace braxol::test;
using namespace braxol::test::preventive;

class PreventiveWindow : public PreventiveTest {
protected:
    std::unique_ptr<TFPREVENTIVA> window;

    PreventiveRequest Request(std::optional<TMOVIMENTO> chosen = std::nullopt) const {
        return {work.folders(), std::move(chosen), 800, 600};
    }
    void Open(std::optional<TMOVIMENTO> chosen = std::nullopt) {
        window = std::make_unique<TFPREVENTIVA>(Request(std::move(chosen)));
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return ControlAs<QLineEdit>(W(), name)->text(); }
    void TypeThenEnter(const QString& text) {
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) edit->selectAll();
        Type(W(), text);
        PressEnter(W());
    }
    // From the date to the note with Enter: the proposals kept, BIONDA in tanks T1 T2, 1.200
    // litres of wort.
    void FillByKeys() {
        EXPECT_EQ(FocusName(), "DATMOV");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "INTER2");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "PRODAZ");
        TypeThenEnter("BIONDA");
        EXPECT_EQ(FocusName(), "NUMDOC");
        TypeThenEnter("T1 T2");
        EXPECT_EQ(FocusName(), "DOUBL3");
        TypeThenEnter("1200");
        EXPECT_EQ(FocusName(), "INTER1");
        PressEnter(W());
        EXPECT_EQ(FocusName(), "ANNOTA");
    }
    // From the tanks on: T1, 900 litres, confirmed.
    void FinishFromTanks() {
        EXPECT_EQ(FocusName(), "NUMDOC");
        TypeThenEnter("T1");
        TypeThenEnter("900");
        Click(W(), "BCONF");
    }
    TMOVIMENTO Only(int year = 2025) {
        const auto records = ReadPrv(year);
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? BlankMovement() : records[0];
    }
};

TEST_F(PreventiveWindow, NewCommunicationByKeyboard) {
    WriteMovements(Register(), {brew::StoredBrew(1, Day(2025, 3, 5), 1000, 5000)});
    Open();
    EXPECT_EQ(window->windowTitle(), "Comunicazione preventiva");
    EXPECT_EQ(Shown("DATMOV"), "16/03/2025");  // tomorrow
    EXPECT_EQ(Shown("INTER2"), "1");           // a year without communications
    EXPECT_EQ(Shown("INTER1"), "5000");        // the last reading of the register
    EXPECT_TRUE(ControlAs<QCheckBox>(W(), "CINVIA")->isChecked());
    FillByKeys();
    TypeThenEnter(QString::fromUtf8("cotta più lunga"));
    EXPECT_EQ(FocusName(), "CINVIA");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(window->saved());

    TMOVIMENTO expected = BlankMovement();
    expected.NUMOPE = 1;
    expected.DATMOV = expected.DATDOC = Day(2025, 3, 16);
    expected.INTER2 = 1;
    expected.INTER1 = 5000;
    expected.PRODAZ.set("BIONDA");
    expected.GRAPLA = 12.5;
    expected.NUMDOC.set("T1 T2");
    expected.LITPRO = 1200;
    ui::SetField(expected.ANNOTA, QString::fromUtf8("cotta più lunga"));
    PadMovement(expected);
    EXPECT_TRUE(SameBytes(Only(), expected));
    EXPECT_EQ(FileBytes(Letter(2025, 1)).substr(0, 5), "%PDF-");
    EXPECT_FALSE(fs::exists(LockMarkerPath(Prv())));
}

// A signature that cannot be reached (a loop of links) leaves the letter unsigned.
TEST_F(PreventiveWindow, SignatureThatCannotBeReachedLeavesTheLetterUnsigned) {
    const fs::path signature = work.datiGen("FIRMA.BMP");
    fs::create_symlink(signature, signature);
    Open();
    FillByKeys();
    Click(W(), "BCONF");
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    EXPECT_EQ(FileBytes(Letter(2025, 1)).substr(0, 5), "%PDF-");
}

TEST_F(PreventiveWindow, JanuaryBrewOfANewYear) {
    seams.clock.current = QDateTime(QDate(2026, 1, 1), QTime(10, 0));
    WriteMovements(Register(2025), {brew::StoredBrew(1, Day(2025, 12, 20), 6000, 7000)});
    WriteMovements(Prv(2025), {Communication(1, Day(2025, 12, 19), 40)});
    Open();
    EXPECT_EQ(Shown("DATMOV"), "02/01/2026");
    EXPECT_EQ(Shown("INTER2"), "1");
    EXPECT_EQ(Shown("INTER1"), "7000");
}

TEST_F(PreventiveWindow, NumberFiveGoesBetweenFourAndSeven) {
    WriteMovements(Prv(),
                   {Communication(1, Day(2025, 3, 2), 3), Communication(2, Day(2025, 3, 5), 4),
                    Communication(3, Day(2025, 3, 20), 7)});
    Open();
    EXPECT_EQ(Shown("INTER2"), "5");  // after 4, the last one dated before the 16th
    Retype(W(), "INTER2", "5");
    FocusOn(W(), "DATMOV");
    FillByKeys();
    Click(W(), "BCONF");
    ASSERT_TRUE(window->saved());
    const auto records = ReadPrv();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[2].INTER2, 5);
    EXPECT_EQ(records[2].NUMOPE, 4);
    EXPECT_EQ(records[3].INTER2, 7);
    EXPECT_TRUE(fs::exists(Letter(2025, 5)));
}

// A brew planned before one already communicated is proposed the number of that one (the last
// number dated before it, plus one). Both letters would be 5.PDF: the number is refused, and
// the other communication and its letter stay as they were.
TEST_F(PreventiveWindow, NumberOfAnotherCommunicationOfTheYearIsRefused) {
    const TMOVIMENTO later = Communication(2, Day(2025, 3, 20), 5);
    WriteMovements(Prv(), {Communication(1, Day(2025, 3, 10), 4), later});
    PutLetter(2025, 5, "%PDF del 20 marzo");
    auto annualNumbers = [this] {
        std::vector<int> numbers;
        for (const TMOVIMENTO& r : ReadPrv()) numbers.push_back(r.INTER2);
        return numbers;
    };
    Open();
    EXPECT_EQ(Shown("INTER2"), "5");
    Retype(W(), "PRODAZ", "BIONDA");
    Retype(W(), "NUMDOC", "T1 T2");
    Retype(W(), "DOUBL3", "1200");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNumberTakenMessage});
    EXPECT_EQ(FocusName(), "INTER2");
    EXPECT_FALSE(window->saved());
    EXPECT_EQ(ReadPrv().size(), 2u);
    EXPECT_EQ(FileBytes(Letter(2025, 5)), "%PDF del 20 marzo");

    // Leaving the field says so at once; another number is taken.
    seams.messages.clear();
    PressEnter(W());
    EXPECT_EQ(seams.messages.texts(), QStringList{kNumberTakenMessage});
    EXPECT_EQ(FocusName(), "INTER2");
    Retype(W(), "INTER2", "6");
    Click(W(), "BCONF");
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(annualNumbers(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(FileBytes(Letter(2025, 5)), "%PDF del 20 marzo");

    // The communication changed keeps its own number.
    seams.messages.clear();
    Open(later);
    Retype(W(), "NUMDOC", "T9");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(annualNumbers(), (std::vector<int>{4, 5, 6}));
}

TEST_F(PreventiveWindow, ChangeIntoAnotherYearMovesTheRecordAndItsLetter) {
    TMOVIMENTO chosen = Communication(2, Day(2025, 12, 30), 40);
    chosen.DATPEC = Day(2025, 12, 29);
    chosen.MITDES.set("18:10");
    PadMovement(chosen);
    WriteMovements(Prv(2025), {Communication(1, Day(2025, 12, 1), 39), chosen});
    PutLetter(2025, 40, "%PDF vecchia");
    Open(chosen);
    EXPECT_EQ(Shown("DATMOV"), "30/12/2025");
    EXPECT_EQ(Shown("INTER2"), "40");
    EXPECT_EQ(Shown("PRODAZ"), "BIONDA");
    EXPECT_EQ(Shown("DOUBL3"), "1.200");
    Retype(W(), "DATMOV", "02012026");
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{});
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(Numbers(ReadPrv(2025)), std::vector<int>{1});
    const TMOVIMENTO moved = Only(2026);
    EXPECT_EQ(moved.DATMOV, Day(2026, 1, 2));
    EXPECT_EQ(moved.DATDOC, Day(2026, 1, 2));
    EXPECT_EQ(moved.INTER2, 40);
    // The sending already recorded stays with the communication.
    EXPECT_EQ(moved.DATPEC, Day(2025, 12, 29));
    EXPECT_EQ(moved.MITDES.trimmed(), "18:10");
    EXPECT_EQ(FileBytes(Letter(2026, 40)).substr(0, 5), "%PDF-");
    EXPECT_FALSE(fs::exists(Letter(2025, 40)));
}

TEST_F(PreventiveWindow, ConfirmingAnUntouchedWindowOnlyGoesToTheDate) {
    Open();
    FocusOn(W(), "NUMDOC");
    Click(W(), "BCONF");
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_FALSE(window->untouched());
    EXPECT_FALSE(window->saved());
    EXPECT_FALSE(fs::exists(Prv()));
}

// Each refused field keeps the focus, with no message, and nothing is stored.
TEST_F(PreventiveWindow, RefusedFieldsAtConfirmation) {
    const struct {
        const char* field;
        const char* text;
    } cases[] = {{"INTER2", "0"}, {"NUMDOC", " "}, {"DOUBL3", "0"}, {"DATMOV", "31022025"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        Open();
        FillByKeys();
        Retype(W(), c.field, c.text);
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), c.field);
        EXPECT_EQ(seams.messages.texts(), QStringList{});
        EXPECT_FALSE(window->saved());
        EXPECT_FALSE(fs::exists(Prv()));
        window.reset();
    }
}

TEST_F(PreventiveWindow, UnknownBeerTypeOpensTheList) {
    Open();
    FocusOn(W(), "PRODAZ");
    QStringList seen;
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1, &seen));
    TypeThenEnter("PILS");
    ASSERT_TRUE(list.answered());
    ShowActive(W());  // the window manager gives the window back its activation
    EXPECT_EQ(seen, (QStringList{seen.value(0), "BIONDA", "ROSSA"}));
    EXPECT_EQ(Shown("PRODAZ"), "ROSSA");
    EXPECT_EQ(FocusName(), "PRODAZ");
}

// A brewer without beer types yet types the first one: there is no list to choose from, so
// the beer-type window opens on the type typed, and the communication goes on with it.
TEST_F(PreventiveWindow, FirstBeerTypeIsEnteredOnTheWay) {
    fs::remove(work.datiGen("PRAZ.TAB"));
    brew::AddProductCode(work.folders(), "1105-22030001-  -    ");
    Open();
    FocusOn(W(), "PRODAZ");
    QString typed;
    NextModal<setup::TFPRODAZ> beerTypes([&](setup::TFPRODAZ* w) {
        ShowActive(w);
        typed = ControlAs<QLineEdit>(w, "LE0")->text();
        EXPECT_EQ(FocusName(), "LE1");
        for (const char* text : {"110522030001", "13", ""}) {
            Type(w, text);
            PressEnter(w);
        }
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
    EXPECT_EQ(Shown("PRODAZ"), "AMBRATA");
    EXPECT_EQ(FocusName(), "PRODAZ");
    PressEnter(W());
    FinishFromTanks();
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(Only().PRODAZ.trimmed(), "AMBRATA");
    EXPECT_EQ(Only().GRAPLA, 13);
}

// "&Elenco" and "&Nuovo" answer their accelerators: the keyboard alone chooses a type of the
// list or adds the type typed.
TEST_F(PreventiveWindow, TheBeerTypeButtonsAnswerTheirAccelerators) {
    Open();
    FocusOn(W(), "PRODAZ");
    NextModal<tables::TFLISTVIEW> list(ChooseRow(1));
    PressKey(W(), Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(list.answered());
    ShowActive(W());
    EXPECT_EQ(Shown("PRODAZ"), "ROSSA");
    EXPECT_EQ(FocusName(), "PRODAZ");

    Retype(W(), "PRODAZ", "WEIZEN");
    QString typed;
    NextModal<setup::TFPRODAZ> beerTypes([&](setup::TFPRODAZ* w) {
        ShowActive(w);
        typed = ControlAs<QLineEdit>(w, "LE0")->text();
        w->reject();
    });
    PressKey(W(), Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(beerTypes.answered());
    EXPECT_EQ(typed, "WEIZEN");
}

// A beer type typed in lower case is the type of the table, stored as the table holds it, so
// that the letter shows it and the production finds it again.
TEST_F(PreventiveWindow, BeerTypeTypedInLowerCase) {
    Open();
    FocusOn(W(), "PRODAZ");
    NextModal<tables::TFLISTVIEW> list([](tables::TFLISTVIEW* l) { l->reject(); });
    TypeThenEnter("bionda");
    Settle();
    EXPECT_EQ(list.opened(), 0);
    EXPECT_EQ(Shown("PRODAZ"), "BIONDA");
    FinishFromTanks();
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(Only().PRODAZ.trimmed(), "BIONDA");
    EXPECT_EQ(Only().GRAPLA, 12.5);
}

TEST_F(PreventiveWindow, BrewDateNotAfterTodayIsOnlyWarned) {
    Open();
    TypeThenEnter("15032025");
    EXPECT_EQ(seams.messages.texts(), QStringList{kEarlyBrewMessage});
    EXPECT_EQ(FocusName(), "INTER2");
    FocusOn(W(), "DATMOV");
    FillByKeys();
    seams.messages.clear();
    Click(W(), "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kEarlyBrewMessage});
    ASSERT_TRUE(window->saved());
    EXPECT_EQ(Only().DATMOV, Day(2025, 3, 15));
}

TEST_F(PreventiveWindow, TheSendingWindowOpensOnTheSavedCommunicationWhenAsked) {
    WriteAccount({.server = "127.0.0.1",
                  .sender = "birrificio@pec.it",
                  .password = "segreta",
                  .recipients = "dogana@pec.it"});
    for (bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        NextModal<TFPREVENTIVA> entry([&](TFPREVENTIVA* w) {
            ShowActive(w);
            ControlAs<QCheckBox>(w, "CINVIA")->setChecked(ticked);
            FocusOn(w, "PRODAZ");
            Type(w, "BIONDA");
            Retype(w, "NUMDOC", "T3");
            Retype(w, "DOUBL3", "800");
            Click(w, "BCONF");
        });
        QString subject;
        int number = 0;
        NextModal<TFINVIA_PEC> sending([&](TFINVIA_PEC* w) {
            subject = ControlAs<QLineEdit>(w, "OGGETTO")->text();
            number = w->communication().NUMOPE;
            w->reject();
        });
        OpenPreventive(nullptr, Request());
        EXPECT_EQ(entry.opened(), 1);
        if (ticked) {
            EXPECT_TRUE(sending.answered());
            EXPECT_EQ(number, 1);
            EXPECT_EQ(subject,
                      "IT00MIA00123X     - Comunicazione preventiva n. 1/2025 riferita "
                      "alla produzione di birra del 16/03/2025");
        } else {
            Settle();
            EXPECT_EQ(sending.opened(), 0);
        }
    }
    EXPECT_EQ(ReadPrv().size(), 2u);
}

// The production window recalls a communication from the archive (the real chooser in mode C)
// and takes its date, number, beer type and the date and time of its PEC.
TEST_F(PreventiveWindow, ProductionRecallsTheCommunication) {
    TMOVIMENTO sent = Communication(3, Day(2025, 3, 16), 5);
    sent.DATPEC = Day(2025, 3, 15);
    sent.MITDES.set("09:05");
    PadMovement(sent);
    WriteMovements(Prv(), {Communication(1, Day(2025, 3, 10), 4), sent});
    // By mouse, and by its accelerator from the keyboard.
    for (bool byKeyboard : {false, true}) {
        SCOPED_TRACE(byKeyboard);
        production::TFPRODUZIONE production(brew::BrewTest::Request());
        ShowActive(&production);
        QString caption;
        NextModal<production::TFSCEGLIMOVIMENTO> chooser([&](production::TFSCEGLIMOVIMENTO* w) {
            ShowActive(w);
            caption = w->windowTitle();
            auto* list = ControlAs<QTableWidget>(w, "LISTA");
            list->setFocus();
            list->selectRow(0);  // newest first
            PressEnter(w);
        });
        if (byKeyboard)
            PressKey(&production, Qt::Key_R, Qt::AltModifier);
        else
            Click(&production, "BPREVENTIVA");
        ASSERT_TRUE(chooser.answered());
        EXPECT_EQ(caption, "ARCHIVIO COMUNICAZIONI PREVENTIVE");
        auto shown = [&](const char* name) {
            return ControlAs<QLineEdit>(&production, name)->text();
        };
        EXPECT_EQ(shown("DATMOV"), "16/03/2025");
        EXPECT_EQ(shown("NUMDOC"), "5");
        EXPECT_EQ(shown("PRODAZ"), "BIONDA");
        EXPECT_EQ(shown("DOUBL5"), "12,5");
        EXPECT_EQ(shown("DOUBL6"), "15/03/2025");
        EXPECT_EQ(shown("MITDES"), "09:05");
    }
}

}  // namespace
}  // namespace braxol
