// A data folder copied from the Windows program opens as it is, names in the letter case they
// had there included. The signing paths of that computer, still in APPL.CFG, are named by the
// checks and by the support tool with where to change them, until the brewer gives those of
// this computer.

#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/configuration_check.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "menu_work.h"
#include "setup/paths_window.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/shell_command.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;
using json = nlohmann::json;

// Writes a data file with the support tool, from the folder's root.
void Load(const fs::path& root, const std::string& file, const json& record) {
    const fs::path input = root / "record.jsonl";
    std::ofstream(input) << record.dump() << "\n";
    const ShellOutcome r =
        RunShell("cd " + ShellQuoted(root.string()) + " && '" BRAXOL_RECORDS_TOOL "' load " + file +
                 " < " + ShellQuoted(input.string()));
    ASSERT_EQ(r.status, 0) << r.out;
    fs::remove(input);
}

TEST(WindowsDataFolder, OpensAsItIsAndNamesThePathsToChange) {
    TempWorkFolder base;
    ScriptedSeams seams;
    seams.clock.current = QDateTime(QDate(2025, 3, 20), QTime(9, 0));
    const fs::path root = base.root() / "copia";
    fs::create_directories(root / "Dati_Gen");
    fs::create_directories(root / "registri");
    Load(root, "Dati_Gen/utente.001",
         {{"CACCI1", "IT00AOA12345B"},
          {"CODUTE", "AB12"},
          {"CAUESO", "C"},
          {"INDACC1", "https://dogane.example/cambio?UC=1&"}});
    Load(root, "Dati_Gen/Appl.cfg",
         {{"text",
           {"C:\\FIRMA\\FirmaVerifica.exe", "C:\\FIRMA\\DAFIRMARE\\", "C:\\FIRMA\\FIRMATI\\"}}});
    Load(root, "Dati_Gen/web.cfg",
         {{"text", {"", "", "", "https://reale.example/", "", "https://prova.example/"}}});

    const ShellOutcome check =
        RunShell("'" BRAXOL_RECORDS_TOOL "' check " + ShellQuoted(root.string()));
    EXPECT_EQ(check.status, 1);
    for (const char* path :
         {"(C:\\FIRMA\\FirmaVerifica.exe)", "(C:\\FIRMA\\DAFIRMARE\\)", "(C:\\FIRMA\\FIRMATI\\)"})
        EXPECT_NE(check.out.find(path), std::string::npos) << path << "\n" << check.out;

    app::RunState state;
    state.folders = WorkFolders::At(root, root / "tmp");
    ASSERT_TRUE(app::PrepareWorkFolder(state, nullptr));
    app::TFPRINCIPALE main(state);
    ShowActive(&main);
    main.refreshStatusLine();
    EXPECT_EQ(seams.messages.texts(),
              QStringList{"I PERCORSI DELLE APPLICAZIONI INDICATI QUI SOTTO SONO DI WINDOWS E NON "
                          "VALGONO SU QUESTO COMPUTER: sostituirli con quelli di questo computer.\n"
                          "\n"
                          "Programma \"FIRMAVERIFICA\": C:\\FIRMA\\FirmaVerifica.exe\n"
                          "Cartella di destinazione dei FILE da FIRMARE: C:\\FIRMA\\DAFIRMARE\\\n"
                          "Cartella di destinazione dei FILE FIRMATI: C:\\FIRMA\\FIRMATI\\\n"
                          "\n"
                          "Dal menu: Dati Aziendali → Percorsi di FirmaeVerifica (path)"});
    EXPECT_EQ(main.statusText(), QString::fromStdString(root.string()) + "   ***  - Contalitri");
    EXPECT_EQ(ControlAs<QListWidget>(&main, "PASSI")->item(5)->checkState(), Qt::Unchecked);
    // The folders of the copy serve as they are: none made anew in the program's letter case.
    EXPECT_FALSE(fs::exists(root / "DATI_GEN"));
    EXPECT_FALSE(fs::exists(root / "REGISTRI"));

    // The guarded entries wait for the paths of this computer.
    seams.messages.clear();
    main.action("Action27")->trigger();
    EXPECT_TRUE(seams.shell.opened.isEmpty());
    EXPECT_EQ(seams.messages.texts().size(), 1);

    ASSERT_TRUE(Work<setup::TFPERCORSI>(main, "Action10", [](setup::TFPERCORSI* w) {
        const std::pair<const char*, const char*> paths[] = {{"LE0", "/srv/firma/FirmaVerifica"},
                                                             {"LE1", "/srv/firma/dafirmare/"},
                                                             {"LE2", "/srv/firma/firmati/"}};
        for (const auto& [field, path] : paths) Retype(w, field, path);
        FocusOn(w, "BCONF");
        PressEnter(w);
    }));
    seams.messages.clear();
    EXPECT_TRUE(app::CheckConfiguration(state, nullptr));
    EXPECT_TRUE(seams.messages.shown().empty()) << seams.messages.texts().join("|").toStdString();
    EXPECT_EQ(ControlAs<QListWidget>(&main, "PASSI")->item(5)->checkState(), Qt::Checked);
    EXPECT_EQ(RunShell("'" BRAXOL_RECORDS_TOOL "' check " + ShellQuoted(root.string())).status, 0);
}

}  // namespace
}  // namespace braxol
