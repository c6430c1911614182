// The hand-off to the signing program: how it is started, and the clearing of the two folders
// it shares with the program.

#include <gtest/gtest.h>

#include <QLabel>

#include "flow_test_support.h"
#include "support/failing_writes.h"
#include "telematic/signing_clean_window.h"
#include "telematic/signing_start.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

// Records the working folder too.
class FolderShell : public ScriptedShell {
public:
    QStringList folders;
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingFolder) override {
        folders << workingFolder;
        return ScriptedShell::start(program, arguments, workingFolder);
    }
};

class Signing : public FlowTest {};

TEST_F(Signing, AProgramRunsInTheWorkFolderADocumentOpens) {
    const fs::path program = work.root() / "firma" / "FirmaVerifica";
    const fs::path document = work.root() / "firma" / "FirmaVerifica.jar";
    WriteFileBytes(program, "#!/bin/sh\n");
    fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
    WriteFileBytes(document, "PK");
    FolderShell shell;
    ui::Seams::setShell(&shell);
    struct Case {
        QString path;
        bool started;  // through start(), else through open()
    } cases[] = {{QString::fromStdString(program.string()), true},
                 {QString::fromStdString(document.string()), false},
                 {"/opt/firma/FirmaVerifica", true}};  // missing: start() tells
    for (const auto& c : cases) {
        shell.started.clear();
        shell.opened.clear();
        shell.folders.clear();
        EXPECT_TRUE(StartSigningProgram(nullptr, "  " + c.path + " ", work.root()));
        if (c.started) {
            ASSERT_EQ(shell.started.size(), 1u);
            EXPECT_EQ(shell.started[0].first, c.path);
            EXPECT_TRUE(shell.started[0].second.isEmpty());
            EXPECT_EQ(shell.folders, QStringList{QString::fromStdString(work.root().string())});
            EXPECT_TRUE(shell.opened.isEmpty());
        } else {
            EXPECT_TRUE(shell.started.empty());
            EXPECT_EQ(shell.opened, QStringList{c.path});
        }
    }
    // A blank path starts nothing and says nothing; a failed start is told.
    shell.started.clear();
    EXPECT_FALSE(StartSigningProgram(nullptr, "   ", work.root()));
    EXPECT_TRUE(shell.started.empty());
    shell.succeed = false;
    EXPECT_FALSE(StartSigningProgram(nullptr, "/opt/firma/FirmaVerifica", work.root()));
    EXPECT_EQ(seams.messages.texts(),
              QStringList{SigningStartFailedMessage("/opt/firma/FirmaVerifica")});
    ui::Seams::setShell(&seams.shell);
}

class SigningClean : public FlowTest {
protected:
    void SetUp() override {
        FlowTest::SetUp();
        for (const char* name : {"ABCD0315.C01", "ABCD0315.C02", "WXYZ0315.C01"})
            WriteFileBytes(toSign / name, "flow");
        for (const char* name : {"ABCD0315.C01.p7m", "leggimi.txt"})
            WriteFileBytes(signedFiles / name, "signed");
    }
    SigningCleanRequest cleanRequest() {
        const auto r = request();
        return {r.company, r.paths};
    }
};

TEST_F(SigningClean, DeletesTheUsersFilesOfBothFoldersAndTellsHowMany) {
    TFCANCELLA_FILE_FIRMA window(cleanRequest());
    ShowActive(&window);
    EXPECT_EQ(window.windowTitle(),
              "Cancella i file della cartella DAFIRMARE e FIRMATI della Firma Digitale");
    EXPECT_EQ(ControlAs<QLabel>(&window, "LDAFIRMARE")->text().toStdString(),
              toSign.string() + "/");
    EXPECT_EQ(ControlAs<QLabel>(&window, "LFIRMATI")->text().toStdString(),
              signedFiles.string() + "/");
    Click(&window, "BCONF");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(
        seams.messages.texts(),
        QStringList{"Cancellati: 2 file della cartella DAFIRMARE e 1 file della cartella FIRMATI"});
    EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{"WXYZ0315.C01"});
    EXPECT_EQ(FolderNames(signedFiles), std::vector<std::string>{"leggimi.txt"});
}

// A file that cannot be deleted stops the clearing: it is named in the error box, then the
// report tells what was deleted before it (the signed files go first).
TEST_F(SigningClean, AFileThatCannotBeDeletedIsToldAndStopsTheClearing) {
    FailingWrites fails(signedFiles / "ABCD0315.C01.p7m", EBUSY);
    TFCANCELLA_FILE_FIRMA window(cleanRequest());
    ShowActive(&window);
    Click(&window, "BCONF");
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(seams.messages.shown().size(), 2u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(seams.messages.texts()[0].contains("ABCD0315.C01.p7m"));
    EXPECT_EQ(seams.messages.texts()[1],
              "Cancellati: 0 file della cartella DAFIRMARE e 0 file della cartella FIRMATI");
    EXPECT_EQ(FolderNames(signedFiles).size(), 2u);
    EXPECT_EQ(FolderNames(toSign).size(), 3u);
}

TEST_F(SigningClean, ABlankUserCodeDeletesNothing) {
    TUTENTE company = GoldenCompany();
    company.CODUTE.set("");
    WriteCompany(work.folders().companyFile(), company);
    TFCANCELLA_FILE_FIRMA window(cleanRequest());
    ShowActive(&window);
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(&window);
    EXPECT_EQ(
        seams.messages.texts(),
        QStringList{"Cancellati: 0 file della cartella DAFIRMARE e 0 file della cartella FIRMATI"});
    EXPECT_EQ(FolderNames(toSign).size(), 3u);
    EXPECT_EQ(FolderNames(signedFiles).size(), 2u);
}

// Leaving by a click, or by the keyboard alone (Tab to "Abbandona", then Enter).
TEST_F(SigningClean, LeavingDeletesNothing) {
    for (const bool byKeys : {false, true}) {
        SCOPED_TRACE(byKeys);
        TFCANCELLA_FILE_FIRMA window(cleanRequest());
        ShowActive(&window);
        if (byKeys) {
            PressKey(&window, Qt::Key_Tab);
            ASSERT_EQ(FocusName(), "BABBANDONA");
            PressEnter(&window);
        } else {
            Click(&window, "BABBANDONA");
        }
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(seams.messages.shown().empty());
        EXPECT_EQ(FolderNames(toSign).size(), 3u);
    }
}

}  // namespace
}  // namespace braxol
