// The entry-window convention driven as a user works: keys, Enter, clicks, the accelerator.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

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
