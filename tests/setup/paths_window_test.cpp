// The signing-paths window as the brewer works it: APPL.CFG created on first opening, the
// three paths typed or chosen with their "..." buttons, confirm and leave.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstring>

#include "setup/paths_window.h"
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

// The file dialog, also telling where each dialog started.
class RecordingFiles : public ScriptedFiles {
public:
    QStringList startedFrom;
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override {
        startedFrom << folder;
        return ScriptedFiles::openFile(parent, caption, folder, filter);
    }
};

QString Native(const fs::path& path) {
    return QDir::toNativeSeparators(QString::fromStdString(path.string()));
}

class PathsWindow : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    RecordingFiles files;
    fs::path appl = work.folders().applFile();

    void SetUp() override { ui::Seams::setFiles(&files); }

    // A configuration whose APPL.CFG also holds slots and numbers this window does not show.
    void WriteStoredPaths() {
        WriteConfiguration(work.folders());
        TTABELLA record = ReadConfigRecord(appl);
        record.number = 7;
        record.text[5].set("altro");
        record.integer[2] = 42;
        record.num[29] = 1.5;
        WriteConfigRecord(appl, record);
    }
    QString Text(QWidget* window, const QString& name) {
        return ControlAs<QLineEdit>(window, name)->text();
    }
};

TEST_F(PathsWindow, FirstOpeningCreatesTheFileWithOneBlankRecord) {
    ASSERT_FALSE(fs::exists(appl));
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(window.objectName(), "FPERCORSI");
    EXPECT_EQ(window.windowTitle(), "Percorsi del software di Firma Digitale");
    ASSERT_TRUE(fs::exists(appl));
    const std::string bytes = FileBytes(appl);
    ASSERT_EQ(bytes.size(), sizeof(TTABELLA));
    TTABELLA raw;
    std::memcpy(&raw, bytes.data(), sizeof raw);
    EXPECT_EQ(raw.number, 0);
    for (const auto& slot : raw.text) EXPECT_EQ(slot.str(), std::string(250, ' '));
    for (int n : raw.integer) EXPECT_EQ(n, 0);
    for (double d : raw.num) EXPECT_EQ(d, 0.0);
    for (const char* name : {"LE0", "LE1", "LE2"}) EXPECT_EQ(Text(&window, name), "") << name;
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(PathsWindow, ShowsTheStoredPathsUnderTheirLabels) {
    WriteStoredPaths();
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    EXPECT_EQ(Text(&window, "LE0"), "/opt/firma/FirmaVerifica");
    EXPECT_EQ(Text(&window, "LE1"), "/firma/dafirmare/");
    EXPECT_EQ(Text(&window, "LE2"), "/firma/firmati/");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE0")->text(), "Programma \"FIRMAVERIFICA\"");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE1")->text(),
              "Cartella di destinazione dei FILE da FIRMARE");
    EXPECT_EQ(ControlAs<QLabel>(&window, "ETLE2")->text(),
              "Cartella di destinazione dei FILE FIRMATI");
    for (const char* b : {"BLE0", "BLE1", "BLE2"})
        EXPECT_EQ(ControlAs<QPushButton>(&window, b)->text(), "...") << b;
    EXPECT_EQ(ControlAs<QPushButton>(&window, "BCONF")->text(), "&CONFERMA");
    EXPECT_EQ(ControlAs<QPushButton>(&window, "BABBANDONA")->text(), "&Abbandona");
    EXPECT_EQ(ControlAs<QLineEdit>(&window, "LE1")->maxLength(), 250);
}

TEST_F(PathsWindow, TypedPathsAreStoredAndTheOtherSlotsKept) {
    WriteStoredPaths();
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    PressKey(&window, Qt::Key_A, Qt::ControlModifier);
    Type(&window, "/opt/firmà/FirmaVerifica2");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE1");
    PressEnter(&window);
    EXPECT_EQ(FocusName(), "LE2");
    PressKey(&window, Qt::Key_End);
    Type(&window, "nuovi/");
    PressEnter(&window);
    ASSERT_EQ(FocusName(), "BCONF");
    PressEnter(&window);

    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    const TTABELLA stored = ReadConfigRecord(appl);
    EXPECT_EQ(stored.text[0].str(), "/opt/firm\xe0/FirmaVerifica2");
    EXPECT_EQ(stored.text[1].str(), "/firma/dafirmare/");
    EXPECT_EQ(stored.text[2].str(), "/firma/firmati/nuovi/");
    EXPECT_EQ(stored.text[5].str(), "altro");
    EXPECT_EQ(stored.number, 7);
    EXPECT_EQ(stored.integer[2], 42);
    EXPECT_EQ(stored.num[29], 1.5);
    EXPECT_EQ(fs::file_size(appl), sizeof(TTABELLA));
    EXPECT_TRUE(seams.messages.shown().empty());
}

