// The web-addresses window: WEB.CFG created on first opening, the three addresses typed,
// confirm and leave.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstring>

#include "setup/web_window.h"
#include "store/config_files.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class WebWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    fs::path web = work.folders().webFile();

    // A configuration whose WEB.CFG also holds slots this window does not show.
    void WriteStoredAddresses() {
        WriteConfiguration(work.folders());
        TTABELLA record = ReadConfigRecord(web);
        record.text[0].set("zero");
        record.text[4].set("quattro");
        record.text[19].set("diciannove");
        record.integer[9] = 3;
        WriteConfigRecord(web, record);
    }
    QString Text(QWidget* window, const QString& name) {
        return ControlAs<QLineEdit>(window, name)->text();
    }
};

TEST_F(WebWindow, FirstOpeningCreatesTheFileWithOneBlankRecord) {
    ASSERT_FALSE(fs::exists(web));
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(window.objectName(), "FINDWEB");
    EXPECT_EQ(window.windowTitle(), "Indirizzi Web");
    const std::string bytes = FileBytes(web);
    ASSERT_EQ(bytes.size(), sizeof(TTABELLA));
    TTABELLA raw;
    std::memcpy(&raw, bytes.data(), sizeof raw);
    EXPECT_EQ(raw.number, 0);
    for (const auto& slot : raw.text) EXPECT_EQ(slot.str(), std::string(250, ' '));
    for (const char* name : {"LE3", "LE5", "LE7"}) EXPECT_EQ(Text(&window, name), "") << name;
    EXPECT_EQ(FocusName(), "LE3");
    EXPECT_TRUE(seams.messages.shown().empty());
    // Only this window's file is created.
    EXPECT_FALSE(fs::exists(work.folders().applFile()));
}

TEST_F(WebWindow, ShowsTheStoredAddressesInTheirGroups) {
    WriteStoredAddresses();
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(Text(&window, "LE3"), "https://reale.example/");
    EXPECT_EQ(Text(&window, "LE5"), "https://prova.example/");
    EXPECT_EQ(Text(&window, "LE7"), "https://dogane.example/");
    auto* real = ControlAs<QGroupBox>(&window, "GBREALE");
    auto* test = ControlAs<QGroupBox>(&window, "GBPROVA");
    EXPECT_EQ(real->title(), "AMBIENTE REALE");
    EXPECT_EQ(test->title(), "AMBIENTE DI ADDESTRAMENTO / PROVA");
    EXPECT_TRUE(real->isAncestorOf(Control(&window, "LE3")));
    EXPECT_TRUE(test->isAncestorOf(Control(&window, "LE5")));
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE3")->text(),
              "E.D.I. Ambiente Telematico Doganale (REALE)");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE5")->text(), "Ambiente di Addestramento (PROVA)");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE7")->text(),
              "Pagina iniziale del sito dell'Agenzia delle Dogane");
    for (const char* name : {"LE3", "LE5", "LE7"})
        EXPECT_EQ(ControlAs<QLineEdit>(&window, name)->maxLength(), 250) << name;
}

TEST_F(WebWindow, TypedAddressesAreStoredAndTheOtherSlotsKept) {
    WriteStoredAddresses();
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "https://reale.dogane.example/ws");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE5");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE7");
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    PressKey(&window, Qt::Key_Backspace);
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    EXPECT_EQ(window.result(), QDialog::Accepted);
    const TTABELLA stored = ReadConfigRecord(web);
    EXPECT_EQ(stored.text[3].str(), "https://reale.dogane.example/ws");
    EXPECT_EQ(stored.text[5].str(), "https://prova.example/");
    EXPECT_EQ(stored.text[7].str(), "");
    EXPECT_EQ(stored.text[0].str(), "zero");
    EXPECT_EQ(stored.text[4].str(), "quattro");
    EXPECT_EQ(stored.text[19].str(), "diciannove");
    EXPECT_EQ(stored.integer[9], 3);
    EXPECT_EQ(fs::file_size(web), sizeof(TTABELLA));
}

TEST_F(WebWindow, UntouchedConfirmOnlyGoesBackToTheFirstField) {
    WriteStoredAddresses();
    const std::string before = FileBytes(web);
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    FocusOn(&window, "LE7");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "LE3");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(FileBytes(web), before);
}

TEST_F(WebWindow, LeavingWritesNothing) {
    WriteStoredAddresses();
    const std::string before = FileBytes(web);
    setup::TFINDWEB window(work.folders());
    ShowActive(&window);
    Type(&window, "cambiato");
    Click(&window, "BABBANDONA");
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(FileBytes(web), before);
}

TEST_F(WebWindow, ADamagedFileIsReportedAndNeverOverwritten) {
    const std::string damaged(5305, 'x');
    WriteFileBytes(web, damaged);
    setup::TFINDWEB window(work.folders());
    // Opened as the main window opens it; a window that failed to close would be stopped here.
    QTimer::singleShot(2000, &window, [&window] { window.done(99); });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.shown()[0].text.contains("WEB.CFG"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(FileBytes(web), damaged);
}

}  // namespace
}  // namespace braxol
