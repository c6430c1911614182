#pragma once
// Settings files in the user's own configuration folder ($XDG_CONFIG_HOME, or ~/.config):
// "key = value" lines; blank lines and lines that start with "#" say nothing. The program
// keeps the data folder it uses when started from the desktop menu there, the signing
// stand-in its certificate.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace braxol {

namespace fs = std::filesystem;

struct Setting {
    std::string key;
    std::string value;  // without the blanks around it
    int line;           // from 1
};

// A file that does not hold settings; the text names the file and the line, in Italian.
class SettingsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user's home folder: $HOME, or the one of the user's account.
fs::path HomeFolder();

// The settings folder of a program: $XDG_CONFIG_HOME/<program> when that is an absolute path,
// otherwise <home>/.config/<program>.
fs::path UserSettingsFolder(std::string_view program);

// The settings of the file in file order; nothing when the file is missing. Throws IoError
// when it cannot be read, SettingsFileError for a line without "=".
std::optional<std::vector<Setting>> ReadSettingsFile(const fs::path& file);

// The error for a setting whose key the reader does not know, naming those it knows.
SettingsFileError UnknownSetting(const fs::path& file, const Setting& setting,
                                 std::string_view known);

}  // namespace braxol
