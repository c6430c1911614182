// The password-change window: the days the stored password has left, the new password and
// its date stored in the company record with the customs access address, everything else
// kept.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "setup/password_window.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

const std::string kAddress =
    "https://telematico.example.it/TelematicoFunzioniDiAccessoWEB/FunzioniDiAccessoAutServlet"
    "?UC=1&SC=1&ST=1";
const QString kShortWarning = "Attenzione: la nuova password ha meno di 8 caratteri";

// The scripted clock's today: 15/03/2025.
double TodayForTests() {
    return DateFromCivil(2025, 3, 15);
}

class PasswordWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    fs::path file = work.folders().companyFile();

    TUTENTE Company(const std::string& passwordDate) {
        TUTENTE c = BlankTutente();
        c.CACCI1.set("IT00ABC00001A");
        c.DENOM1.set("Birrificio Artigianale S.r.l.");
        c.PARIVA.set("01234567890");
        c.INDIR1.set("Via del Luppolo 1");
        c.INDIR2.set("utente.dogane");
        c.CITTA1.set("Bergamo");
        c.CITTA2.set("Vecchia#2024");
        c.DATPSW.set(passwordDate);
        c.CODUTE.set("AB12");
        c.UFFDO1.set("IT123456");
        c.SEZDOG.set("SEZ1");
        c.CAUESO.set("C");
        c.TIPOIN.set("A");
        c.RISERV0 = 5;
        SetAccessAddress(c, kAddress);
        return c;
    }
    void WriteCompanyChanged(double daysAgo) {
        WriteCompany(file, Company(FormatDate(TodayForTests() - daysAgo)));
    }
    QString Text(QWidget* window, const QString& name) {
        return ControlAs<QLineEdit>(window, name)->text();
    }
    // Replaces the text of the focused field as the user does: select all, type.
    void Retype(QWidget* window, const QString& text) {
        PressKey(window, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            PressKey(window, Qt::Key_Backspace);
        else
            Type(window, text);
    }
};

TEST_F(PasswordWindow, DaysLeftShowOnOneLabel) {
    struct Row {
        std::string changed;  // DATPSW as stored
        const char* shown;    // the one visible label; "" for none
        QString text;
    };
    auto ago = [](int days) { return FormatDate(TodayForTests() - days); };
    const Row rows[] = {
        {ago(0), "LTEMPO", "La password scadrà tra 90 giorni"},
        {ago(10), "LTEMPO", "La password scadrà tra 80 giorni"},
        {ago(80), "LTEMPO", "La password scadrà tra 10 giorni"},
        {ago(81), "LQUASI", "La password scadrà tra 9 giorni"},
        {ago(85), "LQUASI", "La password scadrà tra 5 giorni"},
        {ago(90), "LQUASI", "La password scadrà tra 0 giorni"},
        {ago(91), "LSCADUTA", "La Password è SCADUTA"},
        {ago(400), "LSCADUTA", "La Password è SCADUTA"},
        // A date that cannot be read (none recorded yet) never expires and has no days to
        // count: nothing is shown.
        {"", "", ""},
        {"31/02/2025", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.changed);
        WriteCompany(file, Company(row.changed));
        setup::TFCAMBIAPSW window(work.folders());
        ShowActive(&window);
        for (const char* name : {"LTEMPO", "LQUASI", "LSCADUTA"})
            EXPECT_EQ(Control(&window, name)->isVisible(), name == std::string(row.shown)) << name;
        if (*row.shown) {
            EXPECT_EQ(ControlAs<QLabel>(&window, row.shown)->text(), row.text);
        }
    }
}

