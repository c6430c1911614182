// Which folder holds the data at start: the folder of a terminal, the folder of the settings
// when started from the desktop menu, the folder named on the command line.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "app/data_folder.h"
#include "store/settings_file.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
namespace fs = std::filesystem;

class DataFolder : public ::testing::Test {
protected:
    TempWorkFolder base;
    fs::path home = base.root() / "casa";
    fs::path settings = base.root() / "config" / "braxol" / "braxol.conf";

    void SetUp() override { fs::create_directories(home / "birra"); }

    app::StartPlace From(const fs::path& current) const {
        return {current, home, std::nullopt, settings};
    }
};

TEST_F(DataFolder, ATerminalsFolderOrTheFolderOfTheSettings) {
    struct Row {
        const char* name;
        std::function<fs::path()> current;  // prepares the folders, gives the current one
        fs::path chosen;
        bool settingsWritten;
    };
    const Row rows[] = {
        {"a terminal in a folder", [&] { return home / "birra"; }, home / "birra", false},
        {"the desktop menu, in the home folder", [&] { return home; }, home / "BRAXOL", true},
        {"the home folder that holds the data copied from Windows",
         [&] {
             fs::create_directory(home / "dati_gen");
             return home;
         },
         home, false},
        {"a current folder that is gone",
         [&] {
             fs::create_directory(home / "via");
             fs::remove(home / "via");
             return home / "via";
         },
         home / "BRAXOL", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(settings.parent_path());
        fs::remove_all(home / "dati_gen");
        const fs::path current = row.current();
        EXPECT_EQ(app::ChooseDataFolder(From(current)), row.chosen);
        EXPECT_EQ(fs::exists(settings), row.settingsWritten);
    }
    // What the brewer finds to change.
    EXPECT_EQ(FileBytes(settings),
              "# Impostazioni di BRAXOL.\n"
              "# La cartella dei dati usata quando il programma è avviato dal menu del\n"
              "# desktop (o da una cartella in cui non si può scrivere); un percorso\n"
              "# relativo parte dalla cartella personale.\n"
              "cartella = ~/BRAXOL\n");
}

TEST_F(DataFolder, AFolderTheUserCannotWriteGivesTheFolderOfTheSettings) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes every folder";
    const fs::path installed = base.root() / "programma";
    fs::create_directory(installed);
    fs::permissions(installed, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(app::ChooseDataFolder(From(installed)), home / "BRAXOL");
    fs::permissions(installed, fs::perms::owner_all);
}

TEST_F(DataFolder, TheSettingsNameTheFolder) {
    struct Row {
        const char* line;
        fs::path chosen;
    };
    const Row rows[] = {
        {"cartella = /srv/birrificio/dati/", "/srv/birrificio/dati"},
        {"cartella=~/Birrificio", home / "Birrificio"},
        {"  cartella =   Documenti/Accise  ", home / "Documenti" / "Accise"},
        {"cartella =", home / "BRAXOL"},
    };
    fs::create_directories(settings.parent_path());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        WriteFileBytes(settings, std::string("# commento\n\n") + row.line + "\n");
        EXPECT_EQ(app::ChooseDataFolder(From(home)), row.chosen);
        EXPECT_EQ(FileBytes(settings), std::string("# commento\n\n") + row.line + "\n");
    }
}

TEST_F(DataFolder, SettingsThatSayNothingSenseStopTheStart) {
    struct Row {
        const char* content;
        std::string message;
    };
    const Row rows[] = {
        {"cartella /srv/dati\n", settings.string() + ", riga 1: manca il segno \"=\""},
        {"\ncarteLLa = /srv/dati\n",
         settings.string() + ", riga 2: impostazione sconosciuta \"carteLLa\" (ammesse: cartella)"},
    };
    fs::create_directories(settings.parent_path());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.content);
        WriteFileBytes(settings, row.content);
        try {
            app::ChooseDataFolder(From(home));
            ADD_FAILURE() << "no error";
        } catch (const SettingsFileError& e) {
            EXPECT_EQ(e.what(), row.message);
        }
        EXPECT_EQ(FileBytes(settings), row.content);  // left as the brewer wrote it
    }
}

TEST_F(DataFolder, TheCommandLineNamesTheFolder) {
    struct Row {
        const char* named;
        fs::path chosen;
    };
    const Row rows[] = {
        {"/srv/dati", "/srv/dati"},
        {"dati", home / "birra" / "dati"},
        {"../altro/", home / "altro"},
        {"~/copia", home / "copia"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.named);
        app::StartPlace place = From(home / "birra");
        place.named = row.named;
        EXPECT_EQ(app::ChooseDataFolder(place), row.chosen);
    }
    EXPECT_FALSE(fs::exists(settings));
}

}  // namespace
}  // namespace braxol
