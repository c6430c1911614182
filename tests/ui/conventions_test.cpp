// The entry-window convention driven as a user works: keys, Enter, clicks, the accelerator.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "ui/confirm_button.h"
#include "ui/entry_window.h"
#include "ui/seams.h"

namespace braxol {
namespace {

using namespace braxol::test;

// A window with a name that must not be empty, a note, and the confirm button.
class SampleWindow : public ui::EntryWindow {
public:
    QLineEdit* name = new QLineEdit(this);
    QLineEdit* note = new QLineEdit(this);
    ui::ConfirmButton* confirm = new ui::ConfirmButton(this);
    QPushButton* leave = new QPushButton("&Abbandona", this);
    int saves = 0;
    int checks = 0;

    SampleWindow() {
        name->setObjectName("LNOME");
        note->setObjectName("LNOTA");
        leave->setObjectName("BABBANDONA");
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(note),
                           static_cast<QWidget*>(confirm), static_cast<QWidget*>(leave)})
            layout->addWidget(w);
        setFirstField(name);
        attachConfirm(confirm);
        confirm->setChecks([this] {
            ++checks;
            if (name->text().trimmed().isEmpty()) {
                ui::Warn(this, "MANCA IL NOME");
                name->setFocus();
                return false;
            }
            return true;
        });
        confirm->setSave([this] { ++saves; });
    }
};

class Conventions : public ::testing::Test {
protected:
    ScriptedSeams seams;
    SampleWindow window;
    void SetUp() override {
        ShowActive(&window);
        window.name->setFocus();
        Settle();
    }
};

TEST_F(Conventions, EnterMovesToTheNextField) {
    ASSERT_EQ(FocusName(), "LNOME");
    Type(&window, "Rossa");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LNOTA");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "BCONF");
}

TEST_F(Conventions, UntouchedWindowOnlyGoesBackToTheFirstField) {
    FocusOn(&window, "LNOTA");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "LNOME");
    EXPECT_EQ(window.checks, 0);
    EXPECT_EQ(window.saves, 0);
    EXPECT_TRUE(seams.messages.shown().empty());
}

// Each way into the button: a failed check shows its message once, moves the focus back and
// saves nothing; with the check passing, one save.
TEST_F(Conventions, EveryWayInRunsTheChecksOnceAndSavesOnlyWhenTheyPass) {
    enum class Way { Mouse, Accelerator, EnterOnButton, SpaceOnButton };
    for (Way way : {Way::Mouse, Way::Accelerator, Way::EnterOnButton, Way::SpaceOnButton}) {
        SCOPED_TRACE(static_cast<int>(way));
        for (bool filled : {false, true}) {
            window.name->clear();
            window.note->clear();
            window.saves = 0;
            seams.messages.clear();
            FocusOn(&window, "LNOTA");
            Type(&window, "nota");
            if (filled) window.name->setText("Birra àèé");
            switch (way) {
                case Way::Mouse:
                    Click(&window, "BCONF");
                    break;
                case Way::Accelerator:
                    PressKey(&window, Qt::Key_C, Qt::AltModifier);
                    QTest::qWait(250);  // the accelerator clicks after the button's animation
                    break;
                case Way::EnterOnButton:
                case Way::SpaceOnButton:
                    PressEnter(&window);  // from the note to the button: checks run here
                    if (!filled) break;
                    ASSERT_EQ(FocusName(), "BCONF");
                    PressKey(&window, way == Way::EnterOnButton ? Qt::Key_Return : Qt::Key_Space);
                    QTest::qWait(20);  // a space press clicks on release
                    Settle();
                    break;
            }
            if (filled) {
                EXPECT_EQ(window.saves, 1);
                EXPECT_TRUE(seams.messages.shown().empty());
            } else {
                EXPECT_EQ(window.saves, 0);
                EXPECT_EQ(seams.messages.texts(), QStringList{"MANCA IL NOME"});
                EXPECT_EQ(FocusName(), "LNOME");
            }
        }
    }
}