TEST_F(PasswordWindow, StatusColours) {
    setup::TFCAMBIAPSW window(work.folders());
    auto colour = [&](const char* name) {
        return ControlAs<QLabel>(&window, name)->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(colour("LQUASI"), QColor(0xff, 0x00, 0xff));
    EXPECT_EQ(colour("LSCADUTA"), QColor(Qt::red));
    EXPECT_TRUE(ControlAs<QLabel>(&window, "LQUASI")->font().bold());
    EXPECT_TRUE(ControlAs<QLabel>(&window, "LSCADUTA")->font().bold());
    EXPECT_FALSE(ControlAs<QLabel>(&window, "LTEMPO")->font().bold());
}

TEST_F(PasswordWindow, ShowsTheStoredValuesAndWaitsForTheNewPassword) {
    WriteCompanyChanged(10);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(window.objectName(), "FCAMBIAPSW");
    EXPECT_EQ(window.windowTitle(),
              "Cambio Password d'accesso ale applicazioni del Sistema Telematico Doganalel");
    EXPECT_EQ(Text(&window, "DENOM2"), QString::fromStdString(kAddress));
    EXPECT_EQ(Text(&window, "INDIR2"), "utente.dogane");
    EXPECT_EQ(Text(&window, "OLDCITTA2"), "Vecchia#2024");
    EXPECT_EQ(Text(&window, "OLDC_A_P2"), "05/03/2025");
    EXPECT_EQ(Text(&window, "CITTA2"), "");
    EXPECT_EQ(Text(&window, "C_A_P2"), "15/03/2025");
    EXPECT_EQ(FocusName(), "CITTA2");
    for (const char* name : {"INDIR2", "OLDCITTA2", "OLDC_A_P2"})
        EXPECT_TRUE(ControlAs<QLineEdit>(&window, name)->isReadOnly()) << name;
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "DENOM2")->maxLength(), 117);
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "CITTA2")->maxLength(), 20);
    EXPECT_EQ(ControlAs<QPushButton>(&window, "BWEB")->text(),
              "PREMI QUI per accedere al sito delle dogane");
    EXPECT_EQ(ControlAs<QLabel>(&window, "LNOTA1")->text(),
              "Se è stato effettuato il Cambio Password sul sito delle dogane trascrivetela "
              "nella casella sottostante e CONFERMATE");
    EXPECT_EQ(ControlAs<QLabel>(&window, "LNOTA2")->text(),
              "RICORDA: prima di memorizzare la password in questa sezione deve essere "
              "cambiata sul SITO delle DOGANE");
    const std::pair<const char*, QString> labels[] = {
        {"ETDENOM2", "Indirizzo pagina CAMBIO PASSWORD Sistema Telematico Doganale"},
        {"ETINDIR2", "Nome utente"},
        {"ETOLDCITTA2", "Password delle applicazioni"},
        {"ETOLDC_A_P2", "Data ultimo cambio password"},
        {"ETCITTA2", "NUOVA Password delle applicazioni "},
        {"ETC_A_P2", "Registrata in data"},
    };
    for (const auto& [name, text] : labels)
        EXPECT_EQ(ControlAs<QLabel>(&window, name)->text(), text);
}

TEST_F(PasswordWindow, TheNewPasswordAndDateAreStoredAndEverythingElseKept) {
    WriteCompanyChanged(85);
    const TUTENTE before = *ReadCompany(file);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    Type(&window, "Nuova#Pàss1");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "C_A_P2");
    Retype(&window, "14032025");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    TUTENTE expected = before;
    expected.CITTA2.set("Nuova#P\xe0ss1");
    expected.DATPSW.set("14/03/2025");
    PadTutente(expected);
    TUTENTE stored = *ReadCompany(file);
    PadTutente(stored);
    EXPECT_EQ(std::memcmp(&stored, &expected, offsetof(TUTENTE, gap605)), 0);
    EXPECT_EQ(AccessAddress(stored), kAddress);
    // It holds the customs password: readable by its owner only.
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(PasswordWindow, AnAccessAddressOf117CharactersSurvivesASave) {
    WriteCompanyChanged(10);
    const std::string address = kAddress + std::string(117 - kAddress.size(), 'X');
    ASSERT_EQ(address.size(), 117u);
    {
        setup::TFCAMBIAPSW window(work.folders());
        ShowActive(&window);
        FocusOn(&window, "DENOM2");
        Retype(&window, QString::fromStdString(address) + "oltre");  // 117 at most
        FocusOn(&window, "CITTA2");
        Type(&window, "Password#2025");
        Click(&window, "BCONF");
        ASSERT_EQ(window.result(), QDialog::Accepted);
    }
    const TUTENTE stored = *ReadCompany(file);
    EXPECT_EQ(stored.INDACC1.str(), address.substr(0, 100));
    EXPECT_EQ(stored.INDACC2.str(), address.substr(100));
    setup::TFCAMBIAPSW again(work.folders());
    ShowActive(&again);
    EXPECT_EQ(Text(&again, "DENOM2"), QString::fromStdString(address));
}