// Each button: where its dialog starts, what the chosen file leaves in the field and in the
// file. A folder button keeps the folder of the chosen file, ending with the separator.
TEST_F(PathsWindow, ButtonsStoreTheChosenProgramOrFolder) {
    const fs::path firma = work.root() / "FIRMA";
    struct Row {
        const char* button;
        const char* field;
        int slot;
        fs::path chosen;
        QString startsFrom;
        QString expected;
    };
    const Row rows[] = {
        {"BLE0", "LE0", 0, firma / "FirmaVerifica", "/opt/firma/FirmaVerifica",
         Native(firma / "FirmaVerifica")},
        {"BLE1", "LE1", 1, firma / "DAFIRMARE" / "flusso.xml", "/firma/dafirmare/F",
         Native(firma / "DAFIRMARE") + QDir::separator()},
        {"BLE2", "LE2", 2, firma / "FIRMATI" / "flusso.xml.p7m", "/firma/firmati/F",
         Native(firma / "FIRMATI") + QDir::separator()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.button);
        WriteStoredPaths();
        files.startedFrom.clear();
        setup::TFPERCORSI window(work.folders());
        ShowActive(&window);
        files.planPath(QString::fromStdString(row.chosen.string()));
        Click(&window, row.button);
        EXPECT_EQ(files.startedFrom, QStringList{row.startsFrom});
        EXPECT_EQ(Text(&window, row.field), row.expected);
        // Choosing with the mouse is a change: the confirm saves without a key typed.
        Click(&window, "BCONF");
        EXPECT_EQ(window.result(), QDialog::Accepted);
        const TTABELLA stored = ReadConfigRecord(appl);
        EXPECT_EQ(QString::fromStdString(stored.text[row.slot].str()), row.expected);
    }
}

// Folders typed by hand are stored ending with the separator, as the chosen ones are: the flow
// files put their names right after them. The program is a file and stays as typed; an empty
// folder stays empty.
TEST_F(PathsWindow, TypedFoldersAreStoredEndingWithTheSeparator) {
    struct Case {
        const char* typed[3];
        std::string stored[3];
    } cases[] = {
        {{"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare", "  /srv/firma/firmati  "},
         {"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", "/srv/firma/firmati/"}},
        {{"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", ""},
         {"/opt/firma/FirmaVerifica", "/srv/firma/dafirmare/", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed[1]);
        setup::TFPERCORSI window(work.folders());
        ShowActive(&window);
        for (const char* path : c.typed) {
            ControlAs<QLineEdit>(&window, FocusName())->selectAll();
            if (*path)
                Type(&window, path);
            else
                PressKey(&window, Qt::Key_Backspace);
            PressEnter(&window);
        }
        ASSERT_EQ(FocusName(), "BCONF");
        PressEnter(&window);
        ASSERT_EQ(window.result(), QDialog::Accepted);
        const TTABELLA stored = ReadConfigRecord(appl);
        for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(stored.text[slot].str(), c.stored[slot]);
    }
}

TEST_F(PathsWindow, ACancelledDialogLeavesTheField) {
    WriteStoredPaths();
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    Click(&window, "BLE1");  // nothing planned: the dialog is cancelled
    EXPECT_EQ(files.startedFrom.size(), 1);
    EXPECT_EQ(Text(&window, "LE1"), "/firma/dafirmare/");
    EXPECT_TRUE(window.untouched());
}

TEST_F(PathsWindow, UntouchedConfirmOnlyGoesBackToTheFirstField) {
    WriteStoredPaths();
    const std::string before = FileBytes(appl);
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    FocusOn(&window, "LE2");
    Click(&window, "BCONF");
    EXPECT_EQ(FocusName(), "LE0");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(FileBytes(appl), before);
}

TEST_F(PathsWindow, LeavingWritesNothing) {
    WriteStoredPaths();
    const std::string before = FileBytes(appl);
    setup::TFPERCORSI window(work.folders());
    ShowActive(&window);
    Type(&window, "/altrove");
    files.planPath("/qualsiasi/cartella/file");
    Click(&window, "BLE2");
    Click(&window, "BABBANDONA");
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(FileBytes(appl), before);
}

TEST_F(PathsWindow, ADamagedFileIsReportedAndNeverOverwritten) {
    const std::string damaged(100, 'x');
    WriteFileBytes(appl, damaged);
    setup::TFPERCORSI window(work.folders());
    // Opened as the main window opens it; a window that failed to close would be stopped here.
    QTimer::singleShot(2000, &window, [&window] { window.done(99); });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.shown()[0].text.contains("APPL.CFG"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(FileBytes(appl), damaged);
}

}  // namespace
}  // namespace braxol
