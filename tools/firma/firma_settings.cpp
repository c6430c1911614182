#include "firma_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "store/io_error.h"
#include "store/pstring.h"
#include "store/safe_file.h"

namespace braxol::firma {
namespace {

fs::path FromFolder(const fs::path& folder, const std::string& value) {
    const fs::path p(value);
    return p.is_absolute() ? p : folder / p;
}

}  // namespace

fs::path SettingsFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
        xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "braxol-firma";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".config" / "braxol-firma";
}

Settings ReadSettings(const fs::path& folder) {
    Settings s;
    s.folder = folder;
    const fs::path file = folder / kSettingsFileName;
    std::optional<std::string> content;
    try {
        content = ReadWholeFile(file);
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    }
    if (!content) return s;
    std::istringstream lines(*content);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::string_view text = TrimBlanks(line);
        if (text.empty() || text.front() == '#') continue;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos)
            throw FirmaError(file.string() + ", riga " + std::to_string(number) +
                             ": manca il segno \"=\"");
        const std::string key(TrimBlanks(text.substr(0, equals)));
        const std::string value(TrimBlanks(text.substr(equals + 1)));
        if (key == "certificato")
            s.certificate = value.empty() ? fs::path() : FromFolder(folder, value);
        else if (key == "password")
            s.passwordFile = value.empty() ? fs::path() : FromFolder(folder, value);
        else
            throw FirmaError(file.string() + ", riga " + std::to_string(number) +
                             ": impostazione sconosciuta \"" + key +
                             "\" (ammesse: certificato, password)");
    }
    return s;
}

std::string ReadPasswordFile(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        throw FirmaError("file della password non leggibile: " + file.string() + " (" +
                         ReasonFromErrno(errno) + ")");
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        throw FirmaError("il file della password " + file.string() +
                         " è accessibile ad altri utenti: renderlo privato con chmod 600");
    std::optional<std::string> content;
    try {
        content = ReadWholeFile(file);
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    }
    std::string password = content.value_or("");
    while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
        password.pop_back();
    return password;
}

}  // namespace braxol::firma
