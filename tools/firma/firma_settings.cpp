#include "firma_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "store/io_error.h"
#include "store/safe_file.h"
#include "store/settings_file.h"

namespace braxol::firma {
namespace {

fs::path FromFolder(const fs::path& folder, const std::string& value) {
    const fs::path p(value);
    return p.is_absolute() ? p : folder / p;
}

}  // namespace

fs::path SettingsFolder() {
    return UserSettingsFolder("braxol-firma");
}

Settings ReadSettings(const fs::path& folder) {
    Settings s;
    s.folder = folder;
    const fs::path file = folder / kSettingsFileName;
    std::optional<std::vector<Setting>> settings;
    try {
        settings = ReadSettingsFile(file);
    } catch (const IoError& e) {
        throw FirmaError(e.italianMessage());
    } catch (const SettingsFileError& e) {
        throw FirmaError(e.what());
    }
    if (!settings) return s;
    for (const Setting& setting : *settings) {
        const std::string& value = setting.value;
        if (setting.key == "certificato")
            s.certificate = value.empty() ? fs::path() : FromFolder(folder, value);
        else if (setting.key == "password")
            s.passwordFile = value.empty() ? fs::path() : FromFolder(folder, value);
        else
            throw FirmaError(UnknownSetting(file, setting, "certificato, password").what());
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
