#include "flows.h"

#include <cstdio>
#include <system_error>

#include "dates.h"
#include "file_removal.h"
#include "io_error.h"
#include "numbers.h"
#include "paths.h"
#include "pstring.h"

namespace braxol {
namespace {

std::string MonthDay(double date) {
    const std::string ymd = DateToYMD(date);
    return ymd.substr(4, 4);
}

// An empty path or the root of a file system ("/", "//", "/./") is never cleaned.
bool UsableFolder(const fs::path& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(folder, ec);
    const fs::path p = ec ? folder.lexically_normal() : canonical;
    return p.has_relative_path() && p.relative_path() != ".";
}

// Counts in `count` the files deleted before a failure stops it. Throws IoError.
void DeleteUserFiles(const fs::path& folder, const std::string& prefix, int& count) {
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec == std::errc::no_such_file_or_directory) return;
    if (ec) throw IoError(folder.string(), ReasonFromErrno(ec.value()));
    for (const auto& entry : entries) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        const std::string name = UpperAscii(entry.path().filename().string());
        if (name.rfind(prefix, 0) != 0) continue;
        if (RemoveFile(entry.path())) ++count;
    }
}

}  // namespace

std::string FlowNameSuffix(int number, double date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%s.C%02d", MonthDay(date).c_str(), number);
    return buf;
}

int NextFlowNumber(double date, const std::string& codute, const fs::path& signedFolder) {
    const std::string prefix = UpperAscii(codute + MonthDay(date) + ".C");
    int highest = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(signedFolder, ec)) {
        const std::string name = UpperAscii(entry.path().filename().string());
        if (name.rfind(prefix, 0) != 0 || name.size() < 12) continue;
        highest = std::max(highest, ParseInteger(name.substr(10, 2)));
    }
    return highest + 1;
}

std::string CleanResult::message() const {
    return "Cancellati: " + std::to_string(toSignDeleted) + " file della cartella DAFIRMARE e " +
           std::to_string(signedDeleted) + " file della cartella FIRMATI";
}

CleanResult CleanSignatureFolders(const std::string& codute, const fs::path& toSignFolder,
                                  const fs::path& signedFolder) {
    CleanResult result;
    const std::string user(TrimBlanks(codute));
    if (!(user > "0000") || !UsableFolder(toSignFolder) || !UsableFolder(signedFolder)) {
        result.refused = true;
        return result;
    }
    const std::string prefix = UpperAscii(user);
    try {
        DeleteUserFiles(signedFolder, prefix, result.signedDeleted);
        DeleteUserFiles(toSignFolder, prefix, result.toSignDeleted);
    } catch (const IoError& e) {
        result.failure = e;
    }
    return result;
}

std::string SentFlowText(double datflu, int numflu) {
    if (datflu > 1000 && IsValidDate(datflu)) return FlowNameSuffix(numflu, datflu);
    return " ";
}

}  // namespace braxol
