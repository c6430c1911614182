#pragma once
// A temporary work folder with DATI_GEN, REGISTRI and its own temporary folder, removed when
// the test ends.

#include <filesystem>
#include <string>

#include "store/work_folders.h"

namespace braxol::test {

class TempWorkFolder {
public:
    TempWorkFolder();
    ~TempWorkFolder();
    TempWorkFolder(const TempWorkFolder&) = delete;
    TempWorkFolder& operator=(const TempWorkFolder&) = delete;

    const std::filesystem::path& root() const { return folders_.root; }
    const WorkFolders& folders() const { return folders_; }
    std::filesystem::path registri(const std::string& name) const { return folders_.registri / name; }
    std::filesystem::path datiGen(const std::string& name) const { return folders_.datiGen / name; }

private:
    WorkFolders folders_;
};

}  // namespace braxol::test
