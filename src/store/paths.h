#pragma once
// Paths of the work folder. A data folder copied from Windows may carry other letter case:
// when the exact name is missing, the folder or file is found case-insensitively.

#include <filesystem>
#include <string>
#include <string_view>

namespace braxol {

namespace fs = std::filesystem;

// The path itself when it exists; otherwise each missing component is matched
// case-insensitively in its parent. Components that match nothing stay as given, so that
// new files are created with the program's own names.
fs::path ResolvePath(const fs::path& path);

// REGISTRI/<year><extension>, e.g. YearFile(registri, 2025, ".RGM").
fs::path YearFile(const fs::path& registri, int year, const std::string& extension);

// Whether a file or folder is there. A failure to tell (no permission on a folder of the path,
// a loop of links) throws IoError, so that the caller reports it as any other input/output
// error instead of taking the file for missing and creating it anew.
bool PathExists(const fs::path& path);

// ASCII upper case, as the program compares file names.
std::string UpperAscii(std::string s);

// Whether a stored path can only be one of Windows: it starts with a drive letter ("C:") or
// holds a backslash ("\\server\share", "FIRMA\DAFIRMARE\"). A data folder copied from a
// Windows computer carries such paths in its configuration.
bool IsWindowsPath(std::string_view path);

}  // namespace braxol
