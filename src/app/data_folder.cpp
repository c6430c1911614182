#include "app/data_folder.h"

#include <unistd.h>

#include <system_error>

#include "store/io_error.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "store/settings_file.h"

namespace braxol::app {
namespace {

constexpr const char* kFolderKey = "cartella";

// "~" and "~/..." from the home folder, a relative path from `base`.
fs::path Expand(const std::string& text, const fs::path& home, const fs::path& base) {
    if (text == "~") return home;
    if (text.starts_with("~/")) return home / text.substr(2);
    const fs::path path(text);
    return path.is_absolute() ? path : base / path;
}

void WriteDefaultSettings(const fs::path& settingsFile) {
    const std::string content =
        std::string(
            "# Impostazioni di BRAXOL.\n"
            "# La cartella dei dati usata quando il programma è avviato dal menu del\n"
            "# desktop (o da una cartella in cui non si può scrivere); un percorso\n"
            "# relativo parte dalla cartella personale.\n") +
        kFolderKey + " = " + kDefaultDataFolder + "\n";
    // Only a help for the brewer: the program works without it.
    try {
        std::error_code ec;
        fs::create_directories(settingsFile.parent_path(), ec);
        ReplaceFileContent(settingsFile, content);
    } catch (const IoError&) {
    }
}

// Without "." and ".." and without a final separator, as the status line shows it.
fs::path Plain(const fs::path& path) {
    fs::path plain = path.lexically_normal();
    if (!plain.has_filename() && plain != plain.root_path()) plain = plain.parent_path();
    return plain;
}

bool IsHome(const fs::path& folder, const fs::path& home) {
    std::error_code ec;
    return fs::equivalent(folder, home, ec);
}

bool HoldsData(const fs::path& folder) {
    std::error_code ec;
    for (const char* name : {"DATI_GEN", "REGISTRI"})
        if (fs::is_directory(ResolvePath(folder / name), ec)) return true;
    return false;
}

}  // namespace

fs::path SettingsFile() {
    return UserSettingsFolder("braxol") / "braxol.conf";
}

fs::path FolderInSettings(const fs::path& settingsFile, const fs::path& home) {
    const auto settings = ReadSettingsFile(settingsFile);
    if (!settings) WriteDefaultSettings(settingsFile);
    std::string folder = kDefaultDataFolder;
    for (const Setting& setting : settings.value_or(std::vector<Setting>{})) {
        if (setting.key != kFolderKey) throw UnknownSetting(settingsFile, setting, kFolderKey);
        if (!setting.value.empty()) folder = setting.value;
    }
    return Plain(Expand(folder, home, home));
}

fs::path ChooseDataFolder(const StartPlace& place) {
    if (place.named) return Plain(Expand(place.named->string(), place.home, place.current));
    const bool home = IsHome(place.current, place.home);
    const bool writable = ::access(place.current.c_str(), W_OK) == 0;
    if ((home && !HoldsData(place.current)) || !writable)
        return FolderInSettings(place.settingsFile, place.home);
    return place.current;
}

}  // namespace braxol::app
