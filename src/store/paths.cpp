#include "paths.h"

#include <cstdio>
#include <system_error>

#include "io_error.h"

namespace braxol {

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsWindowsPath(std::string_view path) {
    const bool driveLetter =
        path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return driveLetter || path.find('\\') != std::string_view::npos;
}

bool PathExists(const fs::path& path) {
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    if (ec) throw IoError(path.string(), ReasonFromErrno(ec.value()));
    return exists;
}

fs::path ResolvePath(const fs::path& path) {
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec)) return path;
    fs::path result;
    for (const auto& part : path) {
        fs::path candidate = result.empty() ? part : result / part;
        const fs::path folder = result.empty() ? fs::path(".") : result;
        if (!fs::exists(candidate, ec) && part.has_filename() && fs::is_directory(folder, ec)) {
            const std::string wanted = UpperAscii(part.string());
            for (const auto& entry : fs::directory_iterator(folder, ec)) {
                const fs::path name = entry.path().filename();
                if (UpperAscii(name.string()) == wanted) {
                    candidate = result.empty() ? name : result / name;
                    break;
                }
            }
        }
        result = candidate;
    }
    return result;
}

fs::path YearFile(const fs::path& registri, int year, const std::string& extension) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d", year);
    return ResolvePath(registri / (name + extension));
}

}  // namespace braxol
