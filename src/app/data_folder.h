#pragma once
// Which folder holds the data. Started from a terminal in a folder, the program works in that
// folder. Started from the desktop menu, which starts it in the home folder, or in a folder the
// user cannot write (where an installed program lives), it works in the folder named in its
// settings, ~/BRAXOL unless the brewer names another. `braxol --cartella DIR` names one
// explicitly. The home folder that already holds the data folders stays the data folder.

#include <filesystem>
#include <optional>

namespace braxol::app {

namespace fs = std::filesystem;

struct StartPlace {
    fs::path current;               // the current folder at start
    fs::path home;                  // the user's home folder
    std::optional<fs::path> named;  // --cartella
    fs::path settingsFile;          // SettingsFile()
};

// What the settings file holds when the program writes it the first time.
inline constexpr const char* kDefaultDataFolder = "~/BRAXOL";

// $XDG_CONFIG_HOME/braxol/braxol.conf, or ~/.config/braxol/braxol.conf.
fs::path SettingsFile();

// The folder of the line "cartella = ..." of the settings; "~/" and a relative path are taken
// from the home folder. When the file is missing it is written with kDefaultDataFolder, so
// that the brewer finds where to change it. Throws SettingsFileError for a file that does
// not hold settings, IoError for one that cannot be read.
fs::path FolderInSettings(const fs::path& settingsFile, const fs::path& home);

// The data folder for this start (throws as FolderInSettings).
fs::path ChooseDataFolder(const StartPlace& place);

}  // namespace braxol::app
