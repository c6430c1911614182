#pragma once
// Looks for damage in the data files of a work folder (DATI_GEN and REGISTRI): sizes that are
// not whole records, length bytes beyond their field, NUMOPE repeated within a movement file;
// for signing paths that only a Windows computer has; and for what writers that died left
// behind there and in the work folder itself: half-written files and lock markers of processes
// that are gone (the next writer of the file clears them).

#include <filesystem>
#include <string>
#include <vector>

namespace braxol::records {

struct CheckReport {
    std::vector<std::string> problems;  // one Italian line each
    int filesChecked = 0;
    bool ok() const { return problems.empty(); }
};

// The signing paths of APPL.CFG that are Windows paths, as a data folder copied from a
// Windows computer holds them; one line each.
std::vector<std::string> CheckSigningPaths(const std::filesystem::path& applFile);
// Damage in one file whose kind is known by its name (nothing when it is sound).
std::vector<std::string> CheckFile(const std::filesystem::path& file);
// Half-written files and lock markers left in one folder by writers that died; half-written
// files of another machine are listed too, as this one cannot tell whether they are alive.
std::vector<std::string> CheckLeftovers(const std::filesystem::path& folder);
CheckReport CheckWorkFolder(const std::filesystem::path& root);

}  // namespace braxol::records
