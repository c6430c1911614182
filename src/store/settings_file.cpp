#include "settings_file.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "pstring.h"
#include "safe_file.h"

namespace braxol {
namespace {

std::string Where(const fs::path& file, int line) {
    return file.string() + ", riga " + std::to_string(line);
}

}  // namespace

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* account = ::getpwuid(::geteuid()); account && account->pw_dir)
        return account->pw_dir;
    return ".";
}

fs::path UserSettingsFolder(std::string_view program) {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
        xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / program;
    return HomeFolder() / ".config" / program;
}

std::optional<std::vector<Setting>> ReadSettingsFile(const fs::path& file) {
    const std::optional<std::string> content = ReadWholeFile(file);
    if (!content) return std::nullopt;
    std::vector<Setting> settings;
    std::istringstream lines(*content);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::string_view text = TrimBlanks(line);
        if (text.empty() || text.front() == '#') continue;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos)
            throw SettingsFileError(Where(file, number) + ": manca il segno \"=\"");
        settings.push_back({std::string(TrimBlanks(text.substr(0, equals))),
                            std::string(TrimBlanks(text.substr(equals + 1))), number});
    }
    return settings;
}

SettingsFileError UnknownSetting(const fs::path& file, const Setting& setting,
                                 std::string_view known) {
    return SettingsFileError(Where(file, setting.line) + ": impostazione sconosciuta \"" +
                             setting.key + "\" (ammesse: " + std::string(known) + ")");
}

}  // namespace braxol