// A window that stays open after its action (a register, a search) keeps the focus on the
// button: the next press, by any way, runs the checks again and acts again, never a dead click.
TEST_F(Conventions, ThePressAfterASaveThatKeptTheFocusActsAgain) {
    enum class Way { Mouse, EnterOnButton, Accelerator };
    for (Way way : {Way::Mouse, Way::EnterOnButton, Way::Accelerator}) {
        SCOPED_TRACE(static_cast<int>(way));
        window.saves = 0;
        window.checks = 0;
        FocusOn(&window, "LNOME");
        Type(&window, "Rossa");
        Click(&window, "BCONF");
        ASSERT_EQ(window.saves, 1);
        ASSERT_EQ(FocusName(), "BCONF");
        const int checksBefore = window.checks;
        switch (way) {
            case Way::Mouse:
                Click(&window, "BCONF");
                break;
            case Way::EnterOnButton:
                PressKey(&window, Qt::Key_Return);
                break;
            case Way::Accelerator:
                PressKey(&window, Qt::Key_C, Qt::AltModifier);
                QTest::qWait(250);
                break;
        }
        Settle();
        EXPECT_EQ(window.saves, 2);
        EXPECT_EQ(window.checks, checksBefore + 1);
    }
}

// A warning that does not stop the save, shown in a real message box: its closing hands the
// activation and the focus back to the window, which must not undo the pending confirmation.
TEST(ConfirmWithRealBoxes, AWarningOnlyCheckStillLetsTheUserSave) {
    for (bool byMouse : {false, true}) {
        SCOPED_TRACE(byMouse ? "mouse" : "keyboard");
        SampleWindow window;
        int warnings = 0;
        window.confirm->setChecks([&] {
            ++warnings;
            ui::Warn(&window, "ATTENZIONE: SOLO UN AVVISO");
            return true;
        });
        ShowActive(&window);
        window.name->setFocus();
        Type(&window, "Birra");
        NextModal<QMessageBox> box([](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); });
        if (byMouse) {
            Click(&window, "BCONF");
        } else {
            PressEnter(&window);  // to the note
            PressEnter(&window);  // to the button: the checks run and the box opens
        }
        ASSERT_TRUE(box.answered());
        ShowActive(&window);  // the window manager gives the activation back
        EXPECT_EQ(FocusName(), "BCONF");
        EXPECT_EQ(window.saves, 0);
        if (byMouse)
            Click(&window, "BCONF");  // the release of the first click went to the box
        else
            PressEnter(&window);
        EXPECT_EQ(window.saves, 1);
        EXPECT_EQ(warnings, 1);
    }
}

TEST_F(Conventions, TypingAccentedLettersReachesTheField) {
    Type(&window, "Città è più");
    EXPECT_EQ(window.name->text(), "Città è più");
    EXPECT_FALSE(window.untouched());
}

