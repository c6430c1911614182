// A new brewer's first flow, as the issue tells it: two productions, a wash and a record E in
// the books; "Crea, Firma ed Invia il Flusso Telematico" from the menu, everything left ticked,
// confirmed by keyboard; the flow in the folder of files to sign, line by line; the real
// braxol-firma started as the signing program, its signed twin in the folder of signed files,
// and openssl giving back the flow from it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QTest>
#include <cstdio>
#include <memory>

#include "app/main_window.h"
#include "program_shell.h"
#include "store/config_files.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/flow_window.h"
#include "telematic/transmission_window.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

std::string Columns(const std::vector<std::string>& columns) {
    std::string line;
    for (const auto& c : columns) line += c + "\t";
    return line;
}

bool WaitFor(const fs::path& file) {
    QDeadlineTimer deadline(30000);
    while (!fs::exists(file) && !deadline.hasExpired()) QTest::qWait(50);
    return fs::exists(file);
}

TEST(NewUserFlow, EntriesToASignedFlowThroughTheMenu) {
    TempWorkFolder work;
    ScriptedSeams seams;
    ProgramShell shell;
    shell.settings = work.root() / "config";
    ui::Seams::setShell(&shell);
    seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));

    // The company as the setup windows leave it.
    const fs::path toSign = work.root() / "firma" / "DAFIRMARE";
    const fs::path signedFiles = work.root() / "firma" / "FIRMATI";
    fs::create_directories(toSign);
    fs::create_directories(signedFiles);
    CompleteConfiguration config;
    config.signingProgram = BRAXOL_FIRMA_TOOL;
    config.toSignFolder = toSign.string() + "/";
    config.signedFolder = signedFiles.string() + "/";
    WriteConfiguration(work.folders(), config);
    TUTENTE company = ReadCompany(work.folders().companyFile()).value();
    company.CACCI1.set("IT00AOA12345B");
    company.PARIVA.set("12345678903");
    company.CODUTE.set("ABCD");
    company.UFFDO1.set("IT012100");
    company.SEZDOG.set("012100");
    WriteCompany(work.folders().companyFile(), company);

    // The books: two productions, a wash, the record E of February.
    const fs::path rgm = YearFile(work.folders().registri, 2025, ".RGM");
    const fs::path der = YearFile(work.folders().registri, 2025, ".DER");
    auto production = [](double day, int from, int to, const char* doc, double excise, double pec,
                         const char* time) {
        TMOVIMENTO p = Production(day, from, to);
        p.NUMDOC.set(doc);
        p.ACCISA = excise;
        p.DATPEC = pec;
        p.MITDES.set(time);
        PadMovement(p);
        return p;
    };
    AddMovement(rgm, production(Day(2025, 3, 10), 1000, 2250, "1", 475, Day(2025, 3, 7), "09:30"),
                NoSelection());
    AddMovement(rgm, production(Day(2025, 3, 14), 2250, 3000, "2", 285, Day(2025, 3, 13), "16:05"),
                NoSelection());
    AddMovement(rgm, Wash(Day(2025, 3, 14), 3000, 3010), NoSelection());
    TMOVIMENTO excise = Tribute("E", "02", 760);
    excise.MITDES.set("1411");
    PadMovement(excise);
    AddMovement(der, excise, NoSelection());
    const auto booksBefore = ScanMovements(rgm);

    // The flow window from the menu, by keyboard: everything ticked, today's date, number 1.
    app::RunState state;
    state.folders = work.folders();
    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    QStringList listed;
    NextModal<telematic::TFCREAFIRMAINVIAREGISTRO> flowWindow(
        [&listed](telematic::TFCREAFIRMAINVIAREGISTRO* w) {
            ShowActive(w);
            auto* list = w->findChild<QListWidget*>("CELENCO");
            for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
            EXPECT_EQ(FocusName(), "DATFLU");
            for (int i = 0; i < 4; ++i) PressEnter(w);  // number, signing, confirm, confirmed
        });
    // The transmission window follows; left once the signature is there.
    bool signedInWindow = false;
    NextModal<telematic::TFTELEMATICO> transmission([&](telematic::TFTELEMATICO* w) {
        signedInWindow = QTest::qWaitFor([w] { return w->fileSigned(); }, 30000);
        Click(w, "BABBANDONA");
    });
    main.action("Action22")->trigger();
    ASSERT_EQ(flowWindow.opened(), 1);
    EXPECT_EQ(transmission.opened(), 1);
    EXPECT_TRUE(signedInWindow);
    EXPECT_EQ(listed.size(), 4) << listed.join("\n").toStdString();
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
    EXPECT_EQ(state.workingYear, "2025");

    // The flow, line by line.
    const fs::path flowFile = toSign / "ABCD0320.C01";
    const std::string key = "BRAXOLIT00AOA12345B";
    const std::vector<std::string> lines = {
        "ABCD" + std::string(12, ' ') + "ABCD0320.C01" + std::string(12, ' ') + "012100" +
            std::string(4, ' ') + "12345678903" + "     001 00006",
        key + "00000000A12345678903     " + Columns({"3", "0", "1", "0", "0", "0", "0", "5"}),
        key + "20250310CI" +
            Columns({"F",        "IT012100", "2025",       "12345     ", "1",      "22030001",
                     "",         "",         "1250.00000", "1000",       "2250",   "156.25000",
                     "12.50000", "S",        "",           "",           "VIA",    "1",
                     "20250310", "",         "",           "",           "C",      "114",
                     "001",      "475.00",   "NOTA: ",     "1.00000",    "BIONDA", "202503070930"}),
        key + "20250314CI" +
            Columns({"F",        "IT012100", "2025",      "12345     ", "2",      "22030001",
                     "",         "",         "750.00000", "2250",       "3000",   "93.75000",
                     "12.50000", "S",        "",          "",           "VIA",    "2",
                     "20250314", "",         "",          "",           "C",      "114",
                     "001",      "285.00",   "NOTA: ",    "1.00000",    "BIONDA", "202503131605"}),
        key + "20250314CI" + Columns({"F", "IT012100", "2025",   "12345     ", "3", "",  "",  "",
                                      "",  "3000",     "3010",   "",           "",  "S", "",  "",
                                      "",  "",         "",       "",           "",  "",  "C", "129",
                                      "",  "",         "NOTA: ", "1.00000",    "",  ""}),
        key + "00000000EI" + Columns({"2025", "02", "", "", "", "760.00", "1411", "NOTA: "}),
    };
    std::string expected;
    for (const auto& l : lines) expected += l + "\r\n";
    EXPECT_EQ(FileBytes(flowFile), expected);

    // The real signing program was started in the work folder and signs the flow.
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, BRAXOL_FIRMA_TOOL);
    EXPECT_TRUE(shell.started[0].second.isEmpty());
    EXPECT_EQ(shell.folders, QStringList{QString::fromStdString(work.root().string())});
    const fs::path signedFile = signedFiles / "ABCD0320.C01.p7m";
    EXPECT_TRUE(WaitFor(signedFile));
    shell.stop();
    EXPECT_EQ(state.telematic.signedFilePath.toStdString(), signedFile.string());

    const fs::path verified = work.root() / "verified";
    const std::string command =
        "openssl cms -verify -binary -inform DER -in '" + signedFile.string() + "' -CAfile '" +
        (shell.settings / "braxol-firma" / "certificato-prova.pem").string() + "' -out '" +
        verified.string() + "' 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    char buf[512];
    std::string out;
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    EXPECT_EQ(WEXITSTATUS(::pclose(p)), 0) << out;
    EXPECT_EQ(FileBytes(verified), expected);

    // Until the transmission window records an outcome the books stay unsent.
    EXPECT_TRUE(SameBytes(ScanMovements(rgm), booksBefore));
}

}  // namespace
}  // namespace braxol