// A new password shorter than 8 characters is stored after a warning; blanks around it go.
TEST_F(PasswordWindow, ShortPasswordsAreWarnedAboutAndStoredTrimmed) {
    struct Row {
        QString typed;
        std::string stored;
        bool warned;
    };
    const Row rows[] = {
        {"", "", true},
        {"abc", "abc", true},
        {"1234567", "1234567", true},
        {"  abcdefg  ", "abcdefg", true},
        {"12345678", "12345678", false},
        {"èèèèèèèè", "\xe8\xe8\xe8\xe8\xe8\xe8\xe8\xe8", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        WriteCompanyChanged(10);
        seams.messages.clear();
        setup::TFCAMBIAPSW window(work.folders());
        ShowActive(&window);
        Type(&window, "x");
        PressKey(&window, Qt::Key_Backspace);
        Type(&window, row.typed);
        Click(&window, "BCONF");
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_EQ(ReadCompany(file)->CITTA2.str(), row.stored);
        if (row.warned) {
            ASSERT_EQ(seams.messages.shown().size(), 1u);
            EXPECT_EQ(seams.messages.shown()[0].text, kShortWarning);
            EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Warning);
        } else {
            EXPECT_TRUE(seams.messages.shown().empty());
        }
    }
}

TEST_F(PasswordWindow, AnInvalidDateKeepsTheFocusAndIsNotSaved) {
    WriteCompanyChanged(10);
    const std::string before = FileBytes(file);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    Type(&window, "Password#2025");
    PressEnter(&window);
    Retype(&window, "3102");  // 31/02/ and no year
    FocusOn(&window, "CITTA2");
    EXPECT_EQ(FocusName(), "C_A_P2");  // leaving it is refused
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "C_A_P2");
    EXPECT_TRUE(window.isVisible());
    Retype(&window, "31022025");  // no such day
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "C_A_P2");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(FileBytes(file), before);
}

TEST_F(PasswordWindow, UntouchedConfirmOnlyGoesBackToTheNewPassword) {
    WriteCompanyChanged(10);
    const std::string before = FileBytes(file);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    FocusOn(&window, "C_A_P2");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "CITTA2");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(FileBytes(file), before);
}

TEST_F(PasswordWindow, LeavingWritesNothing) {
    WriteCompanyChanged(10);
    const std::string before = FileBytes(file);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    Type(&window, "Password#2025");
    Click(&window, "BABBANDONA");
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(FileBytes(file), before);
}

TEST_F(PasswordWindow, TheWebButtonOpensTheTypedAddress) {
    WriteCompanyChanged(10);
    setup::TFCAMBIAPSW window(work.folders());
    ShowActive(&window);
    Click(&window, "BWEB");
    FocusOn(&window, "DENOM2");
    Retype(&window, "  https://altro.example/cambio  ");
    Click(&window, "BWEB");
    FocusOn(&window, "DENOM2");
    Retype(&window, "www.adm.gov.it/cambio");
    Click(&window, "BWEB");
    EXPECT_EQ(seams.shell.opened,
              (QStringList{QString::fromStdString(kAddress), "https://altro.example/cambio",
                           "https://www.adm.gov.it/cambio"}));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(PasswordWindow, WithoutACompanyRecordTheWindowClosesAtOnce) {
    setup::TFCAMBIAPSW window(work.folders());
    // Opened as the main window opens it; a window that failed to close would be stopped here.
    QTimer::singleShot(2000, &window, [&window] { window.done(99); });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(PasswordWindow, ADamagedCompanyRecordIsReportedAndNeverOverwritten) {
    const std::string damaged(600, 'x');
    WriteFileBytes(file, damaged);
    setup::TFCAMBIAPSW window(work.folders());
    // Opened as the main window opens it; a window that failed to close would be stopped here.
    QTimer::singleShot(2000, &window, [&window] { window.done(99); });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.shown()[0].text.contains("UTENTE.001"));
    EXPECT_EQ(FileBytes(file), damaged);
}

}  // namespace
}  // namespace braxol