// A key types when it puts a character into the field, or is Backspace or Enter; moving about
// and the accelerators do not.
TEST_F(Conventions, WhichKeysAreTyping) {
    struct Case {
        const char* what;
        std::function<void()> press;
        bool typing;
    };
    SampleWindow* w = &window;
    auto key = [w](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [w, k, m] { PressKey(w, k, m); };
    };
    auto type = [w](const char* text) { return [w, text] { Type(w, QString::fromUtf8(text)); }; };
    const Case cases[] = {
        {"letter", type("a"), true},
        {"digit", type("7"), true},
        {"punctuation", type(","), true},
        {"space", type(" "), true},
        {"accented letter", type("è"), true},
        {"Backspace", key(Qt::Key_Backspace), true},
        {"Enter", key(Qt::Key_Return), true},
        {"Enter of the keypad", key(Qt::Key_Enter, Qt::KeypadModifier), true},
        {"Tab", key(Qt::Key_Tab), false},
        {"Shift+Tab", key(Qt::Key_Backtab, Qt::ShiftModifier), false},
        {"arrow", key(Qt::Key_Left), false},
        {"Home", key(Qt::Key_Home), false},
        {"End", key(Qt::Key_End), false},
        {"Delete", key(Qt::Key_Delete), false},
        {"Page Down", key(Qt::Key_PageDown), false},
        {"Shift", key(Qt::Key_Shift, Qt::ShiftModifier), false},
        {"Ctrl+C", key(Qt::Key_C, Qt::ControlModifier), false},
        {"accelerator of another control", key(Qt::Key_A, Qt::AltModifier), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window.setUntouched(true);
        window.name->setText("Bionda");
        FocusOn(&window, "LNOME");
        c.press();
        EXPECT_EQ(window.untouched(), !c.typing);
    }
    EXPECT_EQ(window.saves, 0);
}

TEST_F(Conventions, AWindowMayCountTheKeysOfSomeFieldsOnly) {
    window.countTypingIn({window.name});
    FocusOn(&window, "LNOTA");
    Type(&window, "nota");
    EXPECT_TRUE(window.untouched());
    FocusOn(&window, "LNOME");
    Type(&window, "R");
    EXPECT_FALSE(window.untouched());
}

// Restoring a minimised window is not opening it: what was typed stays, and so does the guard.
TEST(EntryWindowOpening, RestoringAMinimisedWindowChangesNothing) {
    ScriptedSeams seams;
    struct Window : SampleWindow {
        int openings = 0;
        void showEvent(QShowEvent* event) override {
            SampleWindow::showEvent(event);
            ++openings;
            name->clear();
        }
    } window;
    ShowActive(&window);
    ASSERT_EQ(window.openings, 1);
    window.name->setFocus();
    Type(&window, "Rossa");
    window.showMinimized();
    Settle();
    window.showNormal();
    ShowActive(&window);
    EXPECT_EQ(window.openings, 1);
    EXPECT_EQ(window.name->text(), "Rossa");
    EXPECT_FALSE(window.untouched());
    // Opened again after closing: a new opening, untouched.
    window.hide();
    ShowActive(&window);
    EXPECT_EQ(window.openings, 2);
    EXPECT_EQ(window.name->text(), "");
    EXPECT_TRUE(window.untouched());
}

// Every kind of control an entry window may hold, in tab order, with a push button that is not
// the confirm one.
class ControlsWindow : public ui::EntryWindow {
public:
    QLineEdit* name = new QLineEdit(this);
    QRadioButton* excise = new QRadioButton("Registro accise", this);
    QRadioButton* correction = new QRadioButton("Registro ravvedimenti", this);
    QCheckBox* sent = new QCheckBox("Solo inviati", this);
    QListWidget* checkList = new QListWidget(this);
    QTableWidget* grid = new QTableWidget(3, 2, this);
    QComboBox* combo = new QComboBox(this);
    QSpinBox* spin = new QSpinBox(this);
    QPlainTextEdit* memo = new QPlainTextEdit(this);
    QPushButton* other = new QPushButton("&Elenco", this);
    ui::ConfirmButton* confirm = new ui::ConfirmButton(this);
    int saves = 0;
    int others = 0;

    ControlsWindow() {
        name->setObjectName("LNOME");
        excise->setObjectName("RREGISTRI_E");
        correction->setObjectName("RREGISTRI_R");
        sent->setObjectName("CINVIATI");
        checkList->setObjectName("LISTA");
        grid->setObjectName("GRIGLIA");
        combo->setObjectName("COMBO");
        spin->setObjectName("NUMERO");
        memo->setObjectName("MEMO");
        other->setObjectName("BELENCO");
        excise->setChecked(true);
        for (const char* row : {"001", "002"}) {
            auto* item = new QListWidgetItem(row, checkList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        checkList->setCurrentRow(0);
        grid->setCurrentCell(0, 0);
        combo->addItems({"C", "E"});
        auto* layout = new QVBoxLayout(this);
        QWidget* const order[] = {name,  excise, correction, sent,  checkList, grid,
                                  combo, spin,   memo,       other, confirm};
        for (QWidget* w : order) layout->addWidget(w);
        for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
        setFirstField(name);
        attachConfirm(confirm);
        confirm->setSave([this] { ++saves; });
        connect(other, &QPushButton::clicked, this, [this] { ++others; });
    }
};

// Enter on any control moves the focus on, as Tab would, and never confirms; on a push button
// it presses that button; only on the confirm button does it confirm.
TEST(EnterOnEveryControl, MovesOnAndConfirmsOnlyOnTheConfirmButton) {
    ScriptedSeams seams;
    ControlsWindow window;
    ShowActive(&window);
    FocusOn(&window, "LNOME");
    Type(&window, "Bionda");  // the window is touched: the confirm button would save
    const struct {
        const char* control;
        const char* next;
    } cases[] = {
        // A group of radio buttons is one stop, as for Tab.
        {"LNOME", "RREGISTRI_E"}, {"RREGISTRI_E", "CINVIATI"}, {"RREGISTRI_R", "CINVIATI"},
        {"CINVIATI", "LISTA"},    {"LISTA", "GRIGLIA"},        {"GRIGLIA", "COMBO"},
        {"COMBO", "NUMERO"},      {"NUMERO", "MEMO"},          {"MEMO", "BELENCO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        FocusOn(&window, c.control);
        PressEnter(&window);
        EXPECT_EQ(FocusName(), c.next);
        EXPECT_EQ(window.saves, 0);
        EXPECT_EQ(window.others, 0);
    }
    EXPECT_TRUE(window.excise->isChecked());
    EXPECT_FALSE(window.sent->isChecked());
    EXPECT_EQ(window.checkList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(window.memo->toPlainText(), "");
    EXPECT_EQ(window.name->text(), "Bionda");

    FocusOn(&window, "BELENCO");
    PressEnter(&window);
    EXPECT_EQ(window.others, 1);
    EXPECT_EQ(window.saves, 0);

    FocusOn(&window, "BCONF");
    PressEnter(&window);
    EXPECT_EQ(window.saves, 1);
    EXPECT_EQ(window.others, 1);
}

// A cell being edited keeps what was typed when Enter leaves the grid.
TEST(EnterOnEveryControl, ACellBeingEditedKeepsItsText) {
    ScriptedSeams seams;
    ControlsWindow window;
    window.grid->setEditTriggers(QAbstractItemView::AnyKeyPressed);
    ShowActive(&window);
    FocusOn(&window, "GRIGLIA");
    Type(&window, "12");
    ASSERT_NE(FocusName(), "GRIGLIA");  // the cell's editor has the focus
    PressEnter(&window);
    Settle();
    EXPECT_EQ(FocusName(), "COMBO");
    ASSERT_NE(window.grid->item(0, 0), nullptr);
    EXPECT_EQ(window.grid->item(0, 0)->text(), "12");
    EXPECT_EQ(window.saves, 0);
}

// A text of several paragraphs keeps Enter as a new line; Tab still leaves it.
TEST(EnterOnEveryControl, AParagraphTextKeepsEnterAsANewLine) {
    ScriptedSeams seams;
    ControlsWindow window;
    window.keepEnterIn(window.memo);
    ShowActive(&window);
    FocusOn(&window, "MEMO");
    Type(&window, "Prima");
    PressEnter(&window);
    Type(&window, "Seconda");
    EXPECT_EQ(FocusName(), "MEMO");
    EXPECT_EQ(window.memo->toPlainText(), "Prima\nSeconda");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "BELENCO");
    EXPECT_EQ(window.memo->toPlainText(), "Prima\nSeconda");
    EXPECT_EQ(window.saves, 0);
}

// The confirm button is no default button: Enter that reaches the window itself moves on too.
TEST(EnterOnEveryControl, TheWindowHasNoDefaultButton) {
    ScriptedSeams seams;
    ControlsWindow window;
    ShowActive(&window);
    FocusOn(&window, "LNOME");
    Type(&window, "Bionda");
    EXPECT_FALSE(window.confirm->isDefault());
    EXPECT_FALSE(window.confirm->autoDefault());
    // A control made after the window opened is not watched: its Enter reaches the window.
    auto* late = new QLineEdit(&window);
    late->setObjectName("LTARDI");
    window.layout()->addWidget(late);
    late->show();
    QWidget::setTabOrder(late, window.excise);
    FocusOn(&window, "LTARDI");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "RREGISTRI_E");
    EXPECT_EQ(window.saves, 0);
}

}  // namespace
}  // namespace braxol

namespace braxol {
namespace {

TEST(Shell, AddressesStayAddressesAndEverythingElseIsAFile) {
    struct Case {
        const char* target;
        const char* url;
    } cases[] = {
        {"https://dogane.example/pagina?x=1", "https://dogane.example/pagina?x=1"},
        {"mailto:supporto@example.it?subject=Ciao", "mailto:supporto@example.it?subject=Ciao"},
        {"/tmp/TEMP_ZYMOTEC/RICERCA_E.CSV", "file:///tmp/TEMP_ZYMOTEC/RICERCA_E.CSV"},
        {"/tmp/lettera con spazi.pdf", "file:///tmp/lettera con spazi.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::TargetUrl(c.target).toString(), QString(c.url)) << c.target;
}

// A web address stored without its scheme goes to the browser as an https address, never to
// the file manager as a local file.
TEST(Shell, WebAddressesWithoutSchemeAreHttps) {
    struct Case {
        const char* stored;
        const char* opened;
    } cases[] = {
        {"www.adm.gov.it", "https://www.adm.gov.it"},
        {"  www.adm.gov.it/portale  ", "https://www.adm.gov.it/portale"},
        {"https://reale.example/", "https://reale.example/"},
        {"http://prova.example:8080/x", "http://prova.example:8080/x"},
        {"MAILTO:supporto@example.it", "MAILTO:supporto@example.it"},
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::WebAddress(c.stored), QString(c.opened)) << c.stored;
    EXPECT_EQ(ui::TargetUrl(ui::WebAddress("www.adm.gov.it")).scheme(), "https");
}

}  // namespace
}  // namespace braxol
